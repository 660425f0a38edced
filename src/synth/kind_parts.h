// Within the synthetic files: the stamps, fillers and builders that the demo, capacity and
// edge-case files share.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "synth/instruments.h"
#include "synth/kinds.h"
#include "synth/writer.h"

namespace corvel::synth::detail {

inline constexpr uint32_t kEdgeSeed = 2740;
inline constexpr uint32_t kDeletedWord = 0xDEDADEDA;
inline const std::string kGbkName = "\xD4\xE5\xC0\xE0HZ07";  // 藻类HZ07

// "ALGA", two letters, two digits: the instrument's sample-site names.
std::string SiteName(Rng& rng);

// Hands out increasing numbers and times for the records of one file.
class Clock {
 public:
  Clock(Rng& rng, std::string name) : rng_(rng) {
    stamp_.name = std::move(name);
    stamp_.number = 0;
    stamp_.year = 24;
    stamp_.month = static_cast<int8_t>(rng.Int(3, 10));
    stamp_.day = static_cast<int8_t>(rng.Int(1, 28));
    stamp_.hour = 8;
    stamp_.minute = static_cast<int8_t>(rng.Int(0, 59));
  }
  SynthStamp& Next(int min_gap = 120, int max_gap = 900) {
    stamp_.Advance(rng_.Int(min_gap, max_gap));
    ++stamp_.number;
    stamp_.rb_marker = 0;
    return stamp_;
  }
  SynthStamp& stamp() { return stamp_; }

 private:
  Rng& rng_;
  SynthStamp stamp_;
};

// Number and time of a record already in a byte buffer.
void Restamp(Bytes& bytes, size_t record, const SynthStamp& st);

// A trace with its one largest sample at `peak`, bell-shaped on the logarithmic time axis.
std::vector<uint16_t> PeakedTrace(int n, int peak, double fo, double fm);

// An OJIP record of one trace with the given samples, measured by `code`.
RecordSpec OjipWithTrace(const SynthStamp& st, const std::vector<uint16_t>& samples,
                         uint32_t code = OjipCmd(10, 3000));

// Overwrites the length field of a block.
Bytes WithBlockLength(Bytes block, uint16_t length);

Bytes SingleRecordFile(const RecordSpec& rec);

// Fills the builder's record area with realistic records up to exactly `area - tail` bytes: pulse
// kinetics records, then small concentration records, then one OJIP record whose trace length
// takes up the rest.
void FillArea(FileBuilder& fb, Rng& rng, Clock& clock, size_t tail);

// The edge-case files in their fixed order.
struct EdgeFile {
  const char* name;
  std::function<Bytes()> make;
};
const std::vector<EdgeFile>& EdgeTable();

}  // namespace corvel::synth::detail
