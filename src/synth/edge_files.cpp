// The edge-case files: one small file per damaged or unusual layout.
#include <algorithm>
#include <cmath>
#include <functional>

#include "records/measurement_type.h"
#include "synth/instruments.h"
#include "synth/kind_parts.h"

namespace corvel::synth {

using namespace detail;

namespace {

Bytes HeaderOnly() {
  return FileBuilder().File();
}

Bytes HeaderShort() {
  Bytes b = FileBuilder().File();
  b.resize(10);
  return b;
}

Bytes HeaderPlusZeros() {
  Bytes b = FileBuilder().File();
  b.resize(b.size() + 4096, 0);
  return b;
}

Bytes DeletedRecord() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGADL01");
  FileBuilder fb;
  fb.Add(SynthOjip(rng, clock.Next()));
  RecordSpec gone = SynthOjip(rng, clock.Next());
  gone.type_word = kDeletedWord;
  fb.Add(gone);
  fb.Add(SynthRlc(rng, clock.Next()));
  fb.Add(SynthOjip(rng, clock.Next()));
  RecordSpec gone_rlc = SynthRlc(rng, clock.Next());
  gone_rlc.type_word = kDeletedWord;
  fb.Add(gone_rlc);
  return fb.File();
}

Bytes TypeByteAbove9() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGATB01");
  FileBuilder fb;
  fb.Add(SynthOjip(rng, clock.Next()));
  for (uint32_t type_byte : {0x0Au, 0x7Fu, 0xFFu}) {
    RecordSpec odd = SynthOjip(rng, clock.Next());
    odd.type_word = (odd.type_word & ~0xFFu) | type_byte;
    fb.Add(odd);
    fb.Add(SynthChlConc(rng, clock.Next()));
  }
  fb.Add(SynthOjip(rng, clock.Next()));
  return fb.File();
}

Bytes NameNulAt3() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, std::string("ALG\0AXY1", 8));
  FileBuilder fb;
  fb.Add(SynthOjip(rng, clock.Next()));
  clock.stamp().name = "ALGANN01";
  fb.Add(SynthOjip(rng, clock.Next()));
  return fb.File();
}

Bytes NameEightChars() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAZZ99");
  FileBuilder fb;
  SynthStamp& st = clock.Next();
  st.number = 1234;
  fb.Add(SynthOjip(rng, st));
  clock.stamp().name = "ALGAZZ9";  // seven characters, NUL-padded
  fb.Add(SynthOjip(rng, clock.Next()));
  return fb.File();
}

Bytes NameGbk() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, kGbkName);
  FileBuilder fb;
  fb.Add(SynthOjip(rng, clock.Next()));
  RecordSpec user = SynthUser(rng, clock.Next(), 0);
  user.program_name = "\xD4\xE5\xC0\xE0\xB3\xCC\xD0\xF2";  // 藻类程序
  fb.Add(user);
  return fb.File();
}

Bytes RbMarkers() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGARB01");
  FileBuilder fb;
  for (int marker = 0; marker < 16; ++marker) {
    SynthStamp& st = clock.Next();
    st.rb_marker = marker;
    fb.Add(SynthOjip(rng, st));
  }
  return fb.File();
}

Bytes Ojip10000Records() {
  // Smallest useful OJIP records (eight samples), more than the list can hold.
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAMX01");
  FileBuilder fb;
  for (int i = 0; i < 10010; ++i) {
    const int fo = rng.Int(300, 600);
    const int fm = fo + rng.Int(900, 1800);
    const std::vector<uint16_t> s = {
        static_cast<uint16_t>(fo),      static_cast<uint16_t>(fo + 1),
        static_cast<uint16_t>(fo + 2),  static_cast<uint16_t>(fo + 3),
        static_cast<uint16_t>(fo + 40), static_cast<uint16_t>(fo + (fm - fo) / 2),
        static_cast<uint16_t>(fm),      static_cast<uint16_t>(fm - 25)};
    fb.Add(OjipWithTrace(clock.Next(5, 40), s));
  }
  return fb.File();
}

Bytes Ojip300Samples() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGALS01");
  OjipShape shape;
  shape.fo = 450;
  shape.fm = 2100;
  std::vector<uint16_t> s = OjipTrace(rng, shape, 300);
  s[250] = 3000;  // beyond the 208 samples the decoder searches: not Fm
  return SingleRecordFile(OjipWithTrace(clock.Next(), s, OjipCmd(102, 3000)));
}

Bytes OjipShortTrace() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAST01");
  OjipShape shape;
  const std::vector<uint16_t> full = OjipTrace(rng, shape, 208);
  FileBuilder fb;
  // The bytes after the short traces belong to the next block or record, never to the trace.
  fb.Add(OjipWithTrace(clock.Next(), {full.begin(), full.begin() + 60}));
  fb.Add(OjipWithTrace(clock.Next(), {full.begin(), full.begin() + 20}));
  fb.Add(SynthOjip(rng, clock.Next()));
  return fb.File();
}

Bytes OjipFlat() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAFL01");
  FileBuilder fb;
  fb.Add(OjipWithTrace(clock.Next(), std::vector<uint16_t>(208, 800)));
  fb.Add(OjipWithTrace(clock.Next(), std::vector<uint16_t>(208, 0)));
  return fb.File();
}

Bytes OjipTwinPeaks() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGATW01");
  std::vector<uint16_t> s = PeakedTrace(208, 100, 420, 2050);
  s[108] = s[100];  // two equal maxima: 200 ms and 400 ms
  return SingleRecordFile(OjipWithTrace(clock.Next(), s));
}

Bytes OjipPeakAt(int index) {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAPK01");
  return SingleRecordFile(OjipWithTrace(clock.Next(), PeakedTrace(208, index, 400, 1900)));
}

Bytes FoRounding() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAFO01");
  FileBuilder fb;
  OjipShape shape;
  shape.fo = 100;
  shape.fm = 480;
  shape.noise = 0;
  for (const auto& first :
       {std::vector<uint16_t>{100, 100, 101, 101}, std::vector<uint16_t>{100, 100, 100, 101}}) {
    std::vector<uint16_t> s = OjipTrace(rng, shape, 208);
    std::copy(first.begin(), first.end(), s.begin());
    fb.Add(OjipWithTrace(clock.Next(), s));
  }
  return fb.File();
}

Bytes PifrPpSec82() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAPF01");
  return SingleRecordFile(SynthPifr(rng, clock.Next(), {31, 31, 20}));
}

Bytes PifrOver300s() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAPF02");
  return SingleRecordFile(SynthPifr(rng, clock.Next(), std::vector<int>(10, 31)));
}

Bytes RlcSun() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGARS01");
  FileBuilder fb;
  fb.Add(SynthRlc(rng, clock.Next(), RlcAdaptation::kSun));
  fb.Add(SynthRlc(rng, clock.Next(), RlcAdaptation::kLight));
  fb.Add(SynthRlc(rng, clock.Next(), RlcAdaptation::kSun));
  return fb.File();
}

// A record of the given builder cut to its first `keep` blocks.
template <typename Make>
RecordSpec Cut(Make make, size_t keep) {
  RecordSpec rec = make();
  if (rec.blocks.size() > keep) rec.blocks.resize(keep);
  return rec;
}

// Three records of one builder: cut to `first_keep` blocks, whole, cut to `last_keep` blocks.
template <typename Make>
Bytes CutWholeCut(const char* name, Make make, size_t first_keep, size_t last_keep) {
  Rng rng(kEdgeSeed);
  Clock clock(rng, name);
  FileBuilder fb;
  fb.Add(Cut([&] { return make(rng, clock.Next()); }, first_keep));
  fb.Add(make(rng, clock.Next()));
  fb.Add(Cut([&] { return make(rng, clock.Next()); }, last_keep));
  return fb.File();
}

Bytes RlcFewerBlocks() {
  return CutWholeCut(
      "ALGARF01",
      [](Rng& rng, const SynthStamp& at) { return SynthRlc(rng, at, RlcAdaptation::kSun); }, 6, 4);
}

Bytes SlowKinSingleBlock() {
  return CutWholeCut(
      "ALGASB01", [](Rng& rng, const SynthStamp& at) { return SynthSlowKin(rng, at); }, 1, 1);
}

Bytes SlowKin25Pulses() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGASK25");
  return SingleRecordFile(SynthSlowKin(rng, clock.Next(), 25));
}

Bytes UnknownTraceCode() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAUK01");
  FileBuilder fb;
  OjipShape shape;
  const std::vector<uint16_t> s = OjipTrace(rng, shape, 208);
  RecordSpec unknown = OjipWithTrace(clock.Next(), s);
  unknown.blocks[0] = RawBlock(0x12345678, s);
  fb.Add(unknown);
  RecordSpec pulse_as_ojip = OjipWithTrace(clock.Next(), s);
  pulse_as_ojip.blocks[0] = RawBlock(PulseCmd(300, 100, 2, 10), s);
  fb.Add(pulse_as_ojip);
  RecordSpec fo = SynthFoPrime(rng, clock.Next());
  fo.blocks.insert(fo.blocks.begin(), RawBlock(0xA5000000, {1, 2, 3, 4, 5}));
  fo.blocks.resize(2);
  fb.Add(fo);
  fb.Add(SynthOjip(rng, clock.Next()));
  return fb.File();
}

Bytes PulseOddSamples() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAOD01");
  FileBuilder fb;
  RecordSpec pifr = SynthPifr(rng, clock.Next());
  {
    const Bytes& b = pifr.blocks[0];
    std::vector<uint16_t> samples;
    for (size_t i = 8; i + 1 < b.size(); i += 2) samples.push_back(GetU16(b, i));
    samples.push_back(samples.back());  // one unpaired value at the end
    pifr.blocks[0] = RawBlock(GetU32(b, 4), samples);
  }
  fb.Add(pifr);
  RecordSpec sk = SynthSlowKin(rng, clock.Next(), 4);
  {
    const Bytes& b = sk.blocks[1];
    std::vector<uint16_t> samples;
    for (size_t i = 8; i + 1 < b.size(); i += 2) samples.push_back(GetU16(b, i));
    samples.pop_back();
    sk.blocks[1] = RawBlock(GetU32(b, 4), samples);
  }
  fb.Add(sk);
  return fb.File();
}

// Three OJIP records, the middle one damaged by `damage`.
template <typename Damage>
Bytes DamagedMiddle(const char* name, Damage damage) {
  Rng rng(kEdgeSeed);
  Clock clock(rng, name);
  FileBuilder fb;
  fb.Add(SynthOjip(rng, clock.Next()));
  RecordSpec bad = SynthOjip(rng, clock.Next());
  damage(bad);
  fb.Add(bad);
  fb.Add(SynthOjip(rng, clock.Next()));
  return fb.File();
}

Bytes RecordPastArea() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAPA01");
  FileBuilder fb;
  fb.Add(SynthOjip(rng, clock.Next()));
  RecordSpec huge = SynthOjip(rng, clock.Next());
  huge.record_length = 0xFFFFFF00u;
  fb.Add(huge);
  return fb.File();
}

Bytes BlockLengthBelow8() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGABL01");
  FileBuilder fb;
  RecordSpec ojip = SynthOjip(rng, clock.Next());
  ojip.blocks[0] = WithBlockLength(ojip.blocks[0], 6);
  fb.Add(ojip);
  RecordSpec sk = SynthSlowKin(rng, clock.Next());
  sk.blocks[0] = WithBlockLength(sk.blocks[0], 4);
  fb.Add(sk);
  RecordSpec rlc = SynthRlc(rng, clock.Next(), RlcAdaptation::kSun);
  rlc.blocks[2] = WithBlockLength(rlc.blocks[2], 7);
  fb.Add(rlc);
  fb.Add(SynthOjip(rng, clock.Next()));
  return fb.File();
}

Bytes BlockLength0() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAB001");
  FileBuilder fb;
  RecordSpec ojip = SynthOjip(rng, clock.Next());
  ojip.blocks[0] = WithBlockLength(ojip.blocks[0], 0);
  fb.Add(ojip);
  RecordSpec rlc = SynthRlc(rng, clock.Next(), RlcAdaptation::kSun);
  rlc.blocks[2] = WithBlockLength(rlc.blocks[2], 0);
  fb.Add(rlc);
  RecordSpec dr = SynthDr(rng, clock.Next());
  dr.blocks[1] = WithBlockLength(dr.blocks[1], 0);
  fb.Add(dr);
  fb.Add(SynthOjip(rng, clock.Next()));
  return fb.File();
}

Bytes BlockPastArea() {
  // The last record starts 300 bytes before the end of the area; its block claims a full
  // 208-sample trace, of which only 120 samples lie inside the area.
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAEA01");
  FileBuilder fb;
  const size_t tail = 300;
  FillArea(fb, rng, clock, tail);
  OjipShape shape;
  std::vector<uint16_t> s = OjipTrace(rng, shape, 208);
  s.resize((tail - 60) / 2);
  RecordSpec last = OjipWithTrace(clock.Next(), s);
  last.blocks[0] = WithBlockLength(last.blocks[0], 8 + 2 * 208);
  last.record_length = 52 + 8 + 2 * 208;
  fb.Add(last);
  return fb.File();
}

Bytes FileLongerThanArea() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAFX01");
  FileBuilder fb;
  FillArea(fb, rng, clock, 0);
  // Past the area: a whole record and some bytes that a reader must never see.
  fb.AddRaw(RecordBytes(SynthOjip(rng, clock.Next())));
  Bytes extra(100);
  for (size_t i = 0; i < extra.size(); ++i) extra[i] = static_cast<uint8_t>(0xA0 + i);
  fb.AddRaw(extra);
  return fb.File();
}

Bytes UserAllOpcodes() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAUS01");
  FileBuilder fb;
  for (int p = 0; p < kUserProgramCount; ++p) {
    SynthStamp& st = clock.Next();
    st.rb_marker = p % 2;
    fb.Add(SynthUser(rng, st, p));
  }
  // Every command in one program, with an unknown parameter-list sub-code that the listing
  // passes over, a parameter value after a pulse measurement, and a 16-character program name.
  const std::vector<uint32_t> all = {kCmdBegin,
                                     kCmdSilent,
                                     ParamChangeCmd(0xD1, 100),
                                     ParamChangeCmd(0xD2, 50),
                                     ParamChangeCmd(0xD3, 0),
                                     ParamDataCmd(10),
                                     ParamChangeCmd(0xD4, 0),
                                     ParamDataCmd(100),
                                     ParamChangeCmd(0x00, 1),
                                     LoopBeginCmd(2),
                                     AdaptCmd(300, 500),
                                     OjipCmd(1, 3000),
                                     kCmdLoopEnd,
                                     DarkCmd(100),
                                     ParamChangeCmd(0xD1, 100),
                                     FarRedCmd(3000),
                                     PulseCmd(300, 100, 2, 10),
                                     ParamDataCmd(5),
                                     kCmdEnd};
  RecordSpec rec;
  ApplyStamp(rec, clock.Next());
  rec.program_name = "AllCommandsDemo1";
  rec.type_word = all[0];
  rec.program.assign(all.begin() + 1, all.end());
  rec.blocks = MeasureProgram(rng, all);
  fb.Add(rec);
  // An unknown opcode ends the program; the words after it are never run or listed.
  const std::vector<uint32_t> unknown = {kCmdBegin,  DarkCmd(100),     OjipCmd(1, 3000),
                                         0x77000000, OjipCmd(1, 3000), kCmdEnd};
  RecordSpec odd;
  ApplyStamp(odd, clock.Next());
  odd.program_name = "UnknownCmd";
  odd.type_word = unknown[0];
  odd.program.assign(unknown.begin() + 1, unknown.end());
  odd.blocks = MeasureProgram(rng, unknown);
  fb.Add(odd);
  fb.Add(SynthUser(rng, clock.Next(), 0));
  return fb.File();
}

Bytes User300WordsNoEnd() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGAUW01");
  std::vector<uint32_t> words = {kCmdBegin};
  for (int i = 1; i < 300; ++i) {
    switch (i % 5) {
      case 0:
        words.push_back(ParamDataCmd(i));
        break;
      case 1:
        words.push_back(DarkCmd(100 + i));
        break;
      case 2:
        words.push_back(ParamChangeCmd(0xD1, i));
        break;
      case 3:
        words.push_back(kCmdSilent);
        break;
      default:
        words.push_back(FarRedCmd(10 * i));
        break;
    }
  }
  RecordSpec rec;
  ApplyStamp(rec, clock.Next());
  rec.program_name = "NoEndCommand";
  rec.type_word = words[0];
  rec.program.assign(words.begin() + 1, words.end());
  FileBuilder fb;
  fb.Add(rec);
  fb.Add(SynthUser(rng, clock.Next(), 0));
  return fb.File();
}

Bytes ChlConc1234And0() {
  Rng rng(kEdgeSeed);
  Clock clock(rng, "ALGACC01");
  FileBuilder fb;
  fb.Add(SynthChlConc(rng, clock.Next(), 1234, true));
  fb.Add(SynthChlConc(rng, clock.Next(), 0, false));
  return fb.File();
}

Bytes DrFewerBlocks() {
  return CutWholeCut(
      "ALGADF01", [](Rng& rng, const SynthStamp& at) { return SynthDr(rng, at); }, 12, 5);
}

Bytes MultiOjipFewerBlocks() {
  return CutWholeCut(
      "ALGAMF01", [](Rng& rng, const SynthStamp& at) { return SynthMultiOjip(rng, at); }, 4, 2);
}

Bytes FoPrimeOneBlock() {
  return CutWholeCut(
      "ALGAFP01", [](Rng& rng, const SynthStamp& at) { return SynthFoPrime(rng, at); }, 1, 1);
}

}  // namespace

namespace detail {

const std::vector<EdgeFile>& EdgeTable() {
  static const std::vector<EdgeFile> table = {
      {"header_only.bin", HeaderOnly},
      {"header_short_10_bytes.bin", HeaderShort},
      {"header_plus_zeros.bin", HeaderPlusZeros},
      {"deleted_record.bin", DeletedRecord},
      {"type_byte_above_9.bin", TypeByteAbove9},
      {"name_nul_at_3.bin", NameNulAt3},
      {"name_eight_chars.bin", NameEightChars},
      {"name_gbk.bin", NameGbk},
      {"rb_markers_0_to_15.bin", RbMarkers},
      {"ojip_10000_records.bin", Ojip10000Records},
      {"ojip_300_samples.bin", Ojip300Samples},
      {"ojip_short_trace.bin", OjipShortTrace},
      {"ojip_flat.bin", OjipFlat},
      {"ojip_twin_peaks.bin", OjipTwinPeaks},
      {"ojip_peak_at_29.bin", [] { return OjipPeakAt(29); }},
      {"ojip_peak_at_63.bin", [] { return OjipPeakAt(63); }},
      {"ojip_peak_at_70.bin", [] { return OjipPeakAt(70); }},
      {"ojip_peak_at_150.bin", [] { return OjipPeakAt(150); }},
      {"fo_rounding.bin", FoRounding},
      {"pifr_ppsec_82.bin", PifrPpSec82},
      {"pifr_over_300s.bin", PifrOver300s},
      {"rlc_sun.bin", RlcSun},
      {"rlc_fewer_blocks.bin", RlcFewerBlocks},
      {"slowkin_single_block.bin", SlowKinSingleBlock},
      {"slowkin_25_pulses.bin", SlowKin25Pulses},
      {"unknown_trace_code.bin", UnknownTraceCode},
      {"pulse_odd_samples.bin", PulseOddSamples},
      {"record_length_0.bin",
       [] { return DamagedMiddle("ALGARL01", [](RecordSpec& r) { r.record_length = 0; }); }},
      {"header_length_0.bin",
       [] { return DamagedMiddle("ALGAHL01", [](RecordSpec& r) { r.header_length = 0; }); }},
      {"record_length_below_header.bin",
       [] { return DamagedMiddle("ALGARH01", [](RecordSpec& r) { r.record_length = 30; }); }},
      {"record_past_area.bin", RecordPastArea},
      {"block_length_below_8.bin", BlockLengthBelow8},
      {"block_length_0.bin", BlockLength0},
      {"block_past_area.bin", BlockPastArea},
      {"file_longer_than_area.bin", FileLongerThanArea},
      {"user_all_opcodes.bin", UserAllOpcodes},
      {"user_300_words_no_end.bin", User300WordsNoEnd},
      {"chlconc_1234_and_0.bin", ChlConc1234And0},
      {"dr_fewer_blocks.bin", DrFewerBlocks},
      {"multiojip_fewer_blocks.bin", MultiOjipFewerBlocks},
      {"foprime_one_block.bin", FoPrimeOneBlock},
  };
  return table;
}

}  // namespace detail

}  // namespace corvel::synth
