// The component on Windows: UTF-8 inside, UTF-16 at every system call; files in binary through
// the Win32 file functions, long paths with the "\\?\" prefix.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <lmcons.h>
#include <shlobj.h>
// windows.h names its own ReplaceFile so.
#undef ReplaceFile

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/WindowsPaths.h"

namespace kvo::platform {

namespace {

// The largest piece one WriteFile or ReadFile is given.
constexpr DWORD kChunk = 1u << 30;

std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  const int size =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(size, 0)), L'\0');
  if (size > 0)
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
  if (size > 0)
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                          nullptr, nullptr);
  return out;
}

// A UTF-16 text the system wrote into a buffer, up to its first NUL.
std::string NarrowUntilNul(const wchar_t* text) {
  return text != nullptr ? Narrow(std::wstring_view(text)) : std::string();
}

// The absolute form of a path; the path itself when the system cannot tell.
std::wstring FullPath(const std::wstring& path) {
  const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring out(size, L'\0');
  const DWORD got = ::GetFullPathNameW(path.c_str(), size, out.data(), nullptr);
  if (got == 0 || got >= size) return path;
  out.resize(got);
  return out;
}

// The path a file function takes: long ones absolute and with the "\\?\" prefix.
std::wstring SystemPath(const std::string& path) {
  std::wstring wide = Wide(path);
  if (wide.size() < windows::kLongPathLength) return wide;
  return Wide(windows::ExtendedLengthPath(Narrow(FullPath(wide))));
}

std::string WithoutTrailingSeparator(std::string s) {
  while (s.size() > 1 && (s.back() == '\\' || s.back() == '/') && s[s.size() - 2] != ':')
    s.pop_back();
  return s;
}

std::string SystemText(DWORD number) {
  wchar_t* buffer = nullptr;
  const DWORD size = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, number, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = size > 0 ? Narrow(std::wstring_view(buffer, size)) : std::string();
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text.empty() ? "system error " + std::to_string(number) : text;
}

FileError ErrorOf(DWORD number) {
  FileError error;
  error.text = SystemText(number);
  switch (number) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      error.kind = FileError::Kind::Exists;
      break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      error.kind = FileError::Kind::Missing;
      break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      error.kind = FileError::Kind::InUse;
      break;
    default:
      error.kind = FileError::Kind::Other;
  }
  return error;
}

DWORD Attributes(const std::string& path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(SystemPath(path).c_str());
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Writes all of bytes; the system's error number, or 0.
DWORD WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunk));
    if (!::WriteFile(file, bytes.data(), piece, &written, nullptr)) return ::GetLastError();
    if (written == 0) return ERROR_DISK_FULL;
    bytes.remove_prefix(written);
  }
  return 0;
}

// The process has a desktop that a user sees (not a service's or a server host's).
bool HasVisibleWindowStation() {
  HWINSTA station = ::GetProcessWindowStation();
  if (station == nullptr) return false;
  USEROBJECTFLAGS flags{};
  DWORD needed = 0;
  if (!::GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, &needed)) return false;
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace

std::string NativePath(std::string_view path) {
  // The component's paths are written with "\", this system's separator.
  return std::string(path);
}

std::string FileNameProblem(std::string_view name) {
  return windows::NameProblem(name);
}

std::string Environment(const char* name) {
  const std::wstring wideName = Wide(name);
  DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  // A variable may change between the two calls: try until it fits.
  while (size > 0) {
    std::wstring value(size, L'\0');
    const DWORD got = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    if (got < size) {
      value.resize(got);
      return Narrow(value);
    }
    size = got;
  }
  return {};
}

std::string UserDataFolder() {
  wchar_t* path = nullptr;
  std::string folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path)))
    folder = NarrowUntilNul(path);
  ::CoTaskMemFree(path);
  return WithoutTrailingSeparator(folder);
}

std::string AllUsersDataFolder() {
  const std::wstring user = Wide(UserDataFolder());
  if (user.empty()) return {};
  const std::wstring login = Wide(LoginName());
  // Lower-cased here for every letter; the derivation itself knows only ASCII.
  auto lower = [](std::wstring text) {
    if (!text.empty())
      ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, text.data(),
                      static_cast<int>(text.size()), text.data(), static_cast<int>(text.size()),
                      nullptr, nullptr, 0);
    return text;
  };
  return windows::AllUsersFolderOf(Narrow(lower(user)), Narrow(lower(login)));
}

std::string LoginName() {
  wchar_t name[UNLEN + 1] = {};
  DWORD size = UNLEN + 1;
  return ::GetUserNameW(name, &size) ? NarrowUntilNul(name) : std::string();
}

std::string ComponentFolder() {
  // The module that holds this code: the DLL in a host, the program when linked statically.
  HMODULE module = nullptr;
  if (!::GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&ComponentFolder), &module))
    module = nullptr;
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (got == 0) return {};
    if (got < path.size()) {
      path.resize(got);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::string file = windows::WithoutExtendedPrefix(Narrow(path));
  const std::size_t last = file.rfind('\\');
  return last == std::string::npos ? std::string() : WithoutTrailingSeparator(file.substr(0, last));
}

std::optional<std::string> ExistingFolder(const std::string& path) {
  if (!IsFolder(path)) return std::nullopt;
  return WithoutTrailingSeparator(windows::WithoutExtendedPrefix(Narrow(FullPath(Wide(path)))));
}

bool CopyFolder(const std::string& from, const std::string& to) {
  if (!IsFolder(from) || !CreateFolders(to)) return false;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(SystemPath(from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool bCopied = true;
  do {
    const std::string name = NarrowUntilNul(found.cFileName);
    if (name == "." || name == "..") continue;
    const std::string source = from + '\\' + name;
    const std::string target = to + '\\' + name;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      bCopied = CopyFolder(source, target) && bCopied;
    } else {
      bCopied = ::CopyFileW(SystemPath(source).c_str(), SystemPath(target).c_str(), FALSE) != 0 &&
                bCopied;
    }
  } while (::FindNextFileW(search, &found));
  const bool bListed = ::GetLastError() == ERROR_NO_MORE_FILES;
  ::FindClose(search);
  return bCopied && bListed;
}

bool CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  if (IsFolder(path)) return true;
  const std::string trimmed = WithoutTrailingSeparator(path);
  const std::size_t last = trimmed.find_last_of("\\/");
  // The folder above first, unless this is a drive or a share's root.
  if (last != std::string::npos && last > 0 && trimmed[last - 1] != ':' &&
      trimmed[last - 1] != '\\')
    CreateFolders(trimmed.substr(0, last));
  ::CreateDirectoryW(SystemPath(trimmed).c_str(), nullptr);
  return IsFolder(trimmed);
}

bool IsRegularFile(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool RemoveFile(const std::string& path, FileError& error) {
  if (::DeleteFileW(SystemPath(path).c_str())) return true;
  const DWORD number = ::GetLastError();
  if (number == ERROR_FILE_NOT_FOUND || number == ERROR_PATH_NOT_FOUND) return true;
  error = ErrorOf(number);
  return false;
}

bool ReplaceFile(const std::string& from, const std::string& to, FileError& error) {
  if (::MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(), MOVEFILE_REPLACE_EXISTING))
    return true;
  error = ErrorOf(::GetLastError());
  return false;
}

std::optional<std::string> ReadWholeFile(const std::string& path, FileError& error) {
  HANDLE file = ::CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = ErrorOf(::GetLastError());
    return std::nullopt;
  }
  std::string content;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      error = ErrorOf(::GetLastError());
      ::CloseHandle(file);
      return std::nullopt;
    }
    if (got == 0) break;
    content.append(buffer.data(), got);
  }
  ::CloseHandle(file);
  return content;
}

bool AppendToFile(const std::string& path, std::string_view bytes, FileError& error) {
  // Append access alone: every write goes to the end, also while others append.
  HANDLE file = ::CreateFileW(SystemPath(path).c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = ErrorOf(::GetLastError());
    return false;
  }
  // One write, so that lines of processes sharing the file never mix.
  DWORD written = 0;
  const bool bWritten =
      bytes.size() <= kChunk &&
      ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  const DWORD writeError = bWritten ? 0 : ::GetLastError();
  const bool bClosed = ::CloseHandle(file) != 0;
  if (bWritten && bClosed) return true;
  error = ErrorOf(writeError != 0 ? writeError : (bClosed ? ERROR_DISK_FULL : ::GetLastError()));
  return false;
}

OutputFileHandle::~OutputFileHandle() {
  if (handle_ != kNone) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool OutputFileHandle::Open(const std::string& path, Mode mode, FileError& error) {
  HANDLE file = ::CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              mode == Mode::CreateNew ? CREATE_NEW : CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = ErrorOf(::GetLastError());
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return true;
}

bool OutputFileHandle::Write(std::string_view bytes, FileError& error) {
  if (const DWORD number = WriteAll(reinterpret_cast<HANDLE>(handle_), bytes); number != 0) {
    error = ErrorOf(number);
    return false;
  }
  return true;
}

bool OutputFileHandle::Close(FileError& error) {
  HANDLE file = reinterpret_cast<HANDLE>(handle_);
  handle_ = kNone;
  if (::CloseHandle(file)) return true;
  error = ErrorOf(::GetLastError());
  return false;
}

bool ShowMessageBox(const std::string& text, const std::string& title, MessageIcon icon) {
  // A service or a server host has no desktop anyone sees: a box there would block unseen.
  if (!HasVisibleWindowStation()) return false;
  UINT style = MB_OK | MB_TASKMODAL;
  if (icon == MessageIcon::Error) style |= MB_ICONERROR | MB_SETFOREGROUND;
  // A box that could not be made (a station without a display: -1 or 0) was seen by nobody.
  return ::MessageBoxW(nullptr, Wide(text).c_str(), Wide(title).c_str(), style) == IDOK;
}

std::string LocalDateTimeText() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  wchar_t date[128] = {};
  wchar_t time[128] = {};
  if (::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128,
                        nullptr) == 0 ||
      ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &now, nullptr, time, 128) == 0) {
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    return fallback;
  }
  return NarrowUntilNul(date) + " " + NarrowUntilNul(time);
}

Paper UserPaper() {
  DWORD code = 0;
  const int got =
      ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IPAPERSIZE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&code), sizeof code / sizeof(wchar_t));
  return got != 0 && code == static_cast<DWORD>(Paper::Letter) ? Paper::Letter : Paper::A4;
}

}  // namespace kvo::platform
