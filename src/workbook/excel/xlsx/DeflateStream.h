// One zip entry's content: raw deflate into a sink, with the CRC-32 and both sizes counted.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "workbook/excel/sink/ByteSink.h"
#include "workbook/excel/xlsx/BlockCompressor.h"
#include "workbook/excel/xlsx/DeflateBackend.h"

namespace kvo::excel {

// Compresses on the caller's thread. With a back end that uses helpers, an entry that grows past
// kHelpersFrom bytes (a large sheet) is compressed from there on in blocks by two helper threads
// while the caller goes on producing it; the compressed bytes still reach the sink on the
// caller's thread, in order. Small entries, the usual ones, never start a thread, so that many
// small exports running at once do not crowd each other's cores.
class DeflateStream : public ByteSink {
 public:
  static constexpr std::uint64_t kHelpersFrom = std::uint64_t{16} << 20;
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;
  // Where the back end's largeLevel takes over from its level (helpers only).
  static constexpr std::uint64_t kHarderFrom = std::uint64_t{64} << 20;

  // Compresses into out through the back end, at its level. Raises WriteError when the library
  // cannot start.
  explicit DeflateStream(ByteSink& out, const DeflateBackend& backend = ConfiguredDeflateBackend());
  ~DeflateStream() override;
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  // Raises WriteError for a failure of the library, and what the sink raises.
  void Write(std::string_view bytes) override;
  // Ends the compressed data; nothing may be written after. Raises as Write does.
  void Finish();

  std::uint32_t Crc() const { return crc_; }
  std::uint64_t InputSize() const { return inputSize_; }
  std::uint64_t OutputSize() const { return output_.size; }

 private:
  // The sink, with what reached it counted.
  struct CountingSink : ByteSink {
    explicit CountingSink(ByteSink& sink) : out(sink) {}
    void Write(std::string_view bytes) override {
      out.Write(bytes);
      size += bytes.size();
    }
    ByteSink& out;
    std::uint64_t size = 0;
  };

  // Keeps the last input on this thread, for the helpers' first dictionary.
  void KeepTail(std::string_view bytes);
  // From here on blocks go to the helpers: the stream so far ends on a byte boundary.
  void StartHelpers();
  void SubmitBlock(bool final);
  // Hands the finished blocks to the sink, in order.
  void WriteBlocks(bool bAll);

  const DeflateBackend backend_;  // a copy: a caller may pass a temporary
  CountingSink output_;
  std::unique_ptr<Deflater> deflater_;
  std::unique_ptr<BlockCompressor> helpers_;
  std::vector<unsigned char> block_;  // input of the block being filled
  std::vector<unsigned char> tail_;   // the input before it
  std::uint32_t crc_ = 0;
  std::uint64_t inputSize_ = 0;
};

}  // namespace kvo::excel
