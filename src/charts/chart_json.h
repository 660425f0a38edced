// The chart state as JSON, for the command-line tool: title, combo box, axes, the ten record
// check boxes and every series that holds points (smoothed 0..19, then line 0..19). Texts are
// decoded from GBK to UTF-8.
#pragma once

#include <string>

#include "charts/chart_state.h"

namespace corvel {

std::string ChartStateJson(const ChartState& chart);

}  // namespace corvel
