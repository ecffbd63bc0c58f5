// Hyperlink records of the sheet: HLINK with its target (a place in the workbook, a file or a
// URL) and the text it shows, and HLINKTOOLTIP for a screen tip.
#include "workbook/excel/xls/XlsLinks.h"

#include <string>

#include "workbook/excel/store/Utf8.h"
#include "workbook/excel/xls/XlsText.h"

namespace kvo::excel {

namespace {

constexpr std::uint16_t kHlink = 0x01B8;
constexpr std::uint16_t kHlinkTooltip = 0x0800;

// Class ids of the hyperlink object and of the two monikers a link's target can take.
constexpr std::uint8_t kHyperlinkClass[16] = {0xD0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                                              0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
constexpr std::uint8_t kUrlMoniker[16] = {0xE0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                                          0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
constexpr std::uint8_t kFileMoniker[16] = {0x03, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                           0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Flags of the hyperlink object.
constexpr std::uint32_t kHasMoniker = 0x01;
constexpr std::uint32_t kIsAbsolute = 0x02;
constexpr std::uint32_t kHasLocation = 0x08;
constexpr std::uint32_t kHasDisplayName = 0x14;  // with "the site gave the display name"

// A file path with Windows separators.
std::u16string WindowsPath(std::string_view address) {
  std::u16string path = ToUtf16(address);
  for (char16_t& c : path) {
    if (c == u'/') c = u'\\';
  }
  return path;
}

bool IsDrivePath(std::u16string_view path) {
  return path.size() >= 2 && path[1] == u':' &&
         ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
}

bool IsNetworkPath(std::u16string_view path) {
  return path.starts_with(u"\\\\");
}

// A URL with the place after its "#" and the sub-address, all in the one URL moniker: readers
// that look for a place only where a link has no moniker then still see it.
std::string UrlWithPlace(std::string_view address, std::string_view subAddress) {
  std::string url(address);
  if (!subAddress.empty()) url.append("#").append(subAddress);
  return url;
}

// Length in units with the terminating NUL, then the units and the NUL.
void HyperlinkString(LittleEndian& body, std::u16string_view text) {
  body.U32(static_cast<std::uint32_t>(text.size() + 1));
  AppendUnits(body, text, false);
  body.U16(0);
}

void UrlMoniker(LittleEndian& body, std::u16string_view url) {
  body.Bytes(kUrlMoniker);
  body.U32(static_cast<std::uint32_t>((url.size() + 1) * 2));
  AppendUnits(body, url, false);
  body.U16(0);
}

// Units of a network path's server part ("\\server"), which the moniker names apart.
std::uint16_t ServerPartLength(std::u16string_view path) {
  const std::size_t end = path.find(u'\\', 2);
  return static_cast<std::uint16_t>(end == path.npos ? path.size() : end);
}

// The path stands whole (a relative one with its leading "..\"), as an 8-bit path with "?" for
// characters beyond ASCII and then always in UTF-16: some readers lose a link whose moniker ends
// after the 8-bit path, others drop a count of leading "..\" kept apart from it.
void FileMoniker(LittleEndian& body, std::u16string_view path) {
  body.Bytes(kFileMoniker);
  body.U16(0);  // no parent folders counted apart
  body.U32(static_cast<std::uint32_t>(path.size() + 1));
  for (char16_t c : path) {
    body.U8(c < 0x80 ? static_cast<std::uint8_t>(c) : static_cast<std::uint8_t>('?'));
  }
  body.U8(0);
  body.U16(IsNetworkPath(path) ? ServerPartLength(path) : 0xFFFF);
  body.U16(0xDEAD);  // version
  body.Zeros(16 + 4);
  body.U32(static_cast<std::uint32_t>(4 + 2 + path.size() * 2));  // the rest of the moniker
  body.U32(static_cast<std::uint32_t>(path.size() * 2));          // bytes of the UTF-16 path
  body.U16(3);                                                    // key value
  AppendUnits(body, path, false);
}

// Flags and target of the link, after the shown text.
struct Target {
  std::uint32_t flags = 0;
  LittleEndian bytes;
};
Target LinkTarget(const ResolvedLink& link) {
  Target target;
  switch (link.kind) {
    case ResolvedLink::Kind::Internal:
      target.flags = kHasLocation;
      HyperlinkString(target.bytes, ToUtf16(link.subAddress));
      return target;
    case ResolvedLink::Kind::Url:
      target.flags = kHasMoniker | kIsAbsolute;
      UrlMoniker(target.bytes, ToUtf16(UrlWithPlace(link.address, link.subAddress)));
      return target;
    case ResolvedLink::Kind::File:
      break;
  }
  const std::u16string path = WindowsPath(link.address);
  target.flags = kHasMoniker;
  if (IsNetworkPath(path) || IsDrivePath(path)) target.flags |= kIsAbsolute;
  FileMoniker(target.bytes, path);
  if (!link.subAddress.empty()) {
    target.flags |= kHasLocation;
    HyperlinkString(target.bytes, ToUtf16(link.subAddress));
  }
  return target;
}

void CellRange(LittleEndian& body, const ResolvedLink& link) {
  const auto row = static_cast<std::uint16_t>(link.row - 1);
  const auto col = static_cast<std::uint16_t>(link.anchor.col - 1);
  body.U16(row);
  body.U16(row);
  body.U16(col);
  body.U16(col);
}

void WriteHlinkTooltip(BiffStream& out, const ResolvedLink& link) {
  LittleEndian body;
  body.U16(kHlinkTooltip);  // a future-record header without option flags
  CellRange(body, link);
  AppendUnits(body, ToUtf16(link.screenTip), false);
  body.U16(0);
  out.Record(kHlinkTooltip, body);
}

}  // namespace

std::size_t XlsLinkTargetLength(ResolvedLink::Kind kind, std::string_view address,
                                std::string_view subAddress) {
  switch (kind) {
    case ResolvedLink::Kind::Internal:
      return Utf16Length(subAddress);
    case ResolvedLink::Kind::Url: {
      // The "#" before the place counts as the separator it is, not as a character of either.
      const std::string url = UrlWithPlace(address, subAddress);
      return Utf16Length(url) - (url.find('#') != url.npos ? 1 : 0);
    }
    case ResolvedLink::Kind::File:
      break;
  }
  return Utf16Length(address) + Utf16Length(subAddress);
}

void WriteHyperlink(BiffStream& out, const ResolvedLink& link) {
  const Target target = LinkTarget(link);
  const std::u16string shown = link.anchor.kind == ResolvedCell::Kind::Text
                                   ? ToUtf16(link.anchor.text, kXlsMaxCellUnits)
                                   : std::u16string();
  constexpr std::size_t kFixedPart = 8 + 16 + 4 + 4;  // cells, class id, version, flags
  const std::size_t shownBytes = 4 + (shown.size() + 1) * 2;
  const bool withShown =
      !shown.empty() && kFixedPart + shownBytes + target.bytes.Size() <= kMaxRecordBody;

  LittleEndian body;
  CellRange(body, link);
  body.Bytes(kHyperlinkClass);
  body.U32(2);  // version of the hyperlink object
  body.U32(target.flags | (withShown ? kHasDisplayName : 0));
  if (withShown) HyperlinkString(body, shown);
  body.Bytes(target.bytes.View());
  out.Record(kHlink, body);
  if (!link.screenTip.empty()) WriteHlinkTooltip(out, link);
}

}  // namespace kvo::excel
