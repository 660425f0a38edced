// OJIP transients: the JIP test of the first data block, the table's title list and its rows.
#pragma once

#include <cstdint>

#include "records/file_image.h"
#include "records/ojip_decoder.h"

namespace corvel {

struct TypeParams;

// The table's numbers of one record in column order: the points (columns 4..11, integers) and the
// JIP test values (columns 12..34).
struct OjipColumns {
  uint16_t points[8];
  float reals[23];
};
OjipColumns ColumnsOf(const OjipResult& r);

// Column of the area among the reals; the table shows it without decimals.
inline constexpr int kOjipAreaReal = 3;

// The type's entry in the parameter layer's table (params/type_params.h): the step that
// CacuFNinListBox runs per listed record, the table's titles and the fill routine of its rows.
extern const TypeParams kOjipParams;

}  // namespace corvel
