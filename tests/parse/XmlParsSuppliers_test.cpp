// Manufacturers, their tied suppliers, item-level suppliers and the supplier state code.
#include <gtest/gtest.h>

#include "parse/ParseFixture.h"

namespace kvo::test {
namespace {

class ParseSuppliers : public ParseFixture {
 protected:
  // Parses one item whose element holds sRelations and returns its record.
  const ObjItem& ParseItem(const std::string& sRelations) {
    Parse("<Root_Element><Qx nr=\"A\">" + sRelations + "</Qx></Root_Element>");
    return kvo::Run().arrItems.at(0);
  }
  // A supplier relation tied to a manufacturer part number (a second child node ties it).
  static std::string Tied(const std::string& sMpn, const std::string& sId) {
    return "<Sv forMpn=\"" + sMpn + "\" spn=\"S-" + sId + "\"><Su sid=\"" + sId + "\"/><Ref/></Sv>";
  }
};

TEST_F(ParseSuppliers, ItemWithoutManufacturersOrSuppliers) {
  const ObjItem& tItem = ParseItem("");
  EXPECT_EQ(tItem.lMnfUB, -1);
  EXPECT_EQ(tItem.iVndState, 0);
  EXPECT_EQ(tItem.lVndUB, -1);
}

TEST_F(ParseSuppliers, ManufacturerWithTiedSuppliersAndOneWithout) {
  const ObjItem& tItem = ParseItem(R"(
    <Mk mpn="M1" grade="g1"><Mf mid="1" mname="One"/></Mk>
    <Mk mpn="M2"><Mf mid="2" mname="Two"/></Mk>
    <Sv forMpn="M1" spn="S1" price="5"><Su sid="V1" sname="Vone"/><Ref/></Sv>)" +
                                   Tied("M1", "V2") + R"(
    <Sv spn="S3"><Su sid="V3" sname="Vthree"/></Sv><Sv spn="S4"/>)");
  ASSERT_EQ(tItem.lMnfUB, 1);
  EXPECT_EQ(tItem.iVndState, 3);
  const MnfStruct& tFirst = tItem.arrMnf[0];
  EXPECT_EQ(tFirst.sID, "1");
  EXPECT_EQ(tFirst.sName, "One");
  EXPECT_EQ(tFirst.sMPN, "M1");
  EXPECT_EQ(tFirst.vAttr, (std::vector<std::string>{"g1"}));
  ASSERT_EQ(tFirst.lVndUB, 1);
  EXPECT_EQ(Texts(tFirst.arrVnd[0]), (std::vector<std::string>{"V1", "Vone", "S1"}));
  EXPECT_EQ(tFirst.arrVnd[0].vAttr, (std::vector<std::string>{"5"}));
  EXPECT_EQ(tFirst.arrVnd[1].sID, "V2");
  EXPECT_EQ(tItem.arrMnf[1].lVndUB, -1);
  ASSERT_EQ(tItem.lVndUB, 1);
  EXPECT_EQ(tItem.arrVnd[0].sID, "V3");
  EXPECT_EQ(tItem.arrVnd[1].sID, "");
  EXPECT_EQ(tItem.arrVnd[1].sRev, "S4");
}

TEST_F(ParseSuppliers, OneManufacturerWithOneTiedSupplierOnly) {
  const ObjItem& tItem = ParseItem("<Mk mpn=\"M1\"><Mf/></Mk>" + Tied("M1", "V1"));
  EXPECT_EQ(tItem.iVndState, 2);
  EXPECT_EQ(tItem.arrMnf.at(0).lVndUB, 0);
  EXPECT_EQ(tItem.lVndUB, -1);
}

TEST_F(ParseSuppliers, ManufacturerRelationWithoutChildKeepsItsOwnFields) {
  const ObjItem& tItem = ParseItem(R"(<Mk mpn="M1" grade="g"/>)");
  ASSERT_EQ(tItem.lMnfUB, 0);
  EXPECT_EQ(tItem.arrMnf[0].sID, "");
  EXPECT_EQ(tItem.arrMnf[0].sName, "");
  EXPECT_EQ(tItem.arrMnf[0].sMPN, "M1");
  EXPECT_EQ(tItem.arrMnf[0].vAttr, (std::vector<std::string>{"g"}));
  EXPECT_EQ(tItem.iVndState, 1);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(ParseSuppliers, StateCodeCombinesEveryManufacturer) {
  const std::string sWith = "<Mk mpn=\"W\"/>" + Tied("W", "V");
  EXPECT_EQ(ParseItem("<Mk mpn=\"N1\"/><Mk mpn=\"N2\"/>").iVndState, 1);
  EXPECT_EQ(ParseItem(sWith + "<Mk mpn=\"W\"/>").iVndState, 2);
  EXPECT_EQ(ParseItem("<Mk mpn=\"N\"/>" + sWith).iVndState, 3);
}

TEST_F(ParseSuppliers, PartNumbersWithQuotesKeepTheirSuppliers) {
  const ObjItem& tItem = ParseItem("<Mk mpn=\"O'Neil\"/><Mk mpn=\"A'B&quot;C\"/>" +
                                   Tied("A'B&quot;C", "V2") + Tied("O'Neil", "V1"));
  ASSERT_EQ(tItem.lMnfUB, 1);
  ASSERT_EQ(tItem.arrMnf[0].lVndUB, 0);
  EXPECT_EQ(tItem.arrMnf[0].arrVnd[0].sID, "V1");
  ASSERT_EQ(tItem.arrMnf[1].lVndUB, 0);
  EXPECT_EQ(tItem.arrMnf[1].arrVnd[0].sID, "V2");
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(ParseSuppliers, TiedSupplierRelationWithoutChildKeepsItsSlotAndTheOthers) {
  const ObjItem& tItem =
      ParseItem(R"(<Mk mpn="M1"/><Sv forMpn="M1" spn="S0" price="1"/>)" + Tied("M1", "V1"));
  const MnfStruct& tMnf = tItem.arrMnf.at(0);
  ASSERT_EQ(tMnf.lVndUB, 1);
  EXPECT_EQ(Texts(tMnf.arrVnd[0]), (std::vector<std::string>{"", "", "S0"}));
  EXPECT_EQ(tMnf.arrVnd[0].vAttr, (std::vector<std::string>{"1"}));
  EXPECT_EQ(tMnf.arrVnd[1].sID, "V1");
  EXPECT_EQ(tItem.iVndState, 2);
  // Without a second child node the relation also counts as an item-level supplier.
  ASSERT_EQ(tItem.lVndUB, 0);
  EXPECT_EQ(tItem.arrVnd[0].sRev, "S0");
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(ParseSuppliers, ItemLevelSuppliersAreCountedDespiteSharedPartNumbers) {
  const ObjItem& tItem = ParseItem("<Mk mpn=\"M1\"/><Mk mpn=\"M1\"/>" + Tied("M1", "V1") +
                                   R"(<Sv spn="S2"><Su sid="V2"/></Sv><Sv spn="S3"/>)");
  EXPECT_EQ(tItem.arrMnf.at(0).lVndUB, 0);
  EXPECT_EQ(tItem.arrMnf.at(1).arrVnd.at(0).sID, "V1");
  ASSERT_EQ(tItem.lVndUB, 1);
  EXPECT_EQ(tItem.arrVnd[0].sID, "V2");
  EXPECT_EQ(tItem.arrVnd[1].sRev, "S3");
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(ParseSuppliers, FailingManufacturerListLeavesTheSupplierFieldsUnset) {
  kvo::Run().sObjItemMnf = "Mk[";
  const ObjItem& tItem = ParseItem("<Sv spn=\"S1\"/>");
  EXPECT_EQ(tItem.lMnfUB, -1);
  EXPECT_EQ(tItem.iVndState, 0);
  EXPECT_EQ(tItem.lVndUB, 0);  // value of a fresh slot
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 1u);
  ExpectErrorLine(vLines[0], "FillMNFArray");
}

}  // namespace
}  // namespace kvo::test
