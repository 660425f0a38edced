// One measurement record as CSV data: a header line with the record's identity and settings,
// three heading lines per trace, then the samples of all traces side by side, one row per sample
// index. Every cell is followed by a comma; traces own fixed column groups (two cells for OJIP
// and unknown traces, three for pulse traces) and shorter traces are padded with empty cells.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records/byte_sink.h"
#include "records/file_image.h"

namespace corvel {

inline constexpr unsigned kCsvMaxBlocks = 255;  // traces exported per record
inline constexpr size_t kCellCapacity = 64;     // longest heading or row cells of one trace

// The heading cells of one trace (line 3): "OJIP,(%d:%dS),", "PulseMeas,(AL%d:%dS),(PP+%d:%dmS),"
// or "???,???,". Returns the length written to out (NUL-terminated).
size_t FormatTraceHead(uint32_t code, char (&out)[kCellCapacity]);

// Writes the CSV text of the record at record_offset; lines end with CR LF as in a text file.
// Returns false when a write failed.
bool WriteRecordCsv(const FileImage& image, uint32_t record_offset, ByteSink& out);

}  // namespace corvel
