#include "config/xml/XmlDoctype.h"

#include <set>

namespace kvo::xml {

namespace {

constexpr int kMaxEntityNesting = 40;

class DoctypeReader {
 public:
  explicit DoctypeReader(DtdTables& tTables) : t_(tTables) {}

  void Doctype(XmlScan& s) {
    s.Expect("<!DOCTYPE", kFaultMarkupDeclaration, "'<!DOCTYPE' expected");
    s.RequireSpace("'<!DOCTYPE'");
    s.Name("DOCTYPE: the root element's name expected");
    const bool bSpace = s.SkipSpaces();
    if (bSpace && (s.LooksAt("SYSTEM") || s.LooksAt("PUBLIC"))) {
      ExternalId(s, false);
      s.SkipSpaces();
    }
    if (s.Take("[")) {
      Subset(s, true, 0);
      s.Expect("]", kFaultDoctypeNotFinished, "DOCTYPE: ']' expected after the internal subset");
      s.SkipSpaces();
    }
    s.Expect(">", kFaultDoctypeNotFinished, "DOCTYPE not finished: '>' expected");
  }

 private:
  // Markup declarations up to the ']' of the internal subset (bTop) or the end of a parameter
  // entity's text.
  void Subset(XmlScan& s, bool bTop, int lNesting) {
    for (;;) {
      s.SkipSpaces();
      if (s.AtEnd()) {
        if (bTop) s.Fail(kFaultDoctypeNotFinished, "DOCTYPE internal subset not finished");
        return;
      }
      if (bTop && s.Peek() == ']') return;
      if (s.Peek() == '%') {
        ParameterReference(s, lNesting);
      } else if (s.LooksAt("<!ENTITY")) {
        EntityDecl(s);
      } else if (s.LooksAt("<!ATTLIST")) {
        AttlistDecl(s);
      } else if (s.LooksAt("<!ELEMENT")) {
        ElementDecl(s);
      } else if (s.LooksAt("<!NOTATION")) {
        NotationDecl(s);
      } else if (s.LooksAt("<!--")) {
        s.Comment();
      } else if (s.LooksAt("<?")) {
        s.ProcessingInstruction();
      } else {
        s.Fail(kFaultMarkupDeclaration, "DOCTYPE: markup declaration expected");
      }
    }
  }

  void ParameterReference(XmlScan& s, int lNesting) {
    const char* pRef = s.Pos();
    s.Take("%");
    const std::string sName(s.Name("PEReference: no name"));
    s.Expect(";", kFaultEntityRefSemicolon, "PEReference: expecting ';'");
    auto it = t_.mParameter.find(sName);
    if (it == t_.mParameter.end()) {
      s.FailAt(pRef, kFaultUndeclaredEntity, "PEReference: %" + sName + "; not found");
    }
    if (it->second.bExternal) return;  // never read
    if (lNesting >= kMaxEntityNesting || !sOpen_.insert(sName).second) {
      s.FailAt(pRef, kFaultEntityLoop,
               "Detected an entity reference loop in parameter entity %" + sName + ";");
    }
    // The text is kept: parsing may look at it again through another reference.
    const std::string sText = it->second.sValue;
    XmlScan inner(sText, s.Offset(pRef));
    Subset(inner, false, lNesting + 1);
    sOpen_.erase(sName);
  }

  void ExternalId(XmlScan& s, bool bPublicIdAlone) {
    if (s.Take("SYSTEM")) {
      s.RequireSpace("'SYSTEM'");
      s.QuotedLiteral("SystemLiteral", false);
      return;
    }
    s.Expect("PUBLIC", kFaultLiteral, "'SYSTEM' or 'PUBLIC' expected");
    s.RequireSpace("'PUBLIC'");
    s.QuotedLiteral("PubidLiteral", true);
    const bool bSpace = s.SkipSpaces();
    if (bPublicIdAlone && (s.Peek() != '"' && s.Peek() != '\'')) return;
    if (!bSpace) s.Fail(kFaultSpaceRequired, "Space required after the public identifier");
    s.QuotedLiteral("SystemLiteral", false);
  }

  void EntityDecl(XmlScan& s) {
    s.Take("<!ENTITY");
    s.RequireSpace("'<!ENTITY'");
    const bool bParameter = s.Take("%");
    if (bParameter) s.RequireSpace("'%'");
    const std::string sName(s.Name("ENTITY: name expected"));
    s.RequireSpace("the entity name '" + sName + "'");
    DtdEntity tEntity;
    if (s.Peek() == '"' || s.Peek() == '\'') {
      tEntity.sValue = EntityValue(s);
    } else {
      tEntity.bExternal = true;
      ExternalId(s, false);
      const bool bSpace = s.SkipSpaces();
      if (bSpace && s.Take("NDATA")) {
        if (bParameter) s.Fail(kFaultMarkupDeclaration, "A parameter entity cannot be unparsed");
        s.RequireSpace("'NDATA'");
        s.Name("NDATA: notation name expected");
        tEntity.bUnparsed = true;
      }
    }
    s.SkipSpaces();
    s.Expect(">", kFaultMarkupDeclaration, "ENTITY '" + sName + "' not finished: '>' expected");
    // The first declaration counts; the predefined entities keep their meaning.
    if (bParameter) {
      t_.mParameter.try_emplace(sName, std::move(tEntity));
    } else if (!IsPredefinedEntity(sName)) {
      t_.mGeneral.try_emplace(sName, std::move(tEntity));
    }
  }

  // A quoted entity value: character references are replaced, general entity references are
  // kept as they are, parameter entity references are not allowed here.
  std::string EntityValue(XmlScan& s) {
    const char cQuote = s.Peek();
    const char* pStart = s.Pos();
    s.SetPos(pStart + 1);
    std::string sValue;
    for (;;) {
      if (s.AtEnd()) s.FailAt(pStart, kFaultLiteral, "EntityValue: the literal is not closed");
      const char c = s.Peek();
      if (c == cQuote) break;
      if (c == '%') {
        s.Fail(kFaultPeInInternalSubset, "PEReferences forbidden in internal subset");
      }
      if (c == '&' && s.Peek(1) == '#') {
        s.SetPos(s.Pos() + 2);
        chars::AppendUtf8(sValue, s.CharRefValue());
      } else if (c == '&') {
        const char* pRef = s.Pos();
        s.SetPos(pRef + 1);
        s.Name("EntityValue: '&' starts no reference");
        s.Expect(";", kFaultEntityRefSemicolon, "EntityRef: expecting ';'");
        sValue.append(pRef, s.Pos());
      } else {
        const char* p = s.Pos();
        s.NextChar();
        sValue.append(p, s.Pos());
      }
    }
    s.SetPos(s.Pos() + 1);
    return sValue;
  }

  void AttlistDecl(XmlScan& s) {
    s.Take("<!ATTLIST");
    s.RequireSpace("'<!ATTLIST'");
    const std::string sElement(s.Name("ATTLIST: element name expected"));
    for (;;) {
      const bool bSpace = s.SkipSpaces();
      if (s.Take(">")) return;
      if (!bSpace) s.Fail(kFaultSpaceRequired, "ATTLIST: space required before an attribute");
      const std::string sAttribute(s.Name("ATTLIST: attribute name expected"));
      s.RequireSpace("the attribute name '" + sAttribute + "'");
      bool bTokenized = true;
      if (s.Peek() == '(') {
        NameGroup(s, true);
      } else {
        const std::string_view sType = s.Name("ATTLIST: attribute type expected");
        static const std::set<std::string_view> kTypes = {
            "CDATA", "ID", "IDREF", "IDREFS", "ENTITY", "ENTITIES", "NMTOKEN", "NMTOKENS"};
        if (sType == "NOTATION") {
          s.RequireSpace("'NOTATION'");
          NameGroup(s, false);
        } else if (kTypes.count(sType) == 0) {
          s.Fail(kFaultMarkupDeclaration,
                 "ATTLIST: unknown attribute type '" + std::string(sType) + "'");
        }
        bTokenized = sType != "CDATA";
      }
      s.RequireSpace("the attribute type");
      if (!s.Take("#REQUIRED") && !s.Take("#IMPLIED")) {
        if (s.Take("#FIXED")) s.RequireSpace("'#FIXED'");
        DefaultValue(s);
      }
      t_.mAttributeTokenized.try_emplace({sElement, sAttribute}, bTokenized);
    }
  }

  // "(a | b | c)": names, or name tokens for an enumeration.
  void NameGroup(XmlScan& s, bool bTokens) {
    s.Expect("(", kFaultMarkupDeclaration, "ATTLIST: '(' expected");
    for (;;) {
      s.SkipSpaces();
      if (bTokens) {
        s.Nmtoken("ATTLIST: name token expected");
      } else {
        s.Name("ATTLIST: notation name expected");
      }
      s.SkipSpaces();
      if (s.Take(")")) return;
      s.Expect("|", kFaultMarkupDeclaration, "ATTLIST: '|' or ')' expected");
    }
  }

  // A default attribute value: as an attribute value in the document, with every entity it
  // names declared before.
  void DefaultValue(XmlScan& s) {
    const char cQuote = s.Peek();
    if (cQuote != '"' && cQuote != '\'') {
      s.Fail(kFaultAttributeValueStart, "AttValue: \" or ' expected");
    }
    const char* pStart = s.Pos();
    s.SetPos(pStart + 1);
    for (;;) {
      if (s.AtEnd()) s.FailAt(pStart, kFaultAttributeValueEnd, "AttValue: the value is not closed");
      const char c = s.Peek();
      if (c == cQuote) break;
      if (c == '<') s.Fail(kFaultLtInAttribute, "Unescaped '<' not allowed in attributes values");
      if (c == '&' && s.Peek(1) == '#') {
        s.SetPos(s.Pos() + 2);
        s.CharRefValue();
      } else if (c == '&') {
        const char* pRef = s.Pos();
        s.SetPos(pRef + 1);
        const std::string sName(s.Name("'&' starts no reference: write &amp; for the character"));
        s.Expect(";", kFaultEntityRefSemicolon, "EntityRef: expecting ';'");
        if (IsPredefinedEntity(sName)) continue;
        auto it = t_.mGeneral.find(sName);
        if (it == t_.mGeneral.end()) {
          s.FailAt(pRef, kFaultUndeclaredEntity, "Entity '" + sName + "' not defined");
        }
        if (it->second.bExternal) {
          s.FailAt(pRef, kFaultExternalEntityInAttribute,
                   "Attribute references external entity '" + sName + "'");
        }
      } else {
        s.NextChar();
      }
    }
    s.SetPos(s.Pos() + 1);
  }

  void ElementDecl(XmlScan& s) {
    s.Take("<!ELEMENT");
    s.RequireSpace("'<!ELEMENT'");
    const std::string sName(s.Name("ELEMENT: element name expected"));
    s.RequireSpace("the element name '" + sName + "'");
    if (!s.Take("EMPTY") && !s.Take("ANY")) ContentModel(s);
    s.SkipSpaces();
    s.Expect(">", kFaultMarkupDeclaration, "ELEMENT '" + sName + "' not finished: '>' expected");
  }

  // A parenthesised content model: names, #PCDATA, '|', ',' and the repetition marks.
  void ContentModel(XmlScan& s) {
    if (s.Peek() != '(') {
      s.Fail(kFaultMarkupDeclaration, "ELEMENT: 'EMPTY', 'ANY' or '(' expected");
    }
    int lDepth = 0;
    for (;;) {
      s.SkipSpaces();
      const char c = s.Peek();
      if (c == '(') {
        ++lDepth;
        s.SetPos(s.Pos() + 1);
      } else if (c == ')') {
        --lDepth;
        s.SetPos(s.Pos() + 1);
        if (s.Peek() == '?' || s.Peek() == '*' || s.Peek() == '+') s.SetPos(s.Pos() + 1);
        if (lDepth == 0) return;
      } else if (c == '|' || c == ',') {
        s.SetPos(s.Pos() + 1);
      } else if (c == '#') {
        s.Expect("#PCDATA", kFaultMarkupDeclaration, "ELEMENT: '#PCDATA' expected");
      } else {
        s.Name("ELEMENT: name, '(' or ')' expected in the content model");
        if (s.Peek() == '?' || s.Peek() == '*' || s.Peek() == '+') s.SetPos(s.Pos() + 1);
      }
    }
  }

  void NotationDecl(XmlScan& s) {
    s.Take("<!NOTATION");
    s.RequireSpace("'<!NOTATION'");
    const std::string sName(s.Name("NOTATION: name expected"));
    s.RequireSpace("the notation name '" + sName + "'");
    ExternalId(s, true);
    s.SkipSpaces();
    s.Expect(">", kFaultMarkupDeclaration, "NOTATION '" + sName + "' not finished: '>' expected");
  }

  DtdTables& t_;
  std::set<std::string> sOpen_;  // parameter entities being read
};

}  // namespace

bool IsPredefinedEntity(std::string_view sName) {
  return sName == "lt" || sName == "gt" || sName == "amp" || sName == "apos" || sName == "quot";
}

void ReadDoctype(XmlScan& scan, DtdTables& tTables) {
  DoctypeReader(tTables).Doctype(scan);
}

}  // namespace kvo::xml
