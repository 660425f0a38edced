// Chlorophyll concentration: one value the instrument stores with the record; nothing to compute.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

class Grid;
struct GridSource;

// The concentration in ug/L that a chlorophyll record stores in tenths at record offset 44.
float ChlConcentration(const FileImage& image, uint32_t record_offset);

extern const char* const kTitlesChlConc[];

// "???" where the instrument stored no value.
void FillGridPara_ChlC(const GridSource& src, Grid& grid);

}  // namespace corvel
