// Loading the source file: the dated parse-error line.
#include <gtest/gtest.h>

#include "parse/ParseFixture.h"

namespace kvo::test {
namespace {

using ParseLoad = ParseFixture;

TEST_F(ParseLoad, ParseErrorIsLoggedAsADatedLineBuiltFromTheConfiguredTexts) {
  const std::string sPath = dir_.Str("broken.xml");
  WriteFile(sPath, "<Root_Element>\n<Qx></Root_Element>\n");
  std::shared_ptr<xml::Document> doc;
  const std::string sBefore = NowText();
  EXPECT_FALSE(clsXMLPars().LoadCurrentXML(doc, sPath));
  const std::string sAfter = NowText();
  ASSERT_NE(doc, nullptr);
  const xml::ParseError& tErr = doc->GetParseError();
  ASSERT_NE(tErr.lErrorCode, 0);
  EXPECT_EQ(tErr.lLine, 2);
  const std::string sMiddle =
      " " + sPath + "[parse]" + tErr.sReason + "[line]2[pos]" + std::to_string(tErr.lLinePos) + " ";
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 1u);
  bool bMatches = false;
  for (const std::string& sStart : {sBefore, sAfter}) {
    for (const std::string& sEnd : {sBefore, sAfter})
      bMatches |= vLines[0] == sStart + sMiddle + sEnd;
  }
  EXPECT_TRUE(bMatches) << vLines[0];
}

TEST_F(ParseLoad, WellFormedFileLoadsWithoutLogLine) {
  const std::string sPath = dir_.Str("good.xml");
  WriteFile(sPath, "<Root_Element><Qx nr=\"A\"/></Root_Element>");
  std::shared_ptr<xml::Document> doc;
  EXPECT_TRUE(clsXMLPars().LoadCurrentXML(doc, sPath));
  EXPECT_EQ(doc->DocumentElement().NodeName(), "Root_Element");
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
}  // namespace kvo::test
