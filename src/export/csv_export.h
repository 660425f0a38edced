// Save mode 3 for every type but the chlorophyll table: the info box text beside one CSV data
// file per selected record.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "export/file_writer.h"
#include "records/file_image.h"
#include "records/record_list.h"

namespace corvel {

// Writes base + "_UserCmd.txt" with the info box text, then, for the selected list entries in
// list order, base + "(n)" + name + number + ".csv" with n counting the selected records from 1.
// The export is one unit: every name is checked first (too long, an existing folder in the way)
// and nothing is written when one fails; every file is written atomically, and when one fails
// the files this export already wrote are removed again. The message names the file that failed
// and why.
// A file that belongs to the same export, written after the record files: base + suffix.
struct ExtraExportFile {
  std::string suffix;
  std::function<bool(ByteSink&)> produce;
};

FileResult ExportRecordsCsv(const FileImage& image, const RecordList& list, const std::string& base,
                            std::string_view info_text, const ExtraExportFile* extra = nullptr);

}  // namespace corvel
