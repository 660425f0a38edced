// PIFR: the rise of the D2 values under far-red light. The table shows the slope K of the rise,
// the chart the thinned curve.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

struct TypeParams;

struct PifrResult {
  float K;
};

// Slope of the rise of the first data block's D2 values towards their peak, times 10.
void DecodePifrSlope(const FileImage& image, uint32_t record_offset, PifrResult& r);

// The points the PIFR slope is fitted through, x = 1, 2, ... and y the mean of three D2 values;
// returns how many there are. The arrays have room for the one point more that is formed than
// counted.
inline constexpr int kPifrSlopeMaxPoints = 99;
int PifrSlopePoints(const FileImage& image, uint32_t record_offset,
                    uint32_t (&x)[kPifrSlopeMaxPoints + 1], uint32_t (&y)[kPifrSlopeMaxPoints + 1]);

inline constexpr int kPifrMaxPoints = 300;
inline constexpr int kPifrMaxValues = 1600;

// The chart's curve. Slot 0: point count, slot 1: the largest point, slots 2..: the points.
struct PifrCurve {
  uint16_t v[2 + kPifrMaxPoints];
  uint16_t count() const { return v[0]; }
  uint16_t largest() const { return v[1]; }
  uint16_t point(int i) const { return v[2 + i]; }
};

void ComputePifrCurve(const FileImage& image, uint32_t record_offset, PifrCurve& curve);

// The type's entry in the parameter layer's table (params/type_params.h): the step that
// CacuFNinListBox runs per listed record, the table's titles and the fill routine of its rows.
extern const TypeParams kPifrParams;

}  // namespace corvel
