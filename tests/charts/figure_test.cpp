// What a figure is made of, without Qt: picture formats by extension, the zoom arithmetic, axis
// quantities, curve names, the sample under the pointer and the curve CSV.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "charts/chart_state.h"
#include "charts/curve_data.h"
#include "charts/draw.h"
#include "charts/picture_format.h"
#include "charts/view_range.h"

namespace corvel {
namespace {

TEST(PictureFormat, TheExtensionNamesTheFormat) {
  EXPECT_EQ(PictureFormatForPath("FLPic_.bmp"), PictureFormat::kBmp);
  EXPECT_EQ(PictureFormatForPath("/data/run.2024/fig.PNG"), PictureFormat::kPng);
  EXPECT_EQ(PictureFormatForPath("fig.Svg"), PictureFormat::kSvg);
  EXPECT_EQ(PictureFormatForPath("C:\\figs\\a.pdf"), PictureFormat::kPdf);
}

// A name ending in .png once got BMP bytes: only the four picture extensions are formats.
TEST(PictureFormat, AnotherExtensionIsNoFormat) {
  EXPECT_FALSE(PictureFormatForPath("fig.jpg"));
  EXPECT_FALSE(PictureFormatForPath("fig.png.txt"));
  EXPECT_FALSE(PictureFormatForPath("fig"));
  EXPECT_FALSE(PictureFormatForPath("/data/run.png/fig"));  // the folder's dot is no extension
  EXPECT_FALSE(PictureFormatForPath(".png"));               // a hidden file named png
  EXPECT_EQ(PathExtension("/a.b/c.tar"), "tar");
  EXPECT_EQ(PathExtension("x."), "");
}

TEST(ViewRange, LogarithmicAxesAreDividedInDecades) {
  const ViewRange time{10, 10000000, true};
  EXPECT_DOUBLE_EQ(RangeFraction(time, 1000), 2.0 / 6.0);
  EXPECT_DOUBLE_EQ(RangeValue(time, 0.5), std::pow(10.0, 4));
  EXPECT_TRUE(std::isnan(RangeFraction(time, 0)));
  const ViewRange left{0, 2000, false};
  EXPECT_DOUBLE_EQ(RangeFraction(left, 500), 0.25);
  EXPECT_DOUBLE_EQ(RangeValue(left, 0.75), 1500);
}

TEST(ViewRange, RubberBandTakesThePartBetweenItsEdges) {
  const ViewRange time{10, 10000000, true};
  const ViewRange part = RangeBetween(time, 0.5, 1.0 / 6.0);  // dragged right to left
  EXPECT_DOUBLE_EQ(part.min, 100);
  EXPECT_DOUBLE_EQ(part.max, 10000);
  EXPECT_TRUE(part.log);
}

TEST(ViewRange, WheelZoomKeepsTheValueUnderThePointer) {
  const ViewRange full{10, 10000000, true};
  // Six decades halved around 10^4 (fraction 0.5): 10^2.5 .. 10^5.5.
  const ViewRange in = ZoomRange(full, 0.5, 0.5, full);
  EXPECT_NEAR(std::log10(in.min), 2.5, 1e-12);
  EXPECT_NEAR(std::log10(in.max), 5.5, 1e-12);
  // Near the left edge the zoomed range is shifted back inside the drawing's range.
  const ViewRange linear{0, 100, false};
  const ViewRange edge = ZoomRange({0, 10, false}, 0.0, 4, linear);
  EXPECT_DOUBLE_EQ(edge.min, 0);
  EXPECT_DOUBLE_EQ(edge.max, 40);
  // Zooming out ends at exactly the drawing's range.
  const ViewRange out = ZoomRange(in, 0.3, 100, full);
  EXPECT_EQ(out.min, 10);
  EXPECT_EQ(out.max, 10000000);
}

TEST(ViewRange, SegmentsStopAtTheFrame) {
  double x0 = -10, y0 = 5, x1 = 10, y1 = 5;
  ASSERT_TRUE(ClipSegment(x0, y0, x1, y1, 0, 0, 8, 8));
  EXPECT_DOUBLE_EQ(x0, 0);
  EXPECT_DOUBLE_EQ(x1, 8);
  double a = 2, b = 2, c = 4, d = 4;
  ASSERT_TRUE(ClipSegment(a, b, c, d, 0, 0, 8, 8));  // inside: unchanged
  EXPECT_DOUBLE_EQ(c, 4);
  double e = 9, f = 0, g = 12, h = 3;
  EXPECT_FALSE(ClipSegment(e, f, g, h, 0, 0, 8, 8));
}

TEST(AxisQuantities, EachAxisModeNamesItsQuantities) {
  ChartState c;
  EXPECT_EQ(AxisQuantitiesOf(c).bottom, AxisQuantity::kNone);
  ReDrawAxis(c, 0, kAxisOjipTime, 0, 0, 0);
  AxisQuantities q = AxisQuantitiesOf(c);
  EXPECT_EQ(q.bottom, AxisQuantity::kTimeUs);
  EXPECT_EQ(q.left, AxisQuantity::kFluorescence);
  EXPECT_EQ(q.right, AxisQuantity::kNone);
  ReDrawAxis(c, 1, kAxisPulse, 1, 0, 0);
  q = AxisQuantitiesOf(c);
  EXPECT_EQ(q.bottom, AxisQuantity::kPulseNumber);
  EXPECT_EQ(q.left, AxisQuantity::kRatio);
  EXPECT_EQ(q.right, AxisQuantity::kRetr);
  ReDrawAxis(c, 2, kAxisLight, 1, 0, 0);
  EXPECT_EQ(AxisQuantitiesOf(c).bottom, AxisQuantity::kPar);
  ReDrawAxis(c, 5, kAxisSeconds, 0, 150, 0);
  q = AxisQuantitiesOf(c);
  EXPECT_EQ(q.bottom, AxisQuantity::kTimeS);
  EXPECT_EQ(q.left, AxisQuantity::kFluorescence);
}

TEST(Drawing, EveryResetCountsAsANewDrawing) {
  ChartState c;
  const uint32_t start = c.drawing;
  ReDrawAxis(c, 0, kAxisOjipTime, 0, 0, 0);
  ResetForTypeSwitch(c, 0);
  EXPECT_EQ(c.drawing, start + 2);
  SetBoxChecked(c, 0, 0, true);  // a box click is no drawing
  EXPECT_EQ(c.drawing, start + 2);
}

TEST(CurveName, BoxCaptionsWithTheTitleOfASingleRecordView) {
  ChartState c;
  c.box[2].caption = "OJ01 2024   ";
  EXPECT_EQ(CurveName(c, {SeriesKind::kSmoothed, 2}), "OJ01 2024");
  c.title = "SK01";
  c.box[3].caption = "qP";
  EXPECT_EQ(CurveName(c, {SeriesKind::kLine, 3}), "SK01 qP");
  EXPECT_EQ(CurveName(c, {SeriesKind::kLine, 5}), "SK01 6");  // a box without caption
}

TEST(CurveName, DarkRelaxationTracesAreNumberedLikeTheirBoxes) {
  ChartState c;
  c.box[0].caption = "OJIP:1";
  c.box[9].caption = "OJIP:20";
  c.smoothed[19].points.push_back({10, 1});
  EXPECT_EQ(CurveName(c, {SeriesKind::kSmoothed, 0}), "OJIP:1");
  EXPECT_EQ(CurveName(c, {SeriesKind::kSmoothed, 9}), "OJIP:10");
  EXPECT_EQ(CurveName(c, {SeriesKind::kSmoothed, 19}), "OJIP:20");
}

// A plot area of 600 x 400 pixels showing 0..10 by 0..100 on the left and 0..20 on the right.
ViewRanges Linear() {
  return {{0, 10, false}, {0, 100, false}, {0, 20, false}};
}

TEST(NearestSample, ThePointerReadsTheClosestShownSample) {
  ChartState c;
  c.line[0].points = {{1, 50}, {2, 60}};  // (60, 200) and (120, 160) in pixels
  c.line[1].points = {{2, 10}};           // right axis: (120, 200)
  c.line[1].right_axis = true;
  NearestSample n = FindNearestSample(c, Linear(), 600, 400, 118, 197, 12);
  ASSERT_TRUE(n.found);
  EXPECT_EQ(n.curve.slot, 1);
  EXPECT_EQ(n.index, 0u);
  EXPECT_NEAR(n.distance, std::hypot(2.0, 3.0), 1e-9);
  n = FindNearestSample(c, Linear(), 600, 400, 121, 162, 12);
  EXPECT_EQ(n.curve.slot, 0);
  EXPECT_EQ(n.index, 1u);
  // Too far from every sample, or the sample's curve hidden: nothing.
  EXPECT_FALSE(FindNearestSample(c, Linear(), 600, 400, 300, 300, 12).found);
  c.line[1].visible = false;
  n = FindNearestSample(c, Linear(), 600, 400, 118, 197, 12);
  EXPECT_FALSE(n.found && n.curve.slot == 1);
}

TEST(NearestSample, SamplesOutsideAZoomedViewAreNotRead) {
  ChartState c;
  c.line[0].points = {{1, 50}};
  ViewRanges zoomed = Linear();
  zoomed.bottom = {2, 10, false};
  EXPECT_FALSE(FindNearestSample(c, zoomed, 600, 400, 0, 200, 12).found);
}

TEST(CurveNumber, ShortestTextOfTheValue) {
  EXPECT_EQ(FormatCurveNumber(0.7234f), "0.7234");
  EXPECT_EQ(FormatCurveNumber(10), "10");
  EXPECT_EQ(FormatCurveNumber(12.5), "12.5");
  EXPECT_EQ(FormatCurveNumber(0.1), "0.1");
  EXPECT_EQ(FormatCurveNumber(10000000), "10000000");
}

TEST(CurveCsv, ShownCurvesSideBySideWithEmptyCellsAndRepeatedTimes) {
  ChartState c;
  ReDrawAxis(c, 5, kAxisSeconds, 0, 150, 0);
  c.box[0].caption = "A,1";  // a comma: the cell is quoted
  c.box[1].caption = "B";
  c.box[2].caption = "hidden";
  c.line[0].points = {{0, 0}, {0, 400}, {1, 410}, {2, 420}};
  c.line[1].points = {{0, 0}, {0, 500}, {2, 0.25f}};
  c.line[2].points = {{0, 7}};
  c.line[2].visible = false;
  StringSink out;
  ASSERT_TRUE(WriteCurveCsv(c, 0, 150, out));
  EXPECT_EQ(out.text,
            "\xEF\xBB\xBFtime_s,\"A,1\",B\r\n"
            "0,0,0\r\n"
            "0,400,500\r\n"
            "1,410,\r\n"
            "2,420,0.25\r\n");
}

TEST(CurveCsv, OnlyTheShownPartOfTheTimeAxisAndNamesInUtf8) {
  ChartState c;
  ReDrawAxis(c, 0, kAxisOjipTime, 0, 0, 0);
  c.box[0].caption =
      "\xD4\xE5\xC0\xE0"
      "01";  // 藻类01 in GBK
  c.smoothed[0].points = {{10, 1}, {100, 2}, {1000, 3}};
  StringSink out;
  ASSERT_TRUE(WriteCurveCsv(c, 50, 5000, out));
  EXPECT_EQ(out.text,
            "\xEF\xBB\xBFtime_us,\xE8\x97\xBB\xE7\xB1\xBB"
            "01\r\n100,2\r\n1000,3\r\n");
}

}  // namespace
}  // namespace corvel
