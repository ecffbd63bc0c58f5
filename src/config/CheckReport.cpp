#include "config/CheckReport.h"

#include <algorithm>

namespace kvo {

namespace {

std::string Counted(std::size_t n, const char* sWord) {
  return std::to_string(n) + " " + sWord + (n == 1 ? "" : "s");
}

}  // namespace

void CheckReport::Add(Severity eSeverity, std::string sSection, std::string sText) {
  vFindings_.push_back({eSeverity, std::move(sSection), std::move(sText)});
}

std::size_t CheckReport::Count(Severity eSeverity) const {
  return static_cast<std::size_t>(std::count_if(
      vFindings_.begin(), vFindings_.end(),
      [eSeverity](const Finding& tFinding) { return tFinding.eSeverity == eSeverity; }));
}

std::string CheckReport::Format(const std::string& sName) const {
  std::vector<std::string> vSections;
  for (const Finding& tFinding : vFindings_) {
    if (std::find(vSections.begin(), vSections.end(), tFinding.sSection) == vSections.end()) {
      vSections.push_back(tFinding.sSection);
    }
  }
  std::string sOut;
  for (const std::string& sSection : vSections) {
    sOut += sSection + "\n";
    for (const Finding& tFinding : vFindings_) {
      if (tFinding.sSection != sSection) continue;
      sOut += tFinding.eSeverity == Severity::kError ? "  error: " : "  warning: ";
      sOut += tFinding.sText + "\n";
    }
  }
  if (vFindings_.empty()) return sOut + sName + ": no findings\n";
  return sOut + sName + ": " + Counted(Count(Severity::kError), "error") + ", " +
         Counted(Count(Severity::kWarning), "warning") + "\n";
}

}  // namespace kvo
