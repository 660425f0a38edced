// Dark relaxation: twenty saturation pulses in darkness after actinic light, each with its Fo, Fm,
// Fv/Fm and NPQ against the first.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

class Grid;
struct GridSource;
struct ResultTables;

inline constexpr int kDrPulses = 20;

struct DrResult {
  uint16_t Fo[kDrPulses], Fm[kDrPulses];
  float FvFm[kDrPulses], NPQ[kDrPulses];
};

// Twenty pulses, data blocks 1..20; NPQ of each against the first.
void DecodeDr(const FileImage& image, uint32_t record_offset, DrResult& r);

// CacuFNinListBox's step.
void DecodeDrStep(const FileImage& image, uint32_t record_offset, ResultTables& tables, int slot);

extern const char* const kTitlesDr[];

// Twenty rows per record, one per pulse.
void FillGridPara_DR(const GridSource& src, Grid& grid);

}  // namespace corvel
