// The one way the viewer writes a file: the bytes go to a temporary file beside the target, and
// only a completely written and closed temporary replaces the target. A failed save therefore
// never leaves a half-written file, and an existing target stays as it was.
#pragma once

#include <functional>
#include <string>

#include "records/byte_sink.h"

namespace corvel {

struct WriteResult {
  bool ok = true;
  std::string message;  // on failure: the path and the reason
};

// Creates a temporary file in the target's folder, lets produce() write into it through a
// buffered sink, and renames it over `path` when produce() returned true and every write, the
// flush and the close succeeded. On any failure the temporary is removed and the result names
// the path and the reason.
WriteResult WriteFileAtomically(const std::string& path,
                                const std::function<bool(ByteSink&)>& produce);

}  // namespace corvel
