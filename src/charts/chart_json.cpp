#include "charts/chart_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "records/gbk_text.h"

namespace corvel {

namespace {

void AppendString(std::string& out, std::string_view gbk) {
  const std::string text = GbkToUtf8(gbk);
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char esc[8];
          std::snprintf(esc, sizeof esc, "\\u%04x", static_cast<unsigned>(c));
          out += esc;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

// Whole numbers print as integers; others in the shortest form that reads back as the same double.
// A value that is not finite cannot appear in JSON and counts as 0, like every value that could
// not be computed.
void AppendNumber(std::string& out, double v) {
  char buf[40];
  if (!std::isfinite(v)) v = 0;
  if (v == std::trunc(v) && std::fabs(v) < 1e15) {
    std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(v));
    out += buf;
    return;
  }
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}

void AppendBool(std::string& out, bool b) {
  out += b ? "true" : "false";
}

void AppendColor(std::string& out, uint32_t color) {
  char buf[12];
  std::snprintf(buf, sizeof buf, "\"#%06x\"", static_cast<unsigned>(color & 0xFFFFFF));
  out += buf;
}

// [x,y]
void AppendPoint(std::string& out, const ChartPoint& p) {
  out += '[';
  AppendNumber(out, p.x);
  out += ',';
  AppendNumber(out, p.y);
  out += ']';
}

void AppendSeries(std::string& out, const Series& s, const char* kind, int slot, bool& first) {
  if (s.points.empty()) return;
  out += first ? "\n" : ",\n";
  first = false;
  out += "{\"kind\":\"";
  out += kind;
  out += "\",\"slot\":";
  AppendNumber(out, slot);
  out += ",\"visible\":";
  AppendBool(out, s.visible);
  out += ",\"axis\":";
  out += s.right_axis ? "\"right\"" : "\"left\"";
  out += ",\"color\":";
  AppendColor(out, s.color);
  out += ",\"points\":[";
  for (size_t i = 0; i < s.points.size(); ++i) {
    if (i) out += ',';
    AppendPoint(out, s.points[i]);
  }
  out += "]}";
}

}  // namespace

std::string ChartStateJson(const ChartState& chart) {
  std::string out;
  out.reserve(4096);
  out += "{\"title\":";
  AppendString(out, chart.title);
  out += ",\n\"combo\":{\"visible\":";
  AppendBool(out, chart.combo.visible);
  out += ",\"index\":";
  AppendNumber(out, chart.combo.index);
  out += "},\n\"axes\":{\"bottom\":{\"min\":";
  AppendNumber(out, chart.bottom.min);
  out += ",\"max\":";
  AppendNumber(out, chart.bottom.max);
  out += ",\"log\":";
  AppendBool(out, chart.bottom.log);
  out += ",\"format\":";
  AppendString(out, chart.bottom.format);
  out += "},\"left\":{\"min\":";
  AppendNumber(out, chart.left.min);
  out += ",\"max\":";
  AppendNumber(out, chart.left.max);
  out += "},\"right\":{\"min\":";
  AppendNumber(out, chart.right.min);
  out += ",\"max\":";
  AppendNumber(out, chart.right.max);
  out += ",\"visible\":";
  AppendBool(out, chart.right.visible);
  out += "}},\n\"boxes\":[";
  for (int i = 0; i < kBoxCount; ++i) {
    out += i ? ",\n" : "\n";
    out += "{\"caption\":";
    AppendString(out, chart.box[i].caption);
    out += ",\"enabled\":";
    AppendBool(out, chart.box[i].enabled);
    out += ",\"checked\":";
    AppendBool(out, chart.box[i].checked);
    out += '}';
  }
  out += "],\n\"series\":[";
  bool first = true;
  for (int i = 0; i < kSeriesCount; ++i) AppendSeries(out, chart.smoothed[i], "smoothed", i, first);
  for (int i = 0; i < kSeriesCount; ++i) AppendSeries(out, chart.line[i], "line", i, first);
  out += "]}\n";
  return out;
}

}  // namespace corvel
