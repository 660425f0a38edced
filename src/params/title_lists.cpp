#include "params/title_lists.h"

#include <cstring>

#include "params/type_params.h"

namespace corvel {

void FillGridTitle(Grid& grid, const char* const* titles) {
  if (titles == nullptr) return;
  for (int c = 0; c < grid.col_count(); ++c) {
    if (std::strcmp(titles[c], "END") == 0) return;
    grid.Set(0, c, titles[c]);
  }
}

const char* const* TitleListForRadio(int radio_item) {
  const TypeParams* type = TypeParamsAt(radio_item);
  return type ? type->titles : nullptr;
}

}  // namespace corvel
