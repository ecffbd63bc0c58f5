// How a hyperlink's address and sub-address become the link the workbook file stores.
#include "workbook/excel/LinkTargets.h"

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

// Characters of a file name that would otherwise be read as escapes, anchors or break the file.
std::string EscapeFileName(std::string_view name) {
  std::string out;
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

// The escaping the file writer applies to URLs and file links.
std::string WriterEscape(std::string_view url) {
  static constexpr std::string_view kEscaped = " \"<>[]^`{}";
  std::string out;
  for (std::size_t i = 0; i < url.size(); ++i) {
    const auto c = static_cast<unsigned char>(url[i]);
    const bool validEscape =
        c == '%' && i + 2 < url.size() && IsHex(url[i + 1]) && IsHex(url[i + 2]);
    if ((c == '%' && !validEscape) || kEscaped.find(static_cast<char>(c)) != kEscaped.npos) {
      AppendPercent(out, c);
    } else {
      out += url[i];
    }
  }
  return out;
}

}  // namespace

LinkKind KindOfLink(std::string_view address) {
  if (address.empty()) return LinkKind::Internal;
  std::size_t i = 0;
  while (i < address.size() && (std::isalnum(static_cast<unsigned char>(address[i])) ||
                                address[i] == '+' || address[i] == '.' || address[i] == '-')) {
    ++i;
  }
  const bool schemeStart = i >= 2 && std::isalpha(static_cast<unsigned char>(address[0]));
  if (schemeStart && address.substr(i).starts_with("://")) return LinkKind::Url;
  if (address.starts_with("mailto:")) return LinkKind::Url;
  return LinkKind::File;
}

std::string WriterLinkArgument(std::string_view address, std::string_view subAddress) {
  std::string anchor = subAddress.empty() ? "" : "#" + std::string(subAddress);
  switch (KindOfLink(address)) {
    case LinkKind::Internal:
      return "internal:" + std::string(subAddress);
    case LinkKind::File:
      return "external:" + EscapeFileName(address) + anchor;
    case LinkKind::Url:
      break;
  }
  return std::string(address) + anchor;
}

std::string StoredLinkTarget(std::string_view address, std::string_view subAddress) {
  switch (KindOfLink(address)) {
    case LinkKind::Internal:
      return std::string(subAddress);
    case LinkKind::Url:
      return WriterEscape(address.substr(0, address.find('#')));
    case LinkKind::File:
      break;
  }
  std::string target = WriterEscape(EscapeFileName(address));
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

}  // namespace kvo::excel
