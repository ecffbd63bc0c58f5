// The built-in reference-designator grouping and the factory hook that creates it.
#include "parse/RefDesGrouper.h"

#include <gtest/gtest.h>
#include <kvoexportexcel/RunError.h>

#include <kvoexportexcel/IRefDesGrouper.h>

namespace kvo::test {
namespace {

using List = std::vector<std::string>;

List Grouped(List vDesignators) {
  return RefDesGrouper().Group(vDesignators);
}

TEST(ParseRefDesGrouper, SortsByPrefixThenByValue) {
  EXPECT_EQ(Grouped({"R10", "C2", "R2", "C1"}), (List{"C1", "C2", "R2", "R10"}));
  EXPECT_EQ(Grouped({"R100", "R20", "R3"}), (List{"R3", "R20", "R100"}));
}

TEST(ParseRefDesGrouper, ThreeOrMoreConsecutiveValuesBecomeARange) {
  EXPECT_EQ(Grouped({"R4", "R1", "R3", "R2", "R8", "R7"}), (List{"R1-R4", "R7", "R8"}));
  EXPECT_EQ(Grouped({"R11", "R9", "R10"}), (List{"R9-R11"}));
  EXPECT_EQ(Grouped({"C3", "R1", "C1", "R2", "C2"}), (List{"C1-C3", "R1", "R2"}));
  EXPECT_EQ(Grouped({"R02", "R01", "R03"}), (List{"R01-R03"}));
}

TEST(ParseRefDesGrouper, DesignatorsWithoutTrailingNumberFollowInInputOrder) {
  EXPECT_EQ(Grouped({"TP", "R2A", "R1", "J", "R2", "R3"}), (List{"R1-R3", "TP", "R2A", "J"}));
}

TEST(ParseRefDesGrouper, DuplicatesStayVisible) {
  EXPECT_EQ(Grouped({"R1", "R3", "R1", "R2"}), (List{"R1", "R1-R3"}));
  EXPECT_EQ(Grouped({"R2", "R1", "R2", "R3"}), (List{"R1", "R2", "R2", "R3"}));
}

TEST(ParseRefDesGrouper, EmptyListGivesEmptyResult) {
  EXPECT_TRUE(Grouped({}).empty());
}

TEST(ParseRefDesGrouper, FactoryHookReplacesAndRestoresTheComponent) {
  RefDesGrouperFactory fnPrevious =
      SetRefDesGrouperFactory([] { return std::unique_ptr<IRefDesGrouper>(); });
  try {
    CreateRefDesGrouper();
    ADD_FAILURE() << "a factory without a component must raise";
  } catch (const RunError& e) {
    EXPECT_EQ(e.Number(), 429);
  }
  SetRefDesGrouperFactory(std::move(fnPrevious));
  EXPECT_NE(dynamic_cast<RefDesGrouper*>(CreateRefDesGrouper().get()), nullptr);
}

}  // namespace
}  // namespace kvo::test
