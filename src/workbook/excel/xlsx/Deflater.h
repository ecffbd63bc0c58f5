// Raw deflate, without a zip, gzip or zlib wrapper, through one compression library: each back
// end (DeflateBackend.h) implements it in a file of its own.
#pragma once

#include <span>

#include "workbook/excel/sink/ByteSink.h"

namespace kvo::excel {

class Deflater {
 public:
  enum class Flush {
    kNone,    // output may lag behind the input
    kSync,    // all output so far, ending on a byte boundary; the stream goes on
    kFinish,  // all output, and the stream ends
  };

  virtual ~Deflater() = default;

  // Starts a new stream whose matches may reach back into dictionary (its last 32 KiB), as if
  // the stream had held it before. Raises WriteError when the library refuses.
  virtual void Restart(std::span<const unsigned char> dictionary) = 0;
  // Compresses input, of any size, and hands every piece of output to out. Raises WriteError
  // for a failure of the library, and what out raises.
  virtual void Compress(std::span<const unsigned char> input, Flush flush, ByteSink& out) = 0;
};

}  // namespace kvo::excel
