#include <kvoexportexcel/IRefDesGrouper.h>

#include <kvoexportexcel/RunError.h>

#include <utility>

#include "parse/RefDesGrouper.h"

namespace kvo {

namespace {

// This thread's factory; empty means the built-in grouper.
RefDesGrouperFactory& InstalledFactory() {
  thread_local RefDesGrouperFactory fnFactory;
  return fnFactory;
}

}  // namespace

RefDesGrouperFactory SetRefDesGrouperFactory(RefDesGrouperFactory fnFactory) {
  return std::exchange(InstalledFactory(), std::move(fnFactory));
}

std::unique_ptr<IRefDesGrouper> CreateRefDesGrouper() {
  const RefDesGrouperFactory& fnFactory = InstalledFactory();
  if (!fnFactory) return std::make_unique<RefDesGrouper>();
  std::unique_ptr<IRefDesGrouper> oGrouper = fnFactory();
  if (!oGrouper) {
    throw RunError(kErrCannotCreateObject,
                   "Cannot create the reference-designator grouping component");
  }
  return oGrouper;
}

}  // namespace kvo
