// The one way the viewer writes a file: the bytes go to a temporary file beside the target, and
// only a completely written, flushed and closed temporary replaces the target. A failed save
// therefore never leaves a half-written file, an existing target stays as it was, and a save that
// succeeded survives a power loss (the temporary and its folder reach the disk).
#pragma once

#include <functional>
#include <string>

#include "records/byte_sink.h"
#include "records/file_result.h"

namespace corvel {

// Creates a temporary file in the target's folder, lets produce() write into it through a
// buffered sink, and renames it over `path` when produce() returned true and every write, the
// flush to disk and the close succeeded. On any failure the temporary is removed and the result
// names the path and the reason.
//
// What the target is decides how it is written:
// - missing or a regular file: replaced as above (a hard-linked file gets a new inode, so its other
//   names keep the old bytes);
// - a symbolic link: the file it points to is replaced, beside that file; the link stays;
// - a FIFO or a character device (/dev/null, /dev/stdout, a terminal): the bytes are streamed into
//   it, since nothing can replace it; a FIFO that no process reads from is refused rather than
//   waited for;
// - anything else (a block device, a socket): refused as "not a regular file".
// On Windows (file_writer_windows.cpp) a missing or regular target is replaced the same way
// (ReplaceFileW, or MoveFileExW for a new name); links and devices get no rule of their own there.
// Paths are UTF-8, also on Windows.
FileResult WriteFileAtomically(const std::string& path,
                               const std::function<bool(ByteSink&)>& produce);

// Makes SIGINT and SIGTERM remove the temporary file of a save in progress before the process
// ends by that signal, as it would have without the handler. For single-threaded programs (the
// command-line tool); the window does not install it. On Windows the same for Ctrl+C and Ctrl+Break
// (a console control handler).
void RemoveTemporaryFilesOnTerminationSignals();

}  // namespace corvel
