// Loading synthetic measurement files into a FileImage for the records tests.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "records/file_image.h"
#include "support/measurement_files.h"
#include "synth/writer.h"

namespace corvel::testing {

// An OJIP trace of `n` samples rising linearly from `fo` to a peak `fm` at `peak`, then flat.
inline std::vector<uint16_t> RampTrace(int n, uint16_t fo, uint16_t fm, int peak) {
  std::vector<uint16_t> s(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    s[i] = i >= peak ? (i == peak ? fm : static_cast<uint16_t>(fm - 1))
                     : static_cast<uint16_t>(fo + (fm - 1 - fo) * i / (peak ? peak : 1));
  return s;
}

inline synth::RecordSpec OjipRecord(std::vector<uint16_t> samples, uint16_t number = 1) {
  synth::RecordSpec r;
  r.name = "ALGAOJ01";
  r.number = number;
  r.type_word = 1;
  r.program = {0xC0010BB8, 0xBE000000};
  r.blocks.push_back(synth::OjipBlock(0xC0010BB8, samples));
  return r;
}

}  // namespace corvel::testing
