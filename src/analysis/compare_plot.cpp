#include "analysis/compare_plot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "charts/axis_ticks.h"
#include "records/measurement_type.h"
#include "records/time_base.h"

namespace corvel {

uint32_t GroupColor(int group) {
  return kBoxColor[static_cast<size_t>(group) % kBoxCount];
}

namespace {

// The mean (or difference) and SD rows a curve choice draws.
struct CurveRows {
  const double* value;
  const double* sd;
};

CurveRows RowsOf(const GroupCurves& g, CompareCurve curve) {
  const int choice = static_cast<int>(curve);
  if (choice <= static_cast<int>(CompareCurve::kVip)) return {g.mean[choice], g.sd[choice]};
  const int kind = choice - static_cast<int>(CompareCurve::kVip);  // kDV gives kCurveV
  return {g.diff[kind - 1], g.sd[kind]};
}

// Whole steps of `step` that hold lo..hi.
void StepRange(double lo, double hi, double& min, double& max, double& step) {
  if (!(hi > lo)) {
    // A flat drawing (or none) gets one step around its value.
    const double at = std::isfinite(lo) ? lo : 0;
    step = at == 0 ? 1 : NiceStep(std::fabs(at), 2, false);
    min = std::floor(at / step) * step;
    max = min + step;
    if (max <= at) max += step;
    return;
  }
  step = NiceStep(hi - lo, 6, false);
  min = std::floor(lo / step) * step;
  max = std::ceil(hi / step) * step;
}

}  // namespace

void PlotCompareCurves(const Comparison& c, CompareCurve curve, CompareCurvePlot& out) {
  out = CompareCurvePlot();
  out.curve = curve;
  double x_lo = std::numeric_limits<double>::infinity(), x_hi = -x_lo;
  double y_lo = x_lo, y_hi = -x_lo;
  const auto extend = [&](const ChartPoint& p) {
    x_lo = std::min(x_lo, p.x);
    x_hi = std::max(x_hi, p.x);
    y_lo = std::min(y_lo, p.y);
    y_hi = std::max(y_hi, p.y);
  };
  for (size_t g = 0; g < c.curves.size(); ++g) {
    const CurveRows rows = RowsOf(c.curves[g], curve);
    GroupBand band;
    band.group = static_cast<int>(g);
    band.color = GroupColor(band.group);
    for (int i = 0; i < kOjipCurvePoints;) {
      if (!std::isfinite(rows.value[i])) {
        ++i;
        continue;
      }
      std::vector<ChartPoint>& line = band.lines.emplace_back();
      for (; i < kOjipCurvePoints && std::isfinite(rows.value[i]); ++i) {
        line.push_back({OjipTimeUs(static_cast<uint32_t>(i)), rows.value[i]});
        extend(line.back());
      }
    }
    for (int i = 0; i < kOjipCurvePoints;) {
      const auto banded = [&](int k) {
        return std::isfinite(rows.value[k]) && std::isfinite(rows.sd[k]);
      };
      if (!banded(i)) {
        ++i;
        continue;
      }
      int end = i;
      while (end < kOjipCurvePoints && banded(end)) ++end;
      std::vector<ChartPoint>& polygon = band.polygons.emplace_back();
      for (int k = i; k < end; ++k)
        polygon.push_back({OjipTimeUs(static_cast<uint32_t>(k)), rows.value[k] + rows.sd[k]});
      for (int k = end - 1; k >= i; --k)
        polygon.push_back({OjipTimeUs(static_cast<uint32_t>(k)), rows.value[k] - rows.sd[k]});
      for (const ChartPoint& p : polygon) extend(p);
      i = end;
    }
    if (!band.lines.empty()) out.groups.push_back(std::move(band));
  }
  if (out.groups.empty()) return;
  out.x_min = std::pow(10.0, std::floor(std::log10(x_lo)));
  out.x_max = std::pow(10.0, std::ceil(std::log10(x_hi)));
  if (out.x_max <= out.x_min) out.x_max = out.x_min * 10;
  StepRange(y_lo, y_hi, out.y_min, out.y_max, out.y_step);
}

std::vector<std::string> DefaultRadarParameters(const Comparison& c) {
  std::vector<std::string> names;
  if (c.radio_item == ItemIndex(RadioItem::kOjip)) {
    for (const std::string_view name : kRadarDefaultOjip)
      if (c.ParameterIndex(std::string(name)) >= 0) names.emplace_back(name);
    return names;
  }
  for (size_t k = 0; k < c.parameters.size() && names.size() < kRadarDefaultCount; ++k)
    names.push_back(c.parameters[k]);
  return names;
}

void PlotRadar(const Comparison& c, const std::vector<std::string>& parameters, RadarPlot& out) {
  out = RadarPlot();
  std::vector<int> index;
  for (const std::string& name : parameters) {
    const int k = c.ParameterIndex(name);
    if (k < 0) continue;
    index.push_back(k);
    out.axes.push_back(name);
  }
  const size_t n = index.size();
  for (size_t a = 0; a < n; ++a) {
    const double angle = 2 * std::numbers::pi * static_cast<double>(a) / static_cast<double>(n);
    out.directions.push_back({std::sin(angle), std::cos(angle)});
  }
  double largest = 1;
  for (size_t g = 0; g < c.groups.size(); ++g) {
    RadarPolygon& polygon = out.polygons.emplace_back();
    polygon.group = static_cast<int>(g);
    polygon.color = GroupColor(polygon.group);
    for (const int k : index) {
      const double r = c.stat(static_cast<int>(g), k).ratio;
      polygon.ratio.push_back(r);
      if (std::isfinite(r)) largest = std::max(largest, r);
    }
  }
  const double step = NiceStep(largest, 4, false);
  out.outer = std::ceil(largest / step - 1e-9) * step;
  for (int ring = 1; ring * step < out.outer + step / 2; ++ring) out.rings.push_back(ring * step);
  out.rings.back() = out.outer;
  for (RadarPolygon& polygon : out.polygons)
    for (size_t a = 0; a < n; ++a) {
      const double r = polygon.ratio[a];
      const double at = std::isfinite(r) && r > 0 ? r / out.outer : 0;
      polygon.vertices.push_back({out.directions[a].x * at, out.directions[a].y * at});
    }
}

}  // namespace corvel
