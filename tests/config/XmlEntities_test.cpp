// Documents that declare entities: internal ones are replaced within limits, external ones are
// never read, and every fault is refused at the reference that brings it in.
#include <gtest/gtest.h>
#include <kvoexportexcel/XmlDom.h>

namespace kvo::xml {
namespace {

std::string WithEntities(const std::string& sDeclarations, const std::string& sRoot) {
  return "<!DOCTYPE r [" + sDeclarations + "]>\n" + sRoot;
}

TEST(Entities, InternalEntitiesAreReplacedInTextAndValues) {
  Document doc;
  ASSERT_TRUE(doc.LoadXML(WithEntities(
      "<!ENTITY e \"a&f;b\"><!ENTITY f \"F&#38;amp;\"><!ENTITY % decls \"<!ENTITY g 'G'>\"> %decls;"
      "<!ENTITY tab \"x&#9;y\"><!ENTITY q '\"'>",
      "<r a=\"&e;-&g;\" t=\"&tab;\" q=\"&q;&quot;\">&e;|&g;</r>")))
      << doc.GetParseError().sReason;
  const Node root = doc.DocumentElement();
  EXPECT_EQ(root.Text(), "aF&b|G");
  EXPECT_EQ(root.GetAttribute("a"), "aF&b-G");
  EXPECT_EQ(root.GetAttribute("t"), "x\ty");  // a tab an entity puts in stays a tab
  EXPECT_EQ(root.GetAttribute("q"), "\"\"");
  EXPECT_EQ(root.SelectNodes("//text()").Length(), 1);
}

TEST(Entities, MarkupInAnEntityBecomesElementsWhereItIsReferred) {
  Document doc;
  ASSERT_TRUE(doc.LoadXML(WithEntities("<!ENTITY part \"<Item number='&n;'/>\"><!ENTITY n 'N1'>",
                                       "<r xmlns:p=\"urn:p\">&part;&part;</r>")));
  const NodeList items = doc.DocumentElement().SelectNodes("Item");
  ASSERT_EQ(items.Length(), 2);
  EXPECT_EQ(items.Item(1).GetAttribute("number"), "N1");
}

TEST(Entities, FaultsAreRefusedAtTheReference) {
  struct Case {
    const char* sWhat;
    std::string sDocument;
    const char* sReason;
    std::int32_t lColumn;  // on line 2
  } kCases[] = {
      {"itself", WithEntities("<!ENTITY e \"x&e;\">", "<r>&e;</r>"), "entity reference loop", 4},
      {"each other", WithEntities("<!ENTITY a \"&b;\"><!ENTITY b \"&a;\">", "<r x=\"&a;\"/>"),
       "entity reference loop", 7},
      {"unbalanced", WithEntities("<!ENTITY e \"<b>\">", "<r>&e;</r>"), "not closed", 4},
      {"'<' in a value", WithEntities("<!ENTITY e \"a&#60;b\">", "<r x=\"&e;\"/>"),
       "'<' in entity 'e'", 7},
      {"an undeclared one inside", WithEntities("<!ENTITY e \"&u;\">", "<r>&e;</r>"),
       "Entity 'u' not defined", 4},
      {"external in a value",
       WithEntities("<!ENTITY e SYSTEM \"file:///etc/passwd\">", "<r x=\"&e;\"/>"),
       "external entity", 7},
      {"unparsed", WithEntities("<!ENTITY e SYSTEM \"x.gif\" NDATA gif>", "<r>&e;</r>"),
       "unparsed entity", 4},
      {"a prefix its place does not declare", WithEntities("<!ENTITY e \"<p:b/>\">", "<r>&e;</r>"),
       "Namespace prefix p", 4},
      {"PE reference in a value", WithEntities("<!ENTITY % p \"x\"><!ENTITY e \"%p;\">", "<r/>"),
       "PEReferences forbidden", 0},
  };
  for (const Case& c : kCases) {
    Document doc;
    EXPECT_FALSE(doc.LoadXML(c.sDocument)) << c.sWhat;
    const ParseError& err = doc.GetParseError();
    EXPECT_NE(err.sReason.find(c.sReason), std::string::npos) << c.sWhat << ": " << err.sReason;
    if (c.lColumn != 0) {
      EXPECT_EQ(err.lLine, 2) << c.sWhat;
      EXPECT_EQ(err.lLinePos, c.lColumn) << c.sWhat;
    }
  }
}

TEST(Entities, ExpansionHasLimits) {
  // Ten levels of ten references each: 10^10 characters from a document of some hundred bytes.
  std::string sDecls = "<!ENTITY a0 \"aaaaaaaaaa\">";
  for (int i = 1; i <= 9; ++i) {
    sDecls += "<!ENTITY a" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) sDecls += "&a" + std::to_string(i - 1) + ";";
    sDecls += "\">";
  }
  Document doc;
  EXPECT_FALSE(doc.LoadXML(WithEntities(sDecls, "<r>&a9;</r>")));
  EXPECT_NE(doc.GetParseError().sReason.find("entity expansion"), std::string::npos);
  // A million characters are fine.
  EXPECT_TRUE(doc.LoadXML(WithEntities(sDecls, "<r a=\"&a5;\">&a5;</r>")));
  EXPECT_EQ(doc.DocumentElement().Text().size(), 1'000'000u);
  // Forty levels of entities referring to the next are fine, forty-one are not.
  auto Chain = [](int lLevels) {
    std::string s = "<!ENTITY e" + std::to_string(lLevels - 1) + " \"end\">";
    for (int i = 0; i + 1 < lLevels; ++i) {
      s += "<!ENTITY e" + std::to_string(i) + " \"&e" + std::to_string(i + 1) + ";\">";
    }
    return WithEntities(s, "<r>&e0;</r>");
  };
  EXPECT_TRUE(doc.LoadXML(Chain(40)));
  EXPECT_FALSE(doc.LoadXML(Chain(41)));
  EXPECT_NE(doc.GetParseError().sReason.find("nest deeper"), std::string::npos);
}

TEST(Entities, DeclaredTokenTypesNormaliseTheirValues) {
  Document doc;
  ASSERT_TRUE(doc.LoadXML(WithEntities("<!ATTLIST r a NMTOKENS #IMPLIED b CDATA #IMPLIED>",
                                       "<r a=\"  x   y \" b=\"  x   y \"/>")));
  EXPECT_EQ(doc.DocumentElement().GetAttribute("a"), "x y");
  EXPECT_EQ(doc.DocumentElement().GetAttribute("b"), "  x   y ");
}

TEST(Entities, WhiteSpaceMadeByReferencesIsDroppedAsAnyOther) {
  Document doc;
  ASSERT_TRUE(doc.LoadXML("<r>\n  &#32;&#10;  <b/> &#x20;x</r>"));
  const Node root = doc.DocumentElement();
  EXPECT_EQ(root.FirstChild().NodeName(), "b");
  EXPECT_EQ(root.FirstChild().NextSibling().Text(), "  x");
}

}  // namespace
}  // namespace kvo::xml
