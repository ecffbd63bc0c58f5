#include "platform/WindowsPaths.h"

namespace kvo::platform::windows {

namespace {

constexpr std::string_view kPrefix = "\\\\?\\";
constexpr std::string_view kUncPrefix = "\\\\?\\UNC\\";

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

bool IsDrivePath(std::string_view p) {
  return p.size() >= 3 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) &&
         p[1] == ':' && p[2] == '\\';
}

bool IsReservedDeviceName(std::string_view stem) {
  const std::string lower = LowerAscii(stem);
  for (std::string_view name : {"con", "prn", "aux", "nul"}) {
    if (lower == name) return true;
  }
  return lower.size() == 4 && (lower.starts_with("com") || lower.starts_with("lpt")) &&
         lower[3] >= '1' && lower[3] <= '9';
}

}  // namespace

std::string ExtendedLengthPath(std::string_view absolutePath) {
  std::string path(absolutePath);
  if (path.size() < kLongPathLength || path.starts_with(kPrefix)) return path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  if (IsDrivePath(path)) return std::string(kPrefix) + path;
  if (path.starts_with("\\\\")) return std::string(kUncPrefix) + path.substr(2);
  return std::string(absolutePath);
}

std::string WithoutExtendedPrefix(std::string_view path) {
  if (path.starts_with(kUncPrefix)) return "\\\\" + std::string(path.substr(kUncPrefix.size()));
  if (path.starts_with(kPrefix)) return std::string(path.substr(kPrefix.size()));
  return std::string(path);
}

std::string AllUsersFolderOf(std::string_view userFolder, std::string_view loginName) {
  std::string folder = LowerAscii(userFolder);
  const std::string name = LowerAscii(loginName);
  if (name.empty()) return folder;
  const std::size_t at = folder.find(name);
  if (at == std::string::npos) return folder;
  const std::size_t after = at + name.size();
  const std::size_t next = folder.find('\\', after);
  folder.erase(after, next == std::string::npos ? std::string::npos : next - after);
  std::string out;
  std::size_t from = 0;
  for (std::size_t hit = folder.find(name); hit != std::string::npos;
       hit = folder.find(name, from)) {
    out.append(folder, from, hit - from).append("All Users");
    from = hit + name.size();
  }
  return out.append(folder, from);
}

std::string NameProblem(std::string_view name) {
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return "control character " + std::to_string(+c);
    if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
      return std::string("character ") + c;
  }
  const std::string_view stem = name.substr(0, name.find('.'));
  // "CON .txt" and "CON" name the same device.
  const std::string_view trimmed = stem.substr(0, stem.find_last_not_of(' ') + 1);
  if (IsReservedDeviceName(trimmed)) return "reserved name " + std::string(trimmed);
  if (!name.empty() && (name.back() == '.' || name.back() == ' ')) return "dot or blank at the end";
  return {};
}

}  // namespace kvo::platform::windows
