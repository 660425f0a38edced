// What the per-type fill routines of the parameter table share: the row writer, the row counter and
// the walk over the selected list positions.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "params/fill_grid.h"
#include "params/grid.h"
#include "params/number_format.h"
#include "records/file_image.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

// Writes the cells of one table row; numbers go through a stack buffer, nothing is allocated.
class RowWriter {
 public:
  RowWriter(Grid& grid, int row) : grid_(grid), row_(row) {}

  void Text(int col, std::string_view text) { grid_.Set(row_, col, text); }
  void Int(int col, int64_t v) {
    const int n = FormatInt(v, buf_);
    grid_.Set(row_, col, {buf_, static_cast<size_t>(n)});
  }
  void Fixed(int col, float v, int decimals = 2) {
    const int n = FormatFixed(v, decimals, buf_);
    grid_.Set(row_, col, {buf_, static_cast<size_t>(n)});
  }
  // A number between two fixed texts, such as 3000(10S).
  void Wrapped(int col, const char* before, int64_t v, const char* after) {
    const int n =
        std::snprintf(buf_, sizeof buf_, "%s%lld%s", before, static_cast<long long>(v), after);
    grid_.Set(row_, col, {buf_, static_cast<size_t>(n)});
  }
  // Two settings as A(B), such as an adaptation light and its minutes.
  void Pair(int col, int a, int b) {
    const int n = std::snprintf(buf_, sizeof buf_, "%d(%d)", a, b);
    grid_.Set(row_, col, {buf_, static_cast<size_t>(n)});
  }
  // Columns 0 to 2: display name, date and time, type label.
  void Identity(const FileImage& image, uint32_t offset, TypeCode type_code) {
    const Record rec(image, offset);
    char name[9];
    rec.name(name);
    int n = std::snprintf(buf_, sizeof buf_, "%s%04d", name, int{rec.number()});
    grid_.Set(row_, 0, {buf_, static_cast<size_t>(n)});
    const RecordStamp t = rec.stamp();
    n = std::snprintf(buf_, sizeof buf_, "20%02d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
    grid_.Set(row_, 1, {buf_, static_cast<size_t>(n)});
    grid_.Set(row_, 2, kTypeLabel[static_cast<int>(type_code)]);
  }

 private:
  Grid& grid_;
  int row_;
  char buf_[kNumberCapacity + 32];
};

// The row counter of the fill routines: every advance first raises the row count by one.
class RowCounter {
 public:
  explicit RowCounter(Grid& grid) : grid_(grid) {}
  int Next() {
    grid_.SetRowCount(grid_.row_count() + 1);
    return ++row_;
  }

 private:
  Grid& grid_;
  int row_ = 0;
};

// Calls fill(position, offset) for every selected list position, in list order.
template <class Fill>
void ForEachSelected(const GridSource& src, Fill&& fill) {
  const RecordList& list = src.list;
  const int count = list.count < kSlotCount ? list.count : kSlotCount;
  for (int i = 0; i < count; ++i)
    if (list.selected[i]) fill(i, list.offset(i));
}

}  // namespace corvel
