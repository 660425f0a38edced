// The synthetic records of user-defined programs: a program of command words and the data blocks
// that measuring it gives.
#include <algorithm>
#include <cmath>
#include <utility>

#include "synth/instruments.h"
#include "synth/physiology.h"

namespace corvel::synth {

using namespace detail;

std::vector<Bytes> MeasureProgram(Rng& rng, const std::vector<uint32_t>& words) {
  std::vector<Bytes> blocks;
  struct Loop {
    size_t start;
    int left;
  };
  std::vector<Loop> loops;
  Leaf leaf = DarkLeaf(rng);
  double npq = 0.0, qp = 1.0;  // state of the sample as the program runs
  int steps = 0;
  for (size_t i = 0; i < words.size() && blocks.size() < 64 && steps < 10000; ++i, ++steps) {
    const uint32_t w = words[i];
    switch (w >> 24) {
      case 0xB0:
      case 0xB1:
      case 0xBA:
      case 0xBD:
        break;
      case 0xBE:
        return blocks;
      case 0xBB:
        if ((w & 0xFF) > 0) {
          loops.push_back({i + 1, static_cast<int>(w & 0xFF)});
        } else {  // a loop run zero times: skip to its end
          int depth = 1;
          while (depth > 0 && ++i < words.size()) {
            if (words[i] >> 24 == 0xBB) ++depth;
            if (words[i] >> 24 == 0xBC) --depth;
          }
        }
        break;
      case 0xBC:
        if (!loops.empty()) {
          if (--loops.back().left > 0) {
            i = loops.back().start - 1;
          } else {
            loops.pop_back();
          }
        }
        break;
      case 0xCA:
        if ((w & 0xFF) == 0) {  // darkness relaxes quenching
          npq *= 0.5;
          qp = 1.0 - 0.5 * (1.0 - qp);
        } else {
          const double al = (w & 0xFF) * 10.0;
          npq = 0.3 + 2.0 * al / (al + 500.0);
          qp = 1.0 / (1.0 + al / 600.0);
        }
        break;
      case 0xCF:
        qp = 1.0;
        break;
      case 0xC0: {
        const int seconds = static_cast<int>((w >> 16) & 0xFF);
        const double intensity = std::max<double>(w & 0xFFFF, 50.0);
        const int samples = OjipSampleCount(seconds);
        const double frac = std::min(1.0, (intensity / (intensity + 500.0)) / (3000.0 / 3500.0));
        const Quenched q = Quench(leaf, npq, qp);
        OjipShape sh;
        sh.fo = q.fs;
        sh.fm = q.fs + (q.fmp - q.fs) * frac;
        sh.vj = qp > 0.9 ? rng.Uniform(0.38, 0.52) : rng.Uniform(0.55, 0.68);
        sh.vi = std::min(sh.vj + 0.25, 0.93);
        sh.peak_index =
            std::min(IndexAtMs(std::clamp(900000.0 / intensity, 200.0, 1000.0)), samples - 1);
        blocks.push_back(OjipBlock(w, OjipTrace(rng, sh, samples)));
        break;
      }
      case 0xCE: {
        const double al = (w & 0xFF) * 10.0;
        const int seconds = std::max(static_cast<int>((w >> 19) & 0x1F), 1);
        const int step_ms = kPulseStepMs[(w >> 16) & 7];
        const int pairs = std::clamp(seconds * 1000 / step_ms, 10, 16000);
        const Quenched start = Quench(leaf, npq, qp);
        npq = 0.3 + 2.0 * al / (al + 500.0);
        qp = 1.0 / (1.0 + al / 600.0);
        const Quenched end = Quench(leaf, npq, qp);
        const double peak = start.fs + 0.3 * (end.fmp - start.fs);
        std::vector<std::pair<uint16_t, uint16_t>> trace(static_cast<size_t>(pairs));
        for (int k = 0; k < pairs; ++k) {
          const double t = (k + 1) * step_ms / 1000.0;
          const double f = end.fs + (peak - end.fs) * std::exp(-t / (seconds / 3.0));
          trace[k] = {Noisy(rng, al, 0.005), Noisy(rng, f, 0.004)};
        }
        blocks.push_back(PulseBlock(w, trace));
        break;
      }
      default:  // the instrument stops at a command it does not know
        return blocks;
    }
  }
  return blocks;
}

RecordSpec SynthUser(Rng& rng, const SynthStamp& stamp, int program) {
  if (program < 0 || program >= kUserProgramCount) program = rng.Int(0, kUserProgramCount - 1);
  // A program that starts with the begin command carries the R/B marker in its bits 8-11.
  const uint32_t begin = kCmdBegin | (static_cast<uint32_t>(stamp.rb_marker & 0xF) << 8);
  std::vector<uint32_t> words;
  const char* name = "";
  switch (program) {
    case 0:
      name = "DarkOJIP";
      words = {begin, DarkCmd(100), ParamChangeCmd(0xD1, 100), OjipCmd(10, 3000), kCmdEnd};
      break;
    case 1:
      name = "PulseTrain_5x10s";
      words = {begin,           AdaptCmd(300, 500),        OjipCmd(1, 3000),
               LoopBeginCmd(5), PulseCmd(300, 100, 2, 10), kCmdLoopEnd,
               kCmdEnd};
      break;
    case 2:
      name = "ParamLists";
      words = {begin,
               ParamChangeCmd(0xD4, 0),
               ParamDataCmd(100),
               ParamDataCmd(200),
               ParamDataCmd(500),
               ParamChangeCmd(0xD3, 0),
               ParamDataCmd(10),
               ParamDataCmd(20),
               ParamChangeCmd(0xD2, 50),
               kCmdSilent,
               FarRedCmd(3000),
               OjipCmd(2, 4000),
               kCmdEnd};
      break;
    case 3:
      name = "NestedLoops";
      words = {begin,           DarkCmd(1000),    LoopBeginCmd(3), DarkCmd(1000),
               LoopBeginCmd(2), OjipCmd(1, 3000), kCmdLoopEnd,     ParamDataCmd(5),
               kCmdLoopEnd,     kCmdEnd};
      break;
    case 4:
      // Starts with a dark adaptation: its low byte (intensity 0) makes the type code 0.
      name = "FarRedAdapt";
      words = {DarkCmd(100),
               FarRedCmd(5000),
               AdaptCmd(300, 30000),
               PulseCmd(400, 60, 3, 5),
               ParamChangeCmd(0xD2, 20),
               OjipCmd(1, 3000),
               kCmdEnd};
      break;
    default:
      name = "LightSteps";
      words = {begin,
               ParamChangeCmd(0xD4, 0),
               ParamDataCmd(100),
               ParamDataCmd(200),
               ParamDataCmd(300),
               LoopBeginCmd(3),
               AdaptCmd(200, 1000),
               OjipCmd(1, 4000),
               ParamChangeCmd(0xD1, 50),
               kCmdLoopEnd,
               kCmdEnd};
      break;
  }
  RecordSpec rec;
  ApplyStamp(rec, stamp);
  rec.program_name = name;
  rec.type_word = words[0];
  rec.program.assign(words.begin() + 1, words.end());
  rec.blocks = MeasureProgram(rng, words);
  return rec;
}

}  // namespace corvel::synth
