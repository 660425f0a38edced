// Within the synthetic instruments: the sample's physiology and the pulse blocks that every type's
// generator builds its records from.
#pragma once

#include <cstdint>

#include "synth/instruments.h"

namespace corvel::synth::detail {

inline constexpr uint32_t kSatPulse = 0xC0010FA0;  // 1 s saturating pulse at 4000
inline constexpr uint32_t kDrPulse = 0xC0010BB8;   // 1 s saturating pulse at 3000
inline constexpr int kPulseSamples = 118;          // samples of a 1 s pulse

// Last sample index at or before the given time.
int IndexAtMs(double ms);
uint16_t ToSample(double v);

// A dark-adapted sample: Fo and Fm with Fv/Fm of a healthy to mildly stressed culture.
struct Leaf {
  double fo, fm;
};
Leaf DarkLeaf(Rng& rng);

// Fluorescence of a saturating pulse under light: non-photochemical quenching lowers Fm to Fm',
// closed centres (1 - qP) raise Fs above Fo'. Fo' follows from Fo, Fv/Fm and Fm'.
struct Quenched {
  double fs, fmp;
};
Quenched Quench(const Leaf& leaf, double npq, double qp);

// A saturating pulse on the dark-adapted sample.
Bytes DarkPulseBlock(Rng& rng, const Leaf& leaf, uint32_t code, int samples);

// A saturating pulse under light: starts at Fs, peaks at Fm' a little earlier.
Bytes LightPulseBlock(Rng& rng, const Quenched& q, uint32_t code, int samples);

// A record of `type_code` with the stamp and the program name, no blocks yet.
RecordSpec Start(const SynthStamp& stamp, int type_code, const char* program_name);

// v with relative noise, as a sample.
uint16_t Noisy(Rng& rng, double v, double rel);

}  // namespace corvel::synth::detail
