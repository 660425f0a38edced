#include "export/csv_export.h"

#include <vector>

#include "export/export_names.h"
#include "export/info_text.h"
#include "export/record_csv.h"
#include "records/native_path.h"
#include "records/record.h"

namespace corvel {

namespace {

// The longest file name (one path component) and path the file systems we write to accept.
constexpr size_t kNameMax = 255;
constexpr size_t kPathMax = 4095;

// Why `path` cannot be written as a file, or nullptr when nothing is known to stand in its way.
const char* UnusableName(const std::string& path) {
  const size_t slash = LastPathSeparator(path);
  const size_t name_length = slash == std::string::npos ? path.size() : path.size() - slash - 1;
  // The reasons as Linux words them, on every system.
  if (name_length > kNameMax || path.size() > kPathMax) return "File name too long";
  if (IsFolder(path)) return "Is a directory";
  return nullptr;
}

}  // namespace

FileResult ExportRecordsCsv(const FileImage& image, const RecordList& list, const std::string& base,
                            std::string_view info_text, const ExtraExportFile* extra) {
  // The export is one unit: every name is known and checked before the first file is written.
  std::vector<std::string> names;
  std::vector<uint32_t> offsets;
  names.reserve(static_cast<size_t>(list.selected_count) + 1);
  offsets.reserve(static_cast<size_t>(list.selected_count));
  names.push_back(base + "_UserCmd.txt");
  int n = 0;
  for (int i = 0; i < list.count; ++i) {
    if (!list.selected[i]) continue;
    const uint32_t offset = list.offset(i);
    const Record record(image, offset);
    char name[9];
    const size_t name_length = record.name(name);
    names.push_back(ExportFileName(base, ++n, name, name_length, record.number()));
    offsets.push_back(offset);
  }
  if (extra) names.push_back(base + extra->suffix);
  for (const std::string& name : names) {
    if (const char* why = UnusableName(name))
      return CannotWrite(name, std::string(why) + "; nothing was exported");
  }

  for (size_t k = 0; k < names.size(); ++k) {
    FileResult result;
    if (k == 0)
      result = WriteFileAtomically(names[0],
                                   [&](ByteSink& out) { return WriteInfoText(info_text, out); });
    else if (k - 1 < offsets.size())
      result = WriteFileAtomically(
          names[k], [&](ByteSink& out) { return WriteRecordCsv(image, offsets[k - 1], out); });
    else
      result = WriteFileAtomically(names[k], extra->produce);
    if (result.ok) continue;
    // A part of an export is no export: the files written so far go again.
    for (size_t j = 0; j < k; ++j) RemoveFile(names[j]);
    std::string message = result.message;
    if (k > 0)
      message += "; the " + std::to_string(k) +
                 (k == 1 ? " file this export had written was removed"
                         : " files this export had written were removed");
    return {false, message};
  }
  return {};
}

}  // namespace corvel
