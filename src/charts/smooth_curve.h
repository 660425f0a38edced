// The curve a chart view draws through the points of a smoothed series: a monotone cubic
// between each two points (the tangents of Steffen's method, "A simple method for monotonic
// interpolation in one dimension", 1990), so the curve never overshoots the neighbouring samples.
#pragma once

#include <vector>

#include "charts/chart_state.h"

namespace corvel {

// Room the smoothing reuses from call to call, so that a redraw allocates nothing once it has
// seen the longest series.
struct SmoothScratch {
  std::vector<ChartPoint> axis_points;  // the points in axis coordinates
  std::vector<double> tangents;
};

// Fills `out` with the smoothed curve through `in`. It is computed in the coordinates of the axes
// (decades on a logarithmic time axis, `log_x`), where the curve is seen: a segment is divided
// into parts of about two pixels of a view 800 pixels wide over `x_span` (axis units), at most
// 16, so the dense tail stays straight. Points that a logarithmic axis cannot show (x <= 0) are
// left out; fewer than three points are copied as they are.
void SmoothCurve(const std::vector<ChartPoint>& in, bool log_x, double x_span,
                 std::vector<ChartPoint>& out, SmoothScratch& scratch);

}  // namespace corvel
