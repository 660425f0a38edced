#include "export/binary_save.h"

#include <algorithm>

#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

namespace {

// The record's bytes as far as they lie inside the record area.
bool WriteRecordBytes(const FileImage& image, uint32_t offset, ByteSink& out) {
  const uint32_t length = Record(image, offset).record_length();
  const uint32_t size = std::min(length, kAreaSize - offset);
  return out.Write(image.area() + offset, size);
}

}  // namespace

bool WriteFileImage(const FileImage& image, ByteSink& out) {
  bool ok = out.Write(image.header.data(), image.header.size());
  if (!ok) return false;
  WalkRecords(image, [&](uint32_t offset) {
    if (TypeOfCode(Record(image, offset).type_code()) != nullptr)
      ok = WriteRecordBytes(image, offset, out);
    return ok;
  });
  return ok;
}

bool WriteListRecords(const FileImage& image, const RecordList& list, RecordSelection selection,
                      ByteSink& out) {
  if (selection != RecordSelection::kAll && selection != RecordSelection::kSelected) return false;
  if (!out.Write(image.header.data(), image.header.size())) return false;
  for (int i = 0; i < list.count; ++i) {
    if (selection == RecordSelection::kSelected && !list.selected[i]) continue;
    const uint32_t offset = list.offset(i);
    if (offset >= kAreaSize || image.U16(offset) != kRecordMagic) break;
    if (!WriteRecordBytes(image, offset, out)) return false;
  }
  return true;
}

}  // namespace corvel
