// The parameter table of a list click. Each type's fill routine (in its own file) writes one row,
// or one block of rows, per selected record, in list order, formatted from the result tables
// computed when the type was chosen; each raises the row count by one before each row it writes
// (and once more after each block of the types with steps), so the table always ends with one
// empty row.
#pragma once

#include "params/grid.h"
#include "params/result_tables.h"
#include "records/file_image.h"
#include "records/record_list.h"

namespace corvel {

struct GridSource {
  const FileImage& image;
  const RecordList& list;
  const ResultTables& results;
};

// The table part of a list click: reset to 2 rows and 40 columns, then the title row and the rows
// of the radio item's type. User-defined programs (item 8) keep the empty reset table.
void FillTableForRadio(int radio_item, const GridSource& src, Grid& grid);

}  // namespace corvel
