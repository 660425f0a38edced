// Arbitrary bytes as a measurement file, through everything a user can reach: open, every type
// switch, select all and single records, the list click (table, chart, listing), the curve choice
// and check boxes, the table CSV, the CSV data export and the three binary saves, both into a
// counting sink and through the session's own saves to files (export file names included).
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "charts/chart_json.h"
#include "export/binary_save.h"
#include "export/export_names.h"
#include "export/info_text.h"
#include "export/record_csv.h"
#include "params/table_csv.h"
#include "records/byte_sink.h"
#include "records/measurement_type.h"
#include "records/record.h"
#include "viewer/session.h"

namespace {

class CountingSink final : public corvel::ByteSink {
 public:
  bool Write(const void*, size_t size) override {
    bytes += size;
    return true;
  }
  using corvel::ByteSink::Write;
  size_t bytes = 0;
};

// A folder of this run for the saves; each save overwrites the one before.
const std::string& OutputBase() {
  static const std::string base = [] {
    const std::string dir = "/tmp/corvel_fuzz_out_" + std::to_string(getpid());
    mkdir(dir.c_str(), 0700);
    return dir + "/out";
  }();
  return base;
}

// Every record's export file name, and the session's saves of the current list with at most
// two records selected; the export's files are removed again so that the folder stays small.
void Saves(corvel::Session& s, CountingSink& sink) {
  using namespace corvel;
  const RecordList& list = s.list();
  for (int i = 0; i < list.count; ++i) {
    const Record record(s.image(), list.offset(i));
    char name[9];
    const size_t length = record.name(name);
    sink.Write(ExportFileName(OutputBase(), i + 1, name, length, record.number()));
  }
  s.DeselectAll();
  for (int i = 0; i < list.count && i < 2; ++i) s.SetSelected(i, true);
  s.ListClick();
  for (const SaveMode mode : {SaveMode::kAllTypes, SaveMode::kCurrentType, SaveMode::kSelected})
    s.SaveData(mode, OutputBase() + ".bin");
  s.SaveGrid(OutputBase() + ".csv");
  if (s.SaveData(SaveMode::kSelectedAsCsv, OutputBase() + ".csv").write.ok) {
    unlink((OutputBase() + "_UserCmd.txt").c_str());
    int n = 0;
    for (int i = 0; i < list.count; ++i) {
      if (!list.selected[i]) continue;
      const Record record(s.image(), list.offset(i));
      char name[9];
      const size_t length = record.name(name);
      unlink(ExportFileName(OutputBase(), ++n, name, length, record.number()).c_str());
    }
  }
}

void Views(corvel::Session& s, CountingSink& sink) {
  using namespace corvel;
  s.ListClick();
  WriteTableCsv(s.grid(), sink);
  sink.Write(ChartStateJson(s.chart()));
  WriteInfoText(s.info_text(), sink);
  for (int slot = 0; slot < 10; slot += 3) s.CheckBoxClicked(slot, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvel;
  static auto session = std::make_unique<Session>();
  Session& s = *session;
  // The input is opened from memory: no file is written for it.
  if (!s.Open(std::span<const uint8_t>(data, size), "fuzz.bin").ok) return 0;

  CountingSink sink;
  WriteFileImage(s.image(), sink);
  for (const MeasurementType& type : kMeasurementTypes) {
    const int item = ItemIndex(type.radio);
    s.SwitchType(item);
    const RecordList& list = s.list();
    if (s.SelectAll()) {
      Views(s, sink);
      if (type.radio == RadioItem::kSlowKin || type.radio == RadioItem::kRlc)
        for (int choice = -1; choice < 8; ++choice) s.ComboChanged(choice);
      WriteListRecords(s.image(), list, RecordSelection::kAll, sink);
      WriteListRecords(s.image(), list, RecordSelection::kSelected, sink);
      for (int i = 0; i < list.count && i < 4; ++i) WriteRecordCsv(s.image(), list.offset(i), sink);
      s.DeselectAll();
      // The single-record views of the first and the last record.
      s.SetSelected(0, true);
      Views(s, sink);
      s.SetSelected(0, false);
      s.SetSelected(list.count - 1, true);
      Views(s, sink);
      Saves(s, sink);
    }
  }
  // Deleting and switching again walks the marked records.
  s.SwitchType(0);
  if (s.SelectAll()) {
    s.DeleteSelected();
    WriteFileImage(s.image(), sink);
  }
  return 0;
}
