// The curve page as plain data: the three axes, the title, the ten record check boxes, the twenty
// smoothed and twenty line series and the curve-choice combo box. The drawings change this state;
// the window's chart view only shows it, and the command-line tool prints it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "params/pulse_kinetics.h"

namespace corvel {

inline constexpr int kBoxCount = 10;     // record check boxes, one per curve slot
inline constexpr int kSeriesCount = 20;  // smoothed series, and as many line series
// Enough for the longest curve (PIFR: the start point and 300 points), so refilling a series
// never allocates.
inline constexpr size_t kSeriesCapacity = 320;

// Font colour of each record check box, 0xRRGGBB; every curve of a slot is drawn in it.
inline constexpr uint32_t kBoxColor[kBoxCount] = {
    0x000000,  // black
    0x800000,  // maroon
    0x008000,  // green
    0xFF0000,  // red
    0x808000,  // olive
    0x000080,  // navy
    0x800080,  // purple
    0xFF00FF,  // fuchsia
    0x808080,  // gray
    0x008080,  // teal
};

// Items of the curve-choice combo box; item m names parameter row m of the quenching results.
inline constexpr std::string_view kCurveChoice[kQuenchingRows] = {
    "rETRII", "YII", "Fm'/Fm", "qP", "qL", "qN", "YNO", "YNPQ"};

// Bottom-axis label patterns: "0" a digit always printed, "#" a digit printed when significant,
// "," thousands separators, anything else printed as it stands.
inline constexpr std::string_view kFormatOjipTime = "#,###,##0us";
inline constexpr std::string_view kFormatPulse = "#0";
inline constexpr std::string_view kFormatLight = "#,##0umol/(m2s)";
inline constexpr std::string_view kFormatSeconds = "##0s";
// The chart component's own pattern, kept by the vertical axes.
inline constexpr std::string_view kFormatDefault = "#,##0.###";

struct ChartPoint {
  double x;
  double y;
};

struct ChartAxis {
  double min = 0;
  double max = 0;
  bool log = false;
  bool visible = true;
  std::string format{kFormatDefault};
};

struct CheckBox {
  std::string caption = " ";  // 8-bit text as the core produces it (list labels are GBK)
  bool enabled = false;
  bool checked = false;
  // List position of the record whose curve the box stands for, -1 when it stands for none (a
  // pulse number, a parameter row). The caption is the label's start; the window shows the
  // whole label of this record as the box's tooltip.
  int record = -1;
};

struct Series {
  std::vector<ChartPoint> points;  // reserved once; emptied with clear(), which keeps the room
  uint32_t color = 0;              // 0xRRGGBB
  bool visible = true;
  int width = 1;
  bool right_axis = false;  // bound to the right axis instead of the left one
};

struct CurveChoice {
  bool visible = false;
  int index = -1;  // -1: no item chosen
};

struct ChartState {
  ChartState();

  ChartAxis bottom;
  ChartAxis left;
  ChartAxis right;
  std::string title;  // 8-bit text, like the captions
  CheckBox box[kBoxCount];
  Series smoothed[kSeriesCount];
  Series line[kSeriesCount];
  CurveChoice combo;
  // The fitted light curves over the rETR points of a rapid light curve chart, one per curve slot,
  // drawn dashed in the slot's colour against the right axis; the viewer fills them after the
  // drawing, and the slot's box shows and hides them with the slot's curve.
  Series fit[kBoxCount];

  // The per-pulse series of the latest pulse kinetics drawing, one per curve slot; slots beyond
  // the records drawn keep older contents.
  SlowKinPulseSeries pulse[kBoxCount] = {};

  // Counts the resets (every drawing's ReDrawAxis and the type switch). A view keeps its zoom
  // while this stays the same, so a new drawing is shown at the drawing's own scale.
  uint32_t drawing = 0;
};

}  // namespace corvel
