// A zip entry's deflate stream through each back end this build holds, small and large: what
// comes out inflates to what went in, with its CRC and sizes, also when helper threads compress
// the blocks of a large entry.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cctype>
#include <string>

#include "workbook/excel/sink/MemorySink.h"
#include "workbook/excel/sink/WriteError.h"
#include "workbook/excel/xlsx/DeflateStream.h"

namespace kvo::excel {

// The back end by its name in test names and messages (GoogleTest finds it by its argument).
void PrintTo(const DeflateBackend* backend, std::ostream* out) {
  *out << backend->name;
}

namespace {

// Sheet-like text: repeated records with changing numbers, and some text that repeats little.
std::string SheetLikeText(std::size_t size) {
  std::string text;
  std::uint32_t seed = 7;
  for (std::uint32_t row = 1; text.size() < size; ++row) {
    seed = seed * 1103515245 + 12345;
    text += "<row r=\"" + std::to_string(row) + "\"><c r=\"B" + std::to_string(row) +
            "\" s=\"3\" t=\"s\"><v>" + std::to_string(seed % 100000) + "</v></c></row>";
  }
  text.resize(size);
  return text;
}

std::string Inflate(const std::string& compressed, std::size_t size) {
  z_stream zs{};
  EXPECT_EQ(inflateInit2(&zs, -15), Z_OK);
  std::string out(size + 1, '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  zs.avail_in = static_cast<uInt>(compressed.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(inflate(&zs, Z_FINISH), Z_STREAM_END);
  out.resize(zs.total_out);
  inflateEnd(&zs);
  return out;
}

class DeflateStreamTest : public ::testing::TestWithParam<const DeflateBackend*> {
 protected:
  // The back end, with helper threads for large entries or without.
  DeflateBackend Backend(bool helpers) const {
    DeflateBackend backend = *GetParam();
    backend.helpers = helpers;
    return backend;
  }
};

TEST_P(DeflateStreamTest, SmallAndLargeEntriesInflateToTheirInputWithCrcAndSizes) {
  // Empty, below the helpers' threshold, just past it, and many blocks past it, in odd pieces.
  for (const bool helpers : {true, false}) {
    const DeflateBackend backend = Backend(helpers);
    for (const std::size_t size : {std::size_t{0}, std::size_t{100000},
                                   static_cast<std::size_t>(DeflateStream::kHelpersFrom + 12345),
                                   static_cast<std::size_t>(DeflateStream::kHelpersFrom +
                                                            5 * DeflateStream::kBlockSize + 777)}) {
      const std::string input = SheetLikeText(size);
      MemorySink sink;
      DeflateStream stream(sink, backend);
      for (std::size_t at = 0; at < input.size(); at += 70001) {
        stream.Write(std::string_view(input).substr(at, 70001));
      }
      stream.Finish();
      EXPECT_EQ(stream.InputSize(), input.size());
      EXPECT_EQ(stream.OutputSize(), sink.Bytes().size());
      EXPECT_EQ(stream.Crc(), crc32(0L, reinterpret_cast<const Bytef*>(input.data()),
                                    static_cast<uInt>(input.size())))
          << size;
      EXPECT_TRUE(Inflate(sink.Bytes(), input.size()) == input) << size << " helpers " << helpers;
    }
  }
}

TEST_P(DeflateStreamTest, AVeryLargeEntryChangesLevelAndStillInflatesToItsInput) {
  // Past kHarderFrom the helpers switch to the back end's large level; the blocks of both levels
  // must join into one stream. Level 1 below, so that the switch is a real change of level.
  DeflateBackend backend = Backend(true);
  backend.level = 1;
  const std::string input =
      SheetLikeText(DeflateStream::kHarderFrom + 3 * DeflateStream::kBlockSize + 4321);
  MemorySink sink;
  DeflateStream stream(sink, backend);
  for (std::size_t at = 0; at < input.size(); at += 1 << 16) {
    stream.Write(std::string_view(input).substr(at, 1 << 16));
  }
  stream.Finish();
  EXPECT_EQ(stream.Crc(), crc32(0L, reinterpret_cast<const Bytef*>(input.data()),
                                static_cast<uInt>(input.size())));
  EXPECT_TRUE(Inflate(sink.Bytes(), input.size()) == input);
}

TEST_P(DeflateStreamTest, SinkFailureOfALargeEntryReachesTheCaller) {
  class FailingSink : public ByteSink {
   public:
    // Compressed blocks of the helpers come larger than the caller's own 64 KiB pieces.
    void Write(std::string_view bytes) override {
      if (bytes.size() > 64 * 1024) throw WriteError("disk full");
    }
  };
  const std::string input = SheetLikeText(DeflateStream::kHelpersFrom * 2);
  FailingSink sink;
  DeflateStream stream(sink, Backend(true));
  EXPECT_THROW(
      {
        stream.Write(input);
        stream.Finish();
      },
      WriteError);
}

INSTANTIATE_TEST_SUITE_P(EachBackend, DeflateStreamTest,
                         ::testing::ValuesIn(CompiledDeflateBackends().begin(),
                                             CompiledDeflateBackends().end()),
                         [](const ::testing::TestParamInfo<const DeflateBackend*>& info) {
                           std::string name;
                           for (const char* c = info.param->name; *c != '\0'; ++c) {
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           }
                           return name;
                         });

}  // namespace
}  // namespace kvo::excel
