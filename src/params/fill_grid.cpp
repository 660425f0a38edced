#include "params/fill_grid.h"

#include "params/title_lists.h"
#include "params/type_params.h"

namespace corvel {

void FillTableForRadio(int radio_item, const GridSource& src, Grid& grid) {
  grid.Reset(2, 40);
  const TypeParams* type = TypeParamsAt(radio_item);
  if (type == nullptr || type->fill == nullptr) return;
  FillGridTitle(grid, type->titles);
  type->fill(src, grid);
}

}  // namespace corvel
