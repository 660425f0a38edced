#include "records/record_list.h"

#include <cstdio>
#include <cstring>

namespace corvel {

int FormatListLabel(const FileImage& image, uint32_t offset, int position, char* out,
                    int capacity) {
  const Record rec(image, offset);
  char name[9];
  rec.name(name);
  const RecordStamp t = rec.stamp();
  const int n =
      std::snprintf(out, static_cast<size_t>(capacity), "%s%s%04d [%02d/%02d %02d:%02d:%02d][%04d]",
                    rec.rb_marker() == 1 ? "(R)" : "(B)", name, rec.number(), t.month, t.day,
                    t.hour, t.minute, t.second, position);
  return n < capacity ? n : capacity - 1;
}

ListBuild FillFNtoListBox(const FileImage& image, uint8_t code, RecordList& list, uint32_t& tally) {
  std::memset(list.index, 0, sizeof list.index);
  std::memset(list.selected, 0, sizeof list.selected);
  list.selected_count = 0;
  list.count = 0;
  ListBuild build;
  int n = 0;
  build.chain = WalkRecords(image, [&](uint32_t off) {
    const Record rec(image, off);
    if (rec.deleted()) return true;
    ++tally;
    if (rec.type_code() != code) return true;
    list.index[n++] = static_cast<int32_t>(off);
    if (n == kSlotCount) {
      build.truncated = true;
      return false;
    }
    list.label_length[n - 1] =
        static_cast<uint8_t>(FormatListLabel(image, off, n, list.labels[n - 1], kLabelCapacity));
    list.count = n;
    return true;
  });
  return build;
}

}  // namespace corvel
