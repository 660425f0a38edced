// File names of the CSV data export.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvel {

// base + "(" + n + ")" + name + number ("%04d") + ".csv". The record name's bytes are decoded
// from GBK into UTF-8 (a byte that does not decode becomes '_'), and every character a file name
// may not hold (\ / : * ? " < > | and characters below U+0020) becomes '_', so the file always
// lands in the folder of base.
std::string ExportFileName(const std::string& base, int n, const char* name, size_t name_len,
                           uint16_t number);

// The record name part of ExportFileName: GBK decoded to UTF-8, unsafe characters replaced.
std::string SafeFileNamePart(const char* name, size_t name_len);

// The path without the extension of its last component ("D:/data/FLGrid.csv" -> "D:/data/FLGrid").
// A component's leading dots do not start an extension.
std::string RemoveExtension(const std::string& path);

// The path with "." + ext appended when its last component has no extension.
std::string WithDefaultExtension(const std::string& path, const char* ext);

}  // namespace corvel
