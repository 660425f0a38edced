// Rule D14's table on every system: the same test runs against iconv on Linux and against code page
// 936 under Wine, so both decoders must find the same characters in every one- and two-byte
// sequence.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "records/gbk_text.h"

namespace corvel {
namespace {

std::string Decode(std::string bytes) {
  return GbkToUtf8(bytes, "_");
}

std::string Pair(int lead, int trail) {
  return {static_cast<char>(lead), static_cast<char>(trail)};
}

// How many two-byte sequences of the block (leads x trails) decode as one character.
int Decoded(int lead_first, int lead_last, int trail_first, int trail_last) {
  int n = 0;
  for (int lead = lead_first; lead <= lead_last; ++lead)
    for (int trail = trail_first; trail <= trail_last; ++trail)
      n += Decode(Pair(lead, trail))[0] != '_';
  return n;
}

TEST(GbkTable, SingleBytes) {
  EXPECT_EQ(Decode("\x80"), "\u20AC");  // the euro sign
  EXPECT_EQ(Decode("\x81"), "_");       // a lead byte without its second byte
  EXPECT_EQ(Decode("\xFE"), "_");
  EXPECT_EQ(Decode("\xFF"), "_");
  EXPECT_EQ(Decode("A\x7F"), "A\x7F");
}

TEST(GbkTable, KnownCharacters) {
  EXPECT_EQ(Decode("\xB0\xA1"), "\u554A");  // the first hanzi of GB 2312
  EXPECT_EQ(Decode("\xD6\xD0\xCE\xC4"), "\u4E2D\u6587");
  EXPECT_EQ(Decode("\xA1\xA4"), "\u00B7");
  EXPECT_EQ(Decode("\xA1\xAA"), "\u2014");
  EXPECT_EQ(Decode("\xA8\x44"), "\u2015");
  EXPECT_EQ(Decode("\x81\x40"), "\u4E02");  // the first of the extension below GB 2312
  EXPECT_EQ(Decode("\xFE\x4F"), "\uFA29");
  EXPECT_EQ(Decode("\xFE\x50"), "_P");  // no character in GBK, a private-use one in code page 936
  EXPECT_EQ(Decode("\xA3\xA1"), "\uFF01");
}

TEST(GbkTable, UndecodableBytesBecomeTheReplacementAndDecodingGoesOn) {
  EXPECT_EQ(Decode("\x81\x7F"), "_\x7F");
  EXPECT_EQ(Decode("\x81\x30"), "_0");
  EXPECT_EQ(Decode("\x81\xFF"), "__");
  EXPECT_EQ(Decode("\xD7\xFA"), "__");  // an empty place in the hanzi block
}

// The user-defined areas: code page 936 gives private-use characters there, iconv nothing.
TEST(GbkTable, UserDefinedAreasDoNotDecode) {
  EXPECT_EQ(Decoded(0xAA, 0xAF, 0xA1, 0xFE), 0);
  EXPECT_EQ(Decoded(0xF8, 0xFE, 0xA1, 0xFE), 0);
  EXPECT_EQ(Decoded(0xA1, 0xA7, 0x40, 0xA0), 0);
  EXPECT_EQ(Decode("\xAA\xA1"), "__");
}

// The sizes of GBK's five areas as iconv decodes them (GBK/4 and GBK/5 hold fewer characters than
// places; the hanzi block of GB 2312 has 5 empty places).
TEST(GbkTable, CharactersPerArea) {
  EXPECT_EQ(Decoded(0xA1, 0xA9, 0xA1, 0xFE), 715);
  EXPECT_EQ(Decoded(0xB0, 0xF7, 0xA1, 0xFE), 6763);
  EXPECT_EQ(Decoded(0x81, 0xA0, 0x40, 0xFE), 6080);
  EXPECT_EQ(Decoded(0xAA, 0xFE, 0x40, 0xA0), 8080);
  EXPECT_EQ(Decoded(0xA8, 0xA9, 0x40, 0xA0), 153);
  EXPECT_EQ(Decoded(0x81, 0xFE, 0x00, 0xFF), 21791);
}

// Every one- and two-byte sequence, character for character: the FNV-1a digest of all decodings
// in order, as iconv gives them on Linux.
TEST(GbkTable, EverySequenceDecodesAsOnLinux) {
  uint64_t digest = 14695981039346656037ull;
  auto add = [&](const std::string& text) {
    for (const char c : text) digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    digest = (digest ^ 0xFFu) * 1099511628211ull;  // a separator no UTF-8 text holds
  };
  for (int b = 0; b < 256; ++b) add(Decode(std::string(1, static_cast<char>(b))));
  for (int lead = 0x80; lead < 256; ++lead)
    for (int trail = 0; trail < 256; ++trail) add(Decode(Pair(lead, trail)));
  EXPECT_EQ(digest, 11875958500582276643ull);
}

}  // namespace
}  // namespace corvel
