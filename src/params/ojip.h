// OJIP transients: the JIP test of the first data block, the table's title list and its rows.
#pragma once

#include <cstdint>

#include "records/file_image.h"
#include "records/ojip_decoder.h"

namespace corvel {

class Grid;
struct GridSource;
struct ResultTables;

// The table's numbers of one record in column order: the points (columns 4..11, integers) and the
// JIP test values (columns 12..34).
struct OjipColumns {
  uint16_t points[8];
  float reals[23];
};
OjipColumns ColumnsOf(const OjipResult& r);

// Column of the area among the reals; the table shows it without decimals.
inline constexpr int kOjipAreaReal = 3;

// CacuFNinListBox's step: the full JIP test on the record's first data block.
void DecodeOjipStep(const FileImage& image, uint32_t record_offset, ResultTables& tables, int slot);

extern const char* const kTitlesOjip[];

void FillGridPara_OJIP(const GridSource& src, Grid& grid);

}  // namespace corvel
