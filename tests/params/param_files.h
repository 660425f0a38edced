// Synthetic measurement files for the parameter tests: records of each type built with the synth
// writer and loaded into a FileImage the way opening a file would.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "params/fill_grid.h"
#include "params/grid.h"
#include "params/result_tables.h"
#include "records/file_image.h"
#include "records/record_list.h"
#include "support/measurement_files.h"
#include "support/record_builders.h"
#include "synth/writer.h"

namespace corvel::testing {

inline constexpr uint32_t kOjipCode = 0xC0010BB8;  // 3000 for 1 s
inline constexpr uint32_t kPulseCode = 0xCE011428;

// A saturating-pulse trace: samples 0..3 at fo, the peak fm at sample `peak`, `rest` elsewhere.
inline std::vector<uint16_t> PulseTrace(uint16_t fo, uint16_t fm, int peak = 100, int n = 208,
                                        uint16_t rest = 0) {
  std::vector<uint16_t> s(static_cast<size_t>(n), rest ? rest : fo);
  for (int i = 0; i < 4 && i < n; ++i) s[i] = fo;
  if (peak < n) s[peak] = fm;
  return s;
}

inline synth::Bytes Trace(uint16_t fo, uint16_t fm) {
  return synth::OjipBlock(kOjipCode, PulseTrace(fo, fm));
}

// One file, its list of one type, the results, the selection and the table.
struct Table {
  std::unique_ptr<FileImage> image = std::make_unique<FileImage>();
  std::unique_ptr<RecordList> list = std::make_unique<RecordList>();
  std::unique_ptr<ResultTables> results = std::make_unique<ResultTables>();
  Grid grid;

  // Loads the records and lists and decodes `type_code`.
  void Open(const std::vector<synth::RecordSpec>& records, uint8_t type_code) {
    synth::FileBuilder b;
    for (const auto& r : records) b.Add(r);
    LoadBytes(b.File(), *image);
    uint32_t tally = 0;
    FillFNtoListBox(*image, type_code, *list, tally);
    CacuFNinListBox(*image, type_code, *list, *results);
  }
  // Selects the given 0-based list positions (all when empty) and fills the table of the item.
  void Show(int radio_item, std::vector<int> positions = {}) {
    std::memset(list->selected, 0, sizeof list->selected);
    list->selected_count = 0;
    if (positions.empty())
      for (int i = 0; i < list->count; ++i) positions.push_back(i);
    for (int i : positions) {
      list->selected[i] = 1;
      ++list->selected_count;
    }
    FillTableForRadio(radio_item, GridSource{*image, *list, *results}, grid);
  }
  std::string Cell(int row, int col) const { return std::string(grid.Cell(row, col)); }
};

}  // namespace corvel::testing
