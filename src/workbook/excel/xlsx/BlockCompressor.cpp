// Raw deflate of a large entry in blocks, on helper threads.
#include "workbook/excel/xlsx/BlockCompressor.h"

#include <algorithm>

#include "workbook/excel/sink/MemorySink.h"

namespace kvo::excel {

namespace {

constexpr std::size_t kWindow = 32 * 1024;
// Blocks in the works at once, per helper thread: enough to keep them busy, few enough to keep
// memory small.
constexpr std::uint64_t kQueuedPerThread = 2;

}  // namespace

BlockCompressor::BlockCompressor(const DeflateBackend& backend, int threads) : backend_(backend) {
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
                             const std::vector<unsigned char>& before, int level, bool final) {
  Job job{0, std::move(input), {}, level, final};
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

void BlockCompressor::Fail(std::exception_ptr failure) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!failure_) failure_ = std::move(failure);
  }
  blockDone_.notify_all();
}

void BlockCompressor::Work() {
  // One stream per level this thread was asked for (a large entry takes at most two).
  std::vector<std::pair<int, std::unique_ptr<Deflater>>> deflaters;
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
      auto it = std::find_if(deflaters.begin(), deflaters.end(),
                             [&](const auto& entry) { return entry.first == job.level; });
      if (it == deflaters.end()) {
        deflaters.emplace_back(job.level, backend_.create(job.level));
        it = deflaters.end() - 1;
      }
      Block block = Compress(*it->second, job);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        done_.emplace(job.seq, std::move(block));
      }
      blockDone_.notify_all();
    } catch (...) {
      Fail(std::current_exception());
    }
  }
}

BlockCompressor::Block BlockCompressor::Compress(Deflater& deflater, const Job& job) const {
  deflater.Restart(job.dictionary);
  MemorySink sink;
  deflater.Compress(job.input, job.final ? Deflater::Flush::kFinish : Deflater::Flush::kSync, sink);
  Block block;
  block.output = sink.Take();
  block.crc = backend_.crc32(0, job.input);
  block.inputSize = job.input.size();
  return block;
}

}  // namespace kvo::excel
