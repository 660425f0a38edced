#include "export/record_csv.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "records/record.h"
#include "records/settings.h"
#include "records/time_base.h"

namespace corvel {

namespace {

constexpr char kLineEnd[] = "\r\n";

// Collects the cells of a line and hands them to the sink in large pieces. A line may hold the
// cells of hundreds of traces, so the buffer is flushed when full instead of bounding the line.
class LineWriter {
 public:
  explicit LineWriter(ByteSink& out) : out_(out) {}

  void Put(const char* text, size_t size) {
    if (!ok_) return;
    if (used_ + size > sizeof buf_) {
      Flush();
      if (size >= sizeof buf_) {
        ok_ = out_.Write(text, size);
        return;
      }
    }
    std::memcpy(buf_ + used_, text, size);
    used_ += size;
  }
  void Put(const char* text) { Put(text, std::strlen(text)); }
  // Text from the file (a record name): an LF byte in it becomes CR LF (rule D19).
  void PutText(const char* text, size_t size) {
    const char* end = text + size;
    for (const char* lf;
         (lf = static_cast<const char*>(std::memchr(text, '\n', static_cast<size_t>(end - text))));
         text = lf + 1) {
      Put(text, static_cast<size_t>(lf - text));
      EndLine();
    }
    Put(text, static_cast<size_t>(end - text));
  }
  void EndLine() { Put(kLineEnd, 2); }

  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  void Flush() {
    if (ok_ && used_ > 0) ok_ = out_.Write(buf_, used_);
    used_ = 0;
  }

  ByteSink& out_;
  bool ok_ = true;
  size_t used_ = 0;
  char buf_[8192];
};

struct Trace {
  uint32_t code;
  uint32_t rows;
  uint64_t pos;  // read position of the next row
  uint8_t kind;
};

__attribute__((format(printf, 2, 3))) size_t FormatCells(char (&out)[kCellCapacity],
                                                         const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(out, kCellCapacity, format, args);
  va_end(args);
  if (n < 0) {
    out[0] = '\0';
    return 0;
  }
  return static_cast<size_t>(n) < kCellCapacity ? static_cast<size_t>(n) : kCellCapacity - 1;
}

}  // namespace

size_t FormatTraceHead(uint32_t code, char (&out)[kCellCapacity]) {
  switch (code >> 24) {
    case kTraceOjip:
      return FormatCells(out, "OJIP,(%u:%uS),", code & 0xFFFF, (code >> 16) & 0xFF);
    case kTracePulse:
      return FormatCells(out, "PulseMeas,(AL%u:%uS),(PP+%u:%umS),", (code & 0xFF) * 10,
                         (code >> 19) & 0x1F, ((code >> 8) & 0xFF) * 20, PulseStepMs(code));
    default:
      return FormatCells(out, "???,???,");
  }
}

namespace {

char* PutUnsigned(char* p, unsigned v) {
  char digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  while (n > 0) *p++ = digits[--n];
  return p;
}

// The time cell of row n without its comma: ms with two decimals below sample 64 and whole ms
// from there on for OJIP traces, seconds with three decimals for pulse traces.
size_t FormatTime(uint32_t code, uint32_t n, char* out) {
  if ((code >> 24) == kTracePulse) {
    // to_chars with a precision writes exactly what printf's %.3f and %.2f write.
    const float seconds = static_cast<float>((n + 1) * PulseStepMs(code)) * 0.001f;
    return static_cast<size_t>(
        std::to_chars(out, out + 31, double{seconds}, std::chars_format::fixed, 3).ptr - out);
  }
  if (n < 64)
    return static_cast<size_t>(
        std::to_chars(out, out + 31, double{OjipTimeMs(n)}, std::chars_format::fixed, 2).ptr - out);
  return static_cast<size_t>(PutUnsigned(out, OjipTimeWholeMs(n)) - out);
}

// The sample cells after a time text of `time_length` bytes already in out.
size_t FinishSample(const FileImage& image, uint32_t code, uint64_t read_pos, char* out,
                    size_t time_length) {
  char* p = out + time_length;
  *p++ = ',';
  p = PutUnsigned(p, image.U16(read_pos));
  *p++ = ',';
  if ((code >> 24) == kTracePulse) {
    p = PutUnsigned(p, image.U16(read_pos + 2));
    *p++ = ',';
  }
  return static_cast<size_t>(p - out);
}

}  // namespace

bool WriteRecordCsv(const FileImage& image, uint32_t record_offset, ByteSink& out) {
  const Record record(image, record_offset);

  Trace traces[kCsvMaxBlocks];
  unsigned count = 0;
  uint32_t row_count = 0;
  WalkBlocks(image, record.first_block(), kCsvMaxBlocks, [&](const Block& b) {
    Trace& t = traces[count++];
    t.code = b.code;
    t.kind = b.kind();
    const uint32_t samples = static_cast<uint32_t>(b.sample_count());  // the walk ends below 8
    t.rows = t.kind == kTracePulse ? samples / 2 : samples;
    t.pos = b.samples();
    if (t.rows > row_count) row_count = t.rows;
  });

  LineWriter line(out);
  char cells[kCellCapacity];

  // Line 1: identity, date and time, then the settings line on the same line.
  char name[9];
  line.PutText(name, record.name(name));
  const RecordStamp s = record.stamp();
  line.Put(cells,
           FormatCells(cells, ",%04d,20%02d/%02d/%02d,%02d:%02d:%02d, ", int{record.number()},
                       s.year, s.month, s.day, s.hour, s.minute, s.second));
  char settings[kSettingsLineCapacity];
  size_t settings_length = FormatSettingsLine(image, record_offset, settings);
  if (settings_length > 0 && settings[settings_length - 1] == '\n') --settings_length;
  line.Put(settings, settings_length);
  line.EndLine();

  // Line 2: the block numbers, each over its column group.
  line.Put(" ", 1);
  for (unsigned b = 0; b < count; ++b)
    line.Put(cells, FormatCells(cells, traces[b].kind == kTracePulse ? "%u,,," : "%u,,", b + 1));
  line.EndLine();

  // Line 3: what each trace measured.
  for (unsigned b = 0; b < count; ++b) line.Put(cells, FormatTraceHead(traces[b].code, cells));
  line.EndLine();

  // Line 4: the column titles. A trace of unknown kind keeps its two cells so that its group
  // stays aligned with the lines above and its rows.
  for (unsigned b = 0; b < count; ++b) {
    switch (traces[b].kind) {
      case kTraceOjip:
        line.Put("Time(mS),D1,");
        break;
      case kTracePulse:
        line.Put("Time(S),D1,D2,");
        break;
      default:
        line.Put("???,???,");
        break;
    }
  }
  line.EndLine();

  // The sample rows; a trace that has run out is padded with empty cells.
  // Traces of one kind and step share the time text of a row, so it is formatted once per row.
  char times[9][32];
  size_t time_length[9];
  uint32_t time_row[9];
  std::fill(time_row, time_row + 9, UINT32_MAX);
  for (uint32_t n = 0; n < row_count; ++n) {
    for (unsigned b = 0; b < count; ++b) {
      Trace& t = traces[b];
      const bool pulse = t.kind == kTracePulse;
      if (n < t.rows) {
        if (t.kind != kTraceOjip && !pulse) {
          line.Put("???,???,");
          continue;
        }
        const unsigned slot = pulse ? (t.code >> 16) & 7 : 8;
        if (time_row[slot] != n) {
          time_length[slot] = FormatTime(t.code, n, times[slot]);
          time_row[slot] = n;
        }
        std::memcpy(cells, times[slot], time_length[slot]);
        line.Put(cells, FinishSample(image, t.code, t.pos, cells, time_length[slot]));
        t.pos += pulse ? 4 : 2;
      } else {
        line.Put(pulse ? ",,," : ",,");
      }
    }
    line.EndLine();
  }
  return line.Finish();
}

}  // namespace corvel
