// Decoding of the core's 8-bit texts (GBK code page) for output that must be UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace corvel {

// GBK bytes to UTF-8; a byte that does not start a valid character becomes U+FFFD, as the window's
// decoder shows it.
std::string GbkToUtf8(std::string_view gbk);

}  // namespace corvel
