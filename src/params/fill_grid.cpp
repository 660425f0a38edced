#include "params/fill_grid.h"

#include <memory>

#include "params/parallel_for.h"
#include "params/title_lists.h"
#include "params/type_params.h"

namespace corvel {

void FillTableForRadio(int radio_item, const GridSource& src, Grid& grid) {
  grid.Reset(2, 40);
  const TypeParams* type = TypeParamsAt(radio_item);
  if (type == nullptr || type->fill == nullptr) return;
  FillGridTitle(grid, type->titles);
  int count = src.list.count < kSlotCount ? src.list.count : kSlotCount;
  if (src.end < count) count = src.end;
  const int first = src.begin < 0 ? 0 : src.begin;
  const int positions = count - first;
  const int parts =
      ThreadsFor(src.list.selected_count < positions ? src.list.selected_count : positions);
  if (parts <= 1) {
    type->fill(src, grid);
    return;
  }
  // Each run fills a grid of its own, the first straight into the table.
  std::unique_ptr<Grid[]> pieces(new Grid[static_cast<size_t>(parts)]);
  ForEachPart(positions, parts, [&](int begin, int end, int part) {
    const GridSource range(src.image, src.list, src.results, first + begin, first + end);
    Grid& into = part == 0 ? grid : pieces[static_cast<size_t>(part)];
    if (part != 0) into.Reset(2, grid.col_count());
    type->fill(range, into);
  });
  for (int part = 1; part < parts; ++part) grid.AppendRows(pieces[static_cast<size_t>(part)]);
}

}  // namespace corvel
