#include "synth/instruments.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "synth/physiology.h"

namespace corvel::synth {

// ---------------------------------------------------------------------------------------------
// Generator

uint64_t Rng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::Uniform() {
  return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::Uniform(double lo, double hi) {
  return lo + (hi - lo) * Uniform();
}

int Rng::Int(int lo, int hi) {
  if (hi <= lo) return lo;
  const uint64_t span = static_cast<uint64_t>(hi - lo) + 1;
  return lo + static_cast<int>(Next() % span);
}

bool Rng::Chance(double p) {
  return Uniform() < p;
}

double Rng::Normal() {
  // Four uniforms have variance 1/3 around 2; scaling by sqrt(3) gives deviation 1.
  const double sum = Uniform() + Uniform() + Uniform() + Uniform();
  return (sum - 2.0) * 1.7320508075688772;
}

// ---------------------------------------------------------------------------------------------
// Command words

namespace {

uint32_t Bits(int value, int width) {
  const int64_t max = (int64_t{1} << width) - 1;
  return static_cast<uint32_t>(std::clamp<int64_t>(value, 0, max));
}

}  // namespace

uint32_t OjipCmd(int seconds, int intensity) {
  return 0xC0000000u | (Bits(seconds, 8) << 16) | Bits(intensity, 16);
}

uint32_t AdaptCmd(int intensity, int duration_10ms) {
  return 0xCA000000u | (Bits(duration_10ms, 16) << 8) | Bits(intensity / 10, 8);
}

uint32_t DarkCmd(int duration_10ms) {
  return AdaptCmd(0, duration_10ms);
}

uint32_t PulseCmd(int al, int pp_plus, int step_index, int al_seconds) {
  return 0xCE000000u | (Bits(al_seconds, 5) << 19) | (Bits(step_index, 3) << 16) |
         (Bits(pp_plus / 20, 8) << 8) | Bits(al / 10, 8);
}

uint32_t FarRedCmd(int ms) {
  return 0xCF000000u | (Bits(ms, 16) << 8);
}

uint32_t LoopBeginCmd(int count) {
  return 0xBB000000u | Bits(count, 8);
}

uint32_t ParamChangeCmd(int sub_code, int value) {
  return 0xBA000000u | (Bits(sub_code, 8) << 16) | Bits(value, 16);
}

uint32_t ParamDataCmd(int value) {
  return 0xBD000000u | Bits(value, 16);
}

uint32_t TypeWord(int type_code, int rb_marker) {
  // Bit 12 stands for the instrument's own bits above the marker, carried unchanged by readers.
  return 0x00001000u | (Bits(rb_marker, 4) << 8) | Bits(type_code, 8);
}

// ---------------------------------------------------------------------------------------------
// Time base and trace shapes

double OjipTimeMs(int i) {
  if (i < 30) return 0.01 * (i + 1);
  if (i < 57) return 0.4 + 0.1 * (i - 30);
  if (i < 64) return 4.0 + (i - 57);
  if (i < 84) return 11.0 + (i - 64);
  if (i < 111) return 40.0 + 10.0 * (i - 84);
  if (i < 118) return 400.0 + 100.0 * (i - 111);
  if (i < 208) return 1100.0 + 100.0 * (i - 118);
  return 11000.0 + 1000.0 * (i - 208);
}

int OjipSampleCount(int seconds) {
  const double end_ms = 1000.0 * std::max(seconds, 1) + 1e-6;
  int n = 0;
  while (OjipTimeMs(n) <= end_ms) ++n;
  return n;
}

namespace detail {

// Last sample index at or before the given time.
int IndexAtMs(double ms) {
  int i = 0;
  while (OjipTimeMs(i + 1) <= ms + 1e-9) ++i;
  return i;
}

uint16_t ToSample(double v) {
  return static_cast<uint16_t>(std::clamp(std::floor(v + 0.5), 0.0, 65535.0));
}

// The three rise phases of the induction: O-J (photochemical, slightly sigmoid), J-I and I-P.
void Phases(double t_ms, double tau3, double out[3]) {
  out[0] = 1.0 - std::exp(-std::pow(t_ms / 0.45, 1.3));
  out[1] = 1.0 - std::exp(-t_ms / 7.0);
  out[2] = 1.0 - std::exp(-t_ms / tau3);
}

double Det3(const double m[3][3]) {
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
         m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

}  // namespace detail

using namespace detail;

std::vector<uint16_t> OjipTrace(Rng& rng, const OjipShape& shape, int samples) {
  std::vector<uint16_t> s(static_cast<size_t>(std::max(samples, 0)));
  if (s.empty()) return s;
  const int p = std::max(shape.peak_index, 1);
  const double tp = OjipTimeMs(p);
  const double tau3 = std::max(tp / 4.5, 2.0);

  // Phase amplitudes that put the curve through the J and I levels and reach P at tp.
  double a[3] = {shape.vj, shape.vi - shape.vj, 1.0 - shape.vi};
  if (tp > 35.0) {
    double m[3][3];
    Phases(2.0, tau3, m[0]);
    Phases(30.0, tau3, m[1]);
    Phases(tp, tau3, m[2]);
    const double rhs[3] = {shape.vj, shape.vi, 1.0};
    const double det = Det3(m);
    if (std::fabs(det) > 1e-9) {
      for (int c = 0; c < 3; ++c) {
        double mc[3][3];
        for (int r = 0; r < 3; ++r)
          for (int k = 0; k < 3; ++k) mc[r][k] = k == c ? rhs[r] : m[r][k];
        a[c] = Det3(mc) / det;
      }
    }
  }
  for (double& v : a) v = std::max(v, 0.0);
  auto rise = [&](double t) {
    double ph[3];
    Phases(t, tau3, ph);
    return a[0] * ph[0] + a[1] * ph[1] + a[2] * ph[2];
  };
  const double at_peak = std::max(rise(tp), 1e-9);
  const double fv = shape.fm - shape.fo;

  for (size_t i = 0; i < s.size(); ++i) {
    const double t = OjipTimeMs(static_cast<int>(i));
    double f;
    if (t <= tp) {
      f = shape.fo + fv * std::min(rise(t) / at_peak, 1.0);
    } else {
      f = shape.fm * (1.0 - shape.decline * (1.0 - std::exp(-(t - tp) / 3000.0)));
    }
    f += rng.Normal() * (shape.noise * f + 0.5);
    s[i] = ToSample(f);
  }
  // P stays the one largest sample, so the peak the trace claims is the one a reader finds.
  if (static_cast<size_t>(p) < s.size()) {
    uint16_t others = 0;
    for (size_t i = 0; i < s.size(); ++i)
      if (i != static_cast<size_t>(p)) others = std::max(others, s[i]);
    if (s[p] <= others && others < 65535) s[p] = static_cast<uint16_t>(others + 1);
  }
  return s;
}

// ---------------------------------------------------------------------------------------------
// Stamps

void SynthStamp::Advance(int seconds) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int64_t sec = second + static_cast<int64_t>(std::max(seconds, 0));
  int64_t min = minute + sec / 60;
  int64_t hr = hour + min / 60;
  int64_t d = day;
  int m = month, y = year;
  d += hr / 24;
  second = static_cast<int8_t>(sec % 60);
  minute = static_cast<int8_t>(min % 60);
  hour = static_cast<int8_t>(hr % 24);
  for (;;) {
    const int mi = std::clamp(m, 1, 12) - 1;
    const int len = kDays[mi] + (mi == 1 && y % 4 == 0 ? 1 : 0);
    if (d <= len) break;
    d -= len;
    if (++m > 12) {
      m = 1;
      y = std::min(y + 1, 127);
    }
  }
  day = static_cast<int8_t>(d);
  month = static_cast<int8_t>(m);
  year = static_cast<int8_t>(y);
}

void ApplyStamp(RecordSpec& rec, const SynthStamp& stamp) {
  rec.name = stamp.name;
  rec.number = stamp.number;
  rec.year = stamp.year;
  rec.month = stamp.month;
  rec.day = stamp.day;
  rec.hour = stamp.hour;
  rec.minute = stamp.minute;
  rec.second = stamp.second;
}

RecordSpec SynthRecord(int type_code, Rng& rng, const SynthStamp& stamp) {
  switch (type_code) {
    case kTypeOjip:
      return SynthOjip(rng, stamp);
    case kTypeSlowKin:
      return SynthSlowKin(rng, stamp);
    case kTypeRlc:
      return SynthRlc(rng, stamp);
    case kTypeDr:
      return SynthDr(rng, stamp);
    case kTypeAfterSs:
      return SynthAfterSs(rng, stamp);
    case kTypePifr:
      return SynthPifr(rng, stamp);
    case kTypeMultiOjip:
      return SynthMultiOjip(rng, stamp);
    case kTypeFoPrime:
      return SynthFoPrime(rng, stamp);
    case kTypeChlConc:
      return SynthChlConc(rng, stamp, -1, rng.Chance(0.5));
    default:
      return SynthUser(rng, stamp);
  }
}

}  // namespace corvel::synth
