// One zip entry's content: raw deflate into a sink, with the CRC-32 and both sizes counted.
#include "workbook/excel/xlsx/DeflateStream.h"

#include <zlib.h>

#include <algorithm>
#include <span>
#include <thread>

namespace kvo::excel {

namespace {

// The window of raw deflate: what a block's dictionary holds.
constexpr std::size_t kWindow = 32 * 1024;

std::span<const unsigned char> Bytes(std::string_view text) {
  return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

// Appends in one copy (from char iterators, vector<unsigned char> would copy byte by byte).
void Append(std::vector<unsigned char>& to, std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  to.insert(to.end(), bytes, bytes + text.size());
}

}  // namespace

DeflateStream::DeflateStream(ByteSink& out, const DeflateBackend& backend)
    : backend_(backend), output_(out), deflater_(backend.create(backend.level)) {}

DeflateStream::~DeflateStream() = default;

void DeflateStream::Write(std::string_view bytes) {
  if (!helpers_ && backend_.helpers && inputSize_ + bytes.size() > kHelpersFrom &&
      std::thread::hardware_concurrency() > 1) {
    StartHelpers();
  }
  if (helpers_) {
    while (!bytes.empty()) {
      const std::size_t piece = std::min(bytes.size(), kBlockSize - block_.size());
      Append(block_, bytes.substr(0, piece));
      bytes.remove_prefix(piece);
      if (block_.size() == kBlockSize) SubmitBlock(false);
    }
    return;
  }
  if (backend_.helpers && inputSize_ + bytes.size() + kWindow > kHelpersFrom) KeepTail(bytes);
  crc_ = backend_.crc32(crc_, Bytes(bytes));
  deflater_->Compress(Bytes(bytes), Deflater::Flush::kNone, output_);
  inputSize_ += bytes.size();
}

void DeflateStream::Finish() {
  if (helpers_) {
    SubmitBlock(true);
    WriteBlocks(true);
    helpers_.reset();
    return;
  }
  deflater_->Compress({}, Deflater::Flush::kFinish, output_);
}

void DeflateStream::KeepTail(std::string_view bytes) {
  Append(tail_, bytes);
  if (tail_.size() > 2 * kWindow) tail_.erase(tail_.begin(), tail_.end() - kWindow);
}

void DeflateStream::StartHelpers() {
  // The stream so far ends on a byte boundary, without ending the entry.
  deflater_->Compress({}, Deflater::Flush::kSync, output_);
  helpers_ = std::make_unique<BlockCompressor>(backend_, 2);
  block_.reserve(kBlockSize);
}

void DeflateStream::SubmitBlock(bool final) {
  std::vector<unsigned char> input;
  input.swap(block_);
  const std::size_t size = input.size();
  std::vector<unsigned char> before = std::move(tail_);
  // The next block's dictionary is this block's end.
  tail_.assign(input.end() - static_cast<std::ptrdiff_t>(std::min(size, kWindow)), input.end());
  // Past kHarderFrom the rest of a very large entry is compressed harder, so that its file
  // stays small; the helpers still keep pace with the caller at that level.
  const int level = inputSize_ >= kHarderFrom ? backend_.largeLevel : backend_.level;
  helpers_->Submit(std::move(input), before, level, final);
  inputSize_ += size;
  block_.reserve(kBlockSize);
  WriteBlocks(false);
}

void DeflateStream::WriteBlocks(bool bAll) {
  for (const BlockCompressor::Block& block : helpers_->Take(bAll)) {
    // zlib's combination holds for any CRC-32, whichever back end computed the block's.
    crc_ = static_cast<std::uint32_t>(
        crc32_combine(crc_, block.crc, static_cast<z_off_t>(block.inputSize)));
    output_.Write(block.output);
  }
}

}  // namespace kvo::excel
