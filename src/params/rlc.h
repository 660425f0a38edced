// Quenching analysis of a rapid light curve: one dark pulse, then ten light steps.
#pragma once

#include <cstdint>

#include "params/results.h"
#include "records/file_image.h"

namespace corvel {

void DecodeRlc(const FileImage& image, uint32_t record_offset, RlcResult& r);

// A light curve recorded after adaptation to actinic light (not to sunlight): its steps get only
// Y(II) and rETR.
bool RlcLightAdapted(const FileImage& image, uint32_t record_offset);

}  // namespace corvel
