// Reading synthetic files back byte by byte, independent of the records library, so that the
// generators are checked against the file layout itself.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "synth/writer.h"

namespace corvel::synth::testing {

inline constexpr size_t kArea = 16777216;

inline uint16_t U16(const Bytes& b, size_t off) {
  return off + 2 <= b.size() ? static_cast<uint16_t>(b[off] | (b[off + 1] << 8)) : 0;
}
inline uint32_t U32(const Bytes& b, size_t off) {
  return off + 4 <= b.size()
             ? static_cast<uint32_t>(U16(b, off)) | (uint32_t{U16(b, off + 2)} << 16)
             : 0;
}

struct Block {
  size_t offset;  // from the start of the buffer
  uint16_t length;
  uint32_t code;
  std::vector<uint16_t> samples;
};

struct Record {
  size_t offset;  // from the start of the buffer
  uint16_t header_length;
  uint32_t record_length;
  std::string name;          // the 8 bytes as stored
  std::string program_name;  // up to the first NUL of the 16 bytes
  uint16_t number;
  int8_t stamp[6];
  uint32_t type_word;
  std::vector<uint32_t> words;  // from offset 40 up to the header length
  std::vector<Block> blocks;
  uint32_t Word(size_t record_offset) const { return words.at((record_offset - 40) / 4); }
  int type() const { return static_cast<int>(type_word & 0xFF); }
};

// The records of a buffer that starts with a record (a record area, or a single record); blocks
// are walked while the magic is there and the length is at least 8.
inline Record ReadRecord(const Bytes& b, size_t off) {
  Record r{};
  r.offset = off;
  r.header_length = U16(b, off + 2);
  r.record_length = U32(b, off + 4);
  r.name.assign(b.begin() + static_cast<long>(off + 8), b.begin() + static_cast<long>(off + 16));
  r.number = U16(b, off + 16);
  for (size_t i = off + 24; i < off + 40 && b[i] != 0; ++i)
    r.program_name += static_cast<char>(b[i]);
  for (int i = 0; i < 6; ++i) r.stamp[i] = static_cast<int8_t>(b[off + 18 + i]);
  r.type_word = U32(b, off + 40);
  for (size_t w = off + 40; w + 4 <= off + r.header_length && w + 4 <= b.size(); w += 4)
    r.words.push_back(U32(b, w));
  size_t p = off + r.header_length;
  while (p + 8 <= b.size() && U16(b, p) == 0x4441 && U16(b, p + 2) >= 8 && r.blocks.size() < 300) {
    Block blk{p, U16(b, p + 2), U32(b, p + 4), {}};
    for (size_t s = p + 8; s + 2 <= p + blk.length && s + 2 <= b.size(); s += 2)
      blk.samples.push_back(U16(b, s));
    r.blocks.push_back(std::move(blk));
    p += r.blocks.back().length;
  }
  return r;
}

// Records of a whole file (64-byte header first), walked like the instrument's reader: until the
// record magic is missing, the area ends or a length would not move on.
inline std::vector<Record> ReadFile(const Bytes& file, size_t* chain_end = nullptr) {
  const size_t end = std::min(file.size(), 64 + kArea);
  std::vector<Record> records;
  size_t off = 64;
  while (off + 44 <= end && U16(file, off) == 0x4946) {
    Record r = ReadRecord(file, off);
    records.push_back(r);
    if (r.record_length < r.header_length || r.header_length == 0) break;
    off += r.record_length;
  }
  if (chain_end) *chain_end = off;
  return records;
}

struct Points {
  int fo, fm, peak;
  double fvfm;
};

// Fo as the rounded mean of samples 1..3, Fm the first largest of at most 208 samples.
inline Points OjipPoints(const std::vector<uint16_t>& s) {
  Points p{0, 0, 0, 0.0};
  if (s.size() < 4) return p;
  p.fo = (s[1] + s[2] + s[3] + 1) / 3;
  for (size_t i = 0; i < s.size() && i < 208; ++i)
    if (s[i] > p.fm) p.fm = s[i], p.peak = static_cast<int>(i);
  p.fvfm = p.fm > 0 ? static_cast<double>(p.fm - p.fo) / p.fm : 0.0;
  return p;
}

// The D2 values of a pulse trace.
inline std::vector<uint16_t> D2(const Block& b) {
  std::vector<uint16_t> v;
  for (size_t k = 0; 2 * k + 1 < b.samples.size(); ++k) v.push_back(b.samples[2 * k + 1]);
  return v;
}

}  // namespace corvel::synth::testing
