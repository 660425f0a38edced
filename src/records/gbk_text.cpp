#include "records/gbk_text.h"

#include <iconv.h>

#include <cerrno>

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

}  // namespace

std::string GbkToUtf8(std::string_view gbk, std::string_view replacement) {
  thread_local GbkDecoder decoder;
  std::string out;
  out.reserve(gbk.size() * 3 / 2 + 4);
  size_t i = 0;
  while (i < gbk.size()) {
    const unsigned char b = static_cast<unsigned char>(gbk[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    // A GBK character has one or two bytes: take the shortest that makes a whole character.
    char utf8[8];
    int n = decoder.valid() ? decoder.Convert(gbk.data() + i, 1, utf8) : 0;
    size_t used = 1;
    if (n < 0 && i + 1 < gbk.size()) {
      n = decoder.Convert(gbk.data() + i, 2, utf8);
      used = 2;
    }
    if (n > 0) {
      out.append(utf8, static_cast<size_t>(n));
      i += used;
    } else {
      out += replacement;
      ++i;
    }
  }
  return out;
}

}  // namespace corvel
