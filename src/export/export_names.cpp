#include "export/export_names.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace corvel {

namespace {

// One GBK to UTF-8 converter per thread, opened on first use.
class GbkDecoder {
 public:
  GbkDecoder() : cd_(iconv_open("UTF-8", "GBK")) {}
  ~GbkDecoder() {
    if (valid()) iconv_close(cd_);
  }
  GbkDecoder(const GbkDecoder&) = delete;
  GbkDecoder& operator=(const GbkDecoder&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts exactly `size` bytes as one character into out (at least 8 bytes). Returns the
  // UTF-8 length, 0 when the bytes are not one whole character, or -1 when they are incomplete.
  int Convert(const char* in, size_t size, char* out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in_ptr = const_cast<char*>(in);
    size_t in_left = size;
    char* out_ptr = out;
    size_t out_left = 8;
    const size_t r = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
    if (r == static_cast<size_t>(-1)) return errno == EINVAL ? -1 : 0;
    return in_left == 0 ? static_cast<int>(8 - out_left) : 0;
  }

 private:
  iconv_t cd_;
};

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
  const size_t slash = path.rfind('/');
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
  thread_local GbkDecoder decoder;
  std::string out;
  out.reserve(name_len * 3);
  size_t i = 0;
  while (i < name_len) {
    const unsigned char b = static_cast<unsigned char>(name[i]);
    if (b < 0x80) {
      out += IsUnsafe(b) ? '_' : static_cast<char>(b);
      ++i;
      continue;
    }
    // A GBK character has one or two bytes: try the shortest that makes a whole character.
    char utf8[8];
    int n = decoder.valid() ? decoder.Convert(name + i, 1, utf8) : 0;
    size_t used = 1;
    if (n < 0 && i + 1 < name_len) {
      n = decoder.Convert(name + i, 2, utf8);
      used = 2;
    }
    if (n > 0) {
      out.append(utf8, static_cast<size_t>(n));
      i += used;
    } else {
      out += '_';
      ++i;
    }
  }
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
