#include "analysis/compare_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace corvel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Group curves with nothing defined.
GroupCurves Undefined() {
  GroupCurves g;
  for (int i = 0; i < kOjipCurvePoints; ++i) {
    g.n[i] = 0;
    for (int k = 0; k < kOjipCurveKinds; ++k) g.mean[k][i] = g.sd[k][i] = kNaN;
    for (int k = 0; k < kOjipCurveKinds - 1; ++k) g.diff[k][i] = kNaN;
  }
  g.k_band = g.l_band = kNaN;
  return g;
}

bool Near(const ChartPoint& p, double x, double y) {
  return std::fabs(p.x - x) < 1e-12 && std::fabs(p.y - y) < 1e-12;
}

// Two groups over the first samples (10, 20, 30, 40, 50 us): the control's V is 0.1, 0.2, 0.3 at
// 10..30 us with SD 0.01, undefined at 40 us and 0.5 at 50 us with SD 0.02; the treatment has
// one record (no SD) and its difference to the control is 0.05 at 10 and 20 us.
std::unique_ptr<Comparison> TwoGroups() {
  auto c = std::make_unique<Comparison>();
  c->groups = {"CK", "T"};
  c->curves = {Undefined(), Undefined()};
  GroupCurves& ck = c->curves[0];
  const double v[] = {0.1, 0.2, 0.3};
  for (int i = 0; i < 3; ++i) {
    ck.mean[kCurveV][i] = v[i];
    ck.sd[kCurveV][i] = 0.01;
  }
  ck.mean[kCurveV][4] = 0.5;
  ck.sd[kCurveV][4] = 0.02;
  GroupCurves& t = c->curves[1];
  t.mean[kCurveV][0] = 0.15;
  t.mean[kCurveV][1] = 0.25;
  t.diff[kCurveV - 1][0] = 0.05;
  t.diff[kCurveV - 1][1] = 0.05;
  return c;
}

TEST(CompareCurvePlot, TheBandGoesAlongAtMeanPlusSdAndBackAtMeanMinusSd) {
  auto c = TwoGroups();
  CompareCurvePlot plot;
  PlotCompareCurves(*c, CompareCurve::kV, plot);
  ASSERT_EQ(plot.groups.size(), 2u);
  const GroupBand& ck = plot.groups[0];
  ASSERT_EQ(ck.polygons.size(), 2u);  // the gap at 40 us splits the band
  const std::vector<ChartPoint>& first = ck.polygons[0];
  ASSERT_EQ(first.size(), 6u);
  EXPECT_TRUE(Near(first[0], 10, 0.11));
  EXPECT_TRUE(Near(first[1], 20, 0.21));
  EXPECT_TRUE(Near(first[2], 30, 0.31));
  EXPECT_TRUE(Near(first[3], 30, 0.29));
  EXPECT_TRUE(Near(first[4], 20, 0.19));
  EXPECT_TRUE(Near(first[5], 10, 0.09));
  ASSERT_EQ(ck.polygons[1].size(), 2u);
  EXPECT_TRUE(Near(ck.polygons[1][0], 50, 0.52));
  EXPECT_TRUE(Near(ck.polygons[1][1], 50, 0.48));
  ASSERT_EQ(ck.lines.size(), 2u);
  EXPECT_EQ(ck.lines[0].size(), 3u);
  EXPECT_TRUE(Near(ck.lines[1][0], 50, 0.5));
}

TEST(CompareCurvePlot, AGroupOfOneRecordHasItsLineAndNoBand) {
  auto c = TwoGroups();
  CompareCurvePlot plot;
  PlotCompareCurves(*c, CompareCurve::kV, plot);
  const GroupBand& t = plot.groups[1];
  EXPECT_EQ(t.group, 1);
  EXPECT_EQ(t.color, kBoxColor[1]);
  EXPECT_TRUE(t.polygons.empty());
  ASSERT_EQ(t.lines.size(), 1u);
  EXPECT_TRUE(Near(t.lines[0][1], 20, 0.25));
}

TEST(CompareCurvePlot, ADifferenceIsBandedByTheGroupsOwnSd) {
  auto c = TwoGroups();
  c->curves[1].sd[kCurveV][0] = 0.02;
  c->curves[1].sd[kCurveV][1] = 0.02;
  CompareCurvePlot plot;
  PlotCompareCurves(*c, CompareCurve::kDV, plot);
  ASSERT_EQ(plot.groups.size(), 1u);  // the control has no difference set here
  const GroupBand& t = plot.groups[0];
  EXPECT_EQ(t.group, 1);
  ASSERT_EQ(t.polygons.size(), 1u);
  EXPECT_TRUE(Near(t.polygons[0][0], 10, 0.07));
  EXPECT_TRUE(Near(t.polygons[0][3], 10, 0.03));
}

TEST(CompareCurvePlot, TheAxesHoldWholeDecadesAndWholeSteps) {
  auto c = TwoGroups();
  CompareCurvePlot plot;
  PlotCompareCurves(*c, CompareCurve::kV, plot);
  EXPECT_DOUBLE_EQ(plot.x_min, 10);
  EXPECT_DOUBLE_EQ(plot.x_max, 100);
  // 0.09 .. 0.52 over six steps: a step of 0.1 from 0 to 0.6.
  EXPECT_DOUBLE_EQ(plot.y_step, 0.1);
  EXPECT_DOUBLE_EQ(plot.y_min, 0);
  EXPECT_NEAR(plot.y_max, 0.6, 1e-12);
}

TEST(CompareCurvePlot, NothingDefinedDrawsNoGroup) {
  auto c = TwoGroups();
  CompareCurvePlot plot;
  PlotCompareCurves(*c, CompareCurve::kWok, plot);
  EXPECT_TRUE(plot.groups.empty());
}

// A comparison of two groups over the given parameters with the treatment's ratios.
std::unique_ptr<Comparison> Ratios(std::vector<std::string> names, std::vector<double> ratios) {
  auto c = std::make_unique<Comparison>();
  c->groups = {"CK", "T"};
  c->parameters = std::move(names);
  for (size_t k = 0; k < c->parameters.size(); ++k) {
    GroupStat s{};
    s.ratio = 1;
    c->stats.push_back(s);
  }
  for (const double r : ratios) {
    GroupStat s{};
    s.ratio = r;
    c->stats.push_back(s);
  }
  return c;
}

TEST(RadarPlot, TheControlIsOneOnEveryAxisAndTheOuterRingTheLargestRatioRoundedUp) {
  auto c = Ratios({"a", "b", "c", "d"}, {2, 0.5, kNaN, 1.2});
  RadarPlot radar;
  PlotRadar(*c, {"a", "b", "c", "d"}, radar);
  ASSERT_EQ(radar.axes.size(), 4u);
  // Clockwise from the top.
  EXPECT_TRUE(Near(radar.directions[0], 0, 1));
  EXPECT_NEAR(radar.directions[1].x, 1, 1e-12);
  EXPECT_NEAR(radar.directions[1].y, 0, 1e-12);
  EXPECT_DOUBLE_EQ(radar.outer, 2);
  EXPECT_EQ(radar.rings, (std::vector<double>{0.5, 1, 1.5, 2}));
  ASSERT_EQ(radar.polygons.size(), 2u);
  const RadarPolygon& ck = radar.polygons[0];
  EXPECT_NEAR(ck.vertices[0].y, 0.5, 1e-12);
  EXPECT_NEAR(ck.vertices[3].x, -0.5, 1e-12);
  const RadarPolygon& t = radar.polygons[1];
  EXPECT_NEAR(t.vertices[0].y, 1, 1e-12);     // ratio 2 on the outer ring
  EXPECT_NEAR(t.vertices[1].x, 0.25, 1e-12);  // ratio 0.5
  EXPECT_NEAR(t.vertices[2].x, 0, 1e-12);     // no ratio: the centre
  EXPECT_NEAR(t.vertices[2].y, 0, 1e-12);
  EXPECT_NEAR(t.vertices[3].x, -0.6, 1e-12);  // ratio 1.2
  EXPECT_TRUE(std::isnan(t.ratio[2]));
}

TEST(RadarPlot, RatiosUpToOneGiveAnOuterRingOfOne) {
  auto c = Ratios({"a", "b", "c"}, {0.8, 0.9, 1});
  RadarPlot radar;
  PlotRadar(*c, {"a", "b", "c"}, radar);
  EXPECT_DOUBLE_EQ(radar.outer, 1);
  EXPECT_EQ(radar.rings, (std::vector<double>{0.5, 1}));
}

TEST(RadarPlot, ALargestRatioOf134GivesAnOuterRingOf15) {
  auto c = Ratios({"a", "b", "c"}, {1.34, 0.9, 1});
  RadarPlot radar;
  PlotRadar(*c, {"a", "b", "c"}, radar);
  EXPECT_DOUBLE_EQ(radar.outer, 1.5);
}

TEST(RadarPlot, ParametersTheComparisonLacksAreLeftOut) {
  auto c = Ratios({"a", "b", "c"}, {1, 1, 1});
  RadarPlot radar;
  PlotRadar(*c, {"c", "x", "a"}, radar);
  EXPECT_EQ(radar.axes, (std::vector<std::string>{"c", "a"}));
  EXPECT_EQ(radar.polygons[1].vertices.size(), 2u);
}

TEST(RadarPlot, TheOjipDefaultIsTheEightParametersInTheirOrder) {
  auto c = Ratios(
      {"Fo", "Fv/Fm", "Vj", "Mo", "ABS/RC", "Tro/RC", "ETo/RC", "DIo/RC", "PI_ABS", "PI_CSo"}, {});
  c->radio_item = 0;
  EXPECT_EQ(DefaultRadarParameters(*c),
            (std::vector<std::string>{"Fv/Fm", "Vj", "Mo", "ABS/RC", "Tro/RC", "ETo/RC", "DIo/RC",
                                      "PI_ABS"}));
}

TEST(RadarPlot, AnotherTypesDefaultIsItsFirstEightParameters) {
  auto c = Ratios({"p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8", "p9"}, {});
  c->radio_item = 1;
  EXPECT_EQ(DefaultRadarParameters(*c),
            (std::vector<std::string>{"p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8"}));
}

}  // namespace
}  // namespace corvel
