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

}  // namespace detail

}  // namespace corvel::synth
