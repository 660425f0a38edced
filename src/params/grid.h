// The parameter table as a compact model: the cells of each row stored one after the other in one
// character arena, each ended by a NUL, with one offset per row. Fill routines write rows in
// increasing order and the cells of a row in increasing column order, which only appends; any
// other write takes a slower path that rewrites the rest of the arena. The capacity grows with the
// largest table shown and is kept across resets.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace corvel {

class Grid {
 public:
  Grid();

  // Every cell emptied, shape set; the storage is kept.
  void Reset(int rows = 2, int cols = 40);

  int row_count() const { return rows_; }
  int col_count() const { return cols_; }
  // Rows at and past the new count lose their cells.
  void SetRowCount(int rows);

  // Cells outside the shape are not stored. Text ends at its first NUL.
  void Set(int row, int col, std::string_view text);
  // Whether cells of `row` from column `col` on would only append (the fast path of Set).
  bool CanAppend(int row, int col) const {
    return row >= 0 && row < rows_ && col >= 0 &&
           (row > last_row_ || (row == last_row_ && col >= last_cols_));
  }
  // Stores `cells`, `count` cells each ended by a NUL and none holding a NUL, at columns col,
  // col + 1, ... of `row` in one piece, as that many Set calls would; CanAppend(row, col) must
  // hold and col + count must not pass the column count.
  void AppendCells(int row, int col, std::string_view cells, int count);
  // Appends the rows a fill routine wrote into `piece` (reset to 2 rows, the same columns, nothing
  // in row 0) as if it had gone on writing into this grid: piece row r becomes row
  // row_count() - 2 + r, and the row count grows by piece.row_count() - 2. The last row of this
  // grid must be empty, as a fill routine leaves it.
  void AppendRows(const Grid& piece);
  // Empty for empty cells and cells outside the shape.
  std::string_view Cell(int row, int col) const;

  // The stored cells of a row, each followed by a NUL; the cells after the last stored one are
  // empty. Used by writers that walk a whole row.
  std::string_view RowCells(int row) const;

 private:
  void SetSlow(int row, int col, std::string_view text);

  std::vector<char> arena_;
  std::vector<uint32_t> start_;  // start_[r]: offset of row r, for rows 0..last_row_
  int last_row_ = -1;            // the row at the end of the arena
  int last_cols_ = 0;            // cells stored in that row
  int rows_ = 0;
  int cols_ = 0;
};

}  // namespace corvel
