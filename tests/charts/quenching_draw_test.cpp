// The pulse kinetics and rapid light curve charts: single-record view, comparison view and the
// curve choice.
#include <gtest/gtest.h>

#include "chart_fixture.h"

namespace corvel::testing {
namespace {

// A pulse kinetics record announcing `announced` pulses (the dark one included) under actinic
// light `al_byte` x 10, holding `present` light pulses: dark Fo 400, Fm 2000; each light pulse
// Fs 800, Fm' 1600.
synth::RecordSpec SlowKinRecord(const std::string& name, uint8_t announced, uint8_t al_byte,
                                int present) {
  std::vector<synth::Bytes> blocks = {synth::OjipBlock(kOjipCode, Transient(400, 2000))};
  for (int k = 0; k < present; ++k) {
    blocks.push_back(synth::PulseBlock(kPulseCode, {{500, 600}, {510, 610}}));
    blocks.push_back(synth::OjipBlock(kOjipCode, Transient(800, 1600)));
  }
  return Record(name, 2, {kOjipCode, 0xBB000000u | uint8_t(announced - 1), 0xCE000000u | al_byte},
                blocks);
}

class SlowKinChart : public ChartTest {
 protected:
  void SetUp() override {
    synth::FileBuilder b;
    b.Add(SlowKinRecord("SLOWKA01", 6, 25, 5));    // rETR 250 x 0.42 x 0.5 = 52.5
    b.Add(SlowKinRecord("SLOWKB01", 6, 10, 5));    // rETR 21
    b.Add(SlowKinRecord("SLOWKC01", 25, 10, 24));  // more pulses than the series holds
    Load(b);
    Switch(1);
    ASSERT_EQ(list->count, 3);
  }
};

TEST_F(SlowKinChart, OneRecordOfSixPulsesGivesEightCurvesOfFivePoints) {
  Click({0});
  EXPECT_EQ(chart.title, Caption(0));
  EXPECT_FALSE(chart.combo.visible);
  EXPECT_EQ(SeriesWithPoints(chart.line), 8);
  EXPECT_EQ(SeriesWithPoints(chart.smoothed), 0);
  for (int m = 0; m < 8; ++m) {
    const Series& s = chart.line[m];
    EXPECT_EQ(chart.box[m].caption, kCurveChoice[m]);
    EXPECT_TRUE(chart.box[m].enabled);
    EXPECT_TRUE(chart.box[m].checked);
    EXPECT_EQ(s.color, kBoxColor[m]);
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.right_axis, m == 0) << m;
    ASSERT_EQ(s.points.size(), 5u);
    for (int r = 0; r < 5; ++r) EXPECT_EQ(s.points[static_cast<size_t>(r)].x, r + 2);
  }
  EXPECT_EQ(chart.box[0].caption, "rETRII");
  EXPECT_EQ(chart.box[7].caption, "YNPQ");
  EXPECT_FALSE(chart.box[8].enabled);
  EXPECT_FALSE(chart.box[9].enabled);
  // Hand values: Y(II) = 800 / 1600, Fm'/Fm = 1600 / 2000, rETR = 250 x 0.42 x 0.5,
  // Fo' = 400 / (0.8 + 0.25), qP = 800 / (1600 - Fo') = 0.65625.
  EXPECT_NEAR(chart.line[0].points[0].y, 52.5, 1e-4);
  EXPECT_NEAR(chart.line[1].points[0].y, 0.5, 1e-6);
  EXPECT_NEAR(chart.line[2].points[4].y, 0.8, 1e-6);
  EXPECT_NEAR(chart.line[3].points[2].y, 0.65625, 1e-5);
  // Axes: pulse numbers 1..20, ratios 0..1, rETR 0..52 + 5.
  EXPECT_EQ(chart.bottom.min, 1);
  EXPECT_EQ(chart.bottom.max, 20);
  EXPECT_EQ(chart.left.max, 1);
  EXPECT_TRUE(chart.right.visible);
  EXPECT_EQ(chart.right.max, 57);
}

TEST_F(SlowKinChart, SeriesEndsAfterTwentyLightPulses) {
  Click({2});
  ASSERT_EQ(chart.line[0].points.size(), 20u);
  EXPECT_EQ(chart.line[0].points.back().x, 21);
  EXPECT_NEAR(chart.line[0].points.back().y, 21.0, 1e-4);
  EXPECT_EQ(chart.right.max, 30);
}

TEST_F(SlowKinChart, FirstComparisonWithoutChoiceDrawsNothing) {
  Click({0, 1});
  EXPECT_TRUE(chart.combo.visible);
  EXPECT_EQ(chart.combo.index, -1);
  EXPECT_EQ(chart.box[0].caption, Caption(0));
  EXPECT_EQ(chart.box[1].caption, Caption(1));
  EXPECT_TRUE(chart.box[1].checked);
  EXPECT_FALSE(chart.box[2].enabled);
  EXPECT_EQ(SeriesWithPoints(chart.line), 0);
  EXPECT_TRUE(chart.title.empty());
  EXPECT_EQ(chart.right.max, 57);
}

TEST_F(SlowKinChart, ChoosingAParameterRedrawsTheComparison) {
  Click({0, 1});
  CbBoxSKChange(0, radio, Source(), chart);
  EXPECT_EQ(chart.combo.index, 0);
  ASSERT_EQ(SeriesWithPoints(chart.line), 2);
  for (int q = 0; q < 2; ++q) {
    EXPECT_TRUE(chart.line[q].right_axis);
    EXPECT_EQ(chart.line[q].color, kBoxColor[q]);
    ASSERT_EQ(chart.line[q].points.size(), 5u);
    EXPECT_EQ(chart.line[q].points[0].x, 2);
  }
  EXPECT_NEAR(chart.line[0].points[0].y, 52.5, 1e-4);
  EXPECT_NEAR(chart.line[1].points[0].y, 21.0, 1e-4);

  CbBoxSKChange(3, radio, Source(), chart);  // qP against the left axis
  EXPECT_FALSE(chart.line[0].right_axis);
  EXPECT_NEAR(chart.line[1].points[3].y, 0.65625, 1e-5);
  EXPECT_EQ(chart.right.max, 57);  // still scaled by rETR
  EXPECT_TRUE(chart.right.visible);

  // The choice is kept for the next click; unchecking hides one curve.
  Click({1, 2});
  EXPECT_EQ(chart.line[1].points.size(), 20u);
  SetBoxChecked(chart, radio, 1, false);
  EXPECT_FALSE(chart.line[1].visible);
  EXPECT_TRUE(chart.line[0].visible);
}

TEST_F(SlowKinChart, NoRecordSelectedGivesAnEmptyComparison) {
  Click({0});
  Click({});
  EXPECT_TRUE(chart.combo.visible);
  EXPECT_EQ(SeriesWithPoints(chart.line), 0);
  EXPECT_TRUE(chart.title.empty());
  for (const CheckBox& b : chart.box) EXPECT_FALSE(b.enabled);
  EXPECT_EQ(chart.right.max, 30);
}

TEST_F(SlowKinChart, CurveChoiceOutsideTheQuenchingChartsOnlyKeepsTheIndex) {
  ChartState before;
  CbBoxSKChange(2, 0, Source(), chart);
  EXPECT_EQ(chart.combo.index, 2);
  EXPECT_EQ(SeriesWithPoints(chart.line), 0);
  EXPECT_EQ(chart.left.max, before.left.max);
  CbBoxSKChange(42, 1, Source(), chart);
  EXPECT_EQ(chart.combo.index, -1);
}

class RlcChart : public ChartTest {
 protected:
  void SetUp() override {
    synth::FileBuilder b;
    b.Add(Record("RLCAAA01", 3, {}, {})).Add(Record("RLCBBB01", 3, {}, {}));
    b.Add(Record("RLCCCC01", 3, {}, {})).Add(Record("RLCDDD01", 3, {}, {}));
    Load(b);
    Switch(2);
    ASSERT_EQ(list->count, 4);
    // The drawing reads the rows the type switch computed; these stand for them.
    for (int p = 0; p < 4; ++p)
      for (int m = 0; m < kQuenchingRows; ++m)
        for (int k = 0; k < kRlcSteps; ++k)
          results->rlc[p].row[m][k] = m == kRowRetr ? 5.0f * k + p : 0.1f * m + 0.01f * k + p;
    results->rlc[3].row[kRowRetr][6] = 57.3f;
  }
};

TEST_F(RlcChart, ThreeRecordsWithQpChosen) {
  CbBoxSKChange(3, radio, Source(), chart);
  Click({0, 1, 2});
  ASSERT_EQ(SeriesWithPoints(chart.line), 3);
  const double light[] = {20, 50, 80, 150, 300, 500, 700, 900, 1200, 1500};
  for (int q = 0; q < 3; ++q) {
    const Series& s = chart.line[q];
    EXPECT_FALSE(s.right_axis);
    ASSERT_EQ(s.points.size(), 10u);
    for (int k = 0; k < 10; ++k) {
      EXPECT_EQ(s.points[static_cast<size_t>(k)].x, light[k]);
      EXPECT_FLOAT_EQ(s.points[static_cast<size_t>(k)].y, 0.3f + 0.01f * k + q);
    }
  }
  EXPECT_EQ(chart.bottom.format, "#,##0umol/(m2s)");
  EXPECT_EQ(chart.bottom.max, 2500);
  EXPECT_TRUE(chart.right.visible);
  EXPECT_EQ(chart.right.max, 52);  // largest rETR 47 (step 9 of the third record), plus 5
}

TEST_F(RlcChart, RightAxisFromTruncatedLargestRetr) {
  Click({3});
  EXPECT_EQ(chart.right.max, 62);  // 57.3 truncated, plus 5
  CbBoxSKChange(0, radio, Source(), chart);
  EXPECT_EQ(chart.right.max, 62);
}

TEST_F(RlcChart, OneRecordShowsAllEightRows) {
  chart.combo.index = 5;
  Click({1});
  EXPECT_EQ(chart.title, Caption(1));
  EXPECT_FALSE(chart.combo.visible);
  ASSERT_EQ(SeriesWithPoints(chart.line), 8);
  EXPECT_TRUE(chart.line[0].right_axis);
  EXPECT_FALSE(chart.line[1].right_axis);
  ASSERT_EQ(chart.line[4].points.size(), 10u);
  EXPECT_EQ(chart.line[4].points[9].x, 1500);
  EXPECT_FLOAT_EQ(chart.line[4].points[9].y, 0.4f + 0.09f + 1);
  EXPECT_FLOAT_EQ(chart.line[0].points[2].y, 11.0f);
}

TEST_F(RlcChart, ComparisonWithRetrChosenUsesTheRightAxis) {
  chart.combo.index = 0;
  ClickAll();
  ASSERT_EQ(SeriesWithPoints(chart.line), 4);
  for (int q = 0; q < 4; ++q) EXPECT_TRUE(chart.line[q].right_axis);
}

TEST_F(RlcChart, NoRecordSelected) {
  Click({});
  EXPECT_TRUE(chart.combo.visible);
  EXPECT_EQ(SeriesWithPoints(chart.line), 0);
  EXPECT_EQ(chart.right.max, 30);
  EXPECT_EQ(chart.bottom.max, 2500);
}

}  // namespace
}  // namespace corvel::testing
