// Findings of a configuration check and their printed form: one line per finding, grouped by
// the configuration section it is about, then a count.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kvo {

enum class Severity { kError, kWarning };

struct Finding {
  Severity eSeverity;
  std::string sSection;  // the group it is printed under: a top-level element, "document", "setup"
  std::string sText;     // what is wrong, then what an export does because of it
};

class CheckReport {
 public:
  void Add(Severity eSeverity, std::string sSection, std::string sText);
  const std::vector<Finding>& Findings() const { return vFindings_; }
  std::size_t Count(Severity eSeverity) const;
  bool HasError() const { return Count(Severity::kError) > 0; }

  // Every finding as "  error: TEXT" or "  warning: TEXT" below its section's name, the
  // sections in the order of their first finding, and last "NAME: N errors, M warnings" (or
  // "NAME: no findings").
  std::string Format(const std::string& sName) const;

 private:
  std::vector<Finding> vFindings_;
};

}  // namespace kvo
