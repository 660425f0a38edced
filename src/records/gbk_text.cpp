#include "records/gbk_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace corvel {

namespace {

#ifdef _WIN32

// Code page 936 through the Windows API. It also gives the user-defined areas (as private-use
// characters) and maps a few bytes by best fit, where the Linux decoder finds no character: those
// are refused here too, so that both systems decode exactly the same sequences (rule D14).
class GbkDecoder {
 public:
  static constexpr unsigned kCodePage = 936;

  bool valid() const { return true; }

  // As the iconv form below: the UTF-8 length, 0 when the bytes are not one whole character, or -1
  // when a lead byte waits for its second byte.
  int Convert(const char* in, size_t size, char* out) {
    const unsigned char lead = static_cast<unsigned char>(in[0]);
    if (size == 1 && lead != 0x80) return ::IsDBCSLeadByteEx(kCodePage, lead) ? -1 : 0;
    wchar_t wide[2];
    const int n =
        ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, in, static_cast<int>(size), wide, 2);
    if (n != 1) return 0;
    const unsigned c = wide[0];
    if (c < 0x80 || c == 0xFFFD || (c >= 0xD800 && c <= 0xF8FF)) return 0;
    if (c < 0x800) {
      out[0] = static_cast<char>(0xC0 | (c >> 6));
      out[1] = static_cast<char>(0x80 | (c & 0x3F));
      return 2;
    }
    out[0] = static_cast<char>(0xE0 | (c >> 12));
    out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
  }
};

#else

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

#endif

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
