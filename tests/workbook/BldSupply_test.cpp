// Manufacturer and supplier sections at the end of an item block.
#include "workbook/BldExcelProbe.h"
#include "workbook/excel/store/Palette.h"

namespace kvo::test {
namespace {

class BldSupplyTest : public BldFixture {
 protected:
  static MnfStruct Maker(const std::string& sID, std::vector<ObjStruct> vVnd) {
    const auto lUB = static_cast<std::int32_t>(vVnd.size()) - 1;
    return {sID, "N" + sID, "P" + sID, std::nullopt, std::move(vVnd), lUB};
  }
  static ObjStruct Supplier(const std::string& sID) {
    return {sID, "N" + sID, "P" + sID, Row{"a" + sID}};
  }
  void ItemWith(std::int16_t iState, std::vector<MnfStruct> vMnf, std::vector<ObjStruct> vOwn) {
    ObjItem t = MakeItem(0, "I");
    t.iVndState = iState;
    t.lMnfUB = static_cast<std::int32_t>(vMnf.size()) - 1;
    t.lVndUB = static_cast<std::int32_t>(vOwn.size()) - 1;
    t.arrMnf = std::move(vMnf), t.arrVnd = std::move(vOwn);
    SetItems({t});
  }
};

TEST_F(BldSupplyTest, BothKindsGiveThreeSectionsAndEachMakerOnce) {
  MnfStruct tLone = Maker("M0", {});
  tLone.vAttr = Row{"pref"};
  ItemWith(3, {tLone, Maker("M1", {Supplier("S1"), Supplier("S2")})}, {Supplier("V1")});
  InitSheet();
  std::int32_t lRow = 20;
  probe_.FillSupply(0, lRow);
  EXPECT_EQ(lRow, 35);
  ExpectRows({{20, {"Manufacturers", ""}},
              {21, {"Man. ID", "M0", "MPN", "PM0", "Name", "NM0"}},
              {22, {"Pref", "pref"}},
              {23, {"", ""}},
              {24, {"Suppliers", ""}},
              {25, {"Sup. ID", "V1", "SPN", "PV1", "Name", "NV1"}},
              {26, {"Lead", "aV1"}},
              {27, {"", ""}},
              {28, {"Manufacturers with Suppliers", ""}},
              {29, {"Man. ID", "M1", "MPN", "PM1", "Name", "NM1"}},
              {30, {"", ""}},
              {31, {"Suppliers of Manufacturer", "", "M1"}},
              {32, {"Sup. ID", "S1", "SPN", "PS1", "Name", "NS1"}},
              {33, {"Sup. ID", "S2"}},  // a manufacturer's suppliers show no attributes
              {34, {"", ""}}});
  EXPECT_EQ(Sheet().MergeAreaAt(31, 1), (excel::Rect{31, 1, 31, 2}));
  EXPECT_EQ(Sheet().EffectiveFormat(31, 3).fontColor, excel::SheetColor::Palette(48));
}

TEST_F(BldSupplyTest, MakersWithoutSuppliersOnlyGiveTheFirstSection) {
  ItemWith(1, {Maker("M0", {})}, {});
  InitSheet();
  std::int32_t lRow = 50;
  probe_.FillSupply(0, lRow);
  EXPECT_EQ(lRow, 53);
  ExpectRows({{50, {"Manufacturers"}}, {51, {"Man. ID", "M0"}}, {53, {""}}});

  ItemWith(0, {}, {});
  probe_.FillSupply(0, lRow);
  EXPECT_EQ(lRow, 53);
}

TEST_F(BldSupplyTest, ThirdSectionCaptionsHaveNoDefault) {
  LoadConfig(
      "<cfg><PROPERTY_LBL><MNF_LBL><MNF_CAP_LBL><A ORDER='1'>m-one</A><B ORDER='2'>m-two</B>"
      "<C ORDER='3'>m-three</C></MNF_CAP_LBL></MNF_LBL></PROPERTY_LBL></cfg>");
  ItemWith(2, {Maker("M1", {Supplier("S1")})}, {});
  InitSheet();
  std::int32_t lRow = 60;
  probe_.FillSupply(0, lRow);
  EXPECT_EQ(lRow, 66);
  ExpectRows({{60, {""}},
              {61, {"m-one", "M1", "m-three", "PM1", "m-two", "NM1"}},
              {63, {"", "", "M1"}},
              {64, {"Sup. ID", "S1", "SPN", "PS1", "Name", "NS1"}}});
  EXPECT_EQ(Sheet().MergeAreaAt(60, 1), (excel::Rect{60, 1, 60, 6}));
  EXPECT_EQ(Sheet().EffectiveFormat(60, 1).borderTop, excel::xlContinuous);
  EXPECT_EQ(Sheet().MergeAreaAt(63, 1), (excel::Rect{63, 1, 63, 2}));
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
}  // namespace kvo::test
