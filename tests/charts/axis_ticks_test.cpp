// The chart state's label patterns as printf formats and the tick step choice.
#include "charts/axis_ticks.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

TEST(LabelPrintf, WholeNumberPatternsKeepTheirUnitAndGrouping) {
  const LabelFormat time = LabelPrintf("#,###,##0us");
  EXPECT_EQ(time.printf, "%'.0fus");
  EXPECT_EQ(time.decimals, 0);
  EXPECT_EQ(LabelPrintf("##0s").printf, "%.0fs");
  EXPECT_EQ(LabelPrintf("#0").printf, "%.0f");
}

TEST(LabelPrintf, RequiredDecimalsAreFixedAndOptionalOnesBecomeG) {
  const LabelFormat fixed = LabelPrintf("0.00");
  EXPECT_EQ(fixed.printf, "%.2f");
  EXPECT_EQ(fixed.decimals, 2);
  const LabelFormat optional = LabelPrintf("#,##0.###");
  EXPECT_EQ(optional.printf, "%'g");
  EXPECT_EQ(optional.decimals, 3);
}

TEST(LabelPrintf, LiteralsAroundTheNumberStandAndAPercentIsEscaped) {
  EXPECT_EQ(LabelPrintf("x 0.0#%").printf, "x %g%%");
  EXPECT_EQ(LabelPrintf("%0").printf, "%%%.0f");
  EXPECT_EQ(LabelPrintf("").printf, "%.0f");
}

TEST(NiceStep, PicksOneTwoOrFiveTimesAPowerOfTen) {
  EXPECT_DOUBLE_EQ(NiceStep(10, 5, false), 2);       // 2 per tick exactly
  EXPECT_DOUBLE_EQ(NiceStep(7, 2, false), 5);        // 3.5 rounds up to 5
  EXPECT_DOUBLE_EQ(NiceStep(1000, 10, false), 100);  // 100 per tick exactly
  EXPECT_DOUBLE_EQ(NiceStep(0.3, 4, false), 0.1);    // 0.075 rounds up to the next decade
}

TEST(NiceStep, WholeAxesStepAtLeastOneAndEmptyRangesGiveOne) {
  EXPECT_DOUBLE_EQ(NiceStep(0.3, 4, true), 1);
  EXPECT_DOUBLE_EQ(NiceStep(0, 5, false), 1);
  EXPECT_DOUBLE_EQ(NiceStep(10, 0, false), 1);
}

}  // namespace
}  // namespace corvel
