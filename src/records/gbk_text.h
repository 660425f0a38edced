// Decoding of the file's 8-bit texts (GBK code page) where the output must be UTF-8: file names
// of the CSV data export and the chart state's JSON.
#pragma once

#include <string>
#include <string_view>

namespace corvel {

// GBK bytes to UTF-8. A byte that does not start a whole GBK character becomes `replacement`.
std::string GbkToUtf8(std::string_view gbk, std::string_view replacement = "\xEF\xBF\xBD");

}  // namespace corvel
