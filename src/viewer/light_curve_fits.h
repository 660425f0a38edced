// The light-curve fits of the listed rapid light curves as the window shows them: every record's
// four model fits, computed when first asked for and kept until the list changes; the fit table
// of the selected records; and the fitted curves over the chart's rETR points.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "analysis/light_curve_fit.h"
#include "charts/chart_state.h"
#include "params/result_tables.h"
#include "records/byte_sink.h"
#include "records/file_image.h"
#include "records/record_list.h"

namespace corvel {

// One row of the fit table: the list position (0-based), the record's name in UTF-8 and the fit
// of the chosen model.
struct FitRow {
  int position = 0;
  std::string name;
  LightCurveFit fit;
};

class LightCurveFits {
 public:
  LightCurveFits();  // room for every list slot, allocated once
  ~LightCurveFits();

  // A new list (open, type switch, delete): every kept fit is forgotten.
  void Reset();

  // The fit of `choice` for the rapid light curve at list position `position` of `results`.
  const LightCurveFit& Get(const FileImage& image, const RecordList& list,
                           const ResultTables& results, int position, FitChoice choice);

 private:
  struct Slot;
  std::unique_ptr<Slot[]> slots_;
};

// The selected records in list order, one row each.
void FillFitRows(const FileImage& image, const RecordList& list, const ResultTables& results,
                 FitChoice choice, LightCurveFits& fits, std::vector<FitRow>& rows);

// The fit CSV of the rows (header first).
bool WriteFitRows(const std::vector<FitRow>& rows, FitChoice choice, ByteSink& sink);

// Light levels the fitted curves are drawn over: 0 to the last step's light.
inline constexpr double kFitCurveStep = 25;

// Fills chart.fit with the curves of the records whose rETR the rapid light curve chart shows:
// the one record of the single-record view (slot 0, the rETR box), or every drawn record of the
// comparison view when rETR is the chosen parameter. Every other chart gets no fitted curve.
void DrawFitCurves(const FileImage& image, const RecordList& list, const ResultTables& results,
                   int radio_item, FitChoice choice, LightCurveFits& fits, ChartState& chart);

// "FLGrid_1.csv" gives "FLGrid_1_fit.csv": the fit table saved beside the parameter table.
std::string FitTablePath(const std::string& grid_path);

}  // namespace corvel
