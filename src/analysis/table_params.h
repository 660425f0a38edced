// The numeric columns of a type's parameter table as values of full precision (the result tables'
// values, not the rounded text of the table), each named by its column title and, for the types
// with steps, its step: "Fv/Fm", "Y(II)[3]".
#pragma once

#include <string>
#include <vector>

#include "params/fill_grid.h"
#include "params/tidy_params.h"

namespace corvel {

inline constexpr int kTableParamColumns = 40;  // the table's column capacity
inline constexpr int kTableParamSteps = 21;    // step 0 (the record as a whole) and steps 1..20

// A parameter key: column * kTableParamSteps + step.
inline constexpr int kTableParamKeys = kTableParamColumns * kTableParamSteps;

// Whether the type's table has numeric parameter columns (not the user-defined programs, not
// the after-steady-state records whose columns are all settings).
bool HasTableParameters(int radio_item);

// "Fv/Fm" for step 0, "Fv/Fm[3]" for step 3; UTF-8.
std::string TableParameterName(int radio_item, int key);

// Reads the parameter values of one record after another; keeps its buffers between records.
class TableParamReader {
 public:
  explicit TableParamReader(int radio_item);
  // Calls visit(key, value) for every value the record at list position `position` has.
  template <class Visit>
  void Read(const GridSource& src, int position, Visit&& visit) {
    TidyRecordAt(radio_item_, src, position, record_);
    for (const TidyValue& v : record_.values) {
      const int key = Key(v);
      if (key >= 0) visit(key, static_cast<double>(v.value));
    }
  }

 private:
  int Key(const TidyValue& v) const;

  int radio_item_;
  const char* const* titles_;
  int title_count_ = 0;
  TidyRecord record_;
};

}  // namespace corvel
