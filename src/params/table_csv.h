// The table CSV: every cell of every row followed by a comma, lines ended by CR LF, no quoting.
#pragma once

#include "params/grid.h"
#include "records/byte_sink.h"

namespace corvel {

void WriteTableCsv(const Grid& grid, ByteSink& sink);

}  // namespace corvel
