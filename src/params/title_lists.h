// Column titles of the tables, one list per measurement type, each ended by "END". Texts are GBK.
#pragma once

#include "params/grid.h"

namespace corvel {

extern const char* const kTitlesOjip[];
extern const char* const kTitlesSlowKin[];
extern const char* const kTitlesRlc[];
extern const char* const kTitlesDr[];
extern const char* const kTitlesAfterSs[];
extern const char* const kTitlesPifr[];
extern const char* const kTitlesMultiOjip[];
extern const char* const kTitlesFoPrime[];
extern const char* const kTitlesChlConc[];

// Writes the titles into row 0, column by column, up to "END" or the grid's last column.
void FillGridTitle(Grid& grid, const char* const* titles);

// The list of a radio item (screen order); nullptr for the user-defined programs, which have no
// table.
const char* const* TitleListForRadio(int radio_item);

}  // namespace corvel
