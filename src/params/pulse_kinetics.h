// Quenching analysis of a pulse kinetics record: the table's summary (dark pulse against the last
// light pulse) and the per-pulse series that the chart draws.
#pragma once

#include <cstdint>

#include "params/quenching.h"
#include "records/file_image.h"

namespace corvel {

struct TypeParams;

// Summary of a pulse kinetics record: the dark pulse against the last light pulse.
struct SlowKinResult {
  uint16_t Fo, Fm, Fs, FoPrime, FmPrime;
  float FvFm, FsFm, FmPrimeFm, FqPrime, FvPrimeFmPrime, YII, rETR, qP, qL, qN, NPQ, YNO, YNPQ;
};

inline constexpr int kSlowKinMaxPulses = 20;

// Every light pulse of one pulse kinetics record, for the chart.
struct SlowKinPulseSeries {
  uint16_t count;
  float row[kQuenchingRows][kSlowKinMaxPulses];
};

// The table's numbers of one record in column order: the points (columns 5..9) and the quenching
// values (columns 10..22).
struct SlowKinColumns {
  uint16_t points[5];
  float reals[13];
};
SlowKinColumns ColumnsOf(const SlowKinResult& r);

void DecodeSlowKin(const FileImage& image, uint32_t record_offset, SlowKinResult& r);

// The light pulses are the 3rd, 5th, 7th, ... data blocks; at most 20 of them are evaluated, and
// count is the number the settings announce (capped at 20) even when the series ends early.
void ComputeSlowKinPulseSeries(const FileImage& image, uint32_t record_offset,
                               SlowKinPulseSeries& s);

// The type's entry in the parameter layer's table (params/type_params.h): the step that
// CacuFNinListBox runs per listed record, the table's titles and the fill routine of its rows.
extern const TypeParams kSlowKinParams;

}  // namespace corvel
