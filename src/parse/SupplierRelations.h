// The supplier relations of one item, selected once and indexed by their manufacturer key, so
// that every manufacturer of the item and the item-level list share one selection.  The key
// is compared as text, never built into a query, so part numbers with quotes match as well.
#pragma once

#include <kvoexportexcel/XmlDom.h>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace kvo {

class SupplierRelations {
 public:
  explicit SupplierRelations(const xml::Node& nItem) : nItem_(nItem) {}

  // Every supplier relation below the item, in document order; selected on first use.
  const xml::NodeList& All();
  // Positions in All() of the relations whose manufacturer key attribute equals sKey, in
  // document order; relations without that attribute never match.
  const std::vector<std::int32_t>& TiedTo(const std::string& sKey);

 private:
  xml::Node nItem_;
  std::optional<xml::NodeList> vAll_;
  std::optional<std::unordered_map<std::string, std::vector<std::int32_t>>> mByKey_;
};

}  // namespace kvo
