// The synthetic measurement files the command-line tool writes: a demo file with every type, files
// that fill the record area with one type, and one small file per damaged or unusual layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "synth/instruments.h"
#include "synth/writer.h"

namespace corvel::synth {

inline constexpr size_t kRecordAreaBytes = 16777216;  // the record area after the 64-byte header
inline constexpr size_t kFileHeaderBytes = 64;

// 3 to 6 records of each of the ten types, interleaved in time order; one or two records with the
// R/B marker 1 and one record name with GBK Chinese bytes. Well under 1 MB.
Bytes MakeDemoFile(uint32_t seed);

// Records of the type of radio item 0..9 (screen order) filling the record area as far as whole
// records fit: at most 64 + 16 MiB bytes, and less than one record short of it.
Bytes MakeCapacityFile(int radio_item, uint32_t seed);

// Rapid light curves with a known answer (SynthRlcModel): for each model two exact curves and one
// with 3 % noise, in this order, named after the model ("WEBB1", "WEBB2", "WEBBN", "JP1", ...).
struct KnownLightCurve {
  std::string name;
  RlcModelCurve curve;
};
std::vector<KnownLightCurve> KnownLightCurves();
// The file of the known light curves, the synthetic kind "lightcurves".
Bytes MakeLightCurveFile(uint32_t seed);

// The edge-case files by name ("header_only.bin", "ojip_peak_at_29.bin", ...), in a fixed order.
std::vector<std::string> EdgeFileNames();
// One edge-case file; nothing for an unknown name.
std::optional<Bytes> MakeEdgeFile(std::string_view name);
// All edge-case files with their names. Two of them (block_past_area.bin and
// file_longer_than_area.bin) fill the whole record area.
std::vector<std::pair<std::string, Bytes>> MakeEdgeFiles();

}  // namespace corvel::synth
