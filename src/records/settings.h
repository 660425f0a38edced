// The settings decode: fixed words of a record's measurement program into MeasSettings, and the
// settings line that the CSV data export writes after a record's date and time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records/file_image.h"

namespace corvel {

struct MeasSettings {
  uint16_t OjipSlSec = 0;
  uint16_t SkPulseCount = 0;
  uint16_t SkAl = 0;
  uint16_t RlcAdaptAl = 0;
  uint16_t RlcAdaptMin = 0;
  uint16_t DrAdaptAl = 0;
  uint16_t DrDarkSec = 0;
  uint16_t AssAdaptAl = 0;
  uint16_t AssDarkFrSec = 0;
  uint16_t AssAl = 0;
  uint16_t PifrAdaptAl = 0;
  uint16_t PifrAdaptMin = 0;
  uint16_t PifrPpSec = 0;
  uint16_t FoAdaptAl = 0;
  uint16_t FoFarRedSec = 0;
  uint16_t FoAl = 0;
};

// Decodes the fields of the record's own type; the others stay 0.
MeasSettings DecodeSettings(const FileImage& image, uint32_t record_offset);

inline constexpr size_t kSettingsLineCapacity = 128;

// Writes the settings line of the record (ending in ",\n", or empty) into out and returns its
// length.
size_t FormatSettingsLine(const FileImage& image, uint32_t record_offset,
                          char (&out)[kSettingsLineCapacity]);

}  // namespace corvel
