#include "records/ojip_decoder.h"

#include <bit>
#include <cstring>

#include "records/record.h"
#include "records/time_base.h"

namespace corvel {

uint16_t PeakTimeMs(int32_t p) {
  if (p < 64) return static_cast<uint16_t>(kOjipTimeTable[p] / 1000);
  if (p < 118) return static_cast<uint16_t>(kOjipTimeTable[p]);
  return static_cast<uint16_t>(1100 + 100 * (p - 118));
}

int32_t DecodeOjipPoints(const FileImage& image, uint64_t block_pos, OjipResult& r) {
  std::memset(&r, 0, sizeof r);
  const Block b = BlockAt(image, block_pos);
  if (b.kind() != kTraceOjip) return -1;
  // The count is never negative (a block shorter than its header holds none, rule D8); the
  // peak search looks at the first 208 samples only.
  int32_t n = b.sample_count();
  if (n > kOjipSamplesUsed) n = kOjipSamplesUsed;

  // The peak is the first sample of the largest value (0 when every sample is 0). The samples
  // are gathered first, so that the largest value is found without a branch per sample.
  uint16_t t[kOjipSamplesUsed];
  if (b.samples() + 2u * static_cast<uint32_t>(n) <= kAreaSize) {
    // The whole trace lies inside the area: read it in place.
    const uint8_t* s = image.area() + b.samples();
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(t, s, 2u * static_cast<uint32_t>(n));
    } else {
      for (int32_t i = 0; i < n; ++i) t[i] = static_cast<uint16_t>(s[2 * i] | (s[2 * i + 1] << 8));
    }
  } else {
    for (int32_t i = 0; i < n; ++i) t[i] = image.U16(b.samples() + 2u * static_cast<uint32_t>(i));
  }
  // Zeros past the trace change no maximum, and a loop of the fixed length lets the compiler
  // take eight samples at a time.
  std::memset(t + n, 0, 2u * static_cast<uint32_t>(kOjipSamplesUsed - n));
  uint16_t fm = 0;
  for (int32_t i = 0; i < kOjipSamplesUsed; ++i) fm = t[i] > fm ? t[i] : fm;
  // The first group of eight that holds the largest value, then its first sample in the group.
  int32_t p = 0;
  for (; p + 8 <= kOjipSamplesUsed; p += 8) {
    int hit = 0;
    for (int32_t k = 0; k < 8; ++k) hit |= t[p + k] == fm;
    if (hit != 0) break;
  }
  while (p < n && t[p] != fm) ++p;
  if (p >= n) p = 0;
  auto at = [&](int32_t i) { return TraceSample(image, b, i); };
  r.Fm = fm;
  r.Fo = static_cast<uint16_t>((at(1) + at(2) + at(3) + 1) / 3);
  r.Fl = at(9);
  r.Fk = at(29);
  r.Fj = at(46);
  r.Fi = at(83);
  r.tFm = PeakTimeMs(p);
  r.Fv = static_cast<uint16_t>(r.Fm - r.Fo);
  if (r.Fm == 0 || r.Fv == 0) return -1;
  r.FvFm = static_cast<float>(r.Fv) / static_cast<float>(r.Fm);
  return p;
}

}  // namespace corvel
