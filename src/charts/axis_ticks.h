// The numbers on a chart's axes: the chart state's label patterns in the printf form a chart
// view formats its labels with, and the tick step that fits a given room.
#pragma once

#include <string>
#include <string_view>

namespace corvel {

struct LabelFormat {
  std::string printf;  // one conversion for the value; the pattern's other characters as they stand
  int decimals = 0;    // decimals the pattern asks for, required and optional together
};

// A label number pattern ("0" a digit always printed, "#" a digit printed when significant, ","
// thousands separators, other characters as they stand) as a printf format. Optional decimals
// become %g; a "%" of the pattern becomes "%%".
LabelFormat LabelPrintf(std::string_view pattern);

// A tick step of 1, 2 or 5 times a power of ten that gives at most `ticks` steps over `span`;
// `whole` keeps it at 1 or more (an axis labelled without decimals). An empty span or no room
// for a tick gives 1.
double NiceStep(double span, int ticks, bool whole);

}  // namespace corvel
