// Documents in other encodings than UTF-8: found from a byte-order mark, the declaration or the
// first bytes, converted before the check, and refused with their line and position when their
// bytes are not valid in the encoding.
#include <gtest/gtest.h>
#include <kvoexportexcel/XmlDom.h>

#include "support/TestSupport.h"

namespace kvo::xml {
namespace {

// ASCII text as UTF-16 units, with c16 (when given) in place of every '#'.
std::string Utf16(const std::string& sAscii, bool bLittle, char16_t c16 = 0) {
  std::string s;
  for (char c : sAscii) {
    const char16_t u =
        c == '#' && c16 != 0 ? c16 : static_cast<char16_t>(static_cast<unsigned char>(c));
    const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
    s += bLittle ? std::string{lo, hi} : std::string{hi, lo};
  }
  return s;
}

class Encodings : public ::testing::Test {
 protected:
  // Loads sBytes as a file; the root element, none when refused.
  Node LoadFile(const std::string& sBytes) {
    test::WriteFile(dir_.Path() / "doc.xml", sBytes);
    doc_.Load(dir_.Str("doc.xml"));
    return doc_.DocumentElement();
  }
  const ParseError& Error() const { return doc_.GetParseError(); }

  test::TempDir dir_;
  Document doc_;
};

TEST_F(Encodings, SixteenBitDocumentsWithOrWithoutMarkInBothByteOrders) {
  const std::string sDoc = "<?xml version=\"1.0\" encoding=\"UTF-16\"?><r a=\"#\">#</r>";
  for (const bool bLittle : {true, false}) {
    const std::string sMark = bLittle ? "\xFF\xFE" : "\xFE\xFF";
    for (const std::string& sBytes :
         {sMark + Utf16(sDoc, bLittle, u'\u00FC'), Utf16(sDoc, bLittle, u'\u00FC'),
          sMark + Utf16("<r a=\"#\">#</r>", bLittle, u'\u00FC')}) {
      const Node root = LoadFile(sBytes);
      ASSERT_FALSE(root.IsNone()) << bLittle << ": " << Error().sReason;
      EXPECT_EQ(root.Text(), "\xC3\xBC");
      EXPECT_EQ(root.GetAttribute("a"), "\xC3\xBC");
    }
  }
  // A lone surrogate is no character: refused where it stands, counted in characters.
  const std::string sBad =
      "\xFF\xFE" + Utf16("<r>\n\xFC\xFC", true) + std::string("\x00\xD8", 2) + Utf16("</r>", true);
  EXPECT_TRUE(LoadFile(sBad).IsNone());
  EXPECT_NE(Error().sReason.find("not valid in the encoding UTF-16LE"), std::string::npos)
      << Error().sReason;
  EXPECT_EQ(Error().lLine, 2);
  EXPECT_EQ(Error().lLinePos, 3);
}

TEST_F(Encodings, EightBitAndMultiByteEncodingsNamedByTheDeclaration) {
  struct Case {
    const char* sEncoding;
    std::string sBytes;  // the element's text in that encoding
    const char* sUtf8;
  } kCases[] = {
      {"ISO-8859-1",
       "Gr\xF6\xDF"
       "e",
       "Gr\xC3\xB6\xC3\x9F"
       "e"},
      {"windows-1252", "\x80\x93\x94", "\xE2\x82\xAC\xE2\x80\x9C\xE2\x80\x9D"},
      {"ISO-8859-15", "\xA4", "\xE2\x82\xAC"},
      {"KOI8-R", "\xF0\xD2\xC9\xD7\xC5\xD4", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
      {"Shift_JIS", "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"},
  };
  for (const Case& c : kCases) {
    const Node root = LoadFile(std::string("<?xml version='1.0' encoding='") + c.sEncoding +
                               "'?>\n<r a=\"" + c.sBytes + "\">" + c.sBytes + "</r>");
    ASSERT_FALSE(root.IsNone()) << c.sEncoding << ": " << Error().sReason;
    EXPECT_EQ(root.Text(), c.sUtf8) << c.sEncoding;
    EXPECT_EQ(root.GetAttribute("a"), c.sUtf8) << c.sEncoding;
  }
  // EBCDIC is recognised by its first bytes; its declaration names the code page.
  const Node root = LoadFile(
      "\x4C\x6F\xA7\x94\x93\x40\xA5\x85\x99\xA2\x89\x96\x95\x7E\x7F\xF1\x4B\xF0\x7F\x40\x85\x95"
      "\x83\x96\x84\x89\x95\x87\x7E\x7F\xC9\xC2\xD4\xF0\xF3\xF7\x7F\x6F\x6E\x4C\x99\x6E\xA7\x4C"
      "\x61\x99\x6E");
  ASSERT_FALSE(root.IsNone()) << Error().sReason;
  EXPECT_EQ(root.Text(), "x");
}

TEST_F(Encodings, FaultsOfTheEncodingGiveOneReasonWithItsPlace) {
  // A byte the code page leaves undefined, after two-byte characters on its line.
  EXPECT_TRUE(
      LoadFile("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r>\xE9\xE9\x81</r>").IsNone());
  EXPECT_NE(Error().sReason.find("not valid in the encoding windows-1252: 0x81"), std::string::npos)
      << Error().sReason;
  EXPECT_EQ(Error().lLine, 2);
  EXPECT_EQ(Error().lLinePos, 6);

  EXPECT_TRUE(LoadFile("<?xml version=\"1.0\" encoding=\"x-no-such\"?><r/>").IsNone());
  EXPECT_NE(Error().sReason.find("Unsupported encoding x-no-such"), std::string::npos);
  EXPECT_TRUE(LoadFile("<?xml version=\"1.0\" encoding=\"1SO\"?><r/>").IsNone());
  EXPECT_NE(Error().sReason.find("Invalid XML encoding name"), std::string::npos);
  // A 16-bit encoding named by a declaration written in 8-bit characters.
  EXPECT_TRUE(LoadFile("<?xml version=\"1.0\" encoding=\"UTF-16\"?><r/>").IsNone());
  EXPECT_NE(Error().sReason.find("labelled UTF-16"), std::string::npos);
  // UTF-8, declared or not, is checked: latin-1 bytes in it are refused.
  EXPECT_TRUE(LoadFile("<r>\ncaf\xE9</r>").IsNone());
  EXPECT_NE(Error().sReason.find("not proper UTF-8"), std::string::npos);
  EXPECT_EQ(Error().lLine, 2);
  EXPECT_EQ(Error().lLinePos, 4);
  // A 16-bit document cut inside a character.
  EXPECT_TRUE(LoadFile("\xFF\xFE" + Utf16("<r/>", true) + "<").IsNone());
  EXPECT_NE(Error().sReason.find("ends inside a character"), std::string::npos);
}

TEST_F(Encodings, TheByteOrderMarkWinsOverTheDeclaration) {
  const Node root =
      LoadFile("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>\xC3\xA9</r>");
  ASSERT_FALSE(root.IsNone()) << Error().sReason;
  EXPECT_EQ(root.Text(), "\xC3\xA9");
}

TEST(TextLoads, ADeclaredEncodingDoesNotApplyButMustBeKnown) {
  Document doc;
  ASSERT_TRUE(doc.LoadXML("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>\xC3\xA9</r>"));
  EXPECT_EQ(doc.DocumentElement().Text(), "\xC3\xA9");
  ASSERT_TRUE(doc.LoadXML("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-16\"?><r>x</r>"));
  EXPECT_EQ(doc.DocumentElement().Text(), "x");
  EXPECT_FALSE(doc.LoadXML("<?xml version=\"1.0\" encoding=\"x-no-such\"?><r/>"));
  EXPECT_NE(doc.GetParseError().sReason.find("Unsupported encoding"), std::string::npos);
  EXPECT_FALSE(doc.LoadXML("<r>\xE9</r>"));
  EXPECT_NE(doc.GetParseError().sReason.find("not proper UTF-8"), std::string::npos);
}

}  // namespace
}  // namespace kvo::xml
