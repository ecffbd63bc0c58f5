#include <gtest/gtest.h>
#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/XmlDom.h>

#include <thread>

#include "support/TestSupport.h"

namespace kvo::xml {
namespace {

TEST(XmlDom, WhitespaceBetweenElementsIsDroppedButTextIsKeptWhole) {
  Document doc;
  ASSERT_TRUE(
      doc.LoadXML("<r>\n  <a>  padded text  </a>\n  <b>   </b>\n  <c>x<d>y</d> z</c>\n</r>"));
  Node root = doc.DocumentElement();
  EXPECT_EQ(root.FirstChild().NodeName(), "a");
  EXPECT_EQ(root.FirstChild().NextSibling().NodeName(), "b");
  EXPECT_EQ(root.ChildNodes().Length(), 3);
  EXPECT_EQ(root.SelectSingleNode("a").Text(), "  padded text  ");
  EXPECT_FALSE(root.SelectSingleNode("b").HasChildNodes());
  EXPECT_EQ(root.SelectSingleNode("c").Text(), "xy z");
  EXPECT_EQ(root.SelectSingleNode("c").ParentNode(), root);
}

TEST(XmlDom, ParseErrorReportsTheFirstErrorWithLineAndPosition) {
  Document doc;
  EXPECT_FALSE(doc.LoadXML("<a>\n<b>\n</a>\n<c"));
  const ParseError& err = doc.GetParseError();
  EXPECT_NE(err.lErrorCode, 0);
  EXPECT_NE(err.sReason.find("mismatch"), std::string::npos) << err.sReason;
  EXPECT_EQ(err.lLine, 3);
  EXPECT_GT(err.lLinePos, 0);
  EXPECT_TRUE(doc.DocumentElement().IsNone());

  EXPECT_FALSE(doc.Load("/no/such/folder/file.xml"));
  EXPECT_NE(doc.GetParseError().lErrorCode, 0);
  EXPECT_TRUE(doc.LoadXML("<ok/>"));
  EXPECT_EQ(doc.GetParseError().lErrorCode, 0);
}

TEST(XmlDom, EntityExpansionAndExternalResourcesAreRefused) {
  std::string bomb = "<!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\">";
  std::string prev = "a";
  for (int i = 1; i <= 9; ++i) {
    std::string name = "a" + std::to_string(i);
    bomb += "<!ENTITY " + name + " \"";
    for (int k = 0; k < 10; ++k) bomb += "&" + prev + ";";
    bomb += "\">";
    prev = name;
  }
  bomb += "]><l>&" + prev + ";</l>";
  Document doc;
  EXPECT_FALSE(doc.LoadXML(bomb));

  // An external entity is neither fetched nor substituted.
  test::TempDir dir;
  test::WriteFile(dir.Path() / "secret.txt", "SECRET");
  ASSERT_TRUE(doc.LoadXML("<!DOCTYPE a [<!ENTITY ext SYSTEM \"file://" + dir.Str("secret.txt") +
                          "\">]><a>&ext;</a>"));
  EXPECT_EQ(doc.DocumentElement().Text().find("SECRET"), std::string::npos);
}

TEST(XmlDom, SelectionIsRelativeAndInDocumentOrder) {
  Document doc;
  ASSERT_TRUE(doc.LoadXML(
      "<r><L n='1'><I id='x'/></L><L n='2'><I id='y'><L n='3'/></I></L><M/><L n='4'/></r>"));
  Node root = doc.DocumentElement();
  NodeList lines = root.SelectNodes("L");
  ASSERT_EQ(lines.Length(), 3);
  EXPECT_EQ(lines.Item(0).GetAttribute("n"), "1");
  EXPECT_EQ(lines.Item(2).GetAttribute("n"), "4");
  EXPECT_EQ(root.SelectNodes("//L").Length(), 4);
  EXPECT_EQ(root.SelectNodes("L | M").Item(2).NodeName(), "M");
  EXPECT_EQ(lines.Item(1).SelectSingleNode("I").GetAttribute("id"), "y");
  EXPECT_TRUE(root.SelectSingleNode("Z").IsNone());
  EXPECT_THROW(lines.Item(3), RunError);
  EXPECT_FALSE(root.Attribute("missing").has_value());
  EXPECT_EQ(root.SelectNodes("*[@n > 1]").Length(), 2);
}

TEST(XmlDom, InvalidQueriesAreRunErrors) {
  Document doc;
  ASSERT_TRUE(doc.LoadXML("<r><a/></r>"));
  Node root = doc.DocumentElement();
  EXPECT_THROW(root.SelectNodes("a[@"), RunError);
  EXPECT_THROW(root.SelectNodes(""), RunError);
  EXPECT_THROW(root.SelectNodes("count(a)"), RunError);  // not a node set
  EXPECT_THROW(Node().SelectNodes("a"), RunError);
  // The same query works again after a failure, and repeated queries give fresh results.
  EXPECT_EQ(root.SelectNodes("a").Length(), 1);
  EXPECT_EQ(root.SelectNodes("a").Length(), 1);
}

TEST(XmlDom, LiteralsQuoteAnyText) {
  Document doc;
  ASSERT_TRUE(
      doc.LoadXML("<r><x>plain</x><x>it's</x><x>say \"hi\"</x><x>it's \"both\"</x><x>''</x></r>"));
  Node root = doc.DocumentElement();
  for (std::string text : {"plain", "it's", "say \"hi\"", "it's \"both\"", "''"}) {
    Node found = root.SelectSingleNode("x[. = " + XPathLiteral(text) + "]");
    ASSERT_FALSE(found.IsNone()) << text;
    EXPECT_EQ(found.Text(), text);
  }
}

TEST(XmlDom, DeepDocumentsLoadWithoutRecursion) {
  std::string deep;
  const int kDepth = 200;  // the parser's own depth limit is 256 without lifting its limits
  for (int i = 0; i < kDepth; ++i) deep += "<n>\n ";
  for (int i = 0; i < kDepth; ++i) deep += "</n>\n";
  Document doc;
  ASSERT_TRUE(doc.LoadXML(deep));
  EXPECT_EQ(doc.DocumentElement().SelectNodes("//n").Length(), kDepth);
}

TEST(XmlDom, ParseErrorsOfThreadsDoNotMix) {
  auto load = [](const std::string& text, ParseError* out) {
    for (int i = 0; i < 200; ++i) {
      Document doc;
      doc.LoadXML(text);
      *out = doc.GetParseError();
      if (out->lErrorCode == 0) return;
    }
  };
  ParseError good, bad;
  std::thread t1(load, "<a><b/></a>", &good);
  std::thread t2(load, "<a>\n\n<b></a>", &bad);
  t1.join();
  t2.join();
  EXPECT_EQ(good.lErrorCode, 0);
  EXPECT_NE(bad.lErrorCode, 0);
  EXPECT_EQ(bad.lLine, 3);
}

}  // namespace
}  // namespace kvo::xml
