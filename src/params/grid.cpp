#include "params/grid.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace corvel {

namespace {

// Enough for a selected full list of the longest tables without regrowth in most uses.
constexpr size_t kInitialArena = size_t{1} << 20;
constexpr size_t kInitialRows = 4096;

std::string_view UpToNul(std::string_view text) {
  const size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace

Grid::Grid() {
  arena_.reserve(kInitialArena);
  start_.reserve(kInitialRows);
  Reset();
}

void Grid::Reset(int rows, int cols) {
  arena_.clear();
  start_.clear();
  last_row_ = -1;
  last_cols_ = 0;
  rows_ = std::max(rows, 0);
  cols_ = std::max(cols, 0);
}

void Grid::SetRowCount(int rows) {
  rows = std::max(rows, 0);
  if (rows <= last_row_) {
    arena_.resize(start_[rows]);
    start_.resize(rows);
    last_row_ = rows - 1;
    last_cols_ = 0;
    if (last_row_ >= 0) {
      const char* begin = arena_.data() + start_[last_row_];
      const char* end = arena_.data() + arena_.size();
      last_cols_ = static_cast<int>(std::count(begin, end, '\0'));
    }
  }
  rows_ = rows;
}

std::string_view Grid::RowCells(int row) const {
  if (row < 0 || row > last_row_) return {};
  const size_t begin = start_[row];
  const size_t end = row < last_row_ ? start_[row + 1] : arena_.size();
  return {arena_.data() + begin, end - begin};
}

std::string_view Grid::Cell(int row, int col) const {
  if (col < 0 || col >= cols_ || row >= rows_) return {};
  std::string_view cells = RowCells(row);
  for (int c = 0; c < col; ++c) {
    const size_t nul = cells.find('\0');
    if (nul == std::string_view::npos) return {};
    cells.remove_prefix(nul + 1);
  }
  const size_t nul = cells.find('\0');
  return nul == std::string_view::npos ? std::string_view{} : cells.substr(0, nul);
}

void Grid::Set(int row, int col, std::string_view text) {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return;
  text = UpToNul(text);
  if (row < last_row_ || (row == last_row_ && col < last_cols_)) {
    SetSlow(row, col, text);
    return;
  }
  while (last_row_ < row) {
    start_.push_back(static_cast<uint32_t>(arena_.size()));
    ++last_row_;
    last_cols_ = 0;
  }
  // Cells skipped over are stored empty.
  arena_.insert(arena_.end(), static_cast<size_t>(col - last_cols_), '\0');
  arena_.insert(arena_.end(), text.begin(), text.end());
  arena_.push_back('\0');
  last_cols_ = col + 1;
}

void Grid::AppendCells(int row, int col, std::string_view cells, int count) {
  while (last_row_ < row) {
    start_.push_back(static_cast<uint32_t>(arena_.size()));
    ++last_row_;
    last_cols_ = 0;
  }
  const size_t skipped = static_cast<size_t>(col - last_cols_);
  const size_t at = arena_.size();
  arena_.resize(at + skipped + cells.size());
  char* out = arena_.data() + at;
  std::memset(out, 0, skipped);
  std::memcpy(out + skipped, cells.data(), cells.size());
  last_cols_ = col + count;
}

void Grid::AppendRows(const Grid& piece) {
  if (piece.rows_ <= 2) return;
  const int shift = rows_ - 2;
  if (piece.last_row_ >= 1) {
    const size_t from = piece.start_[1];
    const size_t base = arena_.size();
    // Empty rows up to the piece's first are stored empty.
    while (last_row_ < shift) {
      start_.push_back(static_cast<uint32_t>(base));
      ++last_row_;
    }
    for (int r = 1; r <= piece.last_row_; ++r)
      start_.push_back(static_cast<uint32_t>(base + piece.start_[r] - from));
    arena_.insert(arena_.end(), piece.arena_.begin() + static_cast<std::ptrdiff_t>(from),
                  piece.arena_.end());
    last_row_ = shift + piece.last_row_;
    last_cols_ = piece.last_cols_;
  }
  rows_ = shift + piece.rows_;
}

void Grid::SetSlow(int row, int col, std::string_view text) {
  const std::string_view old_cells = RowCells(row);
  const size_t begin = start_[row];
  const size_t old_size = old_cells.size();

  // Rebuild the row with the one cell replaced (or added after the stored ones).
  std::string cells;
  cells.reserve(old_size + text.size() + static_cast<size_t>(col) + 1);
  std::string_view rest = old_cells;
  int stored = 0;
  for (int c = 0;; ++c) {
    const size_t nul = rest.find('\0');
    const bool have = nul != std::string_view::npos;
    if (!have && c > col) break;
    if (c == col) {
      cells.append(text);
    } else if (have) {
      cells.append(rest.substr(0, nul));
    }
    cells.push_back('\0');
    stored = c + 1;
    if (have) rest.remove_prefix(nul + 1);
  }
  arena_.erase(arena_.begin() + static_cast<std::ptrdiff_t>(begin),
               arena_.begin() + static_cast<std::ptrdiff_t>(begin + old_size));
  arena_.insert(arena_.begin() + static_cast<std::ptrdiff_t>(begin), cells.begin(), cells.end());
  const int64_t delta = static_cast<int64_t>(cells.size()) - static_cast<int64_t>(old_size);
  for (int r = row + 1; r <= last_row_; ++r)
    start_[r] = static_cast<uint32_t>(static_cast<int64_t>(start_[r]) + delta);
  if (row == last_row_) last_cols_ = stored;
}

}  // namespace corvel
