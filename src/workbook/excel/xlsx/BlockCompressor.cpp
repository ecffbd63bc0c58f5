// Raw deflate of a large entry in blocks, on helper threads.
#include "workbook/excel/xlsx/BlockCompressor.h"

#include <zlib.h>

#include <algorithm>
#include <string>

#include "workbook/excel/sink/WriteError.h"

namespace kvo::excel {

namespace {

constexpr std::size_t kWindow = 32 * 1024;
constexpr int kRawWindowBits = -15;
constexpr int kMemLevel = 8;
// Blocks in the works at once, per helper thread: enough to keep them busy, few enough to keep
// memory small.
constexpr std::uint64_t kQueuedPerThread = 2;

[[noreturn]] void Fail(int code) {
  throw WriteError("the compressor failed (zlib error " + std::to_string(code) + ")");
}

// One zlib stream per helper thread, reset for every block.
class Deflater {
 public:
  explicit Deflater(int level) {
    const int code =
        deflateInit2(&zs_, level, Z_DEFLATED, kRawWindowBits, kMemLevel, Z_DEFAULT_STRATEGY);
    ok_ = code == Z_OK;
    code_ = code;
  }
  ~Deflater() {
    if (ok_) deflateEnd(&zs_);
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  z_stream* Get() {
    if (!ok_) Fail(code_);
    return &zs_;
  }

 private:
  z_stream zs_{};
  bool ok_ = false;
  int code_ = Z_OK;
};

}  // namespace

BlockCompressor::BlockCompressor(int level, int threads) : level_(level) {
  try {
    for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
  } catch (...) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    jobReady_.notify_all();
    for (std::thread& thread : threads_) thread.join();
    throw;
  }
}

BlockCompressor::~BlockCompressor() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  jobReady_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void BlockCompressor::Submit(std::vector<unsigned char> input,
                             const std::vector<unsigned char>& before, bool final) {
  Job job{0, std::move(input), {}, final};
  const std::size_t from = before.size() > kWindow ? before.size() - kWindow : 0;
  job.dictionary.assign(before.begin() + static_cast<std::ptrdiff_t>(from), before.end());
  std::unique_lock<std::mutex> lock(mutex_);
  const std::uint64_t limit = kQueuedPerThread * threads_.size();
  blockDone_.wait(lock, [&] { return failure_ || submitted_ - taken_ - done_.size() < limit; });
  RaiseIfFailed();
  job.seq = submitted_++;
  jobs_.push(std::move(job));
  lock.unlock();
  jobReady_.notify_one();
}

std::vector<BlockCompressor::Block> BlockCompressor::Take(bool bAll) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (bAll) {
    blockDone_.wait(lock, [&] { return failure_ || taken_ + done_.size() == submitted_; });
  }
  RaiseIfFailed();
  std::vector<Block> blocks;
  for (auto it = done_.find(taken_); it != done_.end(); it = done_.find(taken_)) {
    blocks.push_back(std::move(it->second));
    done_.erase(it);
    ++taken_;
  }
  return blocks;
}

void BlockCompressor::RaiseIfFailed() {
  if (failure_) std::rethrow_exception(failure_);
}

void BlockCompressor::Work() {
  Deflater deflater(level_);
  for (;;) {
    Job job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      jobReady_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      job = std::move(jobs_.front());
      jobs_.pop();
    }
    try {
      Block block = Compress(deflater.Get(), job);
      std::lock_guard<std::mutex> lock(mutex_);
      done_.emplace(job.seq, std::move(block));
    } catch (...) {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
    }
    blockDone_.notify_all();
  }
}

BlockCompressor::Block BlockCompressor::Compress(void* stream, const Job& job) const {
  auto* zs = static_cast<z_stream*>(stream);
  if (const int code = deflateReset(zs); code != Z_OK) Fail(code);
  if (!job.dictionary.empty()) {
    const int code =
        deflateSetDictionary(zs, job.dictionary.data(), static_cast<uInt>(job.dictionary.size()));
    if (code != Z_OK) Fail(code);
  }
  Block block;
  block.inputSize = job.input.size();
  block.crc = static_cast<std::uint32_t>(
      crc32(crc32(0L, Z_NULL, 0), job.input.data(), static_cast<uInt>(job.input.size())));
  // Room for the whole block and its flush marker: one call does it.
  block.output.resize(deflateBound(zs, static_cast<uLong>(job.input.size())) + 16);
  zs->next_in = const_cast<Bytef*>(job.input.data());
  zs->avail_in = static_cast<uInt>(job.input.size());
  zs->next_out = block.output.data();
  zs->avail_out = static_cast<uInt>(block.output.size());
  const int code = deflate(zs, job.final ? Z_FINISH : Z_SYNC_FLUSH);
  const bool complete = job.final ? code == Z_STREAM_END : code == Z_OK && zs->avail_in == 0;
  if (!complete) Fail(code);
  block.output.resize(block.output.size() - zs->avail_out);
  return block;
}

}  // namespace kvo::excel
