// Quenching analysis of a pulse kinetics record: the table's summary (dark pulse against the last
// light pulse) and the per-pulse series that the chart draws.
#pragma once

#include <cstdint>

#include "params/results.h"
#include "records/file_image.h"

namespace corvel {

void DecodeSlowKin(const FileImage& image, uint32_t record_offset, SlowKinResult& r);

// The light pulses are the 3rd, 5th, 7th, ... data blocks; at most 20 of them are evaluated, and
// count is the number the settings announce (capped at 20) even when the series ends early.
void ComputeSlowKinPulseSeries(const FileImage& image, uint32_t record_offset,
                               SlowKinPulseSeries& s);

}  // namespace corvel
