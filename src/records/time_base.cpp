#include "records/time_base.h"

namespace corvel {

const uint32_t kOjipTimeTable[118] = {
    // 0..29: 10 us steps
    10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200, 210,
    220, 230, 240, 250, 260, 270, 280, 290, 300,
    // 30..56: 100 us steps
    400, 500, 600, 700, 800, 900, 1000, 1100, 1200, 1300, 1400, 1500, 1600, 1700, 1800, 1900, 2000,
    2100, 2200, 2300, 2400, 2500, 2600, 2700, 2800, 2900, 3000,
    // 57..63: 1 ms steps, still in us
    4000, 5000, 6000, 7000, 8000, 9000, 10000,
    // 64..83: ms from here on
    11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30,
    // 84..110
    40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200, 210, 220, 230,
    240, 250, 260, 270, 280, 290, 300,
    // 111..117
    400, 500, 600, 700, 800, 900, 1000};

uint32_t OjipTimeWholeMs(uint32_t i) {
  if (i < 64) return kOjipTimeTable[i] / 1000;
  if (i < 118) return kOjipTimeTable[i];
  if (i < 208) return i * 100 - 10700;
  return i * 1000 - 197000;
}

float OjipTimeMs(uint32_t i) {
  if (i < 64) return static_cast<float>(kOjipTimeTable[i]) * 0.001f;
  return static_cast<float>(OjipTimeWholeMs(i));
}

double OjipTimeUs(uint32_t i) {
  if (i < 64) return kOjipTimeTable[i];
  return 1000.0 * OjipTimeWholeMs(i);
}

}  // namespace corvel
