#include "export/export_names.h"

#include <cstdio>

#include "records/gbk_text.h"
#include "records/native_path.h"

namespace corvel {

namespace {

bool IsUnsafe(unsigned char c) {
  switch (c) {
    case '\\':
    case '/':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
      return true;
    default:
      return c < 0x20;
  }
}

size_t LastComponentStart(const std::string& path) {
  const size_t slash = LastPathSeparator(path);
  return slash == std::string::npos ? 0 : slash + 1;
}

// Position of the extension's dot in the last component, or npos.
size_t ExtensionDot(const std::string& path) {
  size_t start = LastComponentStart(path);
  while (start < path.size() && path[start] == '.') ++start;
  const size_t dot = path.rfind('.');
  return dot != std::string::npos && dot >= start && start < path.size() ? dot : std::string::npos;
}

}  // namespace

std::string SafeFileNamePart(const char* name, size_t name_len) {
  // Multi-byte UTF-8 never holds bytes below 0x80, so only the ASCII characters need a look.
  std::string out = GbkToUtf8(std::string_view(name, name_len), "_");
  for (char& c : out)
    if (IsUnsafe(static_cast<unsigned char>(c))) c = '_';
  return out;
}

std::string ExportFileName(const std::string& base, int n, const char* name, size_t name_len,
                           uint16_t number) {
  char index[16];
  std::snprintf(index, sizeof index, "(%d)", n);
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04u", unsigned{number});
  return base + index + SafeFileNamePart(name, name_len) + digits + ".csv";
}

std::string RemoveExtension(const std::string& path) {
  const size_t dot = ExtensionDot(path);
  return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string WithDefaultExtension(const std::string& path, const char* ext) {
  if (ExtensionDot(path) != std::string::npos) return path;
  return path + "." + ext;
}

}  // namespace corvel
