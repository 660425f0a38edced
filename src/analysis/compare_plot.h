// What the comparison page draws, as plain data the window only renders: for OJIP each group's
// mean curve with its band of plus and minus one SD on the logarithmic time axis, and the radar of
// the parameters' ratios to the control (the control is 1 on every axis).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/comparison.h"
#include "charts/chart_state.h"

namespace corvel {

// The curve choice of the comparison chart, in the order it lists them.
enum class CompareCurve : int { kF = 0, kV, kWok, kWoj, kVip, kDV, kDWok, kDWoj, kDVip };
inline constexpr int kCompareCurveCount = 9;
// UTF-8; the differences start with the Greek capital delta.
inline constexpr std::string_view kCompareCurveNames[kCompareCurveCount] = {
    "F", "V", "W_OK", "W_OJ", "V_IP", "\xCE\x94V", "\xCE\x94W_OK", "\xCE\x94W_OJ", "\xCE\x94V_IP"};

// The colour of group g's curve, band and polygon: the record check boxes' colours in turn.
uint32_t GroupColor(int group);

// One group's drawing. A run is a stretch of consecutive time-base samples where the value is
// defined; a band polygon goes along the run at mean + SD and back at mean - SD, so it is closed
// and never crosses a gap. Where the SD is not defined (one record) there is a line and no band.
struct GroupBand {
  int group = 0;  // index in the comparison's groups
  uint32_t color = 0;
  std::vector<std::vector<ChartPoint>> lines;     // x: time in us, y: the mean (or difference)
  std::vector<std::vector<ChartPoint>> polygons;  // the band, one closed polygon per run
};

struct CompareCurvePlot {
  CompareCurve curve = CompareCurve::kF;
  std::vector<GroupBand> groups;  // the groups with a defined value, in group order
  // The bottom axis: whole decades of microseconds around the drawn samples (10 us .. 1 s for a
  // full trace), logarithmic; the left axis: whole steps around the means and bands.
  double x_min = 10, x_max = 1e6;
  double y_min = 0, y_max = 1, y_step = 0.2;
};

// The drawing of `curve` for the comparison's OJIP group curves. A difference (delta) is the
// group mean minus the control mean with the band of the group's own SD of that curve; the
// control's difference is 0 with its own band.
void PlotCompareCurves(const Comparison& c, CompareCurve curve, CompareCurvePlot& out);

// The OJIP parameters the radar shows unless the user chooses others (table column titles).
inline constexpr std::string_view kRadarDefaultOjip[] = {"Fv/Fm",  "Vj",     "Mo",     "ABS/RC",
                                                         "Tro/RC", "ETo/RC", "DIo/RC", "PI_ABS"};
inline constexpr size_t kRadarDefaultCount = 8;

// The default radar axes of a comparison: for OJIP those of kRadarDefaultOjip it has, for the
// other types its first eight parameters.
std::vector<std::string> DefaultRadarParameters(const Comparison& c);

struct RadarPolygon {
  int group = 0;
  uint32_t color = 0;
  std::vector<double> ratio;         // per axis; NaN where not defined
  std::vector<ChartPoint> vertices;  // per axis, in the unit circle: direction * ratio / outer
};

struct RadarPlot {
  std::vector<std::string> axes;       // parameter names, clockwise from the top
  std::vector<ChartPoint> directions;  // unit vectors of the axes, y upwards
  double outer = 1;                    // the ratio of the outer ring
  std::vector<double> rings;           // ring ratios, ascending; the last is `outer`
  std::vector<RadarPolygon> polygons;  // one per group, in group order
};

// The radar of the named parameters (those the comparison lacks are left out). A ratio that is
// not defined or below 0 puts its vertex at the centre. The outer ring is the largest ratio
// rounded up to a step of 1, 2 or 5 times a power of ten, at least 1.
void PlotRadar(const Comparison& c, const std::vector<std::string>& parameters, RadarPlot& out);

}  // namespace corvel
