#include "charts/curve_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <vector>

#include "records/gbk_text.h"

namespace corvel {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Only the dark relaxation view fills smoothed series beyond the ten boxes.
bool DrawsTwentyTraces(const ChartState& chart) {
  for (int k = kBoxCount; k < kSeriesCount; ++k)
    if (!chart.smoothed[k].points.empty()) return true;
  return false;
}

// A CSV cell: quoted where it holds a separator, a quote or a line end; an LF inside becomes
// CR LF as everywhere in the viewer's text files.
void AppendCell(std::string& out, std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos;
  if (quote) out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    if (c == '\n') out += '\r';
    out += c;
  }
  if (quote) out += '"';
}

}  // namespace

AxisQuantities AxisQuantitiesOf(const ChartState& chart) {
  AxisQuantities q;
  const std::string& f = chart.bottom.format;
  if (chart.bottom.log && f == kFormatOjipTime) {
    q = {AxisQuantity::kTimeUs, AxisQuantity::kFluorescence, AxisQuantity::kNone};
  } else if (!chart.bottom.log && f == kFormatPulse) {
    q = {AxisQuantity::kPulseNumber, AxisQuantity::kRatio, AxisQuantity::kRetr};
  } else if (!chart.bottom.log && f == kFormatLight) {
    q = {AxisQuantity::kPar, AxisQuantity::kRatio, AxisQuantity::kRetr};
  } else if (!chart.bottom.log && f == kFormatSeconds) {
    q = {AxisQuantity::kTimeS, AxisQuantity::kFluorescence, AxisQuantity::kNone};
  }
  if (!chart.right.visible) q.right = AxisQuantity::kNone;
  return q;
}

const Series& SeriesOf(const ChartState& chart, CurveRef curve) {
  const int slot = std::clamp(curve.slot, 0, kSeriesCount - 1);
  return curve.kind == SeriesKind::kSmoothed ? chart.smoothed[slot] : chart.line[slot];
}

std::string CurveName(const ChartState& chart, CurveRef curve) {
  std::string caption;
  if (curve.kind == SeriesKind::kSmoothed && DrawsTwentyTraces(chart)) {
    caption = "OJIP:" + std::to_string(curve.slot + 1);
  } else if (curve.slot >= 0 && curve.slot < kBoxCount) {
    caption.assign(Trim(chart.box[curve.slot].caption));
  }
  if (caption.empty()) caption = std::to_string(curve.slot + 1);
  const std::string_view title = Trim(chart.title);
  if (title.empty()) return caption;
  std::string name(title);
  name += ' ';
  name += caption;
  return name;
}

ViewRanges DrawingRanges(const ChartState& chart) {
  ViewRanges v;
  const auto linear = [](const ChartAxis& a) {
    ViewRange r{a.min, a.max, false};
    if (!(r.max > r.min)) r.max = r.min + 1;  // an empty range is shown one unit wide
    return r;
  };
  if (chart.bottom.log) {
    // A logarithmic axis starts above 0 and spans at least a decade.
    const double min = chart.bottom.min > 0 ? chart.bottom.min : 1;
    v.bottom = {min, chart.bottom.max > min ? chart.bottom.max : min * 10, true};
  } else {
    v.bottom = linear(chart.bottom);
  }
  v.left = linear(chart.left);
  v.right = linear(chart.right);
  return v;
}

NearestSample FindNearestSample(const ChartState& chart, const ViewRanges& view, double width,
                                double height, double x, double y, double max_distance) {
  NearestSample best;
  best.distance = max_distance;
  constexpr double kEdge = 1e-9;  // a sample on the frame is inside
  for (const SeriesKind kind : {SeriesKind::kSmoothed, SeriesKind::kLine}) {
    for (int slot = 0; slot < kSeriesCount; ++slot) {
      const CurveRef ref{kind, slot};
      const Series& s = SeriesOf(chart, ref);
      if (!IsShown(s)) continue;
      const ViewRange& vertical =
          kind == SeriesKind::kLine && s.right_axis ? view.right : view.left;
      for (size_t i = 0; i < s.points.size(); ++i) {
        const double fx = RangeFraction(view.bottom, s.points[i].x);
        const double fy = RangeFraction(vertical, s.points[i].y);
        if (!(fx >= -kEdge && fx <= 1 + kEdge && fy >= -kEdge && fy <= 1 + kEdge)) continue;
        const double d = std::hypot(fx * width - x, (1 - fy) * height - y);
        if (d <= best.distance) {
          best = {true, ref, i, d};
        }
      }
    }
  }
  return best;
}

std::string_view CsvAxisName(AxisQuantity quantity) {
  // Indexed by the quantity, in the enumeration's order; "x" for those no bottom axis shows.
  constexpr std::string_view kNames[] = {"x", "time_us", "x",     "pulse", "par_umol_m2_s",
                                         "x", "x",       "time_s"};
  const auto k = static_cast<size_t>(quantity);
  return k < std::size(kNames) ? kNames[k] : "x";
}

std::string FormatCurveNumber(double value) {
  char buf[64];
  // Whole numbers (times in µs, raw fluorescence) stay whole, never 1e+07.
  if (std::fabs(value) < 1e15 && value == std::floor(value)) {
    std::snprintf(buf, sizeof buf, "%.0f", value == 0 ? 0.0 : value);
    return buf;
  }
  const float f = static_cast<float>(value);
  const auto r = static_cast<double>(f) == value ? std::to_chars(buf, buf + sizeof buf, f)
                                                 : std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

bool WriteCurveCsv(const ChartState& chart, double x_min, double x_max, ByteSink& sink) {
  struct Column {
    const Series* series;
    std::vector<size_t> order;  // the samples inside x_min..x_max, by x, ties in drawing order
    size_t next = 0;
  };
  std::vector<Column> columns;
  std::string line = "\xEF\xBB\xBF";
  line += CsvAxisName(AxisQuantitiesOf(chart).bottom);
  for (const SeriesKind kind : {SeriesKind::kSmoothed, SeriesKind::kLine}) {
    for (int slot = 0; slot < kSeriesCount; ++slot) {
      const Series& s = SeriesOf(chart, {kind, slot});
      if (!IsShown(s)) continue;
      Column c{&s, {}, 0};
      for (size_t i = 0; i < s.points.size(); ++i)
        if (s.points[i].x >= x_min && s.points[i].x <= x_max) c.order.push_back(i);
      std::stable_sort(c.order.begin(), c.order.end(),
                       [&s](size_t a, size_t b) { return s.points[a].x < s.points[b].x; });
      columns.push_back(std::move(c));
      line += ',';
      AppendCell(line, GbkToUtf8(CurveName(chart, {kind, slot})));
    }
  }
  line += "\r\n";
  if (!sink.Write(line)) return false;
  // A merge of the sorted columns: each row takes the smallest x still waiting and one sample
  // at that x from every column that has one.
  for (;;) {
    bool any = false;
    double x = 0;
    for (const Column& c : columns) {
      if (c.next == c.order.size()) continue;
      const double cx = c.series->points[c.order[c.next]].x;
      if (!any || cx < x) x = cx;
      any = true;
    }
    if (!any) break;
    line = FormatCurveNumber(x);
    for (Column& c : columns) {
      line += ',';
      if (c.next < c.order.size() && c.series->points[c.order[c.next]].x == x)
        line += FormatCurveNumber(c.series->points[c.order[c.next++]].y);
    }
    line += "\r\n";
    if (!sink.Write(line)) return false;
  }
  return true;
}

}  // namespace corvel
