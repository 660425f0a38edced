#include "records/record_list.h"

#include <cstring>

namespace corvel {

namespace {

// Appends v as printf's "%0<width>d" would: the sign counts towards the width.
char* AppendPadded(char* out, int v, int width) {
  char digits[12];
  int n = 0;
  unsigned u = v < 0 ? 0u - static_cast<unsigned>(v) : static_cast<unsigned>(v);
  do {
    digits[n++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (v < 0) {
    *out++ = '-';
    --width;
  }
  for (int pad = width - n; pad > 0; --pad) *out++ = '0';
  while (n > 0) *out++ = digits[--n];
  return out;
}

}  // namespace

// The label is "%s%s%04d [%02d/%02d %02d:%02d:%02d][%04d]" of prefix, name, number, month, day,
// hour, minute, second and list position, put together by hand: a full list is 9998 labels.
int FormatListLabel(const FileImage& image, uint32_t offset, int position, char* out,
                    int capacity) {
  const Record rec(image, offset);
  char buf[80];
  char* p = buf;
  std::memcpy(p, rec.rb_marker() == 1 ? "(R)" : "(B)", 3);
  p += 3;
  p += rec.name(p);
  p = AppendPadded(p, rec.number(), 4);
  const RecordStamp t = rec.stamp();
  const int fields[5] = {t.month, t.day, t.hour, t.minute, t.second};
  const char separators[5] = {'[', '/', ' ', ':', ':'};
  *p++ = ' ';
  for (int i = 0; i < 5; ++i) {
    *p++ = separators[i];
    p = AppendPadded(p, fields[i], 2);
  }
  *p++ = ']';
  *p++ = '[';
  p = AppendPadded(p, position, 4);
  *p++ = ']';
  int n = static_cast<int>(p - buf);
  if (n > capacity - 1) n = capacity - 1;
  std::memcpy(out, buf, static_cast<size_t>(n));
  out[n] = '\0';
  return n;
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
