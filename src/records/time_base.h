// The OJIP time base and the pulse step table.
#pragma once

#include <cstdint>

namespace corvel {

// Indices 0..63 in microseconds, 64..117 in milliseconds.
extern const uint32_t kOjipTimeTable[118];

// Pulse step in ms by trace code bits 16-18.
inline constexpr uint32_t kPulseStepMs[8] = {5, 10, 20, 50, 100, 200, 500, 1000};

inline uint32_t PulseStepMs(uint32_t code) {
  return kPulseStepMs[(code >> 16) & 7];
}

// Time of sample i in whole milliseconds for i >= 64 (the table, then the two formulas).
uint32_t OjipTimeWholeMs(uint32_t i);

// Time of sample i in ms as a float: the table entry times 0.001f below 64, whole ms from 64 on.
float OjipTimeMs(uint32_t i);

// Time of sample i in microseconds, as the curve drawing uses it (i below 208).
double OjipTimeUs(uint32_t i);

}  // namespace corvel
