#include "synth/kinds.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "records/measurement_type.h"
#include "synth/instruments.h"
#include "synth/kind_parts.h"

namespace corvel::synth {

namespace detail {

// "ALGA", two letters, two digits: the instrument's sample-site names.
std::string SiteName(Rng& rng) {
  std::string name = "ALGA";
  name += static_cast<char>('A' + rng.Int(0, 25));
  name += static_cast<char>('A' + rng.Int(0, 25));
  name += static_cast<char>('0' + rng.Int(0, 9));
  name += static_cast<char>('1' + rng.Int(0, 8));
  return name;
}

// Number and time of a record already in a byte buffer.
void Restamp(Bytes& bytes, size_t record, const SynthStamp& st) {
  PutU16(bytes, record + 16, st.number);
  const int8_t fields[6] = {st.year, st.month, st.day, st.hour, st.minute, st.second};
  for (int i = 0; i < 6; ++i) bytes[record + 18 + i] = static_cast<uint8_t>(fields[i]);
}

// A trace with its one largest sample at `peak`, bell-shaped on the logarithmic time axis.
std::vector<uint16_t> PeakedTrace(int n, int peak, double fo, double fm) {
  std::vector<uint16_t> s(static_cast<size_t>(n));
  const double tp = OjipTimeMs(peak);
  for (int i = 0; i < n; ++i) {
    const double x = std::log10(OjipTimeMs(i) / tp);
    s[i] = static_cast<uint16_t>(std::floor(fo + (fm - fo) * std::exp(-x * x / 0.8) + 0.5));
  }
  for (int i = 0; i < n; ++i)
    if (i != peak) s[i] = std::min<uint16_t>(s[i], static_cast<uint16_t>(s[peak] - 1));
  return s;
}

RecordSpec OjipWithTrace(const SynthStamp& st, const std::vector<uint16_t>& samples,
                         uint32_t code) {
  RecordSpec rec;
  ApplyStamp(rec, st);
  rec.type_word = TypeWord(kTypeOjip, st.rb_marker);
  rec.program_name = "OJIP";
  rec.program = {code, kCmdEnd};
  rec.blocks.push_back(OjipBlock(code, samples));
  return rec;
}

// Overwrites the length field of a block.
Bytes WithBlockLength(Bytes block, uint16_t length) {
  PutU16(block, 2, length);
  return block;
}

Bytes SingleRecordFile(const RecordSpec& rec) {
  return FileBuilder().Add(rec).File();
}

// Fills the builder's record area with realistic records up to exactly `area - tail` bytes: pulse
// kinetics records, then small concentration records, then one OJIP record whose trace length
// takes up the rest.
void FillArea(FileBuilder& fb, Rng& rng, Clock& clock, size_t tail) {
  std::vector<Bytes> fillers;
  for (int v = 0; v < 4; ++v) fillers.push_back(RecordBytes(SynthSlowKin(rng, clock.stamp())));
  size_t largest = 0;
  for (const Bytes& f : fillers) largest = std::max(largest, f.size());
  auto left = [&] { return kRecordAreaBytes - tail - fb.bytes().size(); };
  while (left() >= largest + 600) {
    Bytes record = fillers[rng.Next() % fillers.size()];
    Restamp(record, 0, clock.Next(60, 300));
    fb.AddRaw(record);
  }
  const size_t ojip_min = 52 + 8 + 2 * 208;
  while (left() >= 52 + ojip_min) fb.Add(SynthChlConc(rng, clock.Next(60, 300), -1, false));
  const int samples = static_cast<int>((left() - 60) / 2);
  OjipShape shape;
  const uint32_t code = OjipCmd(samples - 198, 3000);
  fb.Add(OjipWithTrace(clock.Next(), OjipTrace(rng, shape, samples), code));
}

}  // namespace detail

using namespace detail;

// ---------------------------------------------------------------------------------------------

Bytes MakeDemoFile(uint32_t seed) {
  Rng rng(seed);
  std::vector<int> types;
  for (int code = 0; code < 10; ++code) types.insert(types.end(), rng.Int(3, 6), code);
  for (size_t i = types.size() - 1; i > 0; --i)
    std::swap(types[i], types[static_cast<size_t>(rng.Int(0, static_cast<int>(i)))]);

  std::vector<std::string> sites;
  for (int i = 0; i < 4; ++i) sites.push_back(SiteName(rng));
  const int count = static_cast<int>(types.size());
  const int gbk = rng.Int(0, count - 1);
  // One or two records carry the R/B marker 1; user programs that do not start with the begin
  // command cannot carry it, so the marked ones are of the other types.
  std::vector<int> marked;
  const int marks = rng.Int(1, 2);
  while (static_cast<int>(marked.size()) < marks) {
    const int i = rng.Int(0, count - 1);
    if (types[i] != kTypeUser && std::find(marked.begin(), marked.end(), i) == marked.end())
      marked.push_back(i);
  }

  Clock clock(rng, sites[0]);
  FileBuilder fb;
  int user_program = rng.Int(0, kUserProgramCount - 1);
  std::string site = sites[0];
  for (int i = 0; i < count; ++i) {
    if (rng.Chance(0.3)) site = sites[static_cast<size_t>(rng.Int(0, 3))];
    clock.stamp().name = i == gbk ? kGbkName : site;
    SynthStamp& st = clock.Next(240, 1500);
    st.rb_marker = std::find(marked.begin(), marked.end(), i) != marked.end() ? 1 : 0;
    if (types[i] == kTypeUser) {
      fb.Add(SynthUser(rng, st, user_program++ % kUserProgramCount));
    } else {
      fb.Add(SynthRecord(types[i], rng, st));
    }
  }
  return fb.File();
}

std::vector<KnownLightCurve> KnownLightCurves() {
  using M = RlcModel;
  return {
      {"WEBB1", {M::kWebb, {30, 0.3, 0}, 0}},
      {"WEBB2", {M::kWebb, {80, 0.25, 0}, 0}},
      {"WEBBN", {M::kWebb, {45, 0.28, 0}, 0.03}},
      {"JP1", {M::kJassbyPlatt, {45, 0.22, 0}, 0}},
      {"JP2", {M::kJassbyPlatt, {120, 0.3, 0}, 0}},
      {"JPN", {M::kJassbyPlatt, {60, 0.25, 0}, 0.03}},
      {"PLATT1", {M::kPlatt, {30, 0.3, 0.01}, 0}},
      {"PLATT2", {M::kPlatt, {70, 0.25, 0.03}, 0}},
      {"PLATTN", {M::kPlatt, {50, 0.28, 0.02}, 0.03}},
      {"EP1", {M::kEilersPeeters, {4e-5, 4e-3, 5}, 0}},
      {"EP2", {M::kEilersPeeters, {1e-5, 8e-3, 4}, 0}},
      {"EPN", {M::kEilersPeeters, {2e-5, 6e-3, 4.5}, 0.03}},
  };
}

Bytes MakeLightCurveFile(uint32_t seed) {
  Rng rng(seed);
  Clock clock(rng, "WEBB1");
  FileBuilder fb;
  for (const KnownLightCurve& known : KnownLightCurves()) {
    clock.stamp().name = known.name;
    fb.Add(SynthRlcModel(rng, clock.Next(), known.curve));
  }
  return fb.File();
}

Bytes MakeCapacityFile(int radio_item, uint32_t seed) {
  const int code = kRadioTypeCode[static_cast<size_t>(std::clamp(radio_item, 0, kTypeCount - 1))];
  Rng rng(seed);
  Clock clock(rng, SiteName(rng));

  // A few dozen realistic records, copied with new numbers and times: cheap, and still varied.
  constexpr int kVariants = 24;
  std::vector<Bytes> variants;
  for (int v = 0; v < kVariants; ++v) {
    SynthStamp st = clock.stamp();
    st.rb_marker = v % 8 == 7 ? 1 : 0;
    variants.push_back(RecordBytes(code == kTypeUser ? SynthUser(rng, st, v % kUserProgramCount)
                                                     : SynthRecord(code, rng, st)));
  }
  size_t smallest = 0;
  for (size_t v = 1; v < variants.size(); ++v)
    if (variants[v].size() < variants[smallest].size()) smallest = v;

  Bytes file = FileBuilder().File();
  file.reserve(kFileHeaderBytes + kRecordAreaBytes);
  size_t used = 0;
  for (uint32_t i = 0;; ++i) {
    const Bytes* record = &variants[rng.Next() % variants.size()];
    if (used + record->size() > kRecordAreaBytes) record = &variants[smallest];
    if (used + record->size() > kRecordAreaBytes) break;
    const size_t at = file.size();
    file.insert(file.end(), record->begin(), record->end());
    used += record->size();
    SynthStamp& st = clock.Next(60, 600);
    st.number = static_cast<uint16_t>(i % 9999 + 1);
    Restamp(file, at, st);
  }
  return file;
}

std::vector<std::string> EdgeFileNames() {
  std::vector<std::string> names;
  for (const EdgeFile& e : EdgeTable()) names.emplace_back(e.name);
  return names;
}

std::optional<Bytes> MakeEdgeFile(std::string_view name) {
  for (const EdgeFile& e : EdgeTable())
    if (name == e.name) return e.make();
  return std::nullopt;
}

std::vector<std::pair<std::string, Bytes>> MakeEdgeFiles() {
  std::vector<std::pair<std::string, Bytes>> files;
  for (const EdgeFile& e : EdgeTable()) files.emplace_back(e.name, e.make());
  return files;
}

}  // namespace corvel::synth
