#include "config/ExportSet.h"

#include <array>
#include <vector>

namespace kvo {

namespace {

struct KindName {
  ExportSet iStructure;
  ExportSet iCollection;
  const char* sName;
};

constexpr std::array<KindName, 3> kKindNames{{
    {kItemsStructure, kItemsCollection, "item"},
    {kDocsStructure, kDocsCollection, "document"},
    {kFoldersStructure, kFoldersCollection, "folder"},
}};

}  // namespace

std::string ExportNames(ExportSet iExports) {
  if (iExports == kEveryExport) return "every export";
  std::vector<std::string> vNames;
  for (const KindName& t : kKindNames) {
    const bool bStructure = (iExports & t.iStructure) != 0;
    const bool bCollection = (iExports & t.iCollection) != 0;
    if (bStructure && bCollection) {
      vNames.emplace_back(t.sName);
    } else if (bStructure || bCollection) {
      vNames.push_back(std::string(t.sName) + (bStructure ? " structure" : " collection"));
    }
  }
  std::string sNames;
  for (std::size_t i = 0; i < vNames.size(); ++i) {
    if (i > 0) sNames += i + 1 == vNames.size() ? " and " : ", ";
    sNames += vNames[i];
  }
  return sNames.empty() ? sNames : sNames + " exports";
}

bool IsSingular(ExportSet iExports) {
  return iExports == kEveryExport;
}

}  // namespace kvo
