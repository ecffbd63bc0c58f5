#include "config/XPathQueries.h"

#include <kvoexportexcel/RunError.h>

#include <algorithm>
#include <new>
#include <string_view>

#include "config/XPathNumber.h"

namespace kvo::xml {

namespace {

[[noreturn]] void Fail(const std::string& sWhy, const std::string& sQuery) {
  throw RunError(kErrXmlQuery, "XPath error: " + sWhy + " in query '" + sQuery + "'");
}

bool IsNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

bool IsNamePart(unsigned char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// True when the query names a prefixed name ("p:name", "p:*"); string literals and axes
// ("child::") are no such names.
bool NamesPrefix(const std::string& sQuery) {
  const std::size_t n = sQuery.size();
  for (std::size_t i = 0; i < n;) {
    const auto c = static_cast<unsigned char>(sQuery[i]);
    if (c == '\'' || c == '"') {
      const std::size_t lClose = sQuery.find(static_cast<char>(c), i + 1);
      if (lClose == std::string::npos) return false;
      i = lClose + 1;
    } else if (IsNameStart(c) &&
               (i == 0 || !IsNamePart(static_cast<unsigned char>(sQuery[i - 1])))) {
      while (i < n && IsNamePart(static_cast<unsigned char>(sQuery[i]))) ++i;
      if (i + 1 < n && sQuery[i] == ':' && sQuery[i + 1] != ':' &&
          (sQuery[i + 1] == '*' || IsNameStart(static_cast<unsigned char>(sQuery[i + 1])))) {
        return true;
      }
    } else {
      ++i;
    }
  }
  return false;
}

// "*[@NAME OP NUMBER]", blanks allowed between the parts.
std::optional<ChildNumberTest> ChildNumber(std::string_view s) {
  auto Blanks = [&] {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  };
  auto Take = [&](std::string_view sPart) {
    Blanks();
    if (!s.starts_with(sPart)) return false;
    s.remove_prefix(sPart.size());
    return true;
  };
  if (!Take("*") || !Take("[") || !Take("@")) return std::nullopt;
  ChildNumberTest t;
  while (!s.empty() && IsNamePart(static_cast<unsigned char>(s.front()))) {
    t.sAttribute.push_back(s.front());
    s.remove_prefix(1);
  }
  if (t.sAttribute.empty() || !IsNameStart(static_cast<unsigned char>(t.sAttribute[0]))) {
    return std::nullopt;
  }
  using Op = ChildNumberTest::Op;
  if (Take("!=")) {
    t.eOp = Op::kNotEqual;
  } else if (Take("<=")) {
    t.eOp = Op::kLessOrEqual;
  } else if (Take(">=")) {
    t.eOp = Op::kGreaterOrEqual;
  } else if (Take("=")) {
    t.eOp = Op::kEqual;
  } else if (Take("<")) {
    t.eOp = Op::kLess;
  } else if (Take(">")) {
    t.eOp = Op::kGreater;
  } else {
    return std::nullopt;
  }
  Blanks();
  std::string sNumber;
  if (s.starts_with("-")) {
    sNumber.push_back('-');
    s.remove_prefix(1);
  }
  bool bDigits = false;
  while (!s.empty() && ((s.front() >= '0' && s.front() <= '9') || s.front() == '.')) {
    bDigits |= s.front() != '.';
    sNumber.push_back(s.front());
    s.remove_prefix(1);
  }
  if (!bDigits || std::count(sNumber.begin(), sNumber.end(), '.') > 1) return std::nullopt;
  t.dValue = XPathNumber(sNumber);
  if (!Take("]")) return std::nullopt;
  Blanks();
  if (!s.empty()) return std::nullopt;
  return t;
}

CompiledQuery Compile(const std::string& sQuery) {
  if (sQuery.find('\0') != std::string::npos) Fail("Invalid expression", sQuery);
  if (NamesPrefix(sQuery)) Fail("Undefined namespace prefix", sQuery);
  CompiledQuery tOut;
  tOut.oChildNumber = ChildNumber(sQuery);
  if (tOut.oChildNumber) return tOut;
  try {
    tOut.pQuery = std::make_unique<pugi::xpath_query>(sQuery.c_str());
  } catch (const pugi::xpath_exception& e) {
    Fail(e.result().description(), sQuery);
  } catch (const std::bad_alloc&) {
    throw RunError(kErrOutOfMemory, "Out of memory");
  }
  if (tOut.pQuery->return_type() != pugi::xpath_type_node_set) {
    Fail("Expression does not evaluate to a node set", sQuery);
  }
  return tOut;
}

}  // namespace

bool ChildNumberTest::Holds(const char* sAttributeValue) const {
  const double d = XPathNumber(sAttributeValue);
  switch (eOp) {
    case Op::kEqual:
      return d == dValue;
    case Op::kNotEqual:
      return d != dValue;
    case Op::kLess:
      return d < dValue;
    case Op::kLessOrEqual:
      return d <= dValue;
    case Op::kGreater:
      return d > dValue;
    case Op::kGreaterOrEqual:
      return d >= dValue;
  }
  return false;
}

const CompiledQuery& XPathQueries::Compiled(const std::string& sQuery) {
  auto it = mQueries_.find(sQuery);
  if (it != mQueries_.end()) return it->second;
  CompiledQuery tQuery = Compile(sQuery);
  if (mQueries_.size() < kMaxCached)
    return mQueries_.emplace(sQuery, std::move(tQuery)).first->second;
  tUncached_ = std::move(tQuery);
  return tUncached_;
}

}  // namespace kvo::xml
