#include "analysis/compare_csv.h"

#include <cmath>
#include <cstdio>

#include "analysis/fit_csv.h"
#include "records/time_base.h"

namespace corvel {

std::string CompareNumber(double v) {
  if (!std::isfinite(v)) return {};
  if (v == 0) return "0";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.7g", v);
  return buf;
}

namespace {

void Cell(std::string& line, double v) {
  line += ',';
  line += CompareNumber(v);
}

}  // namespace

bool WriteCompareCsv(const Comparison& c, ByteSink& sink) {
  bool ok = sink.Write(kCompareCsvHeader) && sink.Write("\r\n");
  std::string line;
  for (size_t g = 0; g < c.groups.size() && ok; ++g) {
    const std::string group = CsvCell(c.groups[g]);
    for (size_t k = 0; k < c.parameters.size() && ok; ++k) {
      const GroupStat& s = c.stat(static_cast<int>(g), static_cast<int>(k));
      line = group;
      line += ',';
      line += CsvCell(c.parameters[k]);
      line += ',';
      line += std::to_string(s.n);
      Cell(line, s.mean);
      Cell(line, s.sd);
      Cell(line, s.se);
      Cell(line, s.ratio);
      Cell(line, s.p);
      line += "\r\n";
      ok = sink.Write(line);
    }
  }
  return ok;
}

bool WriteCompareCurvesCsv(const Comparison& c, ByteSink& sink) {
  bool ok = sink.Write(kCompareCurvesCsvHeader) && sink.Write("\r\n");
  std::string line;
  std::vector<std::string> groups;
  for (const std::string& name : c.groups) groups.push_back(CsvCell(name));
  for (int i = 0; i < kOjipCurvePoints && ok; ++i) {
    char time[16];
    std::snprintf(time, sizeof time, "%.0f", OjipTimeUs(static_cast<uint32_t>(i)));
    for (size_t g = 0; g < c.curves.size() && ok; ++g) {
      const GroupCurves& curves = c.curves[g];
      line = time;
      line += ',';
      line += groups[g];
      line += ',';
      line += std::to_string(curves.n[i]);
      Cell(line, curves.mean[kCurveF][i]);
      Cell(line, curves.sd[kCurveF][i]);
      Cell(line, curves.mean[kCurveV][i]);
      Cell(line, curves.sd[kCurveV][i]);
      Cell(line, curves.mean[kCurveWok][i]);
      Cell(line, curves.mean[kCurveWoj][i]);
      Cell(line, curves.mean[kCurveVip][i]);
      for (const auto& diff : curves.diff) Cell(line, diff[i]);
      line += "\r\n";
      ok = sink.Write(line);
    }
  }
  return ok;
}

}  // namespace corvel
