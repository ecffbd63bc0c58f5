// The compression libraries the workbook writer can deflate with; the build configures which
// one it uses (KVO_DEFLATE_ISAL where ISA-L was chosen).
#include "workbook/excel/xlsx/DeflateBackend.h"

#include <array>

#include "workbook/excel/xlsx/ZlibBackend.h"
#if KVO_DEFLATE_ISAL
#include "workbook/excel/xlsx/IsalBackend.h"
#endif

namespace kvo::excel {

const DeflateBackend& ConfiguredDeflateBackend() {
  return *CompiledDeflateBackends().front();
}

std::span<const DeflateBackend* const> CompiledDeflateBackends() {
#if KVO_DEFLATE_ISAL
  static const std::array<const DeflateBackend*, 2> backends{&IsalBackend(), &ZlibBackend()};
#else
  static const std::array<const DeflateBackend*, 1> backends{&ZlibBackend()};
#endif
  return backends;
}

}  // namespace kvo::excel
