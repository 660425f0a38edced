// Writing records of the file image as a new measurement file: the file header unchanged, then
// the chosen records back to back, each copied byte for byte.
#pragma once

#include "records/byte_sink.h"
#include "records/file_image.h"
#include "records/record_list.h"

namespace corvel {

// Save mode 0: the header and every record of the chain whose type byte is 9 or less (deleted
// records and records of unknown type are left out). A record that runs past the end of the
// record area contributes only its bytes inside the area. Returns false when a write failed.
bool WriteFileImage(const FileImage& image, ByteSink& out);

inline constexpr int kSelectionAll = 1;       // every list entry (save mode 1)
inline constexpr int kSelectionSelected = 2;  // only the selected entries (save mode 2)

// Save modes 1 and 2: the header and the records of the list, in list order; writing stops at a
// list entry that does not start with the record magic. Returns false when a write failed or the
// selection value is neither of the two above.
bool WriteListRecords(const FileImage& image, const RecordList& list, int selection, ByteSink& out);

}  // namespace corvel
