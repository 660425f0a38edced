// The part of an axis a chart view shows, and the arithmetic of zooming it. A logarithmic axis is
// divided evenly in decades, as it is drawn, so a zoom around the pointer keeps the value under
// the pointer in place on either kind of axis. The chart state itself is never zoomed: a view
// keeps its own ranges and falls back to the drawing's.
#pragma once

namespace corvel {

struct ViewRange {
  double min = 0;
  double max = 1;
  bool log = false;
};

// Where `value` lies on the axis: 0 at min, 1 at max (in decades on a logarithmic axis); values
// outside the range give fractions outside 0..1. A value at or below 0 on a logarithmic axis, or
// an empty range, gives NaN.
double RangeFraction(const ViewRange& range, double value);

// The value at `fraction` of the axis; the inverse of RangeFraction.
double RangeValue(const ViewRange& range, double fraction);

// The part of `range` between two fractions, in either order (a rubber band dragged either way).
ViewRange RangeBetween(const ViewRange& range, double from, double to);

// `range` zoomed by `factor` (below 1 zooms in) around the point at fraction `anchor`, which stays
// where it is. The result never reaches beyond `limit` (the drawing's range) and never shrinks
// below a millionth of it.
ViewRange ZoomRange(const ViewRange& range, double anchor, double factor, const ViewRange& limit);

// Cuts the segment from (x0, y0) to (x1, y1) to the part inside the rectangle left..right x
// top..bottom (Liang-Barsky); false when no part of it is inside. A vector drawing of a zoomed
// view stops its curves at the frame with this, as the screen does.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top,
                 double right, double bottom);

}  // namespace corvel
