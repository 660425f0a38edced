// The reset and axis set-up that precede every drawing, and the binding of the boxes to curves.
#include <gtest/gtest.h>

#include "charts/chart_state.h"
#include "charts/draw.h"

namespace corvel {
namespace {

TEST(ReDrawAxis, VerticalExtentsFollowTheLargestValue) {
  ChartState c;
  ReDrawAxis(c, 0, kAxisOjipTime, 1999, 0, 0);
  EXPECT_EQ(c.left.max, 2000);
  ReDrawAxis(c, 0, kAxisOjipTime, 2000, 0, 0);
  EXPECT_EQ(c.left.max, 2100);
  ReDrawAxis(c, 0, kAxisOjipTime, 3000, 0, 0);
  EXPECT_EQ(c.left.max, 3100);

  ReDrawAxis(c, 1, kAxisPulse, 1, 0, 24);
  EXPECT_EQ(c.right.max, 30);
  ReDrawAxis(c, 1, kAxisPulse, 1, 0, 25);
  EXPECT_EQ(c.right.max, 30);
  ReDrawAxis(c, 2, kAxisLight, 1, 0, 26);
  EXPECT_EQ(c.right.max, 31);
  ReDrawAxis(c, 2, kAxisLight, 1, 0, 57);
  EXPECT_EQ(c.right.max, 62);
}

TEST(ReDrawAxis, EachModeSetsItsAxes) {
  ChartState c;
  ReDrawAxis(c, 0, kAxisOjipTime, 0, 0, 0);
  EXPECT_TRUE(c.bottom.log);
  EXPECT_EQ(c.bottom.min, 10);
  EXPECT_EQ(c.bottom.max, 10000000);
  EXPECT_EQ(c.bottom.format, "#,###,##0us");
  EXPECT_EQ(c.left.min, 0);
  EXPECT_EQ(c.left.max, 2000);
  EXPECT_FALSE(c.right.visible);

  ReDrawAxis(c, 1, kAxisPulse, 1, 0, 0);
  EXPECT_FALSE(c.bottom.log);
  EXPECT_EQ(c.bottom.min, 1);
  EXPECT_EQ(c.bottom.max, 20);
  EXPECT_EQ(c.bottom.format, "#0");
  EXPECT_EQ(c.left.max, 1);
  EXPECT_TRUE(c.right.visible);
  EXPECT_EQ(c.right.min, 0);
  EXPECT_EQ(c.right.max, 30);

  ReDrawAxis(c, 2, kAxisLight, 1, 0, 0);
  EXPECT_FALSE(c.bottom.log);
  EXPECT_EQ(c.bottom.min, 0);
  EXPECT_EQ(c.bottom.max, 2500);
  EXPECT_EQ(c.bottom.format, "#,##0umol/(m2s)");
  EXPECT_TRUE(c.right.visible);

  ReDrawAxis(c, 5, kAxisSeconds, 2500, 300, 0);
  EXPECT_FALSE(c.bottom.log);
  EXPECT_EQ(c.bottom.min, 0);
  EXPECT_EQ(c.bottom.max, 300);
  EXPECT_EQ(c.bottom.format, "##0s");
  EXPECT_EQ(c.left.max, 2600);
  EXPECT_FALSE(c.right.visible);
}

TEST(ReDrawAxis, UnknownModeOnlyResets) {
  ChartState c;
  ReDrawAxis(c, 2, kAxisLight, 1, 0, 40);
  c.line[0].points.push_back({20, 0.5});
  c.line[0].right_axis = true;
  c.title = "x";
  ReDrawAxis(c, 2, 7, 5000, 99, 99);
  EXPECT_TRUE(c.line[0].points.empty());
  EXPECT_FALSE(c.line[0].right_axis);
  EXPECT_TRUE(c.title.empty());
  EXPECT_FALSE(c.right.visible);
  EXPECT_EQ(c.bottom.min, 0);
  // Maxima, label pattern and scaling stay as the previous drawing left them.
  EXPECT_EQ(c.left.max, 1);
  EXPECT_EQ(c.right.max, 45);
  EXPECT_EQ(c.bottom.max, 2500);
  EXPECT_EQ(c.bottom.format, "#,##0umol/(m2s)");
}

TEST(ReDrawAxis, ResetsBoxesAndEverySeries) {
  ChartState c;
  for (int k = 0; k < kSeriesCount; ++k) {
    c.smoothed[k].points.push_back({10, 1});
    c.line[k].points.push_back({1, 1});
    c.line[k].right_axis = true;
  }
  c.box[4] = {"abc", true, true};
  ReDrawAxis(c, 0, kAxisOjipTime, 0, 0, 0);
  for (int k = 0; k < kSeriesCount; ++k) {
    EXPECT_TRUE(c.smoothed[k].points.empty());
    EXPECT_TRUE(c.line[k].points.empty());
    EXPECT_EQ(c.smoothed[k].width, 3);
    EXPECT_EQ(c.line[k].width, 3);
    EXPECT_FALSE(c.line[k].right_axis);
    // Emptying keeps the room reserved for the longest curve.
    EXPECT_GE(c.smoothed[k].points.capacity(), kSeriesCapacity);
  }
  for (const CheckBox& b : c.box) {
    EXPECT_EQ(b.caption, " ");
    EXPECT_FALSE(b.enabled);
    EXPECT_FALSE(b.checked);
  }
  // The box that was checked hid its curve when it was unchecked.
  EXPECT_FALSE(c.smoothed[4].visible);
  EXPECT_TRUE(c.smoothed[3].visible);
}

TEST(PicChkBoxFNClk, EachTypeBindsItsSeriesKind) {
  for (const int radio : {0, 4, 6, 7}) {
    ChartState c;
    SetBoxChecked(c, radio, 2, true);
    SetBoxChecked(c, radio, 2, false);
    EXPECT_FALSE(c.smoothed[2].visible) << radio;
    EXPECT_TRUE(c.line[2].visible) << radio;
  }
  for (const int radio : {1, 2, 5}) {
    ChartState c;
    SetBoxChecked(c, radio, 2, true);
    SetBoxChecked(c, radio, 2, false);
    EXPECT_FALSE(c.line[2].visible) << radio;
    EXPECT_TRUE(c.smoothed[2].visible) << radio;
  }
  for (const int radio : {8, 9}) {
    ChartState c;
    SetBoxChecked(c, radio, 2, true);
    SetBoxChecked(c, radio, 2, false);
    EXPECT_TRUE(c.line[2].visible) << radio;
    EXPECT_TRUE(c.smoothed[2].visible) << radio;
  }
}

TEST(PicChkBoxFNClk, DarkRelaxationBindsFirstAndLastTrace) {
  ChartState c;
  c.box[0].checked = true;
  c.box[9].checked = true;
  SetBoxChecked(c, 3, 0, false);
  EXPECT_FALSE(c.smoothed[0].visible);
  EXPECT_TRUE(c.smoothed[19].visible);
  for (int k = 1; k < 19; ++k) EXPECT_TRUE(c.smoothed[k].visible);
  // Whichever box is clicked, both bound traces follow their boxes.
  c.smoothed[0].visible = true;
  SetBoxChecked(c, 3, 9, false);
  EXPECT_FALSE(c.smoothed[0].visible);
  EXPECT_FALSE(c.smoothed[19].visible);
  EXPECT_TRUE(c.smoothed[9].visible);
}

TEST(SetBoxChecked, SettingTheSameStateRunsNothing) {
  ChartState c;
  SetBoxChecked(c, 0, 1, true);
  c.smoothed[1].visible = false;
  SetBoxChecked(c, 0, 1, true);
  EXPECT_FALSE(c.smoothed[1].visible);
  c.box[1].checked = false;
  c.smoothed[1].visible = true;
  SetBoxChecked(c, 0, 1, false);
  EXPECT_TRUE(c.smoothed[1].visible);
}

TEST(ResetForTypeSwitch, ClearsBoxesCurvesTitleAndComboButKeepsAxes) {
  ChartState c;
  ReDrawAxis(c, 1, kAxisPulse, 1, 0, 40);
  c.combo = {true, 3};
  c.title = "(B)SAMPLE0001";
  for (int k = 0; k < kSeriesCount; ++k) c.line[k].points.push_back({2, 0.5});
  c.box[0] = {"rETRII", true, true};
  ResetForTypeSwitch(c, 1);
  EXPECT_FALSE(c.combo.visible);
  EXPECT_EQ(c.combo.index, 3);  // the chosen item survives; only the box is hidden
  EXPECT_TRUE(c.title.empty());
  EXPECT_EQ(c.box[0].caption, " ");
  EXPECT_FALSE(c.box[0].enabled);
  EXPECT_FALSE(c.box[0].checked);
  EXPECT_FALSE(c.line[0].visible);
  for (int k = 0; k < kSeriesCount; ++k) EXPECT_TRUE(c.line[k].points.empty());
  EXPECT_EQ(c.right.max, 45);
  EXPECT_TRUE(c.right.visible);
  EXPECT_EQ(c.bottom.format, "#0");
}

}  // namespace
}  // namespace corvel
