#include "export/csv_export.h"

#include "export/export_names.h"
#include "export/info_text.h"
#include "export/record_csv.h"
#include "records/record.h"

namespace corvel {

WriteResult ExportRecordsCsv(const FileImage& image, const RecordList& list,
                             const std::string& base, std::string_view info_text) {
  WriteResult result = WriteFileAtomically(
      base + "_UserCmd.txt", [&](ByteSink& out) { return WriteInfoText(info_text, out); });
  if (!result.ok) return result;

  int n = 0;
  for (int i = 0; i < list.count; ++i) {
    if (!list.selected[i]) continue;
    const uint32_t offset = list.offset(i);
    const Record record(image, offset);
    char name[9];
    const size_t name_length = record.name(name);
    result = WriteFileAtomically(ExportFileName(base, ++n, name, name_length, record.number()),
                                 [&](ByteSink& out) { return WriteRecordCsv(image, offset, out); });
    if (!result.ok) return result;
  }
  return result;
}

}  // namespace corvel
