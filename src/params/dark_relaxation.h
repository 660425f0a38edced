// Dark relaxation: twenty saturation pulses in darkness after actinic light, each with its Fo, Fm,
// Fv/Fm and NPQ against the first.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

struct TypeParams;

inline constexpr int kDrPulses = 20;

struct DrResult {
  uint16_t Fo[kDrPulses], Fm[kDrPulses];
  float FvFm[kDrPulses], NPQ[kDrPulses];
};

// Twenty pulses, data blocks 1..20; NPQ of each against the first.
void DecodeDr(const FileImage& image, uint32_t record_offset, DrResult& r);

// The type's entry in the parameter layer's table (params/type_params.h): the step that
// CacuFNinListBox runs per listed record, the table's titles and the fill routine of its rows.
extern const TypeParams kDrParams;

}  // namespace corvel
