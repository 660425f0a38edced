// Column titles of the tables: each type's file holds its list, ended by "END"; texts are GBK.
#pragma once

#include "params/grid.h"

namespace corvel {

// Writes the titles into row 0, column by column, up to "END" or the grid's last column.
void FillGridTitle(Grid& grid, const char* const* titles);

// The list of a radio item (screen order); nullptr for the user-defined programs, which have no
// table.
const char* const* TitleListForRadio(int radio_item);

}  // namespace corvel
