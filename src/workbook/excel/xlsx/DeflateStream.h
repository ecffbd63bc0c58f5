// One zip entry's content: raw deflate into a sink, with the CRC-32 and both sizes counted.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "workbook/excel/sink/ByteSink.h"

namespace kvo::excel {

class DeflateStream : public ByteSink {
 public:
  // Compresses into out at the given zlib level. Raises WriteError when zlib cannot start.
  DeflateStream(ByteSink& out, int level);
  ~DeflateStream() override;
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  // Raises WriteError for a zlib failure, and what the sink raises.
  void Write(std::string_view bytes) override;
  // Ends the compressed data; nothing may be written after. Raises as Write does.
  void Finish();

  std::uint32_t Crc() const { return crc_; }
  std::uint64_t InputSize() const { return inputSize_; }
  std::uint64_t OutputSize() const { return outputSize_; }

 private:
  // Runs deflate over the pending input with the given flush mode, handing output to the sink.
  void Pump(int flush);

  ByteSink& out_;
  z_stream zs_{};
  std::vector<unsigned char> chunk_;
  std::uint32_t crc_ = 0;
  std::uint64_t inputSize_ = 0;
  std::uint64_t outputSize_ = 0;
};

}  // namespace kvo::excel
