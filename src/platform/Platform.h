// What differs between the systems the component runs on; everything else uses these and no
// system interface of its own. One implementation per system, in a file of its own. Texts and
// paths are UTF-8 on every system; none of these raises an exception.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvo::platform {

// ---- paths ----

// The separator of the component's own paths: "\" on Windows, "/" elsewhere.
// Every character that separates folders in a path this system takes: "\" and "/" on Windows.
#ifdef _WIN32
inline constexpr char kSeparator = '\\';
inline constexpr std::string_view kSeparators = "\\/";
#else
inline constexpr char kSeparator = '/';
inline constexpr std::string_view kSeparators = "/";
#endif

// A path written with "\" (as the component's folder rules are written) in this system's
// separators.
std::string NativePath(std::string_view path);

// Why this system cannot hold a file of this name (the last part of a path, without folders),
// in words for the log ("character ?", "reserved name CON"); empty when it can.
std::string FileNameProblem(std::string_view name);

// ---- environment ----

// An environment variable; empty when it is not set.
std::string Environment(const char* name);

// The per-user application-data folder of the system (not the "APPDATA" variable), without a
// trailing separator; empty when the system gives none.
std::string UserDataFolder();

// The all-users application-data folder, without a trailing separator; empty when the system
// gives none.
std::string AllUsersDataFolder();

// The login name of the current user; empty when the system gives none.
std::string LoginName();

// The folder that holds the component's own file (its shared library, not the host's
// program), without a trailing separator; empty when it cannot be told.
std::string ComponentFolder();

// ---- folders ----

// The canonical path of an existing folder; nothing when there is none at path.
std::optional<std::string> ExistingFolder(const std::string& path);

// Copies the folder from with everything in it to to, overwriting files; false when anything
// could not be copied.
bool CopyFolder(const std::string& from, const std::string& to);

// Creates the folder and every missing folder above it; false when it does not exist after.
bool CreateFolders(const std::string& path);

// ---- files ----

// Why a file operation failed: what kind of failure, and the system's own words for it.
struct FileError {
  enum class Kind { None, Exists, Missing, InUse, Other };
  Kind kind = Kind::None;
  std::string text;
};

// True when a regular file exists at path.
bool IsRegularFile(const std::string& path);

// Removes the file; false with the reason when it is still there afterwards (Kind::InUse when
// another program holds it open and the system refuses to remove it for that).
bool RemoveFile(const std::string& path, FileError& error);

// Gives the file from the name to, replacing a file of that name in one step where the system
// can; false with the reason.
bool ReplaceFile(const std::string& from, const std::string& to, FileError& error);

// The whole content of a file; nothing, with the reason, when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, FileError& error);

// Appends the bytes to the file in one write, creating the file (not its folder) when it is
// missing; false when they were not written whole (error.kind Missing: the folder is missing).
bool AppendToFile(const std::string& path, std::string_view bytes, FileError& error);

// A file written from the start, in binary: every byte as it is given.
class OutputFileHandle {
 public:
  enum class Mode {
    CreateNew,  // fails with Kind::Exists when a file of the name exists
    Replace,    // creates the file, or empties it
  };
  OutputFileHandle() = default;
  ~OutputFileHandle();  // closes the file when Close was not called
  OutputFileHandle(const OutputFileHandle&) = delete;
  OutputFileHandle& operator=(const OutputFileHandle&) = delete;

  // False with the reason when the file cannot be opened so.
  bool Open(const std::string& path, Mode mode, FileError& error);
  bool IsOpen() const { return handle_ != kNone; }
  // Writes all the bytes; false with the reason (a full disk, say).
  bool Write(std::string_view bytes, FileError& error);
  // False with the reason when the bytes written did not all reach the file.
  bool Close(FileError& error);

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;
};

// ---- the user ----

enum class MessageIcon { None, Error };

// Shows a modal message box and waits for it to be dismissed, where the process has a desktop
// a user sees; true when it was shown (or, without a desktop system, written as one line to
// standard error), false when nobody could see it.
bool ShowMessageBox(const std::string& text, const std::string& title, MessageIcon icon);

// The current local date and time as text, in the user's regional format: the short date, a
// blank and the time with seconds.
std::string LocalDateTimeText();

// Paper sizes by the spreadsheet's paper codes.
enum class Paper : int { Letter = 1, A4 = 9 };

// The paper the user's locale prints on: Letter where the locale names it, A4 where it names A4
// or anything else, or cannot be read.
Paper UserPaper();

}  // namespace kvo::platform
