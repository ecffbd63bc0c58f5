// The component on Linux and other systems with the GNU C library.
#include <dlfcn.h>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <locale>
#include <sstream>
#include <vector>

#include "platform/Platform.h"

namespace kvo::platform {

namespace fs = std::filesystem;

namespace {

std::string WithoutTrailingSlash(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

FileError ErrorOf(int number) {
  char buffer[256];
  FileError error;
  // GNU strerror_r returns the text, possibly not in buffer.
  error.text = ::strerror_r(number, buffer, sizeof buffer);
  switch (number) {
    case EEXIST:
      error.kind = FileError::Kind::Exists;
      break;
    case ENOENT:
    case ENOTDIR:
      error.kind = FileError::Kind::Missing;
      break;
    case EBUSY:
    case ETXTBSY:
      error.kind = FileError::Kind::InUse;
      break;
    default:
      error.kind = FileError::Kind::Other;
  }
  return error;
}

// Writes all of bytes to the descriptor; the error number, or 0.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// Name of the user's time locale, or empty when none beyond the C locale is set.
std::string UserTimeLocaleName() {
  for (const char* var : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(var);
    if (value == nullptr || *value == '\0') continue;
    std::string name = value;
    if (name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) return {};
    return name;
  }
  return {};
}

// The locale to format dates with, looked up once per thread; none for the C locale.
const std::locale* TimeLocale() {
  thread_local bool bLooked = false;
  thread_local std::locale tLocale = std::locale::classic();
  thread_local bool bHave = false;
  if (!bLooked) {
    bLooked = true;
    const std::string name = UserTimeLocaleName();
    if (!name.empty()) {
      try {
        tLocale = std::locale(name.c_str());
        bHave = true;
      } catch (const std::exception&) {
        bHave = false;
      }
    }
  }
  return bHave ? &tLocale : nullptr;
}

// Paper dimensions in millimetres, as the C library's LC_PAPER category gives them.
constexpr int kLetterHeight = 279;
constexpr int kLetterWidth = 216;

// One numeric item of the locale: the C library hands it out in place of the text pointer.
int PaperItem(nl_item item, locale_t locale) {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo_l(item, locale)));
}

}  // namespace

std::string NativePath(std::string_view path) {
  std::string out(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

std::string FileNameProblem(std::string_view name) {
  // Only "/" and the NUL character, which never reach a file name here.
  return name.find('\0') != std::string_view::npos ? "NUL character" : "";
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string UserDataFolder() {
  std::string folder = Environment("XDG_DATA_HOME");
  if (folder.empty() && !Environment("HOME").empty())
    folder = Environment("HOME") + "/.local/share";
  return WithoutTrailingSlash(folder);
}

std::string AllUsersDataFolder() {
  const std::string dirs = Environment("XDG_DATA_DIRS");
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = dirs.find(':', start);
    const std::string entry = dirs.substr(start, end == std::string::npos ? end : end - start);
    if (!entry.empty()) return WithoutTrailingSlash(entry);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return "/usr/local/share";
}

std::string LoginName() {
  std::vector<char> buffer(4096);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_name != nullptr) {
    return found->pw_name;
  }
  return Environment("LOGNAME");
}

std::string ComponentFolder() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&ComponentFolder), &info) != 0 &&
      info.dli_fname != nullptr) {
    std::error_code ec;
    fs::path file = fs::weakly_canonical(fs::path(info.dli_fname), ec);
    if (ec) file = fs::path(info.dli_fname);
    return WithoutTrailingSlash(file.parent_path().string());
  }
  std::error_code ec;
  return WithoutTrailingSlash(fs::read_symlink("/proc/self/exe", ec).parent_path().string());
}

std::optional<std::string> ExistingFolder(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::error_code ec;
  if (!fs::is_directory(path, ec) || ec) return std::nullopt;
  const fs::path canonical = fs::canonical(path, ec);
  if (ec) return std::nullopt;
  return canonical.string();
}

bool CopyFolder(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool CreateFolders(const std::string& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return fs::is_directory(path, ec);
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool RemoveFile(const std::string& path, FileError& error) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
  error = ErrorOf(errno);
  return false;
}

bool ReplaceFile(const std::string& from, const std::string& to, FileError& error) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  error = ErrorOf(errno);
  return false;
}

std::optional<std::string> ReadWholeFile(const std::string& path, FileError& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = ErrorOf(errno);
    return std::nullopt;
  }
  // Read straight into the string: sized once where the size is known, grown while it grows.
  std::string content;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    content.resize(static_cast<std::size_t>(info.st_size) + 1);
  }
  std::size_t done = 0;
  for (;;) {
    if (content.size() - done < (1 << 16)) content.resize(done + (1 << 16));
    const ssize_t got = ::read(fd, content.data() + done, content.size() - done);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      error = ErrorOf(errno);
      ::close(fd);
      return std::nullopt;
    }
    done += static_cast<std::size_t>(got);
  }
  ::close(fd);
  content.resize(done);
  return content;
}

bool AppendToFile(const std::string& path, std::string_view bytes, FileError& error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = ErrorOf(errno);
    return false;
  }
  // One write, so that lines of processes sharing the file never mix.
  ssize_t written;
  do {
    written = ::write(fd, bytes.data(), bytes.size());
  } while (written < 0 && errno == EINTR);
  const int writeError = written < 0 ? errno : 0;
  const bool closed = ::close(fd) == 0;
  if (written == static_cast<ssize_t>(bytes.size()) && closed) return true;
  error = ErrorOf(writeError != 0 ? writeError : (closed ? ENOSPC : errno));
  return false;
}

OutputFileHandle::~OutputFileHandle() {
  if (handle_ != kNone) ::close(static_cast<int>(handle_));
}

bool OutputFileHandle::Open(const std::string& path, Mode mode, FileError& error) {
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mode == Mode::CreateNew ? O_EXCL : O_TRUNC);
  // 0666 lets the process umask decide the permissions, as for any new file.
  const int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0) {
    error = ErrorOf(errno);
    return false;
  }
  handle_ = fd;
  return true;
}

bool OutputFileHandle::Write(std::string_view bytes, FileError& error) {
  if (const int number = WriteAll(static_cast<int>(handle_), bytes); number != 0) {
    error = ErrorOf(number);
    return false;
  }
  return true;
}

bool OutputFileHandle::Close(FileError& error) {
  const int fd = static_cast<int>(handle_);
  handle_ = kNone;
  if (::close(fd) == 0) return true;
  error = ErrorOf(errno);
  return false;
}

bool ShowMessageBox(const std::string& text, const std::string& /*title*/, MessageIcon /*icon*/) {
  // A desktop-less system: the box is one line on standard error, and the run goes on.
  std::cerr << text << std::endl;
  return true;
}

std::string LocalDateTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  std::ostringstream out;
  if (const std::locale* loc = TimeLocale()) {
    out.imbue(*loc);
    out << std::put_time(&local, "%x %X");
  } else {
    out << std::put_time(&local, "%Y-%m-%d %H:%M:%S");
  }
  return out.str();
}

Paper UserPaper() {
  // A locale object of its own: the process's locale is never switched.
  locale_t locale = ::newlocale(LC_PAPER_MASK, "", static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return Paper::A4;
  const bool bLetter = PaperItem(_NL_PAPER_HEIGHT, locale) == kLetterHeight &&
                       PaperItem(_NL_PAPER_WIDTH, locale) == kLetterWidth;
  ::freelocale(locale);
  return bLetter ? Paper::Letter : Paper::A4;
}

}  // namespace kvo::platform
