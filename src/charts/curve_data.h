// What the curve page shows, read off the chart state for the reader of a figure: the quantity
// and unit of each axis, the name of each curve, the sample nearest the pointer and the curve
// data as CSV. Nothing here changes the chart state.
#pragma once

#include <cstddef>
#include <string>

#include "charts/chart_state.h"
#include "charts/view_range.h"
#include "records/byte_sink.h"

namespace corvel {

// The quantity an axis shows, from the axis set-up of the drawing.
enum class AxisQuantity {
  kNone,          // no drawing has set the axes up
  kTimeUs,        // OJIP time, µs
  kFluorescence,  // raw fluorescence, arbitrary units
  kPulseNumber,   // pulse number of a pulse kinetics record
  kPar,           // light intensity, µmol m⁻² s⁻¹
  kRatio,         // the yields and quenching coefficients, 0..1
  kRetr,          // relative electron transport rate
  kTimeS,         // PIFR time, s
};

struct AxisQuantities {
  AxisQuantity bottom = AxisQuantity::kNone;
  AxisQuantity left = AxisQuantity::kNone;
  AxisQuantity right = AxisQuantity::kNone;
};

AxisQuantities AxisQuantitiesOf(const ChartState& chart);

enum class SeriesKind { kSmoothed, kLine };

struct CurveRef {
  SeriesKind kind = SeriesKind::kSmoothed;
  int slot = 0;
};

const Series& SeriesOf(const ChartState& chart, CurveRef curve);

// A curve is shown when it is visible and holds points.
inline bool IsShown(const Series& s) {
  return s.visible && !s.points.empty();
}

// The curve's name as its box captions it (GBK, blanks trimmed); in a single-record view the
// record's title comes first ("OJ01 qP"). The dark relaxation view draws twenty traces, of which
// only the first and the last have a box ("OJIP:1", "OJIP:20"): trace k is named "OJIP:k".
std::string CurveName(const ChartState& chart, CurveRef curve);

// The part of each axis that a view shows.
struct ViewRanges {
  ViewRange bottom;
  ViewRange left;
  ViewRange right;
};

// The drawing's own ranges, as a view shows them before any zoom.
ViewRanges DrawingRanges(const ChartState& chart);

struct NearestSample {
  bool found = false;
  CurveRef curve;
  size_t index = 0;     // into the series' points
  double distance = 0;  // in pixels
};

// The sample of a shown curve nearest to (x, y), in pixels of a plot area `width` x `height`
// with y downwards, that lies inside the view and within `max_distance` pixels. Each curve is
// measured against its own vertical axis (left or right).
NearestSample FindNearestSample(const ChartState& chart, const ViewRanges& view, double width,
                                double height, double x, double y, double max_distance);

// The column title of the bottom axis in the curve CSV: "time_us", "pulse", "par_umol_m2_s",
// "time_s", or "x".
std::string_view CsvAxisName(AxisQuantity quantity);

// A number as the curve CSV and the tooltips write it: the shortest text that reads back as the
// same value (as the same float where the value is one, so 0.7234f gives "0.7234").
std::string FormatCurveNumber(double value);

// The shown curves as CSV in UTF-8 with a byte order mark (spreadsheets then read the Chinese
// names), lines ended by CR LF as in every text file the viewer writes (rule D19). Header: the
// bottom axis column, then the name of each shown curve (smoothed 0..19, then line 0..19). One
// row per x from x_min to x_max; a curve without a sample at that x leaves its cell empty, and a
// curve with two samples at one x (the PIFR curves rise from 0 at 0 s) takes two rows.
bool WriteCurveCsv(const ChartState& chart, double x_min, double x_max, ByteSink& sink);

}  // namespace corvel
