// Chlorophyll concentration: one value the instrument stores with the record; nothing to compute.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

struct TypeParams;

// The concentration in ug/L that a chlorophyll record stores in tenths at record offset 44.
float ChlConcentration(const FileImage& image, uint32_t record_offset);

// The type's entry in the parameter layer's table (params/type_params.h): the step that
// CacuFNinListBox runs per listed record, the table's titles and the fill routine of its rows.
extern const TypeParams kChlConcParams;

}  // namespace corvel
