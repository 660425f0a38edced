// The info box text as a text file ("_UserCmd.txt"): every line ends with CR LF.
#pragma once

#include <string_view>

#include "records/byte_sink.h"

namespace corvel {

// Writes each line of text followed by CR LF; a last line without "\n" still gets its line end,
// and an empty text gives an empty file. Returns false when a write failed.
bool WriteInfoText(std::string_view text, ByteSink& out);

}  // namespace corvel
