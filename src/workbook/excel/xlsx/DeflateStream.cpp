// One zip entry's content: raw deflate into a sink, with the CRC-32 and both sizes counted.
#include "workbook/excel/xlsx/DeflateStream.h"

#include <algorithm>
#include <string>
#include <thread>

#include "workbook/excel/sink/WriteError.h"

namespace kvo::excel {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
// zlib counts in unsigned int; larger writes go in pieces.
constexpr std::size_t kMaxPiece = 1u << 30;
// Negative window bits: raw deflate, as zip entries hold it.
constexpr int kRawWindowBits = -15;
constexpr int kMemLevel = 8;
// The window of raw deflate: what a block's dictionary holds.
constexpr std::size_t kWindow = 32 * 1024;

[[noreturn]] void Fail(const z_stream& zs, int code) {
  std::string reason = "the compressor failed (zlib error " + std::to_string(code);
  if (zs.msg != nullptr) reason += std::string(": ") + zs.msg;
  throw WriteError(reason + ")");
}

}  // namespace

DeflateStream::DeflateStream(ByteSink& out, int level)
    : out_(out), level_(level), chunk_(kChunkSize) {
  const int code =
      deflateInit2(&zs_, level, Z_DEFLATED, kRawWindowBits, kMemLevel, Z_DEFAULT_STRATEGY);
  if (code != Z_OK) Fail(zs_, code);
  crc_ = static_cast<std::uint32_t>(crc32(0L, Z_NULL, 0));
}

DeflateStream::~DeflateStream() {
  deflateEnd(&zs_);
}

void DeflateStream::Write(std::string_view bytes) {
  if (!helpers_ && inputSize_ + bytes.size() > kHelpersFrom &&
      std::thread::hardware_concurrency() > 1) {
    StartHelpers();
  }
  if (helpers_) {
    while (!bytes.empty()) {
      const std::size_t piece = std::min(bytes.size(), kBlockSize - block_.size());
      block_.insert(block_.end(), bytes.begin(),
                    bytes.begin() + static_cast<std::ptrdiff_t>(piece));
      bytes.remove_prefix(piece);
      if (block_.size() == kBlockSize) SubmitBlock(false);
    }
    return;
  }
  if (inputSize_ + bytes.size() + kWindow > kHelpersFrom) KeepTail(bytes);
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
  if (helpers_) {
    SubmitBlock(true);
    WriteBlocks(true);
    helpers_.reset();
    return;
  }
  zs_.next_in = nullptr;
  zs_.avail_in = 0;
  Pump(Z_FINISH);
}

void DeflateStream::KeepTail(std::string_view bytes) {
  tail_.insert(tail_.end(), bytes.begin(), bytes.end());
  if (tail_.size() > 2 * kWindow) tail_.erase(tail_.begin(), tail_.end() - kWindow);
}

void DeflateStream::StartHelpers() {
  // The stream so far ends on a byte boundary, without ending the entry.
  zs_.next_in = nullptr;
  zs_.avail_in = 0;
  Pump(Z_SYNC_FLUSH);
  helpers_ = std::make_unique<BlockCompressor>(level_, 2);
  block_.reserve(kBlockSize);
}

void DeflateStream::SubmitBlock(bool final) {
  std::vector<unsigned char> input;
  input.swap(block_);
  const std::size_t size = input.size();
  std::vector<unsigned char> before = std::move(tail_);
  // The next block's dictionary is this block's end.
  tail_.assign(input.end() - static_cast<std::ptrdiff_t>(std::min(size, kWindow)), input.end());
  helpers_->Submit(std::move(input), before, final);
  inputSize_ += size;
  block_.reserve(kBlockSize);
  WriteBlocks(false);
}

void DeflateStream::WriteBlocks(bool bAll) {
  for (BlockCompressor::Block& block : helpers_->Take(bAll)) {
    crc_ = static_cast<std::uint32_t>(
        crc32_combine(crc_, block.crc, static_cast<z_off_t>(block.inputSize)));
    out_.Write({reinterpret_cast<const char*>(block.output.data()), block.output.size()});
    outputSize_ += block.output.size();
  }
}

void DeflateStream::Pump(int flush) {
  for (;;) {
    zs_.next_out = chunk_.data();
    zs_.avail_out = static_cast<uInt>(chunk_.size());
    const int code = deflate(&zs_, flush);
    const std::size_t produced = chunk_.size() - zs_.avail_out;
    if (code == Z_STREAM_ERROR) Fail(zs_, code);
    // No progress is possible: all input is taken and nothing more is pending.
    if (code == Z_BUF_ERROR && produced == 0) {
      if (flush == Z_FINISH) Fail(zs_, code);
      return;
    }
    if (produced > 0) {
      out_.Write({reinterpret_cast<const char*>(chunk_.data()), produced});
      outputSize_ += produced;
    }
    if (flush == Z_FINISH ? code == Z_STREAM_END : zs_.avail_out != 0) return;
  }
}

}  // namespace kvo::excel
