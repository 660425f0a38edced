// The fit table as UTF-8 CSV: what `corvel-cli fit` writes and the window saves beside the table.
// Numbers have 6 significant digits; a value the fit does not have is an empty cell, never NaN.
// Lines end in CR LF like every text file the viewer writes (rule D19).
#pragma once

#include <string>
#include <string_view>

#include "analysis/light_curve_fit.h"
#include "records/byte_sink.h"

namespace corvel {

inline constexpr std::string_view kFitCsvHeader =
    "record,name,model,rETRmax,rETRmax_se,alpha,alpha_se,Ik,Ik_se,beta,Im,Iopt,r2,rss,aic,status";

// "%.6g" of a finite value, "0" for either zero; empty for a value that is not finite.
std::string FitNumber(double v);

// A cell as CSV needs it: quoted, quotes doubled, when it holds a comma, a quote or a line break.
std::string CsvCell(std::string_view text);

// The cells of one row, in the order of the header. `record` is the 1-based list position,
// `name_utf8` the record's name; a row without a fit names the model asked for.
void FitCsvCells(int record, std::string_view name_utf8, FitChoice choice, const LightCurveFit& fit,
                 std::string (&cells)[16]);

bool WriteFitCsvHeader(ByteSink& sink);
bool WriteFitCsvRow(ByteSink& sink, int record, std::string_view name_utf8, FitChoice choice,
                    const LightCurveFit& fit);

}  // namespace corvel
