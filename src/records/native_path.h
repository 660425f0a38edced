// Paths are UTF-8 inside the program. On Windows they become wide strings only where they meet the
// system's API, and both separators count; elsewhere they go to the system as they are.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace corvel {

#ifdef _WIN32
// UTF-8 to the UTF-16 the wide Windows API takes, and back. Invalid UTF-8 becomes U+FFFD.
std::wstring WidePath(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// The reason for a Windows error code, worded as the C library of Linux words the same failure,
// so that a message reads the same on both systems.
std::string WindowsErrorReason(unsigned long error);
#endif

// Position of the last path separator ('/', on Windows also '\'), or npos.
size_t LastPathSeparator(std::string_view path);

// Whether the name is an existing folder (following links).
bool IsFolder(const std::string& path);

// Removes a file; false when it could not be removed.
bool RemoveFile(const std::string& path);

// std::fopen with a UTF-8 name.
std::FILE* OpenFile(const std::string& path, const char* mode);

}  // namespace corvel
