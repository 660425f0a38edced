// Dark relaxation, after steady state, Fo' and PIFR charts; views without a selection; the types
// without a chart.
#include <gtest/gtest.h>

#include "chart_fixture.h"
#include "charts/chart_json.h"

namespace corvel::testing {
namespace {

class OtherCharts : public ChartTest {
 protected:
  void SetUp() override {
    synth::FileBuilder b;
    // Dark relaxation: block j (1..20) peaks at 1000 + 75 j, the last at 2500.
    std::vector<synth::Bytes> dr;
    for (int j = 1; j <= 20; ++j)
      dr.push_back(
          synth::OjipBlock(kOjipCode, Transient(300, static_cast<uint16_t>(1000 + 75 * j))));
    b.Add(Record("DARKRL01", 4, {}, dr)).Add(Record("DARKRL02", 4, {}, dr));
    // After steady state: odd blocks peak at 500 + 100 j, even ones far higher.
    std::vector<synth::Bytes> ass;
    for (int j = 1; j <= 20; ++j)
      ass.push_back(synth::OjipBlock(
          kOjipCode, Transient(300, static_cast<uint16_t>(j % 2 ? 500 + 100 * j : 3000 + j))));
    b.Add(Record("AFTERS01", 5, {}, ass));
    // Fo': Fm 1800 and Fm' 2100.
    b.Add(Record("FOPRIM01", 8, {},
                 {synth::OjipBlock(kOjipCode, Transient(300, 1800)),
                  synth::OjipBlock(kOjipCode, Transient(350, 2100))}));
    // PIFR: 149 and 150 s of pulses; 20 pulse pairs whose D2 values are 100, 101, ...
    std::vector<std::pair<uint16_t, uint16_t>> pairs;
    for (uint16_t k = 0; k < 20; ++k) pairs.push_back({50, static_cast<uint16_t>(100 + k)});
    const auto pp = [](uint32_t seconds) { return 0xCE000000u | (seconds << 19); };
    b.Add(Record("PIFRAA01", 6, {0xCA000000, pp(31), pp(31), pp(31), pp(31), pp(25)},
                 {synth::PulseBlock(0xCE000000, pairs)}));
    b.Add(Record("PIFRBB01", 6, {0xCA000000, pp(31), pp(31), pp(31), pp(31), pp(26)},
                 {synth::PulseBlock(0xCE000000, {{0, 2500}})}));
    Load(b);
  }
};

TEST_F(OtherCharts, DarkRelaxationDrawsTwentyTracesInPairs) {
  Switch(3);
  Click({0, 1});
  EXPECT_EQ(chart.title, Caption(0));
  EXPECT_EQ(chart.left.max, 2600);  // largest pulse Fm 2500
  EXPECT_TRUE(chart.bottom.log);
  ASSERT_EQ(SeriesWithPoints(chart.smoothed), 20);
  for (int k = 0; k < 20; ++k) {
    EXPECT_EQ(chart.smoothed[k].color, kBoxColor[k / 2]) << k;
    EXPECT_TRUE(chart.smoothed[k].visible);
    EXPECT_EQ(chart.smoothed[k].points.back().y, 1000 + 75 * (k + 1));
  }
  EXPECT_EQ(chart.smoothed[3].color, 0x800000u);  // traces 3 and 4 maroon
  EXPECT_EQ(chart.smoothed[19].color, 0x008080u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(chart.box[i].enabled, i == 0 || i == 9) << i;
    EXPECT_EQ(chart.box[i].checked, i == 0 || i == 9) << i;
  }
  EXPECT_EQ(chart.box[0].caption, "OJIP:1");
  EXPECT_EQ(chart.box[9].caption, "OJIP:20");
  EXPECT_EQ(chart.box[5].caption, " ");

  SetBoxChecked(chart, radio, 0, false);
  for (int k = 0; k < 20; ++k) EXPECT_EQ(chart.smoothed[k].visible, k != 0) << k;
  SetBoxChecked(chart, radio, 9, false);
  EXPECT_FALSE(chart.smoothed[19].visible);
  // A new click shows all twenty again.
  Click({1});
  for (int k = 0; k < 20; ++k) EXPECT_TRUE(chart.smoothed[k].visible);
  EXPECT_EQ(chart.title, Caption(1));
}

TEST_F(OtherCharts, AfterSteadyStateDrawsTheFirstTraceOfEachPair) {
  Switch(4);
  Click({0});
  EXPECT_EQ(chart.left.max, 2500);  // the drawn traces peak at 2400 at most
  ASSERT_EQ(SeriesWithPoints(chart.smoothed), 10);
  const char* captions[] = {"D_OJIP:1",  "D_OJIP:2",  "D_OJIP:3",  "D_OJIP:4",  "D_OJIP:5",
                            "FR_OJIP:1", "FR_OJIP:2", "FR_OJIP:3", "FR_OJIP:4", "FR_OJIP:5"};
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(chart.box[k].caption, captions[k]);
    EXPECT_TRUE(chart.box[k].checked);
    EXPECT_EQ(chart.smoothed[k].color, kBoxColor[k]);
    EXPECT_EQ(chart.smoothed[k].points.back().y, 500 + 100 * (2 * k + 1)) << k;
  }
  SetBoxChecked(chart, radio, 7, false);
  EXPECT_FALSE(chart.smoothed[7].visible);
  EXPECT_TRUE(chart.smoothed[6].visible);
}

TEST_F(OtherCharts, FoPrimeDrawsBothTraces) {
  Switch(7);
  Click({0});
  EXPECT_EQ(chart.left.max, 2200);
  EXPECT_EQ(chart.title, Caption(0));
  ASSERT_EQ(SeriesWithPoints(chart.smoothed), 2);
  EXPECT_EQ(chart.box[0].caption, "DA_OJIP");
  EXPECT_EQ(chart.box[1].caption, "FR_OJIP");
  EXPECT_EQ(chart.smoothed[0].color, 0x000000u);
  EXPECT_EQ(chart.smoothed[1].color, 0x800000u);
  EXPECT_EQ(chart.smoothed[0].points.back().y, 1800);
  EXPECT_EQ(chart.smoothed[1].points.back().y, 2100);
  EXPECT_FALSE(chart.box[2].enabled);
}

TEST_F(OtherCharts, SingleRecordViewsKeepTheChartWithoutSelection) {
  for (const int item : {3, 4, 6, 7}) {
    Switch(item);
    if (list->count > 0) Click({0});
    const std::string before = ChartStateJson(chart);
    Click({});
    EXPECT_EQ(ChartStateJson(chart), before) << item;
  }
}

TEST_F(OtherCharts, PifrBottomAxisByTheLongestCurve) {
  Switch(5);
  ASSERT_EQ(list->count, 2);
  Click({0});
  EXPECT_EQ(chart.bottom.max, 150);  // 149 points
  EXPECT_EQ(chart.bottom.format, "##0s");
  EXPECT_EQ(chart.left.max, 2000);
  const Series& s = chart.line[0];
  ASSERT_EQ(s.points.size(), 150u);  // the start at (0, 0), then 149 points
  EXPECT_EQ(s.points[0].x, 0);
  EXPECT_EQ(s.points[0].y, 0);
  // Every fifth D2 value, at one point per second.
  EXPECT_EQ(s.points[1].x, 0);
  EXPECT_EQ(s.points[1].y, 100);
  EXPECT_EQ(s.points[2].x, 1);
  EXPECT_EQ(s.points[2].y, 105);
  EXPECT_EQ(s.points[4].y, 115);
  EXPECT_EQ(s.points[5].y, 0);  // past the values the trace holds
  EXPECT_EQ(s.points.back().x, 148);
  EXPECT_EQ(s.color, kBoxColor[0]);
  EXPECT_FALSE(s.right_axis);
  EXPECT_EQ(chart.box[0].caption, Caption(0));

  Click({0, 1});
  EXPECT_EQ(chart.bottom.max, 300);  // 150 points
  EXPECT_EQ(chart.left.max, 2600);
  EXPECT_EQ(chart.line[1].points.size(), 151u);
  EXPECT_EQ(chart.line[1].color, kBoxColor[1]);
  SetBoxChecked(chart, radio, 1, false);
  EXPECT_FALSE(chart.line[1].visible);
  EXPECT_TRUE(chart.line[0].visible);
}

TEST_F(OtherCharts, PifrWithoutSelectionResetsTheChart) {
  Switch(5);
  Click({0, 1});
  Click({});
  EXPECT_EQ(SeriesWithPoints(chart.line), 0);
  EXPECT_EQ(chart.left.max, 2000);
  EXPECT_EQ(chart.bottom.max, 150);
  EXPECT_FALSE(chart.box[0].enabled);
}

TEST_F(OtherCharts, TypeSwitchClearsTheCurvesAndTypesWithoutChartDrawNothing) {
  Switch(3);
  Click({0});
  SetBoxChecked(chart, radio, 9, false);
  Switch(8);
  EXPECT_EQ(SeriesWithPoints(chart.smoothed), 0);
  for (const CheckBox& b : chart.box) {
    EXPECT_EQ(b.caption, " ");
    EXPECT_FALSE(b.enabled);
    EXPECT_FALSE(b.checked);
  }
  EXPECT_TRUE(chart.title.empty());
  EXPECT_EQ(chart.left.max, 2600);  // axes keep their last set-up
  for (const int item : {8, 9}) {
    Switch(item);
    const std::string before = ChartStateJson(chart);
    DrawChartForRadio(item, Source(), chart);
    EXPECT_EQ(ChartStateJson(chart), before);
  }
}

}  // namespace
}  // namespace corvel::testing
