// After steady state: ten pulse pairs, five after darkness and five after far-red light. The table
// shows the record's settings; the chart the first trace of each pair.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

class Grid;
struct GridSource;
struct ResultTables;

// Slot k (0..9): Fm of data block 2k + 1; slot 10 + k: Fm of data block 2k + 2.
struct AfterSsResult {
  uint16_t Fm[20];
};

void DecodeAfterSs(const FileImage& image, uint32_t record_offset, AfterSsResult& r);

// CacuFNinListBox's step.
void DecodeAfterSsStep(const FileImage& image, uint32_t record_offset, ResultTables& tables,
                       int slot);

extern const char* const kTitlesAfterSs[];

void FillGridPara_ASS(const GridSource& src, Grid& grid);

}  // namespace corvel
