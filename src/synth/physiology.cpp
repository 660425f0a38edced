#include "synth/physiology.h"

#include <algorithm>

namespace corvel::synth {

namespace detail {

Leaf DarkLeaf(Rng& rng) {
  const double fo = rng.Uniform(320, 580);
  const double fvfm = rng.Uniform(0.66, 0.82);
  return {fo, fo / (1.0 - fvfm)};
}

Quenched Quench(const Leaf& leaf, double npq, double qp) {
  const double fmp = leaf.fm / (1.0 + npq);
  const double fop = leaf.fo / ((leaf.fm - leaf.fo) / leaf.fm + leaf.fo / fmp);
  return {fop + (1.0 - qp) * (fmp - fop), fmp};
}

namespace {

// How a saturating pulse's trace may vary: the ranges its shape is drawn from, in this order.
struct PulseRanges {
  double vj_low, vj_high;                    // relative J step
  double vi_rise_low, vi_rise_high, vi_cap;  // relative I step above J, and its upper bound
  int peak_low, peak_high;                   // sample index of the peak
  double decline_low, decline_high;
};

Bytes PulseBlock(Rng& rng, double fo, double fm, const PulseRanges& r, uint32_t code, int samples) {
  OjipShape sh;
  sh.fo = fo;
  sh.fm = fm;
  sh.vj = rng.Uniform(r.vj_low, r.vj_high);
  sh.vi = std::min(sh.vj + rng.Uniform(r.vi_rise_low, r.vi_rise_high), r.vi_cap);
  sh.peak_index = rng.Int(r.peak_low, r.peak_high);
  sh.decline = rng.Uniform(r.decline_low, r.decline_high);
  sh.noise = rng.Uniform(0.002, 0.004);
  return OjipBlock(code, OjipTrace(rng, sh, samples));
}

}  // namespace

// A saturating pulse on the dark-adapted sample: the peak at 200 .. 500 ms.
Bytes DarkPulseBlock(Rng& rng, const Leaf& leaf, uint32_t code, int samples) {
  return PulseBlock(rng, leaf.fo, leaf.fm, {0.38, 0.55, 0.28, 0.38, 0.92, 100, 112, 0.05, 0.15},
                    code, samples);
}

// A saturating pulse under light: starts at Fs, peaks at Fm' a little earlier (150 .. 400 ms).
Bytes LightPulseBlock(Rng& rng, const Quenched& q, uint32_t code, int samples) {
  return PulseBlock(rng, q.fs, q.fmp, {0.55, 0.7, 0.18, 0.25, 0.94, 95, 108, 0.02, 0.06}, code,
                    samples);
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

}  // namespace detail

}  // namespace corvel::synth
