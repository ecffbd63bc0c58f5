// The XPath 1.0 queries compiled for one document, each compiled once.
#pragma once

#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <unordered_map>

namespace kvo::xml {

// A selection of child elements by the number one attribute holds, "*[@ORDER > 0]": answered
// without the XPath engine, reading the attribute as XPathNumber does.
struct ChildNumberTest {
  enum class Op { kEqual, kNotEqual, kLess, kLessOrEqual, kGreater, kGreaterOrEqual };
  std::string sAttribute;
  Op eOp = Op::kEqual;
  double dValue = 0;

  bool Holds(const char* sAttributeValue) const;
};

struct CompiledQuery {
  std::optional<ChildNumberTest> oChildNumber;  // else the query
  std::unique_ptr<pugi::xpath_query> pQuery;
};

class XPathQueries {
 public:
  // The compiled sQuery, a node-set query.  An invalid query, one that names a namespace
  // prefix (documents bind no prefixes for queries), or one that gives no node set raises
  // RunError kErrXmlQuery "XPath error: <reason> in query '<query>'".  The reference stays valid
  // until the next call.
  const CompiledQuery& Compiled(const std::string& sQuery);

 private:
  static constexpr std::size_t kMaxCached = 4096;

  std::unordered_map<std::string, CompiledQuery> mQueries_;
  CompiledQuery tUncached_;  // once the cache is full
};

}  // namespace kvo::xml
