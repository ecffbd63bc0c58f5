#include "parse/SupplierRelations.h"

#include "config/RunState.h"

namespace kvo {

const xml::NodeList& SupplierRelations::All() {
  if (!vAll_) vAll_ = nItem_.SelectNodes(Run().sObjItmVndMnf);
  return *vAll_;
}

const std::vector<std::int32_t>& SupplierRelations::TiedTo(const std::string& sKey) {
  static const std::vector<std::int32_t> vNone;
  if (!mByKey_) {
    const xml::NodeList& vAll = All();
    const std::string& sKeyName = Run().sFldMnfVndKey;
    std::unordered_map<std::string, std::vector<std::int32_t>> mByKey;
    for (std::int32_t i = 0; i < vAll.Length(); ++i) {
      if (auto sValue = vAll.Item(i).Attribute(sKeyName)) mByKey[*sValue].push_back(i);
    }
    mByKey_ = std::move(mByKey);
  }
  auto it = mByKey_->find(sKey);
  return it != mByKey_->end() ? it->second : vNone;
}

}  // namespace kvo
