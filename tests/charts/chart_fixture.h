// A measurement file loaded the way the window does it, with the list, the result tables and the
// chart state of the curve page, for the drawing tests.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "charts/chart_state.h"
#include "charts/draw.h"
#include "params/result_tables.h"
#include "records/file_image.h"
#include "records/measurement_type.h"
#include "records/record_list.h"
#include "support/measurement_files.h"
#include "support/record_builders.h"
#include "synth/writer.h"

namespace corvel::testing {

// Samples 0..3 at `fo`, then a rise to `fm` at sample 150, flat after it.
inline std::vector<uint16_t> Transient(uint16_t fo, uint16_t fm, int n = 208) {
  std::vector<uint16_t> s(static_cast<size_t>(n), fo);
  for (int i = 4; i < n; ++i) {
    const int k = i < 150 ? i - 4 : 146;
    s[static_cast<size_t>(i)] = static_cast<uint16_t>(fo + (fm - fo) * k / 146);
  }
  return s;
}

inline constexpr uint32_t kOjipCode = 0xC0010FA0;   // OJIP measurement, 1 s, light 4000
inline constexpr uint32_t kPulseCode = 0xCE080019;  // pulse measurement, AL 250, 1 s

inline synth::RecordSpec Record(const std::string& name, uint32_t type_code,
                                std::vector<uint32_t> program, std::vector<synth::Bytes> blocks) {
  return MakeRecord(type_code, std::move(program), std::move(blocks), 1, name);
}

inline synth::RecordSpec OjipRecord(const std::string& name, uint16_t fo, uint16_t fm) {
  return Record(name, 1, {kOjipCode}, {synth::OjipBlock(kOjipCode, Transient(fo, fm))});
}

class ChartTest : public ::testing::Test {
 protected:
  void Load(const synth::FileBuilder& builder) {
    const synth::Bytes bytes = builder.File();
    ASSERT_LE(bytes.size() - kHeaderSize, size_t{kAreaSize});
    LoadBytes(bytes, *image);
  }

  // The type switch as the window runs it.
  void Switch(int radio_item) {
    radio = radio_item;
    ResetForTypeSwitch(chart, radio);
    uint32_t tally = 0;
    FillFNtoListBox(*image, kRadioTypeCode[radio], *list, tally);
    CacuFNinListBox(*image, kRadioTypeCode[radio], *list, *results);
    if (radio == 0) {
      fm_max = 0;
      for (int i = 0; i < list->count; ++i)
        if (results->ojip[i].Fm > fm_max) fm_max = results->ojip[i].Fm;
    }
  }

  // Selects exactly the given list positions (0-based) and runs the list click's drawing.
  void Click(std::initializer_list<int> positions) {
    std::memset(list->selected, 0, sizeof list->selected);
    list->selected_count = 0;
    for (const int p : positions) {
      list->selected[p] = 1;
      ++list->selected_count;
    }
    DrawChartForRadio(radio, Source(), chart);
  }
  void ClickAll() {
    for (int p = 0; p < list->count; ++p) list->selected[p] = 1;
    list->selected_count = list->count;
    DrawChartForRadio(radio, Source(), chart);
  }

  ChartSource Source() const { return ChartSource{*image, *list, *results, fm_max}; }
  std::string Caption(int position) const {
    return std::string(list->label(position).substr(0, 12));
  }
  int SeriesWithPoints(const Series* series) const {
    int n = 0;
    for (int k = 0; k < kSeriesCount; ++k) n += series[k].points.empty() ? 0 : 1;
    return n;
  }

  std::unique_ptr<FileImage> image = std::make_unique<FileImage>();
  std::unique_ptr<RecordList> list = std::make_unique<RecordList>();
  std::unique_ptr<ResultTables> results = std::make_unique<ResultTables>();
  ChartState chart;
  int radio = 0;
  uint32_t fm_max = 0;
};

}  // namespace corvel::testing
