// Records what configuration readers are asked while it lives: every query as a path from the
// root element, and every element an answer reached.  The configuration check and the tests that
// compare the check with a run use it.
#pragma once

#include <kvoexportexcel/XmlDom.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kvo {

// Element names from below the root element down to oElement, joined by "/"; empty for the root
// element itself.  Raises RunError for a node that is none.
std::string ElementPath(const xml::Node& oElement);

class QueryRecorder {
 public:
  // Records the queries of the readers that fnAccept accepts.  A hook installed before keeps
  // seeing every query; it is back in place when the recorder goes.
  explicit QueryRecorder(std::function<bool(const clsXMLIniData&)> fnAccept);
  ~QueryRecorder();
  QueryRecorder(const QueryRecorder&) = delete;
  QueryRecorder& operator=(const QueryRecorder&) = delete;

  // Every query asked, once, in the order first asked: "//" queries as they are, the others
  // after the path of the node they ran from ("PROPERTY_LBL/PART_LIST_LBL/CHILD").
  const std::vector<std::string>& Queries() const { return vQueries_; }
  // The root element of the document the recorded queries ran on; none before the first one.
  const xml::Node& Root() const { return oRoot_; }
  // True when an answer held oElement or an element below it.
  bool WasRead(const xml::Node& oElement) const;

 private:
  static void OnQuery(void* pContext, const clsXMLIniData& oReader, const xml::Node& oFrom,
                      const std::string& sQuery, const xml::NodeList& vFound);

  std::function<bool(const clsXMLIniData&)> fnAccept_;
  std::pair<clsXMLIniData::QueryHook, void*> tPrevious_;
  std::vector<std::string> vQueries_;
  std::set<std::string> sAsked_;
  std::set<const void*> sRead_;
  xml::Node oRoot_;
};

}  // namespace kvo
