// The comparison as UTF-8 CSV: what `corvel-cli compare` writes, the window saves from its
// comparison page and the CSV export writes beside the record files. Numbers have up to 7
// significant digits; a value that is not defined is an empty cell. Lines end in CR LF like
// every text file the viewer writes (rule D19).
#pragma once

#include <string>
#include <string_view>

#include "analysis/comparison.h"
#include "records/byte_sink.h"

namespace corvel {

inline constexpr std::string_view kCompareCsvHeader = "group,parameter,n,mean,sd,se,ratio,p";
inline constexpr std::string_view kCompareCurvesCsvHeader =
    "time_us,group,n,F,F_sd,V,V_sd,W_OK,W_OJ,V_IP,dV,dW_OK,dW_OJ,dV_IP";

// "%.7g" of a finite value, "0" for either zero, empty for NaN and infinities.
std::string CompareNumber(double v);

// One row per group and parameter: the groups in order, each with its parameters in table
// column order.
bool WriteCompareCsv(const Comparison& c, ByteSink& sink);

// One row per time-base sample and group (the comparison must hold curves).
bool WriteCompareCurvesCsv(const Comparison& c, ByteSink& sink);

}  // namespace corvel
