// Records that several test files build: a record of one type with its program ended, a fixed
// date stamp, and the hand-computed OJIP trace of the JIP-test tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "synth/writer.h"

namespace corvel::testing {

// A record of type word `type` running `program` (the end word 0xBE000000 is appended) over
// `blocks`.
inline synth::RecordSpec MakeRecord(uint32_t type, std::vector<uint32_t> program,
                                    std::vector<synth::Bytes> blocks, uint16_t number = 1,
                                    std::string name = "ALGA0001") {
  synth::RecordSpec r;
  r.name = std::move(name);
  r.number = number;
  r.type_word = type;
  r.program = std::move(program);
  r.program.push_back(0xBE000000);
  r.blocks = std::move(blocks);
  return r;
}

// Stamps the record with a date and time (year of the century).
inline void SetStamp(synth::RecordSpec& r, int8_t year, int8_t month, int8_t day, int8_t hour,
                     int8_t minute, int8_t second) {
  r.year = year;
  r.month = month;
  r.day = day;
  r.hour = hour;
  r.minute = minute;
  r.second = second;
}

// Fo 100 (samples 0..3), the peak 1000 at sample 4 (50 us), Fk 300, Fj 600, Fi 800, 500
// elsewhere: the trace whose JIP test the tests compute by hand.
inline std::vector<uint16_t> EarlyPeakTrace() {
  std::vector<uint16_t> s(208, 500);
  s[0] = s[1] = s[2] = s[3] = 100;
  s[4] = 1000;
  s[29] = 300;
  s[46] = 600;
  s[83] = 800;
  return s;
}

// An OJIP record named `name` whose trace rises from 400 (samples 0..39) in a straight line to
// `fm` at sample 150 and stays there: the groups of the comparison tests differ only in Fm.
inline synth::RecordSpec OjipRamp(const char* name, uint16_t fm) {
  std::vector<uint16_t> s(208, 400);
  for (int i = 40; i < 208; ++i)
    s[i] = static_cast<uint16_t>(400 + (fm - 400) * (i < 150 ? i : 150) / 150);
  synth::RecordSpec r = MakeRecord(1, {0xC0010BB8}, {synth::OjipBlock(0xC0010BB8, s)});
  r.name = name;
  return r;
}

}  // namespace corvel::testing
