#include "support/TestSupport.h"

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif
#include <array>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>

namespace kvo::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device rd;
  for (;;) {
    path_ = fs::temp_directory_path() /
            ("kvo-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
             std::to_string(rd() % 100000));
    if (fs::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string TempDir::Str(const std::string& sChild) const {
  return sChild.empty() ? path_.string() : (path_ / sChild).string();
}

void WriteFile(const fs::path& path, const std::string& sText) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << sText;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::vector<std::string> ReadLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::string text = ReadFile(path);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

#ifdef _WIN32
namespace {

std::wstring Wide(const std::string& s) {
  return std::filesystem::path(std::u8string(s.begin(), s.end())).wstring();
}

}  // namespace

void SetEnv(const std::string& sName, const std::string& sValue) {
  ::SetEnvironmentVariableW(Wide(sName).c_str(), Wide(sValue).c_str());
}

void UnsetEnv(const std::string& sName) {
  ::SetEnvironmentVariableW(Wide(sName).c_str(), nullptr);
}

int RunCommand(const std::string& sCommand, std::string* pOutput, bool bWithStderr) {
  std::string cmd = sCommand + (bWithStderr ? " 2>&1" : "");
  FILE* pipe = ::_wpopen(Wide(cmd).c_str(), L"rb");
  if (pipe == nullptr) return -1;
  std::array<char, 4096> buf{};
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) {
    if (pOutput != nullptr) pOutput->append(buf.data(), n);
  }
  // The command's exit code itself.
  return ::_pclose(pipe);
}
#else
void SetEnv(const std::string& sName, const std::string& sValue) {
  ::setenv(sName.c_str(), sValue.c_str(), 1);
}

void UnsetEnv(const std::string& sName) {
  ::unsetenv(sName.c_str());
}

int RunCommand(const std::string& sCommand, std::string* pOutput, bool bWithStderr) {
  std::string cmd = sCommand + (bWithStderr ? " 2>&1" : "");
  FILE* pipe = ::popen(cmd.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::array<char, 4096> buf{};
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) {
    if (pOutput != nullptr) pOutput->append(buf.data(), n);
  }
  int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

std::string ShellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

std::string RegexLiteral(const std::string& sText) {
  std::string out;
  for (const char c : sText) {
    if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out;
}

std::string SourcePath(const std::string& sRelative) {
  return std::string(KVO_SOURCE_DIR) + "/" + sRelative;
}

}  // namespace kvo::test
