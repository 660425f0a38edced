#include "synth/instruments.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

namespace {

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

}  // namespace

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

// ---------------------------------------------------------------------------------------------
// Physiology of the sample

namespace {

constexpr uint32_t kSatPulse = 0xC0010FA0;  // 1 s saturating pulse at 4000
constexpr uint32_t kDrPulse = 0xC0010BB8;   // 1 s saturating pulse at 3000
constexpr int kPulseSamples = 118;          // samples of a 1 s pulse

// A dark-adapted sample: Fo and Fm with Fv/Fm of a healthy to mildly stressed culture.
struct Leaf {
  double fo, fm;
};

Leaf DarkLeaf(Rng& rng) {
  const double fo = rng.Uniform(320, 580);
  const double fvfm = rng.Uniform(0.66, 0.82);
  return {fo, fo / (1.0 - fvfm)};
}

// Fluorescence of a saturating pulse under light: non-photochemical quenching lowers Fm to Fm',
// closed centres (1 - qP) raise Fs above Fo'. Fo' follows from Fo, Fv/Fm and Fm'.
struct Quenched {
  double fs, fmp;
};

Quenched Quench(const Leaf& leaf, double npq, double qp) {
  const double fmp = leaf.fm / (1.0 + npq);
  const double fop = leaf.fo / ((leaf.fm - leaf.fo) / leaf.fm + leaf.fo / fmp);
  return {fop + (1.0 - qp) * (fmp - fop), fmp};
}

// A saturating pulse on the dark-adapted sample.
Bytes DarkPulseBlock(Rng& rng, const Leaf& leaf, uint32_t code, int samples) {
  OjipShape sh;
  sh.fo = leaf.fo;
  sh.fm = leaf.fm;
  sh.vj = rng.Uniform(0.38, 0.55);
  sh.vi = std::min(sh.vj + rng.Uniform(0.28, 0.38), 0.92);
  sh.peak_index = rng.Int(100, 112);  // 200 .. 500 ms
  sh.decline = rng.Uniform(0.05, 0.15);
  sh.noise = rng.Uniform(0.002, 0.004);
  return OjipBlock(code, OjipTrace(rng, sh, samples));
}

// A saturating pulse under light: starts at Fs, peaks at Fm' a little earlier.
Bytes LightPulseBlock(Rng& rng, const Quenched& q, uint32_t code, int samples) {
  OjipShape sh;
  sh.fo = q.fs;
  sh.fm = q.fmp;
  sh.vj = rng.Uniform(0.55, 0.7);
  sh.vi = std::min(sh.vj + rng.Uniform(0.18, 0.25), 0.94);
  sh.peak_index = rng.Int(95, 108);  // 150 .. 400 ms
  sh.decline = rng.Uniform(0.02, 0.06);
  sh.noise = rng.Uniform(0.002, 0.004);
  return OjipBlock(code, OjipTrace(rng, sh, samples));
}

RecordSpec Start(const SynthStamp& stamp, int type_code, const char* program_name) {
  RecordSpec rec;
  ApplyStamp(rec, stamp);
  rec.type_word = TypeWord(type_code, stamp.rb_marker);
  rec.program_name = program_name;
  return rec;
}

uint16_t Noisy(Rng& rng, double v, double rel) {
  return ToSample(v + rng.Normal() * (rel * v + 0.5));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The ten types

RecordSpec SynthOjip(Rng& rng, const SynthStamp& stamp) {
  RecordSpec rec = Start(stamp, kTypeOjip, "OJIP");
  const uint32_t cmd = OjipCmd(10, 3000);
  rec.program = {cmd, kCmdEnd};
  rec.blocks.push_back(DarkPulseBlock(rng, DarkLeaf(rng), cmd, OjipSampleCount(10)));
  return rec;
}

RecordSpec SynthSlowKin(Rng& rng, const SynthStamp& stamp, int pulse_count) {
  if (pulse_count <= 0) pulse_count = rng.Int(6, 11);
  const int light_pulses = pulse_count - 1;
  const Leaf leaf = DarkLeaf(rng);
  const int al = 10 * rng.Int(10, 80);
  const int al_seconds = 5 * rng.Int(2, 4);
  const int step = 3;  // 50 ms between actinic light samples
  const int pairs = al_seconds * 1000 / kPulseStepMs[step];
  const uint32_t pulse = PulseCmd(al, 100, step, al_seconds);

  RecordSpec rec = Start(stamp, kTypeSlowKin, "SlowKin");
  rec.program = {kSatPulse, LoopBeginCmd(light_pulses), pulse, kSatPulse, kCmdLoopEnd, kCmdEnd};
  rec.blocks.push_back(DarkPulseBlock(rng, leaf, kSatPulse, kPulseSamples));

  // Quenching develops under the actinic light: NPQ builds up, qP recovers from the early
  // reduction of the plastoquinone pool, so Fm' falls and Fs settles after the induction peak.
  const double npq_ss = (0.2 + 0.8 * al / (al + 500.0)) * rng.Uniform(0.8, 1.2);
  const double tau_npq = rng.Uniform(30, 70);
  const double qp0 = rng.Uniform(0.25, 0.4);
  const double qp_ss = 0.6 - 0.3 * al / (al + 600.0);
  const double tau_qp = rng.Uniform(15, 40);
  double previous = leaf.fo;
  for (int r = 0; r < light_pulses; ++r) {
    const double t = (r + 1) * (al_seconds + 1.0);
    const double npq = npq_ss * (1.0 - std::exp(-t / tau_npq));
    const double qp = qp_ss + (qp0 - qp_ss) * std::exp(-t / tau_qp);
    const Quenched q = Quench(leaf, npq, qp);

    std::vector<std::pair<uint16_t, uint16_t>> trace(static_cast<size_t>(pairs));
    for (int k = 0; k < pairs; ++k) {
      const double tk = (k + 1) * kPulseStepMs[step] / 1000.0;
      double f;
      if (r == 0) {  // induction: up to the P peak within a second or two, then down towards Fs
        const double hump = 0.35 * (leaf.fm - q.fs);
        f = q.fs + (leaf.fo - q.fs) * std::exp(-tk / 0.4) +
            hump * (tk / 1.5) * std::exp(1 - tk / 1.5);
      } else {
        f = q.fs + (previous - q.fs) * std::exp(-tk / (al_seconds / 3.0));
      }
      trace[k] = {Noisy(rng, al, 0.005), Noisy(rng, f, 0.004)};
    }
    rec.blocks.push_back(PulseBlock(pulse, trace));
    rec.blocks.push_back(LightPulseBlock(rng, q, kSatPulse, kPulseSamples));
    previous = q.fs;
  }
  return rec;
}

RecordSpec SynthRlc(Rng& rng, const SynthStamp& stamp, RlcAdaptation adaptation) {
  static constexpr int kLevels[10] = {20, 50, 80, 150, 300, 500, 700, 900, 1200, 1500};
  const bool light = adaptation == RlcAdaptation::kLight ||
                     (adaptation == RlcAdaptation::kEither && rng.Chance(0.5));
  const Leaf leaf = DarkLeaf(rng);
  RecordSpec rec = Start(stamp, kTypeRlc, "RLC");
  if (light) rec.program.push_back(AdaptCmd(10 * rng.Int(5, 30), 30000));  // 5 min
  rec.program.push_back(kSatPulse);
  rec.program.push_back(ParamChangeCmd(0xD4, 0));
  for (int level : kLevels) rec.program.push_back(ParamDataCmd(level));
  for (uint32_t w : {LoopBeginCmd(10), kSatPulse, kCmdLoopEnd, kCmdEnd}) rec.program.push_back(w);

  // After light adaptation the first pulse meets a quenched sample; under sunlight adaptation the
  // first pulse is the dark reference.
  if (light) {
    rec.blocks.push_back(
        LightPulseBlock(rng, Quench(leaf, rng.Uniform(0.2, 0.5), 0.8), kSatPulse, kPulseSamples));
  } else {
    rec.blocks.push_back(DarkPulseBlock(rng, leaf, kSatPulse, kPulseSamples));
  }
  // Each step: NPQ rises sigmoidally with light, qP falls, so Y(II) falls step by step.
  const double npq_max = rng.Uniform(1.5, 3.0);
  const double k_npq = rng.Uniform(350, 700);
  const double l_qp = rng.Uniform(300, 800);
  for (int level : kLevels) {
    const double l2 = static_cast<double>(level) * level;
    const double npq = npq_max * l2 / (l2 + k_npq * k_npq);
    const double qp = 1.0 / (1.0 + level / l_qp);
    rec.blocks.push_back(LightPulseBlock(rng, Quench(leaf, npq, qp), kSatPulse, kPulseSamples));
  }
  return rec;
}

double RlcModelEtr(const RlcModelCurve& c, double x) {
  const double* p = c.p;
  switch (c.model) {
    case RlcModel::kWebb:
      return p[0] * (1 - std::exp(-p[1] * x / p[0]));
    case RlcModel::kJassbyPlatt:
      return p[0] * std::tanh(p[1] * x / p[0]);
    case RlcModel::kPlatt:
      return p[0] * (1 - std::exp(-p[1] * x / p[0])) * std::exp(-p[2] * x / p[0]);
    case RlcModel::kEilersPeeters:
      return x / (p[0] * x * x + p[1] * x + p[2]);
  }
  return 0;
}

namespace {

// A saturating pulse that decodes to exactly Fo = fs and Fm = fmp: samples 1 to 3 at Fs, the one
// largest sample at Fm', the rise in between from a noise-free induction shape.
Bytes ExactPulseBlock(Rng& rng, uint16_t fs, uint16_t fmp) {
  OjipShape sh;
  sh.fo = fs;
  sh.fm = fmp;
  sh.vj = rng.Uniform(0.55, 0.7);
  sh.vi = std::min(sh.vj + 0.2, 0.94);
  sh.peak_index = rng.Int(95, 108);
  sh.decline = 0.04;
  sh.noise = 0;
  std::vector<uint16_t> s = OjipTrace(rng, sh, kPulseSamples);
  for (size_t i = 0; i < s.size(); ++i)
    s[i] = std::clamp<uint16_t>(s[i], fs, static_cast<uint16_t>(fmp - 1));
  s[1] = s[2] = s[3] = fs;
  s[static_cast<size_t>(sh.peak_index)] = fmp;
  return OjipBlock(kSatPulse, s);
}

}  // namespace

RecordSpec SynthRlcModel(Rng& rng, const SynthStamp& stamp, const RlcModelCurve& curve) {
  static constexpr int kLevels[10] = {20, 50, 80, 150, 300, 500, 700, 900, 1200, 1500};
  RecordSpec rec = Start(stamp, kTypeRlc, "RLC");
  rec.program.push_back(kSatPulse);
  rec.program.push_back(ParamChangeCmd(0xD4, 0));
  for (int level : kLevels) rec.program.push_back(ParamDataCmd(level));
  for (uint32_t w : {LoopBeginCmd(10), kSatPulse, kCmdLoopEnd, kCmdEnd}) rec.program.push_back(w);

  // A dense culture at a high gain, so the integer samples carry each yield to a few parts in
  // a hundred thousand.
  const Leaf leaf{6000, 30000};
  rec.blocks.push_back(ExactPulseBlock(rng, 6000, 30000));
  const double npq_max = rng.Uniform(0.2, 0.4), k_npq = rng.Uniform(350, 700);
  for (int level : kLevels) {
    // rETR = 0.42 L Y(II), so the model fixes each step's yield; NPQ sets Fm'.
    double yii = RlcModelEtr(curve, level) / (0.42 * level);
    if (curve.noise > 0) yii *= 1 + curve.noise * rng.Normal();
    yii = std::clamp(yii, 0.001, 0.95);
    const double l2 = static_cast<double>(level) * level;
    const double fmp = leaf.fm / (1.0 + npq_max * l2 / (l2 + k_npq * k_npq));
    const uint16_t fmp_s = ToSample(fmp);
    const uint16_t fs_s = ToSample(fmp_s * (1 - yii));
    rec.blocks.push_back(ExactPulseBlock(rng, fs_s, fmp_s));
  }
  return rec;
}

RecordSpec SynthDr(Rng& rng, const SynthStamp& stamp) {
  const Leaf leaf = DarkLeaf(rng);
  const int adapt_al = 10 * rng.Int(10, 60);
  const int dark_seconds = 5 * rng.Int(1, 6);
  RecordSpec rec = Start(stamp, kTypeDr, "DarkRelax");
  rec.program = {AdaptCmd(adapt_al, 30000),
                 kDrPulse,
                 LoopBeginCmd(19),
                 DarkCmd(dark_seconds * 100),
                 kDrPulse,
                 kCmdLoopEnd,
                 kCmdEnd};
  rec.blocks.push_back(DarkPulseBlock(rng, leaf, kDrPulse, kPulseSamples));
  // In the dark after the light period NPQ relaxes in a fast (energy-dependent) and a slow phase,
  // so Fm recovers towards, but stays below, the dark-adapted level.
  const double npq0 = (0.5 + 2.0 * adapt_al / (adapt_al + 400.0)) * rng.Uniform(0.8, 1.2);
  const double fast = rng.Uniform(0.4, 0.7);
  const double tau_fast = rng.Uniform(15, 40);
  const double tau_slow = rng.Uniform(300, 900);
  for (int k = 1; k < 20; ++k) {
    const double t = k * (dark_seconds + 1.0);
    const double npq =
        npq0 * (fast * std::exp(-t / tau_fast) + (1.0 - fast) * std::exp(-t / tau_slow));
    const double qp = 1.0 - 0.15 * std::exp(-t / 10.0);
    rec.blocks.push_back(LightPulseBlock(rng, Quench(leaf, npq, qp), kDrPulse, kPulseSamples));
  }
  return rec;
}

RecordSpec SynthAfterSs(Rng& rng, const SynthStamp& stamp) {
  const Leaf leaf = DarkLeaf(rng);
  const int adapt_al = 10 * rng.Int(20, 60);
  const int interval = 5 * rng.Int(2, 6);
  const int al = 10 * rng.Int(10, 60);
  RecordSpec rec = Start(stamp, kTypeAfterSs, "AfterSS");
  rec.program = {AdaptCmd(adapt_al, 30000),
                 LoopBeginCmd(5),
                 DarkCmd(interval * 100),
                 OjipCmd(10, al),
                 kSatPulse,
                 kSatPulse,
                 kCmdLoopEnd,
                 LoopBeginCmd(5),
                 FarRedCmd(interval * 1000),
                 OjipCmd(10, al),
                 kSatPulse,
                 kSatPulse,
                 kCmdLoopEnd,
                 kCmdEnd};
  // Pair k: a pulse at the end of 10 s actinic light (Fs high, Fm' low), then one a moment later
  // in the dark. NPQ of the adaptation relaxes over the pairs; far-red oxidises the plastoquinone
  // pool, so the far-red pairs start lower.
  const double npq0 = (0.6 + 1.8 * adapt_al / (adapt_al + 400.0)) * rng.Uniform(0.8, 1.2);
  const double npq_al = 0.25 * al / (al + 300.0);
  const double tau = rng.Uniform(60, 150);
  for (int k = 0; k < 10; ++k) {
    const bool far_red = k >= 5;
    const double t = (k + 1) * (interval + 12.0);
    const double npq = npq0 * std::exp(-t / tau) + npq_al;
    const Quenched first = Quench(leaf, npq, far_red ? 0.62 : 0.55);
    const Quenched second = Quench(leaf, npq * 0.92, far_red ? 0.95 : 0.88);
    rec.blocks.push_back(LightPulseBlock(rng, first, kSatPulse, kPulseSamples));
    rec.blocks.push_back(LightPulseBlock(rng, second, kSatPulse, kPulseSamples));
  }
  return rec;
}

RecordSpec SynthPifr(Rng& rng, const SynthStamp& stamp, const std::vector<int>& al_seconds) {
  std::vector<int> seconds = al_seconds;
  if (seconds.empty()) {
    // The curve view visits total / 30 + 1 blocks: choose durations so that this is the count.
    const int count = rng.Int(3, 10);
    for (int i = 0; i < count; ++i) seconds.push_back(rng.Int(26, 31));
    int total = 0;
    for (int s : seconds) total += s;
    for (size_t i = 0; total > 30 * count - 1; i = (i + 1) % seconds.size())
      if (seconds[i] > 1) --seconds[i], --total;
    for (size_t i = 0; total < 30 * (count - 1); i = (i + 1) % seconds.size())
      if (seconds[i] < 31) ++seconds[i], ++total;
  }
  const int step = 5;  // 200 ms: five pairs per second, one curve point per second
  const int adapt_minutes = rng.Chance(0.5) ? 5 : 10;
  RecordSpec rec = Start(stamp, kTypePifr, "PIFR");
  rec.program.push_back(AdaptCmd(10 * rng.Int(10, 40), adapt_minutes * 6000));
  for (int s : seconds) rec.program.push_back(PulseCmd(0, 100, step, s));
  rec.program.push_back(kCmdEnd);

  // After the actinic light goes off the signal drops from Fs towards Fo within a second, then
  // rises to the post-illumination bump (electrons flowing back into the plastoquinone pool in
  // the dark) and declines again.
  const double base = rng.Uniform(300, 600);
  const double start = base * rng.Uniform(1.1, 1.3);
  const double bump = base * rng.Uniform(0.35, 0.9);
  const double first = seconds.empty() ? 20 : seconds[0];
  const double t_bump = rng.Uniform(8.0, std::max(9.0, std::min(25.0, first - 4.0)));
  int global = 0;
  for (int s : seconds) {
    const int pairs = s * 1000 / kPulseStepMs[step];
    std::vector<std::pair<uint16_t, uint16_t>> trace(static_cast<size_t>(pairs));
    for (int k = 0; k < pairs; ++k, ++global) {
      const double t = (global + 1) * kPulseStepMs[step] / 1000.0;
      const double f = base + (start - base) * std::exp(-t / 0.6) +
                       bump * (t / t_bump) * std::exp(1.0 - t / t_bump);
      trace[k] = {static_cast<uint16_t>(rng.Int(0, 3)), Noisy(rng, f, 0.004)};
    }
    rec.blocks.push_back(PulseBlock(PulseCmd(0, 100, step, s), trace));
  }
  return rec;
}

RecordSpec SynthMultiOjip(Rng& rng, const SynthStamp& stamp) {
  static constexpr int kLevels[6] = {100, 200, 500, 1000, 2000, 3000};
  const Leaf leaf = DarkLeaf(rng);
  RecordSpec rec = Start(stamp, kTypeMultiOjip, "MultiOJIP");
  for (int level : kLevels) {
    rec.program.push_back(DarkCmd(6000));  // one minute
    rec.program.push_back(OjipCmd(1, level));
  }
  rec.program.push_back(kCmdEnd);
  // Weak light closes the centres slowly: P comes late (past 1 s at the lowest levels) and low.
  const double half = rng.Uniform(300, 700);
  const double full = 3000.0 / (3000.0 + half);
  for (int level : kLevels) {
    const double frac = (level / (level + half)) / full;
    OjipShape sh;
    sh.fo = leaf.fo;
    sh.fm = leaf.fo + (leaf.fm - leaf.fo) * frac;
    sh.vj = 0.2 + 0.3 * frac;
    sh.vi = std::min(sh.vj + 0.33, 0.9);
    sh.peak_index = std::min(IndexAtMs(300.0 * 3000.0 / level), kPulseSamples - 1);
    sh.decline = 0.05;
    sh.noise = 0.003;
    rec.blocks.push_back(OjipBlock(OjipCmd(1, level), OjipTrace(rng, sh, kPulseSamples)));
  }
  return rec;
}

RecordSpec SynthFoPrime(Rng& rng, const SynthStamp& stamp) {
  const Leaf leaf = DarkLeaf(rng);
  const int adapt_al = 10 * rng.Int(10, 60);
  const int far_red_ms = 1000 * rng.Int(3, 10);
  RecordSpec rec = Start(stamp, kTypeFoPrime, "FoPrime");
  rec.program = {kDrPulse, AdaptCmd(adapt_al, 18000), FarRedCmd(far_red_ms), kDrPulse, kCmdEnd};
  rec.blocks.push_back(DarkPulseBlock(rng, leaf, kDrPulse, kPulseSamples));
  // Far-red after the light period opens all centres: the pulse starts at Fo' below Fo.
  const Quenched q = Quench(leaf, rng.Uniform(0.3, 1.0) * adapt_al / (adapt_al + 200.0), 1.0);
  Leaf quenched{q.fs, q.fmp};
  rec.blocks.push_back(DarkPulseBlock(rng, quenched, kDrPulse, kPulseSamples));
  return rec;
}

RecordSpec SynthChlConc(Rng& rng, const SynthStamp& stamp, int tenths, bool with_block) {
  if (tenths < 0) tenths = rng.Int(50, 5000);
  RecordSpec rec = Start(stamp, kTypeChlConc, "ChlConc");
  rec.program = {static_cast<uint32_t>(tenths), kCmdEnd};
  if (with_block) {
    // The raw induction the concentration was derived from; its level follows the chlorophyll.
    Leaf leaf{15.0 + 0.12 * tenths, 0.0};
    leaf.fm = leaf.fo * rng.Uniform(3.0, 4.5);
    rec.blocks.push_back(DarkPulseBlock(rng, leaf, kDrPulse, kPulseSamples));
  }
  return rec;
}

// ---------------------------------------------------------------------------------------------
// User-defined programs

std::vector<Bytes> MeasureProgram(Rng& rng, const std::vector<uint32_t>& words) {
  std::vector<Bytes> blocks;
  struct Loop {
    size_t start;
    int left;
  };
  std::vector<Loop> loops;
  Leaf leaf = DarkLeaf(rng);
  double npq = 0.0, qp = 1.0;  // state of the sample as the program runs
  int steps = 0;
  for (size_t i = 0; i < words.size() && blocks.size() < 64 && steps < 10000; ++i, ++steps) {
    const uint32_t w = words[i];
    switch (w >> 24) {
      case 0xB0:
      case 0xB1:
      case 0xBA:
      case 0xBD:
        break;
      case 0xBE:
        return blocks;
      case 0xBB:
        if ((w & 0xFF) > 0) {
          loops.push_back({i + 1, static_cast<int>(w & 0xFF)});
        } else {  // a loop run zero times: skip to its end
          int depth = 1;
          while (depth > 0 && ++i < words.size()) {
            if (words[i] >> 24 == 0xBB) ++depth;
            if (words[i] >> 24 == 0xBC) --depth;
          }
        }
        break;
      case 0xBC:
        if (!loops.empty()) {
          if (--loops.back().left > 0) {
            i = loops.back().start - 1;
          } else {
            loops.pop_back();
          }
        }
        break;
      case 0xCA:
        if ((w & 0xFF) == 0) {  // darkness relaxes quenching
          npq *= 0.5;
          qp = 1.0 - 0.5 * (1.0 - qp);
        } else {
          const double al = (w & 0xFF) * 10.0;
          npq = 0.3 + 2.0 * al / (al + 500.0);
          qp = 1.0 / (1.0 + al / 600.0);
        }
        break;
      case 0xCF:
        qp = 1.0;
        break;
      case 0xC0: {
        const int seconds = static_cast<int>((w >> 16) & 0xFF);
        const double intensity = std::max<double>(w & 0xFFFF, 50.0);
        const int samples = OjipSampleCount(seconds);
        const double frac = std::min(1.0, (intensity / (intensity + 500.0)) / (3000.0 / 3500.0));
        const Quenched q = Quench(leaf, npq, qp);
        OjipShape sh;
        sh.fo = q.fs;
        sh.fm = q.fs + (q.fmp - q.fs) * frac;
        sh.vj = qp > 0.9 ? rng.Uniform(0.38, 0.52) : rng.Uniform(0.55, 0.68);
        sh.vi = std::min(sh.vj + 0.25, 0.93);
        sh.peak_index =
            std::min(IndexAtMs(std::clamp(900000.0 / intensity, 200.0, 1000.0)), samples - 1);
        blocks.push_back(OjipBlock(w, OjipTrace(rng, sh, samples)));
        break;
      }
      case 0xCE: {
        const double al = (w & 0xFF) * 10.0;
        const int seconds = std::max(static_cast<int>((w >> 19) & 0x1F), 1);
        const int step_ms = kPulseStepMs[(w >> 16) & 7];
        const int pairs = std::clamp(seconds * 1000 / step_ms, 10, 16000);
        const Quenched start = Quench(leaf, npq, qp);
        npq = 0.3 + 2.0 * al / (al + 500.0);
        qp = 1.0 / (1.0 + al / 600.0);
        const Quenched end = Quench(leaf, npq, qp);
        const double peak = start.fs + 0.3 * (end.fmp - start.fs);
        std::vector<std::pair<uint16_t, uint16_t>> trace(static_cast<size_t>(pairs));
        for (int k = 0; k < pairs; ++k) {
          const double t = (k + 1) * step_ms / 1000.0;
          const double f = end.fs + (peak - end.fs) * std::exp(-t / (seconds / 3.0));
          trace[k] = {Noisy(rng, al, 0.005), Noisy(rng, f, 0.004)};
        }
        blocks.push_back(PulseBlock(w, trace));
        break;
      }
      default:  // the instrument stops at a command it does not know
        return blocks;
    }
  }
  return blocks;
}

RecordSpec SynthUser(Rng& rng, const SynthStamp& stamp, int program) {
  if (program < 0 || program >= kUserProgramCount) program = rng.Int(0, kUserProgramCount - 1);
  // A program that starts with the begin command carries the R/B marker in its bits 8-11.
  const uint32_t begin = kCmdBegin | (static_cast<uint32_t>(stamp.rb_marker & 0xF) << 8);
  std::vector<uint32_t> words;
  const char* name = "";
  switch (program) {
    case 0:
      name = "DarkOJIP";
      words = {begin, DarkCmd(100), ParamChangeCmd(0xD1, 100), OjipCmd(10, 3000), kCmdEnd};
      break;
    case 1:
      name = "PulseTrain_5x10s";
      words = {begin,           AdaptCmd(300, 500),        OjipCmd(1, 3000),
               LoopBeginCmd(5), PulseCmd(300, 100, 2, 10), kCmdLoopEnd,
               kCmdEnd};
      break;
    case 2:
      name = "ParamLists";
      words = {begin,
               ParamChangeCmd(0xD4, 0),
               ParamDataCmd(100),
               ParamDataCmd(200),
               ParamDataCmd(500),
               ParamChangeCmd(0xD3, 0),
               ParamDataCmd(10),
               ParamDataCmd(20),
               ParamChangeCmd(0xD2, 50),
               kCmdSilent,
               FarRedCmd(3000),
               OjipCmd(2, 4000),
               kCmdEnd};
      break;
    case 3:
      name = "NestedLoops";
      words = {begin,           DarkCmd(1000),    LoopBeginCmd(3), DarkCmd(1000),
               LoopBeginCmd(2), OjipCmd(1, 3000), kCmdLoopEnd,     ParamDataCmd(5),
               kCmdLoopEnd,     kCmdEnd};
      break;
    case 4:
      // Starts with a dark adaptation: its low byte (intensity 0) makes the type code 0.
      name = "FarRedAdapt";
      words = {DarkCmd(100),
               FarRedCmd(5000),
               AdaptCmd(300, 30000),
               PulseCmd(400, 60, 3, 5),
               ParamChangeCmd(0xD2, 20),
               OjipCmd(1, 3000),
               kCmdEnd};
      break;
    default:
      name = "LightSteps";
      words = {begin,
               ParamChangeCmd(0xD4, 0),
               ParamDataCmd(100),
               ParamDataCmd(200),
               ParamDataCmd(300),
               LoopBeginCmd(3),
               AdaptCmd(200, 1000),
               OjipCmd(1, 4000),
               ParamChangeCmd(0xD1, 50),
               kCmdLoopEnd,
               kCmdEnd};
      break;
  }
  RecordSpec rec;
  ApplyStamp(rec, stamp);
  rec.program_name = name;
  rec.type_word = words[0];
  rec.program.assign(words.begin() + 1, words.end());
  rec.blocks = MeasureProgram(rng, words);
  return rec;
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
