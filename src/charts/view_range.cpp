#include "charts/view_range.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvel {

namespace {

// Axis coordinates: the value itself, or its decade on a logarithmic axis.
double ToAxis(const ViewRange& r, double value) {
  if (!r.log) return value;
  return value > 0 ? std::log10(value) : std::numeric_limits<double>::quiet_NaN();
}

double FromAxis(const ViewRange& r, double u) {
  return r.log ? std::pow(10.0, u) : u;
}

}  // namespace

double RangeFraction(const ViewRange& range, double value) {
  const double lo = ToAxis(range, range.min), hi = ToAxis(range, range.max);
  if (!(hi > lo)) return std::numeric_limits<double>::quiet_NaN();
  return (ToAxis(range, value) - lo) / (hi - lo);
}

double RangeValue(const ViewRange& range, double fraction) {
  const double lo = ToAxis(range, range.min), hi = ToAxis(range, range.max);
  return FromAxis(range, lo + fraction * (hi - lo));
}

ViewRange RangeBetween(const ViewRange& range, double from, double to) {
  ViewRange out = range;
  out.min = RangeValue(range, std::min(from, to));
  out.max = RangeValue(range, std::max(from, to));
  return out;
}

ViewRange ZoomRange(const ViewRange& range, double anchor, double factor, const ViewRange& limit) {
  const double lo = ToAxis(range, range.min), hi = ToAxis(range, range.max);
  const double limit_lo = ToAxis(limit, limit.min), limit_hi = ToAxis(limit, limit.max);
  const double full = limit_hi - limit_lo;
  if (!(hi > lo) || !(full > 0) || !(factor > 0)) return range;
  const double span = std::clamp((hi - lo) * factor, full * 1e-6, full);
  const double at = lo + anchor * (hi - lo);
  double new_lo = at - anchor * span;
  // Shifted back inside the drawing's range rather than cut, so the span stays as zoomed.
  new_lo = std::clamp(new_lo, limit_lo, limit_hi - span);
  ViewRange out = range;
  out.min = FromAxis(range, new_lo);
  out.max = FromAxis(range, new_lo + span);
  if (span == full) {
    out.min = limit.min;  // exactly the drawing's range again, not a rounded copy
    out.max = limit.max;
  }
  return out;
}

bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top,
                 double right, double bottom) {
  const double dx = x1 - x0, dy = y1 - y0;
  double t0 = 0, t1 = 1;
  // Each edge: p * t <= q keeps the point inside.
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;  // parallel to this edge and outside it
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double sx = x0, sy = y0;
  x0 = sx + t0 * dx;
  y0 = sy + t0 * dy;
  x1 = sx + t1 * dx;
  y1 = sy + t1 * dy;
  return true;
}

}  // namespace corvel
