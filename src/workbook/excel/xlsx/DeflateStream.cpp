// One zip entry's content: raw deflate into a sink, with the CRC-32 and both sizes counted.
#include "workbook/excel/xlsx/DeflateStream.h"

#include <algorithm>
#include <string>

#include "workbook/excel/sink/WriteError.h"

namespace kvo::excel {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
// zlib counts in unsigned int; larger writes go in pieces.
constexpr std::size_t kMaxPiece = 1u << 30;
// Negative window bits: raw deflate, as zip entries hold it.
constexpr int kRawWindowBits = -15;
constexpr int kMemLevel = 8;

[[noreturn]] void Fail(const z_stream& zs, int code) {
  std::string reason = "the compressor failed (zlib error " + std::to_string(code);
  if (zs.msg != nullptr) reason += std::string(": ") + zs.msg;
  throw WriteError(reason + ")");
}

}  // namespace

DeflateStream::DeflateStream(ByteSink& out, int level) : out_(out), chunk_(kChunkSize) {
  const int code =
      deflateInit2(&zs_, level, Z_DEFLATED, kRawWindowBits, kMemLevel, Z_DEFAULT_STRATEGY);
  if (code != Z_OK) Fail(zs_, code);
  crc_ = static_cast<std::uint32_t>(crc32(0L, Z_NULL, 0));
}

DeflateStream::~DeflateStream() {
  deflateEnd(&zs_);
}

void DeflateStream::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t piece = std::min(bytes.size(), kMaxPiece);
    auto* data = reinterpret_cast<const Bytef*>(bytes.data());
    crc_ = static_cast<std::uint32_t>(crc32(crc_, data, static_cast<uInt>(piece)));
    zs_.next_in = const_cast<Bytef*>(data);
    zs_.avail_in = static_cast<uInt>(piece);
    Pump(Z_NO_FLUSH);
    inputSize_ += piece;
    bytes.remove_prefix(piece);
  }
}

void DeflateStream::Finish() {
  zs_.next_in = nullptr;
  zs_.avail_in = 0;
  Pump(Z_FINISH);
}

void DeflateStream::Pump(int flush) {
  for (;;) {
    zs_.next_out = chunk_.data();
    zs_.avail_out = static_cast<uInt>(chunk_.size());
    const int code = deflate(&zs_, flush);
    const std::size_t produced = chunk_.size() - zs_.avail_out;
    if (code == Z_STREAM_ERROR || (code == Z_BUF_ERROR && produced == 0)) Fail(zs_, code);
    if (produced > 0) {
      out_.Write({reinterpret_cast<const char*>(chunk_.data()), produced});
      outputSize_ += produced;
    }
    if (flush == Z_FINISH ? code == Z_STREAM_END : zs_.avail_out != 0) return;
  }
}

}  // namespace kvo::excel
