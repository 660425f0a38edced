#include "charts/gbk_text.h"

#include <iconv.h>

#include <cerrno>

namespace corvel {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsAscii(std::string_view s) {
  for (const char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  if (IsAscii(gbk)) return std::string(gbk);
  iconv_t cd = iconv_open("UTF-8", "GBK");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // Without a converter only the ASCII characters can be kept.
    std::string out;
    for (const char c : gbk)
      if (static_cast<unsigned char>(c) < 0x80)
        out += c;
      else
        out += kReplacement;
    return out;
  }
  std::string out;
  out.reserve(gbk.size() * 3 / 2 + 4);
  char* in = const_cast<char*>(gbk.data());
  size_t in_left = gbk.size();
  char buf[256];
  while (in_left > 0) {
    char* o = buf;
    size_t o_left = sizeof buf;
    const size_t rc = iconv(cd, &in, &in_left, &o, &o_left);
    out.append(buf, static_cast<size_t>(o - buf));
    if (rc != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // An invalid or cut sequence: one replacement character for its first byte, then go on.
    out += kReplacement;
    ++in;
    --in_left;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

}  // namespace corvel
