// Reading an .xlsx workbook back: zip container, inflated entries, well-formed XML parts.
#include "XlsxCheck.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <zlib.h>

#include <climits>
#include <memory>
#include <vector>

#include "FuzzCheck.h"

namespace kvo::fuzz {

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kDataDescriptor = 0x08074b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::size_t kEndSize = 22;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kSizesAfterData = 0x0008;

// Little-endian fields at fixed offsets of the container.
class Bytes {
 public:
  explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
  std::size_t Size() const { return bytes_.size(); }
  std::uint16_t U16(std::size_t at) const {
    Require(at + 2 <= bytes_.size(), "zip field past the end");
    return static_cast<std::uint16_t>(Byte(at) | Byte(at + 1) << 8);
  }
  std::uint32_t U32(std::size_t at) const {
    return U16(at) | static_cast<std::uint32_t>(U16(at + 2)) << 16;
  }
  std::string_view Part(std::size_t at, std::size_t size) const {
    Require(at <= bytes_.size() && size <= bytes_.size() - at, "zip part past the end");
    return bytes_.substr(at, size);
  }

 private:
  unsigned Byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
  std::string_view bytes_;
};

std::string Inflate(std::string_view data, std::size_t expected) {
  z_stream z{};
  Require(inflateInit2(&z, -MAX_WBITS) == Z_OK, "inflateInit2");
  const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&z, &inflateEnd);
  std::string out(expected + 1, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int status = inflate(&z, Z_FINISH);
  Require(status == Z_STREAM_END, "zip entry does not inflate to its end");
  Require(z.avail_in == 0, "zip entry has bytes after its deflate stream");
  out.resize(z.total_out);
  return out;
}

std::int64_t CountCells(const xmlNode* node) {
  std::int64_t count = 0;
  for (; node != nullptr; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    if (xmlStrEqual(node->name, BAD_CAST "c")) ++count;
    count += CountCells(node->children);
  }
  return count;
}

// Parses one part; returns the <c> elements it holds.
std::int64_t ParsePart(const std::string& name, const std::string& text) {
  Require(text.size() <= INT_MAX, "XML part too large");
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE;
  xmlDocPtr doc =
      xmlReadMemory(text.data(), static_cast<int>(text.size()), name.c_str(), "UTF-8", options);
  if (doc == nullptr) {
    const xmlError* error = xmlGetLastError();
    Fail("part " + name + " is no well-formed XML: " +
         (error != nullptr && error->message != nullptr ? error->message : "") + " on line " +
         std::to_string(error != nullptr ? error->line : 0));
  }
  const std::int64_t cells = CountCells(xmlDocGetRootElement(doc));
  xmlFreeDoc(doc);
  return cells;
}

}  // namespace

XlsxContents CheckXlsx(std::string_view data) {
  const Bytes zip(data);
  Require(zip.Size() >= kEndSize, "no end of central directory");
  const std::size_t end = zip.Size() - kEndSize;  // the writer adds no comment
  Require(zip.U32(end) == kEndOfDirectory, "end of central directory not at the end");
  Require(zip.U16(end + 4) == 0 && zip.U16(end + 6) == 0, "zip spans disks");
  const std::uint16_t count = zip.U16(end + 8);
  Require(zip.U16(end + 10) == count, "entry counts differ");
  const std::uint32_t directorySize = zip.U32(end + 12);
  const std::uint32_t directoryStart = zip.U32(end + 16);
  Require(zip.U16(end + 20) == 0, "zip comment");
  Require(std::size_t{directoryStart} + directorySize == end,
          "central directory not before its end");

  XlsxContents out;
  std::size_t central = directoryStart;
  std::size_t next = 0;  // where the next local header must start
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::size_t header = central;
    Require(zip.U32(header) == kCentralHeader, "central header signature");
    const std::uint16_t flags = zip.U16(header + 8);
    const std::uint16_t method = zip.U16(header + 10);
    const std::uint32_t crc = zip.U32(header + 16);
    const std::uint32_t packed = zip.U32(header + 20);
    const std::uint32_t size = zip.U32(header + 24);
    const std::uint16_t nameLength = zip.U16(header + 28);
    const std::uint16_t extraLength = zip.U16(header + 30);
    const std::uint16_t commentLength = zip.U16(header + 32);
    const std::uint32_t local = zip.U32(header + 42);
    const std::string name(zip.Part(header + 46, nameLength));
    central = header + 46 + nameLength + extraLength + commentLength;
    Require(method == kDeflated, "entry not deflated");
    Require(local == next, "entry not where the one before ended");

    Require(zip.U32(local) == kLocalHeader, "local header signature");
    Require(zip.U16(local + 6) == flags, "local and central flags differ");
    Require(zip.U16(local + 8) == method, "local and central methods differ");
    Require(zip.U32(local + 10) == zip.U32(header + 12), "local and central dates differ");
    const std::uint16_t localName = zip.U16(local + 26);
    const std::uint16_t localExtra = zip.U16(local + 28);
    Require(zip.Part(local + 30, localName) == name, "local and central names differ");
    const std::size_t dataStart = local + 30 + localName + localExtra;
    std::size_t dataEnd = dataStart + packed;
    if ((flags & kSizesAfterData) != 0) {
      Require(zip.U32(dataEnd) == kDataDescriptor, "data descriptor signature");
      Require(zip.U32(dataEnd + 4) == crc && zip.U32(dataEnd + 8) == packed &&
                  zip.U32(dataEnd + 12) == size,
              "data descriptor differs from the central directory");
      next = dataEnd + 16;
    } else {
      Require(zip.U32(local + 14) == crc && zip.U32(local + 18) == packed &&
                  zip.U32(local + 22) == size,
              "local header differs from the central directory");
      next = dataEnd;
    }
    Require(size <= (std::uint32_t{1} << 30), "entry claims more than 1 GiB");
    const std::string content = Inflate(zip.Part(dataStart, packed), size);
    Require(content.size() == size, "inflated size differs");
    const auto actualCrc = static_cast<std::uint32_t>(crc32(
        0L, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())));
    Require(actualCrc == crc, "CRC differs");
    Require(out.parts.emplace(name, content).second, "two entries of one name");
  }
  Require(next == directoryStart, "bytes between the last entry and the central directory");
  Require(central == end, "central directory longer than its entries");

  for (const char* main : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml",
                           "xl/worksheets/sheet1.xml", "xl/styles.xml"}) {
    Require(out.parts.contains(main), "a main part is missing");
  }
  for (const auto& [name, content] : out.parts) {
    const std::int64_t cells = ParsePart(name, content);
    if (name == "xl/worksheets/sheet1.xml") out.cells = cells;
  }
  return out;
}

}  // namespace kvo::fuzz
