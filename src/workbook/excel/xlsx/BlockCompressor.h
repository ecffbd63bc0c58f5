// Raw deflate of a large entry in blocks, on helper threads: each block is compressed on its
// own, primed with the 32 KiB of input before it, and ends on a byte boundary, so that the
// blocks put one after the other are one deflate stream.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <map>
#include <mutex>
#include <queue>
#include <string>
#include <thread>
#include <vector>

#include "workbook/excel/xlsx/DeflateBackend.h"

namespace kvo::excel {

class BlockCompressor {
 public:
  struct Block {
    std::string output;
    std::uint32_t crc = 0;  // of the block's input
    std::size_t inputSize = 0;
  };

  // Starts `threads` helper threads compressing through the back end at its level. The threads
  // touch nothing but the blocks handed to them. Raises std::system_error when a thread cannot
  // start.
  BlockCompressor(const DeflateBackend& backend, int threads);
  // Stops and joins the threads; blocks not taken are dropped.
  ~BlockCompressor();
  BlockCompressor(const BlockCompressor&) = delete;
  BlockCompressor& operator=(const BlockCompressor&) = delete;

  // Hands over the next block of input with the input before it (the last 32 KiB are used as
  // its dictionary), compressed at the given level of the back end; the final block ends the
  // stream. Waits while several blocks are still in the works. Raises WriteError when
  // compressing an earlier block failed.
  void Submit(std::vector<unsigned char> input, const std::vector<unsigned char>& before, int level,
              bool final);
  // The blocks finished so far, in the order they were submitted; with bAll it waits for every
  // block submitted. Raises WriteError when compressing a block failed.
  std::vector<Block> Take(bool bAll);

 private:
  struct Job {
    std::uint64_t seq;
    std::vector<unsigned char> input;
    std::vector<unsigned char> dictionary;
    int level;
    bool final;
  };

  void Work();
  Block Compress(Deflater& deflater, const Job& job) const;
  void RaiseIfFailed();
  void Fail(std::exception_ptr failure);

  const DeflateBackend backend_;  // a copy: a caller may pass a temporary
  std::mutex mutex_;
  std::condition_variable jobReady_;  // a job waits or the compressor stops
  std::condition_variable blockDone_;
  std::queue<Job> jobs_;
  std::map<std::uint64_t, Block> done_;
  std::uint64_t submitted_ = 0;
  std::uint64_t taken_ = 0;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::vector<std::thread> threads_;
};

}  // namespace kvo::excel
