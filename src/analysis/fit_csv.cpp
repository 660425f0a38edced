#include "analysis/fit_csv.h"

#include <cmath>
#include <cstdio>

namespace corvel {

std::string FitNumber(double v) {
  if (!std::isfinite(v)) return {};
  if (v == 0) return "0";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

std::string CsvCell(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

void FitCsvCells(int record, std::string_view name_utf8, FitChoice choice, const LightCurveFit& fit,
                 std::string (&cells)[16]) {
  for (std::string& c : cells) c.clear();
  cells[0] = std::to_string(record);
  cells[1] = CsvCell(name_utf8);
  cells[15] = FitStatusText(fit.status);
  if (!fit.fitted()) {
    cells[2] = FitChoiceName(choice);
    return;
  }
  cells[2] = FitModelName(fit.model);
  const CardinalPoints& v = fit.value;
  cells[3] = FitNumber(v.etr_max);
  cells[5] = FitNumber(v.alpha);
  cells[7] = FitNumber(v.ik);
  if (fit.has_se()) {
    cells[4] = FitNumber(fit.se.etr_max);
    cells[6] = FitNumber(fit.se.alpha);
    cells[8] = FitNumber(fit.se.ik);
  }
  if (HasBeta(fit.model)) {
    cells[9] = FitNumber(v.beta);
    cells[10] = FitNumber(v.im);
  }
  if (HasIopt(fit.model)) cells[11] = FitNumber(v.iopt);
  cells[12] = FitNumber(fit.r2);
  cells[13] = FitNumber(fit.rss);
  cells[14] = FitNumber(fit.aic);
}

bool WriteFitCsvHeader(ByteSink& sink) {
  return sink.Write(kFitCsvHeader) && sink.Write("\r\n");
}

bool WriteFitCsvRow(ByteSink& sink, int record, std::string_view name_utf8, FitChoice choice,
                    const LightCurveFit& fit) {
  std::string cells[16];
  FitCsvCells(record, name_utf8, choice, fit, cells);
  std::string line;
  for (int i = 0; i < 16; ++i) {
    if (i > 0) line += ',';
    line += cells[i];
  }
  line += "\r\n";
  return sink.Write(line);
}

}  // namespace corvel
