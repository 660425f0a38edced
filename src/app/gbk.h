// The core's texts are 8-bit GBK (record names, labels, titles, listings); its own messages and
// paths are UTF-8. Only the window converts, at the moment a text is shown or typed.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace corvel::app {

// GBK bytes for display; bytes that do not decode show as U+FFFD.
QString FromGbk(std::string_view gbk);
// Text typed by the user back to GBK; characters GBK lacks become '?'.
std::string ToGbk(const QString& text);
QString FromUtf8(std::string_view utf8);
// A path as the file system's bytes (the core opens and writes files by these).
std::string ToPath(const QString& path);

}  // namespace corvel::app
