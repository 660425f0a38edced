#include "analysis/group_stats.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvel {
namespace {

GroupStat Of(std::initializer_list<double> values) {
  RunningMoments m;
  for (const double v : values) m.Add(v);
  return Describe(m);
}

// Control 1, 2, 3 against treatment 4, 5, 6: both SDs 1, t = 3 / sqrt(2/3) = 3.674235 with
// 4 degrees of freedom. The t-table puts it between t(0.05; 4) = 2.776 and t(0.02; 4) = 3.747;
// the closed form of the t distribution with 4 degrees of freedom gives p = 0.0213116.
TEST(GroupStats, ThreeAgainstThreeWithEqualSpread) {
  GroupStat control = Of({1, 2, 3});
  GroupStat treated = Of({4, 5, 6});
  EXPECT_EQ(treated.n, 3);
  EXPECT_DOUBLE_EQ(treated.mean, 5);
  EXPECT_DOUBLE_EQ(treated.sd, 1);
  EXPECT_NEAR(treated.se, 0.5773503, 1e-7);
  CompareToControl(treated, control);
  EXPECT_DOUBLE_EQ(treated.ratio, 2.5);
  EXPECT_NEAR(treated.p, 0.0213116, 1e-7);
  EXPECT_LT(treated.p, 0.05);
  EXPECT_GT(treated.p, 0.02);
}

// Control 10, 12, 14 (SD 2) against 20, 21, 22 (SD 1): t = 9 / sqrt(4/3 + 1/3) = 6.971370,
// Welch-Satterthwaite df = (5/3)^2 / ((4/3)^2/2 + (1/3)^2/2) = 50/17 = 2.941; p = 0.006458.
TEST(GroupStats, WelchUsesTheSatterthwaiteDegreesOfFreedom) {
  GroupStat control = Of({10, 12, 14});
  GroupStat treated = Of({20, 21, 22});
  CompareToControl(treated, control);
  EXPECT_DOUBLE_EQ(control.sd, 2);
  EXPECT_NEAR(treated.ratio, 1.75, 1e-12);
  EXPECT_NEAR(treated.p, 0.00645759, 1e-8);
}

TEST(GroupStats, OneRecordHasNoSpreadAndNoTest) {
  GroupStat one = Of({7});
  EXPECT_EQ(one.n, 1);
  EXPECT_DOUBLE_EQ(one.mean, 7);
  EXPECT_TRUE(std::isnan(one.sd));
  EXPECT_TRUE(std::isnan(one.se));
  CompareToControl(one, Of({1, 2, 3}));
  EXPECT_NEAR(one.ratio, 3.5, 1e-12);
  EXPECT_TRUE(std::isnan(one.p));
  EXPECT_TRUE(std::isnan(Describe(RunningMoments()).mean));
}

TEST(GroupStats, ControlMeanZeroGivesNoRatio) {
  GroupStat treated = Of({1, 2, 3});
  CompareToControl(treated, Of({-1, 0, 1}));
  EXPECT_TRUE(std::isnan(treated.ratio));
  EXPECT_FALSE(std::isnan(treated.p));
}

TEST(GroupStats, IdenticalGroupsGivePOneAndRatioOne) {
  GroupStat treated = Of({0.8, 0.82, 0.84});
  CompareToControl(treated, Of({0.8, 0.82, 0.84}));
  EXPECT_DOUBLE_EQ(treated.ratio, 1);
  EXPECT_DOUBLE_EQ(treated.p, 1);
}

TEST(GroupStats, BothSpreadsZeroGiveNoTest) {
  GroupStat treated = Of({5, 5});
  CompareToControl(treated, Of({4, 4, 4}));
  EXPECT_DOUBLE_EQ(treated.sd, 0);
  EXPECT_NEAR(treated.ratio, 1.25, 1e-12);
  EXPECT_TRUE(std::isnan(treated.p));
}

}  // namespace
}  // namespace corvel
