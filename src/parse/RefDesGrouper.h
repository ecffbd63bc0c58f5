// The built-in reference-designator grouping: numbered designators sorted by prefix and number,
// runs of three or more consecutive numbers written as one range ("R1-R4"), everything else
// kept as written.
#pragma once

#include <string>
#include <vector>

#include <kvoexportexcel/IRefDesGrouper.h>

namespace kvo {

class RefDesGrouper : public IRefDesGrouper {
 public:
  // Designators that end in a number come first, ordered by their prefix (exact text order) and
  // then by value; three or more consecutive values of one prefix become "first-last", shorter
  // runs stay single.  Designators that do not end in a number follow in input order.  Exact
  // duplicates are kept.  The input list is left as it is.
  std::vector<std::string> Group(std::vector<std::string>& vDesignators) override;
};

}  // namespace kvo
