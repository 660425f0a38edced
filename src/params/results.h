// Result records of the measurement types whose parameters the table shows. Each listed record of
// the current type gets one of these per list position when the type is chosen.
#pragma once

#include <cstdint>

namespace corvel {

// Summary of a pulse kinetics record: the dark pulse against the last light pulse.
struct SlowKinResult {
  uint16_t Fo, Fm, Fs, FoPrime, FmPrime;
  float FvFm, FsFm, FmPrimeFm, FqPrime, FvPrimeFmPrime, YII, rETR, qP, qL, qN, NPQ, YNO, YNPQ;
};

// Rows of the per-pulse series and of the light curve, in the order of the chart's curve choice.
enum QuenchingRow : int {
  kRowRetr = 0,
  kRowYII,
  kRowFmPrimeFm,
  kRowQP,
  kRowQL,
  kRowQN,
  kRowYNO,
  kRowYNPQ,
  kQuenchingRows
};

inline constexpr int kSlowKinMaxPulses = 20;

// Every light pulse of one pulse kinetics record, for the chart.
struct SlowKinPulseSeries {
  uint16_t count;
  float row[kQuenchingRows][kSlowKinMaxPulses];
};

inline constexpr int kRlcSteps = 10;
// Light level of each rapid light curve step.
inline constexpr uint16_t kRlcLight[kRlcSteps] = {20, 50, 80, 150, 300, 500, 700, 900, 1200, 1500};

struct RlcResult {
  float row[kQuenchingRows][kRlcSteps];
};

inline constexpr int kDrPulses = 20;

struct DrResult {
  uint16_t Fo[kDrPulses], Fm[kDrPulses];
  float FvFm[kDrPulses], NPQ[kDrPulses];
};

struct PifrResult {
  float K;
};

inline constexpr int kMultiOjipSteps = 6;
// Light level of each transient light curve step; also the x values of its slopes.
inline constexpr uint16_t kMultiOjipLight[kMultiOjipSteps] = {100, 200, 500, 1000, 2000, 3000};

struct MultiOjipResult {
  uint16_t Fo[kMultiOjipSteps], Fl[kMultiOjipSteps], Fk[kMultiOjipSteps], Fj[kMultiOjipSteps],
      Fi[kMultiOjipSteps], Fm[kMultiOjipSteps];
  float Ko, Kj, Ki, Kp;
};

struct FoPrimeResult {
  uint16_t Fo, FoPrime, Fm, FmPrime;
};

}  // namespace corvel
