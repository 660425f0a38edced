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

// Which list entries a list save writes. A type of its own, not a save mode number: save mode 1
// writes every entry, save mode 2 the selected ones, and the mapping is made in one place.
enum class RecordSelection { kAll, kSelected };

// Save modes 1 and 2: the header and the records of the list, in list order; writing stops at a
// list entry that does not start with the record magic. Returns false when a write failed or the
// selection is neither of the two above.
bool WriteListRecords(const FileImage& image, const RecordList& list, RecordSelection selection,
                      ByteSink& out);

}  // namespace corvel
