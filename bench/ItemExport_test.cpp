// The generator keeps its promises: the same bytes for the same seed, a breadth-first tree of
// three to ten children per assembly, and the listed content on every item and structure line.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ItemExport.h"

namespace kvo::bench {
namespace {

using Doc = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

Doc Parse(const std::string& xml) {
  return Doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, 0),
             &xmlFreeDoc);
}

std::vector<xmlNode*> Children(const xmlNode* node, const char* name) {
  std::vector<xmlNode*> out;
  for (xmlNode* c = node->children; c != nullptr; c = c->next) {
    if (c->type == XML_ELEMENT_NODE && xmlStrcmp(c->name, BAD_CAST name) == 0) out.push_back(c);
  }
  return out;
}

std::string Attr(const xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, BAD_CAST name);
  std::string out = value != nullptr ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return out;
}

// Position of an item in fill order, from its number ("PCA-100042" -> 42).
int FillIndex(const xmlNode* item) {
  return std::stoi(Attr(item, "number").substr(4)) - 100000;
}

struct Walk {
  std::vector<int> level;  // by fill index
  std::vector<int> small;  // assemblies with fewer than three children
  int lines = 0;
};

void Check(const xmlNode* item, int depth, Walk& walk) {
  const int index = FillIndex(item);
  ASSERT_LT(index, static_cast<int>(walk.level.size()));
  walk.level[static_cast<std::size_t>(index)] = depth;
  for (const char* a : {"revision", "description", "itemType", "category", "uom", "lifecycleState",
                        "material", "weightGrams", "rohs"}) {
    EXPECT_FALSE(Attr(item, a).empty()) << a << " of item " << index;
  }
  const auto mfrs = Children(item, "ItemManufacturer");
  const auto suppliers = Children(item, "ItemSupplier");
  ASSERT_EQ(mfrs.size(), 2u);
  ASSERT_EQ(suppliers.size(), 3u);
  const std::string mpn = Attr(mfrs[0], "mfrPartNumber");
  EXPECT_EQ(Attr(suppliers[0], "mfrPartNumber"), mpn);
  EXPECT_EQ(Attr(suppliers[1], "mfrPartNumber"), mpn);
  EXPECT_EQ(Children(suppliers[1], "ManufacturerRef").size(), 1u);
  EXPECT_TRUE(Children(suppliers[2], "ManufacturerRef").empty());
  const auto docs = Children(item, "ItemDocument");
  const auto drawings = Children(item, "ItemDrawing");
  ASSERT_EQ(docs.size(), 1u);
  ASSERT_EQ(drawings.size(), 1u);
  EXPECT_EQ(Children(Children(docs[0], "Document")[0], "DocDataset").size(), 2u);
  EXPECT_EQ(Children(Children(drawings[0], "Document")[0], "DocDataset").size(), 1u);
  EXPECT_EQ(Children(item, "ItemFolder").size(), 1u);

  const auto lines = Children(item, "BomLine");
  EXPECT_LE(lines.size(), 10u);
  if (!lines.empty() && lines.size() < 3) walk.small.push_back(index);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const xmlNode* line = lines[k];
    EXPECT_EQ(Attr(line, "findNumber"), std::to_string(10 * (k + 1)));
    EXPECT_FALSE(Attr(line, "quantity").empty());
    EXPECT_FALSE(Attr(line, "mounting").empty());
    EXPECT_EQ(Children(line, "LocalAlternate").size(), 1u);
    EXPECT_EQ(Children(line, "RefDes").size(), 4u);
    const auto child = Children(line, "Item");
    ASSERT_EQ(child.size(), 1u);
    ASSERT_EQ(xmlFirstElementChild(const_cast<xmlNode*>(line)), child[0]);  // child item first
    // Siblings take consecutive places in fill order.
    EXPECT_EQ(FillIndex(child[0]), FillIndex(Children(lines[0], "Item")[0]) + static_cast<int>(k));
    ++walk.lines;
    Check(child[0], depth + 1, walk);
  }
}

TEST(ItemExport, SameSeedSameBytes) {
  const std::string a = ItemExport(300);
  EXPECT_EQ(a, ItemExport(300));
  EXPECT_NE(a, ItemExport(300, kDefaultSeed + 1));
  std::ostringstream out;
  EXPECT_EQ(WriteItemExport(out, 300).bytes, a.size());
}

TEST(ItemExport, BreadthFirstTreeWithTheListedContent) {
  const int items = 1000;
  std::ostringstream text;
  const ExportShape shape = WriteItemExport(text, items);
  const Doc doc = Parse(text.str());
  ASSERT_TRUE(doc);
  const auto top = Children(xmlDocGetRootElement(doc.get()), "Item");
  ASSERT_EQ(top.size(), 1u);
  Walk walk;
  walk.level.assign(items, -1);
  Check(top[0], 0, walk);
  EXPECT_EQ(walk.lines, items - 1);
  // Filled breadth first: levels never fall in fill order, and every item was reached.
  for (int i = 1; i < items; ++i) {
    EXPECT_GE(walk.level[static_cast<std::size_t>(i)], walk.level[static_cast<std::size_t>(i - 1)])
        << i;
  }
  EXPECT_EQ(shape.levels, walk.level.back() + 1);
  EXPECT_EQ(shape.levels, 5);
  // Only the last assembly filled may take fewer than three children: the size was reached.
  EXPECT_LE(walk.small.size(), 1u);
}

}  // namespace
}  // namespace kvo::bench
