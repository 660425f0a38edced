// The synthetic records of the ten measurement types.
#include <algorithm>
#include <cmath>
#include <utility>

#include "synth/instruments.h"
#include "synth/physiology.h"

namespace corvel::synth {

using namespace detail;

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

}  // namespace corvel::synth
