// Arbitrary bytes as one record placed at the very end of the record area, so that every length
// it claims runs into the end of the area: each type's decoders, the curve drawings and the data
// export must stay inside.
#include <cstdint>
#include <cstring>
#include <memory>

#include "charts/draw.h"
#include "export/record_csv.h"
#include "params/result_tables.h"
#include "records/byte_sink.h"
#include "records/cmd_decoder.h"
#include "records/measurement_type.h"
#include "records/record_list.h"
#include "records/settings.h"

namespace {

class NullSink final : public corvel::ByteSink {
 public:
  bool Write(const void*, size_t) override { return true; }
  using corvel::ByteSink::Write;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvel;
  static auto image = std::make_unique<FileImage>();
  static auto list = std::make_unique<RecordList>();
  static auto results = std::make_unique<ResultTables>();
  static auto chart = std::make_unique<ChartState>();
  if (size > 65536) size = 65536;
  const uint32_t at = kAreaSize - static_cast<uint32_t>(size);
  // Only the tail of the area is used; clear what the previous input left there.
  std::memset(image->area() + kAreaSize - 65536, 0, 65536);
  std::memcpy(image->area() + at, data, size);

  list->count = 1;
  list->index[0] = static_cast<int32_t>(at);
  list->selected[0] = 1;
  list->selected_count = 1;
  list->label_length[0] =
      static_cast<uint8_t>(FormatListLabel(*image, at, 1, list->labels[0], kLabelCapacity));

  NullSink sink;
  WriteRecordCsv(*image, at, sink);
  char line[kSettingsLineCapacity];
  FormatSettingsLine(*image, at, line);
  std::string info;
  FillUserCmdtoREdit(*image, *list, info);
  const ChartSource source{*image, *list, *results, 5000};
  // Every type with a decoder or a drawing, as the type switch runs them.
  for (const MeasurementType& type : kMeasurementTypes) {
    if (!type.has_chart) continue;
    const int item = ItemIndex(type.radio);
    CacuFNinListBox(*image, static_cast<uint8_t>(type.code), *list, *results);
    ResetForTypeSwitch(*chart, item);
    DrawChartForRadio(item, source, *chart);
  }
  return 0;
}
