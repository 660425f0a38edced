// What the per-type fill routines of the parameter table share: the row writer, the row counter and
// the walk over the selected list positions.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "params/fill_grid.h"
#include "params/grid.h"
#include "params/number_format.h"
#include "records/file_image.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

// printf's %0*d for widths up to 20: v in at least `width` characters, zeros after the sign.
// Returns the end.
inline char* PutPadded(char* out, int64_t v, int width) {
  uint64_t m = static_cast<uint64_t>(v);
  if (v < 0) {
    *out++ = '-';
    m = 0 - m;
    --width;
  }
  // The digits right-aligned in a field of zeros; the copy starts where the width asks.
  char digits[20];
  std::memset(digits, '0', sizeof digits);
  int start = 20;
  do {
    digits[--start] = static_cast<char>('0' + m % 10);
    m /= 10;
  } while (m != 0);
  if (width > 20) width = 20;
  if (20 - width < start) start = 20 - width;
  const size_t n = static_cast<size_t>(20 - start);
  std::memcpy(out, digits + start, n);
  return out + n;
}

// Writes the cells of one table row. The cells are gathered in a stack buffer and stored in one
// piece when the writer goes out of scope (or the buffer is full); nothing is allocated. Cells
// must come in increasing column order to be gathered; any other order is stored cell by cell,
// with the same result.
class RowWriter {
 public:
  RowWriter(Grid& grid, int row) : grid_(grid), row_(row) {}
  RowWriter(const RowWriter&) = delete;
  RowWriter& operator=(const RowWriter&) = delete;
  ~RowWriter() { Flush(); }

  // Text ends at its first NUL, as in Grid::Set.
  void Text(int col, std::string_view text) {
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    Put(col, text.data(), text.size());
  }
  void Int(int col, int64_t v) {
    char* cell = Reserve(col, kNumberCapacity);
    if (cell == nullptr) return;
    Commit(col, cell + FormatInt(v, cell));
  }
  void Fixed(int col, float v, int decimals = 2) {
    char* cell = Reserve(col, kNumberCapacity);
    if (cell == nullptr) return;
    Commit(col, cell + FormatFixed(v, decimals, cell));
  }
  // A number between two fixed texts, such as 3000(10S).
  void Wrapped(int col, const char* before, int64_t v, const char* after) {
    const size_t nb = std::strlen(before), na = std::strlen(after);
    char* cell = Reserve(col, nb + na + kNumberCapacity);
    if (cell == nullptr) return;
    char* end = cell;
    std::memcpy(end, before, nb);
    end += nb;
    end += FormatInt(v, end);
    std::memcpy(end, after, na);
    Commit(col, end + na);
  }
  // Two settings as A(B), such as an adaptation light and its minutes.
  void Pair(int col, int a, int b) {
    char* cell = Reserve(col, 2 * kNumberCapacity);
    if (cell == nullptr) return;
    char* end = cell + FormatInt(a, cell);
    *end++ = '(';
    end += FormatInt(b, end);
    *end++ = ')';
    Commit(col, end);
  }
  // Columns 0 to 2: display name, date and time, type label.
  void Identity(const FileImage& image, uint32_t offset, TypeCode type_code) {
    const Record rec(image, offset);
    char* cell = Reserve(0, 9 + 24);
    if (cell != nullptr) {
      // name%04d
      char name[9];
      const size_t n = rec.name(name);
      std::memcpy(cell, name, n);
      Commit(0, PutPadded(cell + n, rec.number(), 4));
    }
    const RecordStamp t = rec.stamp();
    cell = Reserve(1, 6 * 5);
    if (cell != nullptr) {
      // 20%02d/%02d/%02d %02d:%02d:%02d
      char* end = cell;
      *end++ = '2';
      *end++ = '0';
      end = PutPadded(end, t.year, 2);
      *end++ = '/';
      end = PutPadded(end, t.month, 2);
      *end++ = '/';
      end = PutPadded(end, t.day, 2);
      *end++ = ' ';
      end = PutPadded(end, t.hour, 2);
      *end++ = ':';
      end = PutPadded(end, t.minute, 2);
      *end++ = ':';
      end = PutPadded(end, t.second, 2);
      Commit(1, end);
    }
    Text(2, kTypeLabel[static_cast<int>(type_code)]);
  }

 private:
  static constexpr size_t kBufferSize = 2048;

  void Put(int col, const char* text, size_t size) {
    char* cell = Reserve(col, size);
    if (cell == nullptr) return;
    std::memcpy(cell, text, size);
    Commit(col, cell + size);
  }

  // Where the text of a cell at `col` of up to `size` bytes goes: at the end of the gathered
  // cells, or in a spare buffer when the cell is stored on its own (out of column order, or too
  // long). nullptr: the cell lies outside the shape, which Grid::Set would not store either.
  char* Reserve(int col, size_t size) {
    if (col < 0 || col >= grid_.col_count()) return nullptr;
    if (!direct_ && (used_ == 0 || col < next_col_ ||
                     used_ + static_cast<size_t>(col - next_col_) + size + 1 > kBufferSize)) {
      Flush();
      if (!grid_.CanAppend(row_, col) || size + 1 > kBufferSize) direct_ = true;
      first_col_ = next_col_ = col;
    }
    if (direct_) {
      spare_.resize(size + 1);
      return spare_.data();
    }
    // Columns skipped over are stored empty.
    std::memset(buf_ + used_, 0, static_cast<size_t>(col - next_col_));
    used_ += static_cast<size_t>(col - next_col_);
    return buf_ + used_;
  }
  void Commit(int col, char* end) {
    if (direct_) {
      grid_.Set(row_, col, {spare_.data(), static_cast<size_t>(end - spare_.data())});
      return;
    }
    *end = '\0';
    used_ = static_cast<size_t>(end + 1 - buf_);
    next_col_ = col + 1;
  }
  void Flush() {
    if (used_ == 0) return;
    grid_.AppendCells(row_, first_col_, {buf_, used_}, next_col_ - first_col_);
    used_ = 0;
  }

  Grid& grid_;
  int row_;
  bool direct_ = false;
  int first_col_ = 0;
  int next_col_ = 0;
  size_t used_ = 0;
  char buf_[kBufferSize];
  std::string spare_;  // only for cells stored on their own
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

// Calls fill(position, offset) for every selected list position of the source's range, in list
// order.
template <class Fill>
void ForEachSelected(const GridSource& src, Fill&& fill) {
  const RecordList& list = src.list;
  int count = list.count < kSlotCount ? list.count : kSlotCount;
  if (src.end < count) count = src.end;
  for (int i = src.begin < 0 ? 0 : src.begin; i < count; ++i)
    if (list.selected[i]) fill(i, list.offset(i));
}

// The rows of the types that give a record several rows (one per pulse or light step), each
// record's rows followed by an empty one: for every selected record, record(position, offset)
// returns what writes its row k, row(k, writer), for k = 0 .. rows_per_record - 1.
template <class Record>
void ForEachSelectedRows(const GridSource& src, Grid& grid, int rows_per_record, Record&& record) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    auto row = record(i, off);
    const int first = rows.Next();
    for (int k = 0; k < rows_per_record; ++k) {
      RowWriter w(grid, first + k);
      row(k, w);
      rows.Next();
    }
  });
}

}  // namespace corvel
