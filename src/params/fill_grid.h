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
  GridSource(const FileImage& image_in, const RecordList& list_in, const ResultTables& results_in,
             int begin_in = 0, int end_in = kSlotCount)
      : image(image_in), list(list_in), results(results_in), begin(begin_in), end(end_in) {}

  const FileImage& image;
  const RecordList& list;
  const ResultTables& results;
  // The list positions a fill routine looks at: [begin, end), cut to the list.
  int begin;
  int end;
};

// The table part of a list click: reset to 2 rows and 40 columns, then the title row and the rows
// of the radio item's type. User-defined programs (item 8) keep the empty reset table. A long list
// is filled by worker threads, each into a grid of its own for a run of list positions; the pieces
// are appended in list order, which gives the table one thread would fill.
void FillTableForRadio(int radio_item, const GridSource& src, Grid& grid);

}  // namespace corvel
