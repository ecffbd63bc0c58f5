// The compression libraries the workbook writer can deflate with, and how it uses each.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "workbook/excel/xlsx/Deflater.h"

namespace kvo::excel {

struct DeflateBackend {
  const char* name;
  // The library's version, as far as it tells it. Raises std::bad_alloc only.
  std::string (*version)();
  // A new stream at the given level of the library. Raises WriteError when it cannot start.
  std::unique_ptr<Deflater> (*create)(int level);
  // The CRC-32 of a zip entry, continued over bytes. Raises nothing.
  std::uint32_t (*crc32)(std::uint32_t crc, std::span<const unsigned char> bytes);
  // The level the workbook's parts are compressed at.
  int level;
  // Whether an entry that grows large is compressed in blocks by helper threads.
  bool helpers;
  // The level of a very large entry past DeflateStream::kHarderFrom bytes (with the helpers),
  // where the file's size counts most.
  int largeLevel;
};

// The back end the build was configured with: ISA-L where it was found, zlib otherwise.
const DeflateBackend& ConfiguredDeflateBackend();
// Every back end this build holds, the configured one first.
std::span<const DeflateBackend* const> CompiledDeflateBackends();

}  // namespace kvo::excel
