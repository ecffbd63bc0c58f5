// Small helpers shared by the tests: temporary folders, files, commands.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kvo::test {

// A fresh folder under the system temp folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string Str(const std::string& sChild = "") const;

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, const std::string& sText);
std::string ReadFile(const std::filesystem::path& path);
// Lines of a log file without their CR LF endings; empty when the file is missing.
std::vector<std::string> ReadLines(const std::filesystem::path& path);
// Sets an environment variable of this process (UTF-8), as the component reads it.
void SetEnv(const std::string& sName, const std::string& sValue);
// Removes an environment variable of this process.
void UnsetEnv(const std::string& sName);
// Runs a shell command, returns its exit status and collects standard output (and error when
// bWithStderr).
int RunCommand(const std::string& sCommand, std::string* pOutput, bool bWithStderr = true);
// Quotes a text for /bin/sh.
std::string ShellQuote(const std::string& s);
// A regular expression for the date and time the log lines carry: the C locale's
// "2024-05-01 12:00:00" on Linux (the tests run with LC_ALL=C), the user's short date and time
// with seconds on Windows ("5/1/2024 12:00:00 PM", "01.05.2024 12:00:00").
#ifdef _WIN32
inline constexpr const char kDateTimePattern[] =
    R"(\d{1,4}[./-]\d{1,2}[./-]\d{1,4} \d{1,2}:\d{2}:\d{2}(?: [AP]M)?)";
#else
inline constexpr const char kDateTimePattern[] = R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})";
#endif
// The text as a regular expression that matches it literally (a Windows path's "\" and ".").
std::string RegexLiteral(const std::string& sText);
// Path of a file below the source tree.
std::string SourcePath(const std::string& sRelative);

}  // namespace kvo::test
