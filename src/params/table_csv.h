// The table CSV: every cell of every row followed by a comma, lines ended by CR LF, no quoting.
// It is a text file: an LF byte inside a cell is written as CR LF too (rule D19).
#pragma once

#include "params/grid.h"
#include "records/byte_sink.h"

namespace corvel {

void WriteTableCsv(const Grid& grid, ByteSink& sink);

}  // namespace corvel
