// OJIP-shaped curves: one trace drawn on the OJIP time base, the OJIP comparison view and the
// transient light curve view.
#include <gtest/gtest.h>

#include "chart_fixture.h"

namespace corvel::testing {
namespace {

class OjipChart : public ChartTest {
 protected:
  // Eleven OJIP records, record k with Fm 1000 + 100 k, and a rapid light curve record between
  // them that the OJIP list leaves out.
  void SetUp() override {
    synth::FileBuilder b;
    for (int k = 0; k < 11; ++k) {
      b.Add(OjipRecord(std::string("SAMPLE") + static_cast<char>('A' + k) + "1", 400,
                       static_cast<uint16_t>(1000 + 100 * k)));
      if (k == 4) b.Add(Record("RLCXXXXX", 3, {}, {}));
    }
    Load(b);
    Switch(0);
    ASSERT_EQ(list->count, 11);
  }
};

TEST_F(OjipChart, ElevenRecordsGiveTenCurvesInTheBoxColours) {
  ClickAll();
  EXPECT_EQ(SeriesWithPoints(chart.smoothed), 10);
  EXPECT_EQ(SeriesWithPoints(chart.line), 0);
  for (int i = 0; i < 10; ++i) {
    const Series& s = chart.smoothed[i];
    EXPECT_EQ(s.color, kBoxColor[i]);
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.width, 3);
    ASSERT_EQ(s.points.size(), 208u);
    EXPECT_EQ(s.points.back().y, 1000 + 100 * i);  // the record of list position i
    EXPECT_EQ(chart.box[i].caption, Caption(i));
    EXPECT_TRUE(chart.box[i].enabled);
    EXPECT_TRUE(chart.box[i].checked);
  }
  EXPECT_EQ(chart.box[2].caption, "(B)SAMPLEC10");
  EXPECT_TRUE(chart.smoothed[10].points.empty());  // the eleventh record is drawn nowhere
  EXPECT_TRUE(chart.title.empty());
  EXPECT_FALSE(chart.combo.visible);
}

TEST_F(OjipChart, UncheckingBoxThreeHidesOnlyTheThirdCurve) {
  ClickAll();
  const std::vector<ChartPoint> third = chart.smoothed[2].points;
  SetBoxChecked(chart, radio, 2, false);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(chart.smoothed[i].visible, i != 2) << i;
  ASSERT_EQ(chart.smoothed[2].points.size(), third.size());
  SetBoxChecked(chart, radio, 2, true);
  EXPECT_TRUE(chart.smoothed[2].visible);
  EXPECT_EQ(chart.smoothed[2].points.back().y, third.back().y);
  // The next drawing brings back a curve the user hid.
  SetBoxChecked(chart, radio, 2, false);
  ClickAll();
  EXPECT_TRUE(chart.smoothed[2].visible);
  EXPECT_TRUE(chart.box[2].checked);
}

TEST_F(OjipChart, SelectedRecordsTakeSlotsInListOrder) {
  Click({2, 5, 9});
  EXPECT_EQ(SeriesWithPoints(chart.smoothed), 3);
  EXPECT_EQ(chart.smoothed[0].color, 0x000000u);
  EXPECT_EQ(chart.smoothed[1].color, 0x800000u);
  EXPECT_EQ(chart.smoothed[2].color, 0x008000u);
  EXPECT_EQ(chart.smoothed[0].points.back().y, 1200);
  EXPECT_EQ(chart.smoothed[1].points.back().y, 1500);
  EXPECT_EQ(chart.smoothed[2].points.back().y, 1900);
  EXPECT_EQ(chart.box[1].caption, Caption(5));
  EXPECT_EQ(chart.box[3].caption, " ");
  EXPECT_FALSE(chart.box[3].enabled);
}

TEST_F(OjipChart, LeftAxisComesFromEveryListedRecord) {
  // The largest Fm (2000, the unselected last record) gives 2100 whatever is selected.
  Click({0});
  EXPECT_EQ(chart.left.max, 2100);
  Click({});
  EXPECT_EQ(chart.left.max, 2100);
  EXPECT_TRUE(chart.bottom.log);
  EXPECT_EQ(SeriesWithPoints(chart.smoothed), 0);
  for (const CheckBox& b : chart.box) EXPECT_FALSE(b.enabled);
}

TEST(DrawOJIP, PointsLieOnTheOjipTimeBase) {
  auto image = std::make_unique<FileImage>();
  const synth::Bytes block = synth::OjipBlock(kOjipCode, Transient(300, 1800));
  std::memcpy(image->area(), block.data(), block.size());
  Series s;
  DrawOJIP(*image, 0, s, 0x123456);
  ASSERT_EQ(s.points.size(), 208u);
  EXPECT_EQ(s.color, 0x123456u);
  const std::pair<int, double> times[] = {
      {0, 10},       {29, 300},      {30, 400},      {56, 3000},     {57, 4000},
      {63, 10000},   {64, 11000},    {83, 30000},    {84, 40000},    {110, 300000},
      {111, 400000}, {117, 1000000}, {118, 1100000}, {150, 4300000}, {207, 10000000}};
  for (const auto& [i, us] : times) EXPECT_EQ(s.points[static_cast<size_t>(i)].x, us) << i;
  EXPECT_EQ(s.points[0].y, 300);
  EXPECT_EQ(s.points[207].y, 1800);
  // Only adds: a second trace goes after the first.
  DrawOJIP(*image, 0, s, 0x123456);
  EXPECT_EQ(s.points.size(), 416u);
}

TEST(DrawOJIP, DrawsOnlyTheSamplesTheTraceHolds) {
  auto image = std::make_unique<FileImage>();
  Series s;
  const auto draw = [&](const synth::Bytes& block) {
    std::memset(image->area(), 0xEE, 4096);  // whatever lies behind the block is not drawn
    std::memcpy(image->area(), block.data(), block.size());
    s.points.clear();
    DrawOJIP(*image, 0, s, 0);
  };
  draw(synth::OjipBlock(kOjipCode, Transient(300, 1800, 118)));
  ASSERT_EQ(s.points.size(), 118u);
  EXPECT_EQ(s.points.back().x, 1000000);
  draw(synth::OjipBlock(kOjipCode, Transient(300, 1800, 150)));
  ASSERT_EQ(s.points.size(), 150u);
  EXPECT_EQ(s.points.back().x, 4200000);
  draw(synth::OjipBlock(kOjipCode, Transient(300, 1800, 300)));
  ASSERT_EQ(s.points.size(), 208u);
  EXPECT_EQ(s.points.back().x, 10000000);
  draw(synth::OjipBlock(kOjipCode, Transient(300, 1800, 50)));
  ASSERT_EQ(s.points.size(), 50u);
  EXPECT_EQ(s.points.back().x, 2300);
  EXPECT_NE(s.points.back().y, 0xEEEE);
  // A block that holds no samples: length 8 (header only), 7, 0.
  draw(synth::RawBlock(kOjipCode, {}));
  EXPECT_TRUE(s.points.empty());
  synth::Bytes shortened = synth::RawBlock(kOjipCode, {});
  shortened[2] = 7;
  draw(shortened);
  EXPECT_TRUE(s.points.empty());
  shortened[2] = 0;
  draw(shortened);
  EXPECT_TRUE(s.points.empty());
}

TEST(DrawOJIP, BlockAtTheEndOfTheAreaReadsZeros) {
  auto image = std::make_unique<FileImage>();
  const uint64_t pos = kAreaSize - 10;
  image->area()[pos + 2] = 0xFF;  // length 0xFF.., samples past the area
  image->area()[pos + 3] = 0x01;
  image->area()[pos + 8] = 0x34;
  image->area()[pos + 9] = 0x12;
  Series s;
  DrawOJIP(*image, pos, s, 0);
  ASSERT_EQ(s.points.size(), 208u);
  EXPECT_EQ(s.points[0].y, 0x1234);
  EXPECT_EQ(s.points[1].y, 0);
}

class MultiOjipChart : public ChartTest {
 protected:
  void SetUp() override {
    synth::FileBuilder b;
    for (int r = 0; r < 2; ++r) {
      std::vector<synth::Bytes> blocks;
      for (int k = 0; k < 6; ++k)
        blocks.push_back(synth::OjipBlock(
            kOjipCode, Transient(300, static_cast<uint16_t>(1000 * r + 500 + 300 * k))));
      b.Add(Record(r == 0 ? "MULTIA01" : "MULTIB01", 7, {kOjipCode}, blocks));
    }
    Load(b);
    Switch(6);
    ASSERT_EQ(list->count, 2);
  }
};

TEST_F(MultiOjipChart, FirstSelectedRecordGivesSixCurves) {
  Click({0, 1});
  EXPECT_EQ(chart.title, Caption(0));
  EXPECT_EQ(SeriesWithPoints(chart.smoothed), 6);
  const char* captions[] = {"AL=100", "AL=200", "AL=500", "AL=1000", "AL=2000", "AL=3000"};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(chart.box[k].caption, captions[k]);
    EXPECT_TRUE(chart.box[k].checked);
    EXPECT_EQ(chart.smoothed[k].color, kBoxColor[k]);
    EXPECT_EQ(chart.smoothed[k].points.back().y, 500 + 300 * k);
  }
  for (int k = 6; k < 10; ++k) EXPECT_FALSE(chart.box[k].enabled);
  EXPECT_EQ(chart.left.max, 2100);  // largest Fm 2000
  SetBoxChecked(chart, radio, 4, false);
  EXPECT_FALSE(chart.smoothed[4].visible);
}

TEST_F(MultiOjipChart, NoSelectionLeavesTheChartAsItWas) {
  Click({1});
  EXPECT_EQ(chart.left.max, 3100);
  Click({});
  EXPECT_EQ(chart.title, Caption(1));
  EXPECT_EQ(SeriesWithPoints(chart.smoothed), 6);
  EXPECT_EQ(chart.smoothed[5].points.back().y, 3000);
}

}  // namespace
}  // namespace corvel::testing
