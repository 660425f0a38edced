#include "charts/smooth_curve.h"

#include <algorithm>
#include <cmath>

namespace corvel {

void SmoothCurve(const std::vector<ChartPoint>& in, bool log_x, double x_span,
                 std::vector<ChartPoint>& out, SmoothScratch& scratch) {
  out.clear();
  const auto ax = [log_x](double x) { return log_x ? std::log10(x) : x; };
  const auto back = [log_x](double u) { return log_x ? std::pow(10.0, u) : u; };
  std::vector<ChartPoint>& p = scratch.axis_points;
  p.clear();
  for (const ChartPoint& q : in)
    if (!log_x || q.x > 0) p.push_back({ax(q.x), q.y});
  const size_t n = p.size();
  if (n < 3) {
    for (const ChartPoint& q : p) out.push_back({back(q.x), q.y});
    return;
  }
  const auto slope = [&](size_t i) {
    const double h = p[i + 1].x - p[i].x;
    return h > 0 ? (p[i + 1].y - p[i].y) / h : 0.0;
  };
  // Steffen's tangent: the smallest of the two secants and half their weighted mean, zero where
  // the secants differ in sign (a local extremum stays one).
  std::vector<double>& d = scratch.tangents;
  d.assign(n, 0.0);
  d[0] = slope(0);
  d[n - 1] = slope(n - 2);
  for (size_t i = 1; i + 1 < n; ++i) {
    const double h0 = p[i].x - p[i - 1].x, h1 = p[i + 1].x - p[i].x;
    if (!(h0 > 0) || !(h1 > 0)) continue;
    const double s0 = slope(i - 1), s1 = slope(i);
    const double mid = (s0 * h1 + s1 * h0) / (h0 + h1);
    const double sign = (s0 > 0) - (s0 < 0) + (s1 > 0) - (s1 < 0);
    d[i] = sign * std::min({std::fabs(s0), std::fabs(s1), 0.5 * std::fabs(mid)});
  }
  const double pixel = x_span > 0 ? x_span / 800 : 1;
  out.push_back({back(p[0].x), p[0].y});
  for (size_t i = 0; i + 1 < n; ++i) {
    const double h = p[i + 1].x - p[i].x;
    const int parts = h > 0 ? static_cast<int>(std::min(16.0, std::ceil(h / (2 * pixel)))) : 1;
    // The cubic Hermite segment between points i and i + 1 with tangents d[i] and d[i + 1].
    for (int k = 1; k < parts; ++k) {
      const double t = static_cast<double>(k) / parts, t2 = t * t, t3 = t2 * t;
      const double y = (2 * t3 - 3 * t2 + 1) * p[i].y + (t3 - 2 * t2 + t) * h * d[i] +
                       (-2 * t3 + 3 * t2) * p[i + 1].y + (t3 - t2) * h * d[i + 1];
      out.push_back({back(p[i].x + t * h), y});
    }
    out.push_back({back(p[i + 1].x), p[i + 1].y});
  }
}

}  // namespace corvel
