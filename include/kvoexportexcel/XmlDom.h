// A small document object model over libxml2: documents, nodes and node lists with XPath 1.0
// selection.  Loading never touches the network, loads no DTD and substitutes no entities;
// whitespace-only text between elements is dropped, so first-child and next-sibling steps see
// elements only.  Nodes are light handles: the document that owns them must stay alive.
#pragma once

#include <kvoexportexcel/Api.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct _xmlNode;
struct _xmlDoc;

namespace kvo::xml {

class NodeList;
class Document;

// One node of a loaded document, or none.
class KVO_API Node {
 public:
  Node() = default;
  explicit Node(_xmlNode* pNode) : pNode_(pNode) {}

  bool IsNone() const { return pNode_ == nullptr; }
  explicit operator bool() const { return pNode_ != nullptr; }
  bool operator==(const Node& other) const { return pNode_ == other.pNode_; }

  std::string NodeName() const;
  // Text of the node and all its descendants, exactly as the document holds it.
  std::string Text() const;
  Node ParentNode() const;
  Node FirstChild() const;
  Node NextSibling() const;
  bool HasChildNodes() const;
  NodeList ChildNodes() const;
  // Attribute map lookup: the value, or nothing when the attribute is missing.
  std::optional<std::string> Attribute(const std::string& sName) const;
  // Element attribute value by name; empty when missing.
  std::string GetAttribute(const std::string& sName) const;
  // XPath 1.0 selection relative to this node; results in document order.  An invalid query
  // or one that does not give a node set raises a RunError.
  Node SelectSingleNode(const std::string& sQuery) const;
  NodeList SelectNodes(const std::string& sQuery) const;

  _xmlNode* Raw() const { return pNode_; }

 private:
  _xmlNode* pNode_ = nullptr;
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

// What the last load reported; lErrorCode 0 means success.
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

  // Load from a file path or from XML text; true when the document parsed without error.
  bool Load(const std::string& sPath);
  bool LoadXML(const std::string& sText);

  const ParseError& GetParseError() const { return tParseError_; }
  Node DocumentElement() const;

  struct Impl;

 private:
  bool Parse(const std::string* pPath, const std::string* pText);
  void Release();

  std::unique_ptr<Impl> pImpl_;
  ParseError tParseError_;
};

// Makes sure the XML library is initialised for this process (safe to call repeatedly).
KVO_API void InitXmlLibrary();

// A quoted XPath 1.0 string literal for any text: the quote kind the text lacks, or concat()
// when it holds both.
KVO_API std::string XPathLiteral(const std::string& sText);

}  // namespace kvo::xml
