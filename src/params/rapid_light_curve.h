// Quenching analysis of a rapid light curve: one dark pulse, then ten light steps.
#pragma once

#include <cstdint>

#include "params/quenching.h"
#include "records/file_image.h"

namespace corvel {

struct TypeParams;

inline constexpr int kRlcSteps = 10;
// Light level of each rapid light curve step.
inline constexpr uint16_t kRlcLight[kRlcSteps] = {20, 50, 80, 150, 300, 500, 700, 900, 1200, 1500};

struct RlcResult {
  float row[kQuenchingRows][kRlcSteps];
};

void DecodeRlc(const FileImage& image, uint32_t record_offset, RlcResult& r);

// A light curve recorded after adaptation to actinic light (not to sunlight): its steps get only
// Y(II) and rETR.
bool RlcLightAdapted(const FileImage& image, uint32_t record_offset);

// The type's entry in the parameter layer's table (params/type_params.h): the step that
// CacuFNinListBox runs per listed record, the table's titles and the fill routine of its rows.
extern const TypeParams kRlcParams;

}  // namespace corvel
