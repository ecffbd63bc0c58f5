// Copies of an item source that are not well-formed, each beside the well-formed counterpart
// that must load: the first is refused with its line and position (in characters), the second
// loads with the value it holds.
#include <gtest/gtest.h>
#include <kvoexportexcel/XmlDom.h>

#include <cctype>

#include "support/TestSupport.h"

namespace kvo::xml {
namespace {

// An item source whose third line is sItemLine; sAfter follows the root element.
std::string Source(const std::string& sItemLine, const std::string& sAfter = "") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Root_Element>\n" + sItemLine +
         "\n</Root_Element>\n" + sAfter;
}

struct Variant {
  const char* sWhat;
  std::string sBad;
  const char* sReason;  // a part of the reason given
  std::int32_t lLine, lColumn;
  std::string sGood;
  const char* sNumber;  // the good copy's Item number; nullptr: not looked at
};

const Variant kVariants[] = {
    // References
    {"bare '&'", Source("<Item number=\"A & B\"/>"), "'&'", 3, 17,
     Source("<Item number=\"A &amp; B\"/>"), "A & B"},
    {"'&' without ';'", Source("<Item number=\"A &amp B\"/>"), "expecting ';'", 3, 17,
     Source("<Item number=\"A &amp; B\"/>"), "A & B"},
    {"reference to a control character", Source("<Item number=\"N&#1;\"/>"), "0x1", 3, 16,
     Source("<Item number=\"N&#9;\"/>"), "N\t"},
    {"reference to NUL", Source("<Item number=\"N&#0;\"/>"), "0x0", 3, 16,
     Source("<Item number=\"N&#x41;\"/>"), "NA"},
    {"reference to a surrogate", Source("<Item number=\"N&#xD800;\"/>"), "0xD800", 3, 16,
     Source("<Item number=\"N&#x10000;\"/>"), "N\xF0\x90\x80\x80"},
    {"reference beyond Unicode", Source("<Item number=\"N&#x110000;\"/>"), "0x10FFFF", 3, 16,
     Source("<Item number=\"N&#1114111;\"/>"), "N\xF4\x8F\xBF\xBF"},
    {"undeclared entity", Source("<Item number=\"&nbsp;\"/>"), "Entity 'nbsp' not defined", 3, 15,
     "<!DOCTYPE Root_Element [<!ENTITY nbsp \"&#160;\">]>\n" +
         Source("<Item number=\"&nbsp;\"/>").substr(39),
     "\xC2\xA0"},
    // Characters
    {"raw control character in a value", Source("<Item number=\"N\x01\"/>"), "control character", 3,
     16, Source("<Item number=\"N\t1\"/>"), "N 1"},
    {"raw control character in text", Source("<Item number=\"N1\">\x02</Item>"),
     "invalid Char value 2", 3, 19, Source("<Item number=\"N1\">\x7F</Item>"), "N1"},
    {"bytes that are no UTF-8", Source("<Item number=\"N\xFF\x31\"/>"), "not proper UTF-8", 3, 16,
     Source("<Item number=\"N\xC3\xBF\x31\"/>"), "N\xC3\xBF\x31"},
    {"truncated UTF-8 sequence", Source("<Item number=\"N\xE2\x82\"/>"), "not proper UTF-8", 3, 16,
     Source("<Item number=\"N\xE2\x82\xAC\"/>"), "N\xE2\x82\xAC"},
    {"overlong UTF-8 sequence", Source("<Item number=\"N\xC0\xAF\"/>"), "not proper UTF-8", 3, 16,
     Source("<Item number=\"N/\"/>"), "N/"},
    {"U+FFFE", Source("<Item number=\"N\xEF\xBF\xBE\"/>"), "0xFFFE", 3, 16,
     Source("<Item number=\"N\xEF\xBF\xBD\"/>"), "N\xEF\xBF\xBD"},
    {"positions count characters, not bytes",
     Source("<Item description=\"\xE6\x97\xA5\xE6\x9C\xAC\" number=\"a<b\"/>"), "'<'", 3, 33,
     Source("<Item description=\"\xE6\x97\xA5\xE6\x9C\xAC\" number=\"a&lt;b\"/>"), "a<b"},
    // Attributes
    {"duplicate attribute", Source("<Item number=\"N1\" number=\"N2\"/>"), "redefined", 3, 19,
     Source("<Item number=\"N1\" revision=\"N2\"/>"), "N1"},
    {"'<' in a value", Source("<Item number=\"a<b\"/>"), "'<'", 3, 16,
     Source("<Item number=\"a&lt;b\"/>"), "a<b"},
    {"value without quotes", Source("<Item number=N1/>"), "\" or '", 3, 14,
     Source("<Item number='N1'/>"), "N1"},
    {"value not closed", Source("<Item number=\"N1/>"), "'<'", 4, 1,
     Source("<Item number=\"N1\"/>"), "N1"},
    {"no space between attributes", Source("<Item number=\"N1\"revision=\"A\"/>"), "space required",
     3, 18, Source("<Item number=\"N1\" revision=\"A\"/>"), "N1"},
    {"undeclared namespace prefix", Source("<Item x:number=\"N1\" number=\"N2\"/>"),
     "Namespace prefix x", 3, 7, Source("<Item xmlns:x=\"urn:x\" x:number=\"N1\" number=\"N2\"/>"),
     "N2"},
    // Names and tags
    {"element name starting with a digit", Source("<1tem number=\"N1\"/>"), "invalid element name",
     3, 2, Source("<Item number=\"N1\"/><I1tem/>"), "N1"},
    {"attribute name starting with a digit", Source("<Item 1number=\"N1\"/>"), "attribute name", 3,
     7, Source("<Item number=\"N1\" number1=\"x\"/>"), "N1"},
    {"mismatched end tag", Source("<Item number=\"N1\"></Itm>"), "mismatch", 3, 19,
     Source("<Item number=\"N1\"></Item >"), "N1"},
    {"unclosed element", "<?xml version=\"1.0\"?>\n<Root_Element>\n<Item number=\"N1\"/>\n",
     "not closed", 2, 1,
     "<?xml version=\"1.0\"?>\n<Root_Element>\n<Item number=\"N1\"/>\n</Root_Element>", "N1"},
    {"start tag not finished", Source("<Item number=\"N1\""), "attribute name", 4, 1,
     Source("<Item number=\"N1\"\n/>"), "N1"},
    // Document structure
    {"two root elements", Source("<Item number=\"N1\"/>", "<Root_Element/>"), "Extra content", 5, 1,
     Source("<Item number=\"N1\"/>", "<!-- after -->"), "N1"},
    {"text after the root element", Source("<Item number=\"N1\"/>", "tail"), "Extra content", 5, 1,
     Source("<Item number=\"N1\"/>", " \t\n"), "N1"},
    {"XML declaration not first", "\n" + Source("<Item number=\"N1\"/>"), "start of the document",
     2, 1, "<!-- c -->" + Source("<Item number=\"N1\"/>").substr(38), "N1"},
    {"XML declaration in content", Source("<Item number=\"N1\"><?xml version=\"1.0\"?></Item>"),
     "start of the document", 3, 19, Source("<Item number=\"N1\"><?xml-stylesheet x?></Item>"),
     "N1"},
    {"DOCTYPE after the root element", Source("<Item number=\"N1\"/>", "<!DOCTYPE r>"),
     "Extra content", 5, 1, "<!DOCTYPE Root_Element>" + Source("<Item number=\"N1\"/>").substr(38),
     "N1"},
    {"empty document", "", "empty", 1, 1, "<Root_Element><Item number=\"N1\"/></Root_Element>",
     "N1"},
    // Comments, CDATA sections, character data
    {"'--' in a comment", Source("<!-- a -- b --><Item number=\"N1\"/>"), "Double hyphen", 3, 8,
     Source("<!-- a - b --><Item number=\"N1\"/>"), "N1"},
    {"comment not closed", Source("<Item number=\"N1\"/><!-- a"), "Comment not terminated", 3, 20,
     Source("<Item number=\"N1\"/><!-- a -->"), "N1"},
    {"']]>' in text", Source("<Item number=\"N1\">a]]>b</Item>"), "']]>'", 3, 20,
     Source("<Item number=\"N1\">a]]&gt;b<![CDATA[]]]]></Item>"), "N1"},
    {"CDATA section not closed", Source("<Item number=\"N1\"><![CDATA[x</Item>"), "CDATA", 3, 19,
     Source("<Item number=\"N1\"><![CDATA[x</Item>]]></Item>"), "N1"},
};

class NotWellFormed : public ::testing::TestWithParam<Variant> {};

TEST_P(NotWellFormed, IsRefusedWithLineAndPositionAndItsCounterpartLoads) {
  const Variant& v = GetParam();
  test::TempDir dir;
  test::WriteFile(dir.Path() / "bad.xml", v.sBad);
  for (const bool bFromFile : {true, false}) {
    Document doc;
    EXPECT_FALSE(bFromFile ? doc.Load(dir.Str("bad.xml")) : doc.LoadXML(v.sBad));
    const ParseError& err = doc.GetParseError();
    EXPECT_NE(err.lErrorCode, 0);
    EXPECT_NE(err.sReason.find(v.sReason), std::string::npos) << err.sReason;
    EXPECT_EQ(err.lLine, v.lLine) << err.sReason;
    EXPECT_EQ(err.lLinePos, v.lColumn) << err.sReason;
    EXPECT_TRUE(doc.DocumentElement().IsNone());
  }
  Document good;
  ASSERT_TRUE(good.LoadXML(v.sGood)) << good.GetParseError().sReason;
  if (v.sNumber != nullptr) {
    EXPECT_EQ(good.DocumentElement().SelectSingleNode("Item").GetAttribute("number"), v.sNumber);
  }
}

INSTANTIATE_TEST_SUITE_P(Sources, NotWellFormed, ::testing::ValuesIn(kVariants),
                         [](const ::testing::TestParamInfo<Variant>& info) {
                           std::string sName;
                           for (const char* p = info.param.sWhat; *p != '\0'; ++p) {
                             if (std::isalnum(static_cast<unsigned char>(*p))) sName += *p;
                           }
                           return sName;
                         });

TEST(Depth, TwoHundredFiftySevenLevelsLoadOneMoreIsRefused) {
  auto Nested = [](int lLevels) {
    std::string s;
    for (int i = 0; i < lLevels; ++i) s += "<n>\n";
    for (int i = 0; i < lLevels; ++i) s += "</n>";
    return s;
  };
  Document doc;
  EXPECT_TRUE(doc.LoadXML(Nested(257)));
  EXPECT_FALSE(doc.LoadXML(Nested(258)));
  EXPECT_NE(doc.GetParseError().sReason.find("depth"), std::string::npos);
  EXPECT_EQ(doc.GetParseError().lLine, 258);
  EXPECT_EQ(doc.GetParseError().lLinePos, 1);
  EXPECT_FALSE(doc.LoadXML(Nested(200000)));
}

}  // namespace
}  // namespace kvo::xml
