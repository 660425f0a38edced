#include "analysis/table_params.h"

#include <string_view>

#include "params/title_lists.h"
#include "records/gbk_text.h"

namespace corvel {

bool HasTableParameters(int radio_item) {
  if (radio_item == 4) return false;  // after steady state: settings only
  return !TidyParameterNames(radio_item).empty();
}

std::string TableParameterName(int radio_item, int key) {
  const char* const* titles = TitleListForRadio(radio_item);
  const int column = key / kTableParamSteps, step = key % kTableParamSteps;
  std::string name = titles ? GbkToUtf8(titles[column]) : std::string();
  if (step > 0) name += "[" + std::to_string(step) + "]";
  return name;
}

TableParamReader::TableParamReader(int radio_item)
    : radio_item_(radio_item), titles_(TitleListForRadio(radio_item)) {
  if (titles_ == nullptr) return;
  while (title_count_ < kTableParamColumns && std::string_view(titles_[title_count_]) != "END")
    ++title_count_;
}

int TableParamReader::Key(const TidyValue& v) const {
  if (v.step < 0 || v.step >= kTableParamSteps) return -1;
  // The values name their column by the title list's own pointer; they come in column order, so
  // the search is short.
  for (int c = 0; c < title_count_; ++c)
    if (titles_[c] == v.name) return c * kTableParamSteps + v.step;
  return -1;
}

}  // namespace corvel
