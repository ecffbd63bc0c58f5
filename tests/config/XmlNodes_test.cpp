// The nodes a selection can give besides elements, namespace declarations, prefixed queries,
// and the numbers child selections read.
#include <gtest/gtest.h>
#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/XmlDom.h>

#include <set>

namespace kvo::xml {
namespace {

TEST(XmlNodes, AttributesSelectedAreNodesWithATextChild) {
  Document doc;
  ASSERT_TRUE(doc.LoadXML("<r><i a=\"1\" xmlns:p=\"urn:p\" b=\"\" p:c=\"3\"/></r>"));
  const Node item = doc.DocumentElement().FirstChild();
  const NodeList attrs = item.SelectNodes("@*");
  ASSERT_EQ(attrs.Length(), 3);  // a namespace declaration is no attribute
  const Node a = item.SelectSingleNode("@a");
  EXPECT_EQ(a.NodeName(), "a");
  EXPECT_EQ(a.Text(), "1");
  EXPECT_EQ(a.ParentNode(), item);
  EXPECT_EQ(a.FirstChild().NodeName(), "#text");
  EXPECT_EQ(a.FirstChild().Text(), "1");
  EXPECT_EQ(a.FirstChild().ParentNode(), a);
  EXPECT_EQ(a.NextSibling().NodeName(), "b");  // the declaration between is no attribute
  EXPECT_FALSE(a.NextSibling().HasChildNodes());
  EXPECT_FALSE(a.Attribute("a").has_value());
  // Keys tell an element, its attribute and the attribute's text apart.
  const std::set<const void*> keys = {item.Key(), a.Key(), a.FirstChild().Key(),
                                      item.SelectSingleNode("@a").Key()};
  EXPECT_EQ(keys.size(), 3u);
  EXPECT_EQ(Node().Key(), nullptr);
  EXPECT_FALSE(item.Attribute("xmlns:p").has_value());
  EXPECT_EQ(item.GetAttribute("p:c"), "3");
}

TEST(XmlNodes, QueriesNamingAPrefixAreRefusedAsBefore) {
  Document doc;
  ASSERT_TRUE(doc.LoadXML("<r xmlns:p=\"urn:p\"><p:i/></r>"));
  const Node root = doc.DocumentElement();
  EXPECT_EQ(root.FirstChild().NodeName(), "p:i");
  try {
    root.SelectNodes("p:i");
    FAIL() << "a prefixed name test";
  } catch (const RunError& e) {
    EXPECT_EQ(e.Description(), "XPath error: Undefined namespace prefix in query 'p:i'");
  }
  EXPECT_THROW(root.SelectNodes("*[@p:a]"), RunError);
  // Axes and literals with colons are no prefixes.
  EXPECT_EQ(root.SelectNodes("child::*[name() = 'p:i']").Length(), 1);
  EXPECT_EQ(root.SelectNodes("self::node()[not(contains('a:b', 'x:y'))]").Length(), 1);
}

TEST(XmlNodes, CommentsInstructionsAndCdataAreNodes) {
  Document doc;
  ASSERT_TRUE(doc.LoadXML("<r><!--c--><?pi data?><![CDATA[<x>]]>t</r>"));
  const NodeList children = doc.DocumentElement().ChildNodes();
  ASSERT_EQ(children.Length(), 4);
  EXPECT_EQ(children.Item(0).NodeName(), "#comment");
  EXPECT_EQ(children.Item(0).Text(), "c");
  EXPECT_EQ(children.Item(1).NodeName(), "pi");
  EXPECT_EQ(children.Item(2).NodeName(), "#cdata-section");
  EXPECT_EQ(doc.DocumentElement().Text(), "<x>t");
  EXPECT_EQ(doc.DocumentElement().ParentNode().NodeName(), "#document");
}

TEST(XmlNodes, ChildSelectionsByNumberReadExponentsAndBlanks) {
  Document doc;
  ASSERT_TRUE(
      doc.LoadXML("<r><a ORDER=\" 2 \"/><b ORDER=\"1.5e1\"/><c ORDER=\"x\"/><d/><e ORDER=\"-1\"/>"
                  "<f ORDER=\"2.\"/><g ORDER=\"+2\"/></r>"));
  const Node root = doc.DocumentElement();
  auto Names = [&](const std::string& sQuery) {
    std::string s;
    for (const Node& n : root.SelectNodes(sQuery)) s += n.NodeName();
    return s;
  };
  EXPECT_EQ(Names("*[@ORDER > 0]"), "abf");
  EXPECT_EQ(Names("*[ @ORDER = 2 ]"), "af");
  EXPECT_EQ(Names("*[@ORDER=15]"), "b");
  EXPECT_EQ(Names("*[@ORDER != 2]"), "bceg");  // no number is unequal to every number
  EXPECT_EQ(Names("*[@ORDER <= -1]"), "e");
  EXPECT_EQ(Names("*[@ORDER > 0][1]"), "a");  // other shapes go through XPath itself
}

}  // namespace
}  // namespace kvo::xml
