// The reference-designator grouping component: turns the designators of one structure line
// into the texts the part list shows, joined by commas.  The built-in component sorts and
// joins runs ("R1-R4"); a host may install its own through SetRefDesGrouperFactory.
#pragma once

#include <kvoexportexcel/Api.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kvo {

class KVO_API IRefDesGrouper {
 public:
  virtual ~IRefDesGrouper() = default;

  // Groups the designators of one structure line (document order); the result replaces the list
  // for the caller, which joins its entries with commas.
  virtual std::vector<std::string> Group(std::vector<std::string>& vDesignators) = 0;
};

using RefDesGrouperFactory = std::function<std::unique_ptr<IRefDesGrouper>()>;

// Installs the factory this thread creates grouping components with; an empty factory brings
// back the built-in one.  Returns the factory that was installed before.  A factory that throws
// or gives no component makes the export log the failure and leave the designators empty.
KVO_API RefDesGrouperFactory SetRefDesGrouperFactory(RefDesGrouperFactory fnFactory);

// Creates one grouping component through this thread's factory.  A factory that fails or gives
// no component raises a RunError (component cannot be created).
KVO_API std::unique_ptr<IRefDesGrouper> CreateRefDesGrouper();

}  // namespace kvo
