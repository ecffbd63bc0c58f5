// How a hyperlink's address and sub-address become what the workbook file stores: the target
// of its relationship and the location within the target.
#include "workbook/excel/xlsx/LinkTargets.h"

#include <array>
#include <cctype>

namespace kvo::excel {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendPercent(std::string& out, unsigned char c) {
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 0x0F];
}

bool IsHex(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// The characters relationship targets always escape.
constexpr std::array<bool, 256> kTargetEscaped = [] {
  std::array<bool, 256> escaped{};
  for (const char c : std::string_view(" \"<>[]^`{}"))
    escaped[static_cast<unsigned char>(c)] = true;
  return escaped;
}();

// The escaping of URLs and file links in relationship targets.
std::string TargetEscape(std::string_view url) {
  std::string out;
  out.reserve(url.size());
  for (std::size_t i = 0; i < url.size(); ++i) {
    const auto c = static_cast<unsigned char>(url[i]);
    const bool validEscape =
        c == '%' && i + 2 < url.size() && IsHex(url[i + 1]) && IsHex(url[i + 2]);
    if ((c == '%' && !validEscape) || kTargetEscaped[c]) {
      AppendPercent(out, c);
    } else {
      out += url[i];
    }
  }
  return out;
}

}  // namespace

std::string EscapedFileName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '%' || c == '#' || c < 0x20 || c == 0x7F) {
      AppendPercent(out, c);
    } else {
      out += ch;
    }
  }
  return out;
}

std::string StoredLinkTarget(ResolvedLink::Kind kind, std::string_view address,
                             std::string_view subAddress) {
  switch (kind) {
    case ResolvedLink::Kind::Internal:
      return std::string(subAddress);
    case ResolvedLink::Kind::Url:
      return TargetEscape(address.substr(0, address.find('#')));
    case ResolvedLink::Kind::File:
      break;
  }
  std::string target = TargetEscape(EscapedFileName(address));
  for (char& c : target) {
    if (c == '/') c = '\\';
  }
  if (target.find(':') != std::string::npos || target.find("\\\\") != std::string::npos) {
    target = "file:///" + target;
  } else if (target.starts_with(".\\")) {
    target.erase(0, 2);
  }
  return target;
}

std::optional<std::string> LinkLocation(ResolvedLink::Kind kind, std::string_view address,
                                        std::string_view subAddress) {
  switch (kind) {
    case ResolvedLink::Kind::Internal:
      return std::string(subAddress);
    case ResolvedLink::Kind::File:
      if (subAddress.empty()) return std::nullopt;
      return std::string(subAddress);
    case ResolvedLink::Kind::Url:
      break;
  }
  std::string url(address);
  if (!subAddress.empty()) url += "#" + std::string(subAddress);
  const std::size_t hash = url.find('#');
  if (hash == std::string::npos) return std::nullopt;
  return url.substr(hash + 1);
}

}  // namespace kvo::excel
