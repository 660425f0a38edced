#include "viewer/light_curve_fits.h"

#include "analysis/fit_csv.h"
#include "params/rapid_light_curve.h"
#include "records/gbk_text.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

namespace {

constexpr int kRadioRlc = ItemIndex(RadioItem::kRlc);

}  // namespace

struct LightCurveFits::Slot {
  bool done = false;
  LightCurveFit fit[kFitModelCount];
};

LightCurveFits::LightCurveFits() : slots_(std::make_unique<Slot[]>(kSlotCount)) {}
LightCurveFits::~LightCurveFits() = default;

void LightCurveFits::Reset() {
  for (int i = 0; i < kSlotCount; ++i) slots_[i].done = false;
}

const LightCurveFit& LightCurveFits::Get(const FileImage& image, const RecordList& list,
                                         const ResultTables& results, int position,
                                         FitChoice choice) {
  Slot& slot = slots_[position];
  if (!slot.done) {
    const LightCurvePoints pts =
        RlcCurvePoints(results.rlc[position], RlcLightAdapted(image, list.offset(position)));
    for (int m = 0; m < kFitModelCount; ++m)
      slot.fit[m] = FitLightCurve(static_cast<FitModel>(m), pts);
    slot.done = true;
  }
  return ChooseFit(choice, slot.fit);
}

void FillFitRows(const FileImage& image, const RecordList& list, const ResultTables& results,
                 FitChoice choice, LightCurveFits& fits, std::vector<FitRow>& rows) {
  rows.clear();
  for (int p = 0; p < list.count; ++p) {
    if (!list.selected[p]) continue;
    FitRow row;
    row.position = p;
    char name[9];
    const size_t length = Record(image, list.offset(p)).name(name);
    row.name = GbkToUtf8(std::string_view(name, length));
    row.fit = fits.Get(image, list, results, p, choice);
    rows.push_back(std::move(row));
  }
}

bool WriteFitRows(const std::vector<FitRow>& rows, FitChoice choice, ByteSink& sink) {
  if (!WriteFitCsvHeader(sink)) return false;
  for (const FitRow& row : rows)
    if (!WriteFitCsvRow(sink, row.position + 1, row.name, choice, row.fit)) return false;
  return true;
}

void DrawFitCurves(const FileImage& image, const RecordList& list, const ResultTables& results,
                   int radio_item, FitChoice choice, LightCurveFits& fits, ChartState& chart) {
  for (Series& s : chart.fit) s.points.clear();
  if (radio_item != kRadioRlc) return;
  const bool single = list.selected_count == 1;
  if (!single && chart.combo.index != kRowRetr) return;
  int slot = 0;
  for (int p = 0; p < list.count && slot < kBoxCount; ++p) {
    if (!list.selected[p]) continue;
    Series& s = chart.fit[slot];
    s.color = kBoxColor[slot];
    s.right_axis = true;
    s.visible = chart.box[slot].checked;
    const LightCurveFit& fit = fits.Get(image, list, results, p, choice);
    if (fit.fitted()) {
      const double last = kRlcLight[fit.points - 1];
      for (double x = 0; x <= last; x += kFitCurveStep)
        s.points.push_back({x, ModelValue(fit.model, fit.params, x)});
    }
    if (single) break;
    ++slot;
  }
}

std::string FitTablePath(const std::string& grid_path) {
  const size_t slash = grid_path.find_last_of("/\\");
  const size_t dot = grid_path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return grid_path + "_fit.csv";
  return grid_path.substr(0, dot) + "_fit" + grid_path.substr(dot);
}

}  // namespace corvel
