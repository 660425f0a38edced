// The parameters of listed records as tidy data for R and pandas: every value at the precision it
// was computed in (not rounded as in the table), named by its table column title, with the
// record's measurement settings beside. Three forms: long CSV (one row per value), wide CSV (one
// row per record or step) and JSON (one object per record).
#pragma once

#include <string>
#include <vector>

#include "params/fill_grid.h"
#include "records/byte_sink.h"
#include "records/record.h"

namespace corvel {

// One value: the title of its table column (GBK) and the step it belongs to (1-based; 0 for a
// value of the record as a whole).
struct TidyValue {
  const char* name;
  float value;
  int step;
};

// A setting as the table shows it (a number, or a text such as "3000(2S)" or "20(5)").
struct TidySetting {
  const char* name;
  std::string text;
};

struct TidyRecord {
  int radio_item = 0;
  int position = 0;  // 0-based list position
  std::string name;  // the table's Filename cell: record name and number, GBK
  RecordStamp stamp{};
  int steps = 0;  // light steps or pulses, 0 for types without steps
  std::vector<TidySetting> settings;
  std::vector<TidyValue> values;
};

// The record at list position `position` of radio item `radio_item`, from the result tables the
// type switch computed. `out` is cleared first, so one record can be reused for many.
void TidyRecordAt(int radio_item, const GridSource& src, int position, TidyRecord& out);

// The value names of a radio item, in table column order.
std::vector<const char*> TidyParameterNames(int radio_item);

enum class TidyFormat { kLong, kWide, kJson };

// Writes records in one of the forms. `radio_items` are the types that may occur (they give the
// wide form its columns). Text is UTF-8, lines end in LF, CSV cells are quoted where needed.
class TidyWriter {
 public:
  TidyWriter(TidyFormat format, const std::vector<int>& radio_items, ByteSink& sink);
  void Begin();
  // `file` is the measurement file's name as given (UTF-8 or the file system's bytes).
  void Add(const std::string& file, const TidyRecord& record);
  void End();

 private:
  void Cell(std::string_view text, bool last = false);
  void Number(float value);

  TidyFormat format_;
  ByteSink& sink_;
  std::vector<std::string> columns_;  // wide: UTF-8 value names
  bool first_ = true;
  std::string line_;
};

// Shortest text that reads back as the same float ("0.8234567", "1234", "1e-05").
std::string FloatText(float value);

}  // namespace corvel
