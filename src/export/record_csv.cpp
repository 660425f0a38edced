#include "export/record_csv.h"

#include <cstdarg>
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

size_t FormatSample(const FileImage& image, uint32_t code, uint32_t n, uint64_t read_pos,
                    char (&out)[kCellCapacity]) {
  switch (code >> 24) {
    case kTraceOjip: {
      const unsigned d1 = image.U16(read_pos);
      if (n < 64) return FormatCells(out, "%.2f,%u,", double{OjipTimeMs(n)}, d1);
      return FormatCells(out, "%u,%u,", OjipTimeWholeMs(n), d1);
    }
    case kTracePulse: {
      const float seconds = static_cast<float>((n + 1) * PulseStepMs(code)) * 0.001f;
      return FormatCells(out, "%.3f,%u,%u,", double{seconds}, unsigned{image.U16(read_pos)},
                         unsigned{image.U16(read_pos + 2)});
    }
    default:
      return FormatCells(out, "???,???,");
  }
}

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
  line.Put(name, record.name(name));
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
  for (uint32_t n = 0; n < row_count; ++n) {
    for (unsigned b = 0; b < count; ++b) {
      Trace& t = traces[b];
      const bool pulse = t.kind == kTracePulse;
      if (n < t.rows) {
        line.Put(cells, FormatSample(image, t.code, n, t.pos, cells));
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
