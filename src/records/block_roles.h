// Per-type block roles that the records layer owns: the Fm pairs of an after-steady-state record,
// the thinned PIFR curve, and the least-squares line of the PIFR and multi-OJIP slopes.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

// Slot k (0..9): Fm of data block 2k + 1; slot 10 + k: Fm of data block 2k + 2.
struct AfterSsResult {
  uint16_t Fm[20];
};

void DecodeAfterSs(const FileImage& image, uint32_t record_offset, AfterSsResult& r);

inline constexpr int kPifrMaxPoints = 300;
inline constexpr int kPifrMaxValues = 1600;

// Slot 0: point count, slot 1: the largest point, slots 2..: the points.
struct PifrCurve {
  uint16_t v[2 + kPifrMaxPoints];
  uint16_t count() const { return v[0]; }
  uint16_t largest() const { return v[1]; }
  uint16_t point(int i) const { return v[2 + i]; }
};

void ComputePifrCurve(const FileImage& image, uint32_t record_offset, PifrCurve& curve);

// Least-squares line through n points; products in 32-bit unsigned arithmetic, sums in single
// precision. A zero or non-finite determinant gives slope and intercept 0.
void LeastSquaresLine(const uint32_t* x, const uint32_t* y, uint16_t n, float& slope,
                      float& intercept);

}  // namespace corvel
