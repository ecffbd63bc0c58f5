// Replaces the references to declared entities in a checked document by the text they stand
// for, so that the tree parser sees plain content.  In content an internal entity's text is put
// in as markup (it must be balanced: whole elements only), an external entity gives nothing (it
// is never read); in an attribute value the text is put in escaped, as the value it makes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/xml/XmlWellFormed.h"

namespace kvo::xml {

// Entities may nest this deep, and all references of a document together may put in at most
// kExpansionAllowance characters plus ten times the document's own size.
inline constexpr int kMaxEntityDepth = 40;
inline constexpr std::size_t kExpansionAllowance = 10'000'000;

class ExpandedText {
 public:
  const std::string& Text() const { return sText_; }
  std::string& Text() { return sText_; }
  // The offset in the document that an offset of the expanded text came from; inside text an
  // entity put in, the offset of its reference.
  std::size_t DocumentOffset(std::size_t lOffset) const;

  void Copy(std::string_view sPart, std::size_t lFrom);
  void Insert(std::string_view sPart, std::size_t lReference);

 private:
  struct Piece {
    std::size_t lAt;    // in sText_
    std::size_t lFrom;  // in the document
    bool bCopied;
  };
  std::string sText_;
  std::vector<Piece> vPieces_;
};

// The document sText with every reference of tFacts.vUses replaced.  Raises an XmlFault, at the
// reference, for an entity that refers to itself, nests too deep, would put in too much, refers
// to an entity not declared, is not balanced content, or puts '<' into an attribute value.
ExpandedText ExpandEntities(std::string_view sText, const WellFormedFacts& tFacts);

}  // namespace kvo::xml
