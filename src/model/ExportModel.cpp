#include "model/ExportModel.h"

#include <kvoexportexcel/RunError.h>

namespace kvo {

const std::string& AttrAt(const AttrList& vAttr, std::int64_t i) {
  if (!vAttr) throw RunError(kErrTypeMismatch, "Type mismatch");
  if (i < 0 || i >= static_cast<std::int64_t>(vAttr->size())) {
    throw RunError(kErrSubscript, "Subscript out of range");
  }
  return (*vAttr)[static_cast<std::size_t>(i)];
}

std::int32_t AttrUBound(const AttrList& vAttr) {
  return vAttr ? static_cast<std::int32_t>(vAttr->size()) - 1 : -1;
}

}  // namespace kvo
