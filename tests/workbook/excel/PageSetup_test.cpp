// Page setup: orientation, print titles, footer and print area as set by the builder.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include "workbook/excel/Application.h"

namespace kvo::excel {
namespace {

class PageSetupTest : public ::testing::Test {
 protected:
  Application app_;
  Worksheet& sheet_ = app_.Workbooks().Add().Worksheets(1);
  PageSetup& setup_ = sheet_.PageSetup();
};

TEST_F(PageSetupTest, BuilderSettingsReadBack) {
  EXPECT_EQ(setup_.Orientation(), xlPortrait);
  setup_.Orientation(xlLandscape);
  setup_.PrintTitleRows(sheet_.Range(sheet_.Cells(1, 1), sheet_.Cells(3, 4)).Address());
  setup_.CenterFooter("&P");
  setup_.PrintArea(sheet_.Range(sheet_.Cells(1, 1), sheet_.Cells(40, 6)).Address());

  EXPECT_EQ(setup_.Orientation(), xlLandscape);
  EXPECT_EQ(setup_.PrintTitleRows(), "$1:$3");
  EXPECT_EQ(setup_.CenterFooter(), "&P");
  EXPECT_EQ(setup_.PrintArea(), "$A$1:$F$40");
  EXPECT_EQ(setup_.PrintAreaRect(), (Rect{1, 1, 40, 6}));
}

TEST_F(PageSetupTest, EmptyReferenceRemovesAndBadReferenceRaises) {
  setup_.PrintArea("A1:F9");
  setup_.PrintArea("");
  EXPECT_EQ(setup_.PrintArea(), "");
  EXPECT_THROW(setup_.PrintArea("A0:F9"), RunError);
  EXPECT_THROW(setup_.PrintTitleRows("$1:$1048577"), RunError);
  EXPECT_THROW(setup_.Orientation(3), RunError);
}

TEST_F(PageSetupTest, FooterRefusesPicturesAndTextTooLongForTheFile) {
  EXPECT_THROW(setup_.CenterFooter("&G"), RunError);
  EXPECT_NO_THROW(setup_.CenterFooter("Tom &&Gerry"));  // "&&" is an ampersand
  EXPECT_NO_THROW(setup_.CenterFooter(std::string(PageSetup::kMaxFooterLength, 'f')));
  EXPECT_THROW(setup_.CenterFooter(std::string(PageSetup::kMaxFooterLength + 1, 'f')), RunError);
  EXPECT_EQ(setup_.CenterFooter().size(), PageSetup::kMaxFooterLength);
}

}  // namespace
}  // namespace kvo::excel
