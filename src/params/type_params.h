// What the parameter layer does for each measurement type, found by the type's radio item: the
// decoder step that CacuFNinListBox runs per listed record, the table's title list and the fill
// routine of its rows. The type's identity is its entry in records/measurement_type.h.
#pragma once

#include <cstdint>

#include "params/fill_grid.h"
#include "params/result_tables.h"
#include "records/file_image.h"
#include "records/measurement_type.h"

namespace corvel {

// Decodes the record at `record_offset` into slot `slot` of the type's result table.
using DecodeStep = void (*)(const FileImage& image, uint32_t record_offset, ResultTables& tables,
                            int slot);
using FillRoutine = void (*)(const GridSource& src, Grid& grid);

struct TypeParams {
  RadioItem radio;
  DecodeStep decode;          // nullptr: the type's values are read directly, nothing to compute
  const char* const* titles;  // nullptr: no table
  FillRoutine fill;
};

// In screen order, one entry per entry of kMeasurementTypes; each type's file defines its own.
extern const TypeParams* const kTypeParams[kTypeCount];

// The entry of a radio item given as its screen position; nullptr outside 0..9.
const TypeParams* TypeParamsAt(int radio_item);

}  // namespace corvel
