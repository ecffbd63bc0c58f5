// A small document object model: documents, nodes and node lists with XPath 1.0 selection.
// Loading reads nothing but the document itself: no network, no DTD or entity from outside.
// Documents in UTF-8, UTF-16 and any other encoding the platform converts are read; the
// internal entities a document declares are replaced, within limits.  Whitespace-only text
// between elements is dropped, so first-child and next-sibling steps see elements only.
// Nodes are light handles: the document that owns them must stay alive.
#pragma once

#include <kvoexportexcel/Api.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kvo::xml {

class NodeList;
class Document;
struct DocumentData;  // a loaded document's tree and selections, opaque to hosts
struct NodeAccess;    // what the component itself needs of a node

// One node of a loaded document (element, attribute, text, comment, ...), or none.
class KVO_API Node {
 public:
  Node() = default;

  bool IsNone() const { return pNode_ == nullptr; }
  explicit operator bool() const { return pNode_ != nullptr; }
  bool operator==(const Node& other) const {
    return pNode_ == other.pNode_ && pAttribute_ == other.pAttribute_ &&
           bAttributeText_ == other.bAttributeText_;
  }

  // The name with its namespace prefix; "#text", "#cdata-section", "#comment", "#document" for
  // nodes without one.  The Node operations below raise a RunError (object not set) for a node
  // that is none.
  std::string NodeName() const;
  // Text of the node and all its descendants, exactly as the document holds it.
  std::string Text() const;
  Node ParentNode() const;
  Node FirstChild() const;
  Node NextSibling() const;
  bool HasChildNodes() const;
  NodeList ChildNodes() const;
  // Attribute map lookup: the value, or nothing when the attribute is missing (namespace
  // declarations are no attributes).
  std::optional<std::string> Attribute(const std::string& sName) const;
  // Element attribute value by name; empty when missing.
  std::string GetAttribute(const std::string& sName) const;
  // XPath 1.0 selection relative to this node; results in document order.  An invalid query,
  // one that names a namespace prefix, or one that does not give a node set raises a RunError.
  Node SelectSingleNode(const std::string& sQuery) const;
  NodeList SelectNodes(const std::string& sQuery) const;

  // Identifies the node while its document stays loaded: equal nodes have equal keys, others
  // different ones; nullptr for none.  For maps and sets of nodes.
  const void* Key() const {
    if (pAttribute_ == nullptr) return pNode_;
    return bAttributeText_ ? static_cast<const char*>(pAttribute_) + 1 : pAttribute_;
  }

 private:
  friend struct NodeAccess;

  DocumentData* pDocument_ = nullptr;
  void* pNode_ = nullptr;       // the node; for an attribute, its element
  void* pAttribute_ = nullptr;  // an attribute, or the attribute whose text this is
  bool bAttributeText_ = false;
};

// Result of a selection or of a child listing, in document order.
class KVO_API NodeList {
 public:
  NodeList() = default;
  explicit NodeList(std::vector<Node> vNodes) : vNodes_(std::move(vNodes)) {}

  std::int32_t Length() const { return static_cast<std::int32_t>(vNodes_.size()); }
  // Item by 0-based index; outside the list a RunError (subscript out of range).
  Node Item(std::int32_t lIndex) const;

  auto begin() const { return vNodes_.begin(); }
  auto end() const { return vNodes_.end(); }

  // Keeps the owning document alive for as long as the list exists.
  void KeepAlive(std::shared_ptr<const void> pOwner) { pOwner_ = std::move(pOwner); }

 private:
  std::vector<Node> vNodes_;
  std::shared_ptr<const void> pOwner_;
};

// What the last load reported; lErrorCode 0 means success.  Otherwise sReason names the fault,
// lLine is its line (from 1) and lLinePos its position in characters within the line (from 1);
// both are 0 when the file could not be read at all.
struct ParseError {
  std::int32_t lErrorCode = 0;
  std::string sReason;
  std::int32_t lLine = 0;
  std::int32_t lLinePos = 0;
};

// One loaded document.  Each load replaces what the document held.
class KVO_API Document {
 public:
  Document();
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Load from a file path (its encoding found from its bytes) or from XML text already in
  // UTF-8 (an encoding its declaration names does not apply); true when the document is
  // well-formed and loaded, false with GetParseError() telling why.
  bool Load(const std::string& sPath);
  bool LoadXML(const std::string& sText);

  const ParseError& GetParseError() const { return tParseError_; }
  // The root element; none before a successful load.
  Node DocumentElement() const;

 private:
  bool Parse(std::string sBytes, bool bFromFile);

  std::unique_ptr<DocumentData> pData_;
  ParseError tParseError_;
};

// Nothing needs initialising any more; kept for hosts that call it (safe to call repeatedly).
KVO_API void InitXmlLibrary();

// A quoted XPath 1.0 string literal for any text: the quote kind the text lacks, or concat()
// when it holds both.
KVO_API std::string XPathLiteral(const std::string& sText);

}  // namespace kvo::xml
