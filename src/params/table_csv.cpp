#include "params/table_csv.h"

#include <string>
#include <string_view>

namespace corvel {

namespace {

// The table CSV is a text file (rule D19): an LF byte inside a cell, such as one in a damaged
// record name, becomes CR LF as in every other text file the viewer writes.
void AppendTextMode(std::string& out, std::string_view cell) {
  size_t lf = cell.find('\n');
  while (lf != std::string_view::npos) {
    out.append(cell.substr(0, lf));
    out.append("\r\n");
    cell.remove_prefix(lf + 1);
    lf = cell.find('\n');
  }
  out.append(cell);
}

}  // namespace

void WriteTableCsv(const Grid& grid, ByteSink& sink) {
  // Lines are gathered in one buffer and handed on in large pieces.
  constexpr size_t kFlushAt = size_t{1} << 16;
  std::string out;
  out.reserve(kFlushAt + 4096);
  const int cols = grid.col_count();
  for (int row = 0; row < grid.row_count(); ++row) {
    // Stored cells end with a NUL each, which becomes the cell's comma.
    const std::string_view cells = grid.RowCells(row);
    int written = 0;
    size_t begin = 0;
    while (written < cols) {
      const size_t nul = cells.find('\0', begin);
      if (nul == std::string_view::npos) break;
      AppendTextMode(out, cells.substr(begin, nul - begin));
      out.push_back(',');
      begin = nul + 1;
      ++written;
    }
    out.append(static_cast<size_t>(cols - written), ',');
    out.append("\r\n");
    if (out.size() >= kFlushAt) {
      if (!sink.Write(out)) return;
      out.clear();
    }
  }
  if (!out.empty()) sink.Write(out);
}

}  // namespace corvel
