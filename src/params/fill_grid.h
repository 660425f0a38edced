// The fill routines of the parameter table: one row (or one block of rows) per selected record,
// in list order, formatted from the result tables computed when the type was chosen.
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

// Each raises the row count by one before each row it writes (and once more after each block of
// the types with steps), so the table always ends with one empty row.
void FillGridPara_OJIP(const GridSource& src, Grid& grid);
void FillGridPara_SlowK(const GridSource& src, Grid& grid);
void FillGridPara_RLC(const GridSource& src, Grid& grid);
void FillGridPara_DR(const GridSource& src, Grid& grid);
void FillGridPara_ASS(const GridSource& src, Grid& grid);
void FillGridPara_PIFR(const GridSource& src, Grid& grid);
void FillGridPara_MTOJIP(const GridSource& src, Grid& grid);
void FillGridPara_Fo(const GridSource& src, Grid& grid);
void FillGridPara_ChlC(const GridSource& src, Grid& grid);

// The table part of a list click: reset to 2 rows and 40 columns, then the title row and the rows
// of the radio item's type. User-defined programs (item 8) keep the empty reset table.
void FillTableForRadio(int radio_item, const GridSource& src, Grid& grid);

}  // namespace corvel
