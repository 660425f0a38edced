// Synthetic instruments: records of every measurement type with realistic fluorescence traces and
// the measurement programs the instrument would have run, so that every type's settings decode to
// sensible values. Everything is deterministic for a given seed with a given standard library: the
// traces are computed with std::exp and std::pow, whose last bit may differ between platforms.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "synth/writer.h"

namespace corvel::synth {

// splitmix64: small, fast and the same sequence everywhere for a seed.
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed) {}
  uint64_t Next();
  double Uniform();                      // [0, 1)
  double Uniform(double lo, double hi);  // [lo, hi)
  int Int(int lo, int hi);               // lo .. hi, both included
  bool Chance(double p);                 // true with probability p
  // Mean 0, deviation 1; a sum of uniforms, so no math library result enters the sequence.
  double Normal();

 private:
  uint64_t state_;
};

// Type codes (type word bits 0-7).
inline constexpr int kTypeUser = 0;
inline constexpr int kTypeOjip = 1;
inline constexpr int kTypeSlowKin = 2;
inline constexpr int kTypeRlc = 3;
inline constexpr int kTypeDr = 4;
inline constexpr int kTypeAfterSs = 5;
inline constexpr int kTypePifr = 6;
inline constexpr int kTypeMultiOjip = 7;
inline constexpr int kTypeFoPrime = 8;
inline constexpr int kTypeChlConc = 9;

// Command words. Intensities are given as shown (AL 300, not the stored byte 30).
inline constexpr uint32_t kCmdBegin = 0xB0000000;
inline constexpr uint32_t kCmdSilent = 0xB1000000;  // a command without listing text
inline constexpr uint32_t kCmdLoopEnd = 0xBC000000;
inline constexpr uint32_t kCmdEnd = 0xBE000000;
uint32_t OjipCmd(int seconds, int intensity);         // 0xC0
uint32_t AdaptCmd(int intensity, int duration_10ms);  // 0xCA; intensity 0 is a dark adaptation
uint32_t DarkCmd(int duration_10ms);                  // 0xCA with intensity 0
uint32_t PulseCmd(int al, int pp_plus, int step_index, int al_seconds);  // 0xCE
uint32_t FarRedCmd(int ms);                                              // 0xCF
uint32_t LoopBeginCmd(int count);                                        // 0xBB
uint32_t ParamChangeCmd(int sub_code, int value);                        // 0xBA
uint32_t ParamDataCmd(int value);                                        // 0xBD

// Type word: the type code, the R/B marker in bits 8-11, and the instrument's own bits above.
uint32_t TypeWord(int type_code, int rb_marker);

// The OJIP time base: time of sample i in ms, and the samples an OJIP command of that many
// seconds records (118 for 1 s, 208 for 10 s).
double OjipTimeMs(int index);
int OjipSampleCount(int seconds);
inline constexpr std::array<int, 8> kPulseStepMs = {5, 10, 20, 50, 100, 200, 500, 1000};

// Shape of one fluorescence induction: the O level, the J and I steps as fractions of the variable
// fluorescence, the P peak at a given sample, a mild decline after it, and relative noise. The
// peak sample is always the unique largest one when it lies inside the trace.
struct OjipShape {
  double fo = 400;
  double fm = 2000;
  double vj = 0.5;        // (F(2 ms) - Fo) / (Fm - Fo)
  double vi = 0.85;       // (F(30 ms) - Fo) / (Fm - Fo)
  int peak_index = 106;   // 300 ms
  double decline = 0.08;  // fraction of Fm lost over the following seconds
  double noise = 0.003;   // deviation relative to the signal
};
std::vector<uint16_t> OjipTrace(Rng& rng, const OjipShape& shape, int samples);

// Identification of a record: name, number, date and time, R/B marker. Advance moves the clock
// on, carrying into minutes, hours, days, months and years.
struct SynthStamp {
  std::string name = "ALGAAA01";
  uint16_t number = 1;
  int8_t year = 24, month = 6, day = 13, hour = 8, minute = 0, second = 0;
  int rb_marker = 0;  // type word bits 8-11
  void Advance(int seconds);
};
// Name, number, date and time into the rec (the builders set the type word themselves).
void ApplyStamp(RecordSpec& rec, const SynthStamp& stamp);

// One realistic record of each type.
// OJIP: one 208-sample trace (10 s at 3000), Fv/Fm 0.6-0.85, P at 200-500 ms.
RecordSpec SynthOjip(Rng& rng, const SynthStamp& stamp);
// Pulse kinetics: dark pulse, then per light pulse an actinic light trace and a saturating pulse.
// pulse_count is the number of saturating pulses with the dark one (0: random 6..11).
RecordSpec SynthSlowKin(Rng& rng, const SynthStamp& stamp, int pulse_count = 0);
// Rapid light curve: dark pulse and ten light steps; light-adapted for 5 min or adapted to
// sunlight.
enum class RlcAdaptation { kEither, kLight, kSun };
RecordSpec SynthRlc(Rng& rng, const SynthStamp& stamp,
                    RlcAdaptation adaptation = RlcAdaptation::kEither);
// Rapid light curves with a known answer: every step's rETR follows one light-curve model with
// given parameters (Webb and Jassby-Platt {Pm, alpha}, Platt {Ps, alpha, beta}, Eilers-Peeters
// {a, b, c}), up to the integer samples. `noise` is the relative deviation of each step's rETR
// (0: exact). The record is adapted to sunlight, so the quenching values are filled too.
enum class RlcModel { kWebb, kJassbyPlatt, kPlatt, kEilersPeeters };
struct RlcModelCurve {
  RlcModel model = RlcModel::kWebb;
  double p[3] = {};
  double noise = 0;
};
// rETR of the curve's model at `light`, without noise.
double RlcModelEtr(const RlcModelCurve& curve, double light);
RecordSpec SynthRlcModel(Rng& rng, const SynthStamp& stamp, const RlcModelCurve& curve);
// Dark relaxation: a dark-adapted pulse, then 19 pulses in the dark after light adaptation.
RecordSpec SynthDr(Rng& rng, const SynthStamp& stamp);
// After steady state: ten pulse pairs, five after dark and five after far-red intervals.
RecordSpec SynthAfterSs(Rng& rng, const SynthStamp& stamp);
// PIFR: pulse traces in the dark after light adaptation, the D2 values dipping and rising to a
// bump. al_seconds gives the pulse commands' durations (empty: random, 3 to 10 commands whose
// total T has T / 30 + 1 equal to the command count).
RecordSpec SynthPifr(Rng& rng, const SynthStamp& stamp, const std::vector<int>& al_seconds = {});
// Transient light curve: six OJIP traces at 100 .. 3000, each after one minute of darkness.
RecordSpec SynthMultiOjip(Rng& rng, const SynthStamp& stamp);
// Fo' determination: dark OJIP trace, then light adaptation, far-red and the second trace.
RecordSpec SynthFoPrime(Rng& rng, const SynthStamp& stamp);
// User-defined programs: program 0 .. kUserProgramCount - 1, or -1 for a random one. Together they
// use every command of the listing.
inline constexpr int kUserProgramCount = 6;
RecordSpec SynthUser(Rng& rng, const SynthStamp& stamp, int program = -1);
// Chlorophyll concentration in tenths of ug/L (-1: random 50..5000); with_block adds the raw trace.
RecordSpec SynthChlConc(Rng& rng, const SynthStamp& stamp, int tenths = -1, bool with_block = true);
// Any type by its code (0..9).
RecordSpec SynthRecord(int type_code, Rng& rng, const SynthStamp& stamp);

// The data blocks a program records, given its words from the type word on: one OJIP trace per
// 0xC0 command and one pulse trace per 0xCE command, loops expanded, up to the end command or an
// unknown opcode (at most 64 blocks).
std::vector<Bytes> MeasureProgram(Rng& rng, const std::vector<uint32_t>& words);

}  // namespace corvel::synth
