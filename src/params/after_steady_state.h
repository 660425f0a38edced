// After steady state: ten pulse pairs, five after darkness and five after far-red light. The table
// shows the record's settings; the chart the first trace of each pair.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

struct TypeParams;

// Slot k (0..9): Fm of data block 2k + 1; slot 10 + k: Fm of data block 2k + 2.
struct AfterSsResult {
  uint16_t Fm[20];
};

void DecodeAfterSs(const FileImage& image, uint32_t record_offset, AfterSsResult& r);

// The type's entry in the parameter layer's table (params/type_params.h): the step that
// CacuFNinListBox runs per listed record, the table's titles and the fill routine of its rows.
extern const TypeParams kAfterSsParams;

}  // namespace corvel
