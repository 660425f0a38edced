// The monotone curve a chart view draws through a smoothed series.
#include "charts/smooth_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace corvel {
namespace {

std::vector<ChartPoint> Smooth(const std::vector<ChartPoint>& in, bool log_x, double x_span) {
  std::vector<ChartPoint> out;
  SmoothScratch scratch;
  SmoothCurve(in, log_x, x_span, out, scratch);
  return out;
}

TEST(SmoothCurve, FewerThanThreePointsAreCopied) {
  const std::vector<ChartPoint> out = Smooth({{0, 0}, {1, 1}}, false, 1);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_DOUBLE_EQ(out[1].x, 1);
  EXPECT_DOUBLE_EQ(out[1].y, 1);
}

TEST(SmoothCurve, ALogarithmicAxisLeavesOutPointsAtOrBelowZero) {
  const std::vector<ChartPoint> out = Smooth({{0, 5}, {1, 1}, {10, 2}}, true, 1);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_DOUBLE_EQ(out[0].x, 1);
  EXPECT_DOUBLE_EQ(out[1].x, 10);
}

TEST(SmoothCurve, AStepNeverOvershootsItsFlatNeighbours) {
  // Tangents are 0 at every point (a flat neighbour on each side), so the middle segment is the
  // cubic 3t² - 2t³ and the flat segments stay flat. A span of 3 over 800 pixels divides every
  // unit segment into the most parts, 16.
  const std::vector<ChartPoint> out = Smooth({{0, 0}, {1, 0}, {2, 1}, {3, 1}}, false, 3);
  ASSERT_EQ(out.size(), 49u);
  EXPECT_DOUBLE_EQ(out[8].y, 0);         // x = 0.5
  EXPECT_DOUBLE_EQ(out[20].x, 1.25);     // a quarter into the rise
  EXPECT_DOUBLE_EQ(out[20].y, 0.15625);  // 3/16 - 2/64
  EXPECT_DOUBLE_EQ(out[24].y, 0.5);      // the middle of the rise
  EXPECT_DOUBLE_EQ(out[40].y, 1);        // x = 2.5
  for (size_t i = 1; i < out.size(); ++i) EXPECT_GE(out[i].y, out[i - 1].y) << i;
}

TEST(SmoothCurve, SegmentsNarrowerThanTwoPixelsStayStraight) {
  // 800 units over 800 pixels: a unit segment is one pixel wide and is not divided.
  const std::vector<ChartPoint> out = Smooth({{0, 0}, {1, 1}, {2, 0}}, false, 800);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_DOUBLE_EQ(out[1].y, 1);
}

TEST(SmoothCurve, ALogarithmicAxisIsSmoothedInDecades) {
  // y rises by 1 per decade: a straight line in decades, so the curve halfway through the first
  // decade (x = 10^0.5) is halfway between its ends.
  const std::vector<ChartPoint> out = Smooth({{1, 1}, {10, 2}, {100, 3}}, true, 2);
  ASSERT_EQ(out.size(), 33u);
  EXPECT_NEAR(out[8].x, std::sqrt(10.0), 1e-12);
  EXPECT_NEAR(out[8].y, 1.5, 1e-12);
  EXPECT_NEAR(out[32].x, 100, 1e-9);
}

}  // namespace
}  // namespace corvel
