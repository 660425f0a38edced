#include "synth/instruments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "synth/read_back.h"

namespace corvel::synth {
namespace {

using testing::D2;
using testing::OjipPoints;
using testing::ReadRecord;
using testing::Record;

Record Make(RecordSpec rec) {
  return ReadRecord(RecordBytes(rec), 0);
}

SynthStamp Stamp() {
  return SynthStamp{};
}

TEST(SynthRng, SameSeedSameSequenceOtherSeedOther) {
  Rng a(42), b(42), c(43);
  for (int i = 0; i < 100; ++i) {
    const uint64_t x = a.Next();
    EXPECT_EQ(x, b.Next());
    EXPECT_NE(x, c.Next());
  }
}

TEST(SynthRng, RangesAndMoments) {
  Rng r(7);
  std::set<int> seen;
  double sum = 0, sq = 0;
  const int n = 20000;
  for (int i = 0; i < n; ++i) {
    const double u = r.Uniform();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    const int k = r.Int(3, 6);
    ASSERT_GE(k, 3);
    ASSERT_LE(k, 6);
    seen.insert(k);
    const double g = r.Normal();
    sum += g;
    sq += g * g;
  }
  EXPECT_EQ(seen.size(), 4u);  // both ends included
  EXPECT_NEAR(sum / n, 0.0, 0.05);
  EXPECT_NEAR(sq / n, 1.0, 0.05);
}

TEST(SynthCommands, WordsMatchTheInstrumentEncoding) {
  // Words as the instrument writes them for known settings.
  EXPECT_EQ(OjipCmd(1, 3000), 0xC0010BB8u);
  EXPECT_EQ(DarkCmd(100), 0xCA006400u);        // 1000 ms in the dark
  EXPECT_EQ(AdaptCmd(300, 500), 0xCA01F41Eu);  // 5000 ms at 300
  EXPECT_EQ(PulseCmd(300, 100, 2, 10), 0xCE52051Eu);
  EXPECT_EQ(LoopBeginCmd(5), 0xBB000005u);
  EXPECT_EQ(FarRedCmd(5000), 0xCF138800u);
  EXPECT_EQ(ParamChangeCmd(0xD1, 100), 0xBAD10064u);
  EXPECT_EQ(ParamDataCmd(20), 0xBD000014u);
  EXPECT_EQ(TypeWord(3, 1) & 0xFFFu, 0x103u);
}

TEST(SynthTimeBase, FixedPointsAndSampleCounts) {
  EXPECT_DOUBLE_EQ(OjipTimeMs(0), 0.01);
  EXPECT_DOUBLE_EQ(OjipTimeMs(9), 0.1);
  EXPECT_DOUBLE_EQ(OjipTimeMs(29), 0.3);
  EXPECT_DOUBLE_EQ(OjipTimeMs(46), 2.0);
  EXPECT_DOUBLE_EQ(OjipTimeMs(83), 30.0);
  EXPECT_DOUBLE_EQ(OjipTimeMs(117), 1000.0);
  EXPECT_DOUBLE_EQ(OjipTimeMs(207), 10000.0);
  EXPECT_DOUBLE_EQ(OjipTimeMs(208), 11000.0);
  EXPECT_EQ(OjipSampleCount(1), 118);
  EXPECT_EQ(OjipSampleCount(2), 128);
  EXPECT_EQ(OjipSampleCount(10), 208);
  EXPECT_EQ(OjipSampleCount(102), 300);
}

TEST(SynthStampClock, AdvanceCarriesThroughLeapDayAndYearEnd) {
  SynthStamp s;
  s.year = 24, s.month = 2, s.day = 28, s.hour = 23, s.minute = 59, s.second = 50;
  s.Advance(15);
  EXPECT_EQ((std::vector<int>{s.year, s.month, s.day, s.hour, s.minute, s.second}),
            (std::vector<int>{24, 2, 29, 0, 0, 5}));
  s.year = 23, s.month = 12, s.day = 31, s.hour = 23, s.minute = 0, s.second = 0;
  s.Advance(3600 + 61);
  EXPECT_EQ((std::vector<int>{s.year, s.month, s.day, s.hour, s.minute, s.second}),
            (std::vector<int>{24, 1, 1, 0, 1, 1}));
}

TEST(SynthOjipRecord, ClearStepsRealisticRatioAndSettings) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    Rng rng(seed);
    const Record r = Make(SynthOjip(rng, Stamp()));
    SCOPED_TRACE(seed);
    EXPECT_EQ(r.type(), 1);
    EXPECT_EQ(r.header_length, 52);
    EXPECT_EQ(r.Word(44) >> 24, 0xC0u);
    EXPECT_GT((r.Word(44) >> 16) & 0xFF, 0u);  // measurement seconds
    EXPECT_EQ(r.Word(48), 0xBE000000u);
    ASSERT_EQ(r.blocks.size(), 1u);
    const auto& s = r.blocks[0].samples;
    ASSERT_EQ(s.size(), 208u);
    EXPECT_EQ(r.blocks[0].code >> 24, 0xC0u);
    const auto p = OjipPoints(s);
    EXPECT_GE(p.peak, 100);  // P at 200 .. 500 ms
    EXPECT_LE(p.peak, 180);
    EXPECT_GE(p.fvfm, 0.6);
    EXPECT_LE(p.fvfm, 0.85);
    EXPECT_GE(p.fo, 250);
    EXPECT_LE(p.fo, 700);
    // O < J < I < P, with J and I as distinct steps.
    const double vj = double(s[46] - p.fo) / (p.fm - p.fo);
    const double vi = double(s[83] - p.fo) / (p.fm - p.fo);
    EXPECT_GT(vj, 0.25);
    EXPECT_LT(vj, 0.7);
    EXPECT_GT(vi, vj + 0.15);
    EXPECT_LT(vi, 0.97);
    // Mild decline after P, little noise.
    EXPECT_LT(s[207], p.fm);
    EXPECT_GT(s[207], 0.75 * p.fm);
    for (size_t i = 160; i < 207; ++i) EXPECT_LT(std::abs(s[i + 1] - s[i]), 0.04 * p.fm);
  }
}

TEST(SynthOjipRecord, RandomnessFollowsTheSeed) {
  Rng a(5), b(5), c(6);
  EXPECT_EQ(RecordBytes(SynthOjip(a, Stamp())), RecordBytes(SynthOjip(b, Stamp())));
  EXPECT_NE(RecordBytes(SynthOjip(a, Stamp())), RecordBytes(SynthOjip(c, Stamp())));
}

TEST(SynthSlowKinRecord, DarkPulseThenTracePulsePairsWithQuenching) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    Rng rng(seed);
    const Record r = Make(SynthSlowKin(rng, Stamp()));
    SCOPED_TRACE(seed);
    EXPECT_EQ(r.type(), 2);
    EXPECT_EQ(r.Word(48) >> 24, 0xBBu);
    const int n = static_cast<int>(r.Word(48) & 0xFF) + 1;
    EXPECT_GE(n, 6);
    EXPECT_LE(n, 11);
    const uint32_t pulse = r.Word(52);
    EXPECT_EQ(pulse >> 24, 0xCEu);
    EXPECT_GE((pulse & 0xFF) * 10, 100u);
    ASSERT_EQ(r.blocks.size(), static_cast<size_t>(1 + 2 * (n - 1)));
    const auto dark = OjipPoints(r.blocks[0].samples);
    ASSERT_GE(r.blocks[0].samples.size(), 90u);
    EXPECT_GT(dark.fvfm, 0.6);
    const int step_ms = kPulseStepMs[(pulse >> 16) & 7];
    const size_t pairs = ((pulse >> 19) & 0x1F) * 1000u / step_ms;
    int previous_fmp = dark.fm;
    for (size_t b = 1; b < r.blocks.size(); b += 2) {
      EXPECT_EQ(r.blocks[b].code, pulse);
      EXPECT_EQ(r.blocks[b].samples.size(), 2 * pairs);
      EXPECT_EQ(r.blocks[b + 1].code >> 24, 0xC0u);
      ASSERT_GE(r.blocks[b + 1].samples.size(), 90u);
      const auto light = OjipPoints(r.blocks[b + 1].samples);
      EXPECT_GT(light.fo, dark.fo);  // Fs above Fo
      EXPECT_LT(light.fo, light.fm);
      EXPECT_LT(light.fm, previous_fmp + 15);  // Fm' falls as NPQ builds up
      previous_fmp = light.fm;
    }
    EXPECT_LT(previous_fmp, 0.85 * dark.fm);
  }
  Rng rng(3);
  const Record many = Make(SynthSlowKin(rng, Stamp(), 25));
  EXPECT_EQ((many.Word(48) & 0xFF) + 1, 25u);
  EXPECT_EQ(many.blocks.size(), 49u);
}

TEST(SynthRlcRecord, TenStepsWithFallingYieldAndBothAdaptations) {
  bool light_seen = false, sun_seen = false;
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    Rng rng(seed);
    const Record r = Make(SynthRlc(rng, Stamp()));
    SCOPED_TRACE(seed);
    EXPECT_EQ(r.type(), 3);
    ASSERT_EQ(r.blocks.size(), 11u);
    const bool light = r.Word(44) >> 24 == 0xCA;
    if (light) {
      light_seen = true;
      EXPECT_GT(r.Word(44) & 0xFF, 0u);
    } else {
      sun_seen = true;
    }
    double previous = 1.0, first = 0;
    for (int k = 0; k < 10; ++k) {
      const auto p = OjipPoints(r.blocks[1 + k].samples);
      EXPECT_LT(p.fo, p.fm);
      if (k == 0) first = p.fvfm;
      EXPECT_LT(p.fvfm, previous + 0.02);
      previous = p.fvfm;
    }
    EXPECT_LT(previous, first - 0.3);
  }
  EXPECT_TRUE(light_seen);
  EXPECT_TRUE(sun_seen);
  Rng rng(1);
  EXPECT_NE(Make(SynthRlc(rng, Stamp(), RlcAdaptation::kSun)).Word(44) >> 24, 0xCAu);
  EXPECT_EQ(Make(SynthRlc(rng, Stamp(), RlcAdaptation::kLight)).Word(44) >> 24, 0xCAu);
}

TEST(SynthDrRecord, TwentyPulsesFmRecoversBelowTheDarkLevel) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    Rng rng(seed);
    const Record r = Make(SynthDr(rng, Stamp()));
    SCOPED_TRACE(seed);
    EXPECT_EQ(r.type(), 4);
    EXPECT_EQ(r.Word(44) >> 24, 0xCAu);
    EXPECT_GT(r.Word(44) & 0xFF, 0u);
    EXPECT_EQ(r.Word(56) >> 24, 0xCAu);
    EXPECT_EQ(r.Word(56) & 0xFF, 0u);  // dark
    const uint32_t dark_s = ((r.Word(56) >> 8) & 0xFFFF) / 100;
    EXPECT_GE(dark_s, 5u);
    EXPECT_LE(dark_s, 30u);
    ASSERT_EQ(r.blocks.size(), 20u);
    const int fm0 = OjipPoints(r.blocks[0].samples).fm;
    const int fm1 = OjipPoints(r.blocks[1].samples).fm;
    const int fm19 = OjipPoints(r.blocks[19].samples).fm;
    EXPECT_LT(fm1, fm19);
    for (int k = 1; k < 20; ++k) EXPECT_LT(OjipPoints(r.blocks[k].samples).fm, fm0);
  }
}

TEST(SynthAfterSsRecord, TenPairsAndSettingsWords) {
  Rng rng(11);
  const Record r = Make(SynthAfterSs(rng, Stamp()));
  EXPECT_EQ(r.type(), 5);
  EXPECT_EQ(r.Word(44) >> 24, 0xCAu);
  EXPECT_GT(r.Word(44) & 0xFF, 0u);
  EXPECT_GT(((r.Word(52) >> 8) & 0xFFFF) / 100, 0u);
  EXPECT_GT(r.Word(56) & 0xFFFF, 0u);
  ASSERT_EQ(r.blocks.size(), 20u);
  for (const auto& b : r.blocks) {
    EXPECT_EQ(b.code >> 24, 0xC0u);
    EXPECT_GT(OjipPoints(b.samples).fvfm, 0.1);
  }
  // Quenching relaxes over the pairs: the last pair's Fm is above the first's.
  EXPECT_GT(OjipPoints(r.blocks[18].samples).fm, OjipPoints(r.blocks[0].samples).fm);
}

int PpSec(const Record& r) {
  int total = 0;
  for (size_t off = 48; off <= 84 && r.Word(off) >> 24 == 0xCE; off += 4)
    total += static_cast<int>((r.Word(off) >> 19) & 0x1F);
  return total;
}

TEST(SynthPifrRecord, BlocksMatchThePulseTimeAndRiseToABump) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    Rng rng(seed);
    const Record r = Make(SynthPifr(rng, Stamp()));
    SCOPED_TRACE(seed);
    EXPECT_EQ(r.type(), 6);
    EXPECT_EQ(r.Word(44) >> 24, 0xCAu);
    const uint32_t minutes = ((r.Word(44) >> 8) & 0xFFFF) / 6000;
    EXPECT_TRUE(minutes == 5 || minutes == 10);
    const int pp = PpSec(r);
    EXPECT_LE(pp, 300);
    ASSERT_EQ(r.blocks.size(), static_cast<size_t>(pp / 30 + 1));
    size_t values = 0;
    for (const auto& b : r.blocks) {
      EXPECT_EQ(b.code >> 24, 0xCEu);
      EXPECT_EQ(b.samples.size() % 2, 0u);
      EXPECT_LE(b.samples.size() / 2, 600u);
      values += b.samples.size() / 2;
    }
    EXPECT_EQ(values, static_cast<size_t>(5 * pp));  // one curve point per second
    const auto v = D2(r.blocks[0]);
    const size_t m = std::max_element(v.begin(), v.end()) - v.begin();
    EXPECT_GT(m, 20u);  // a rise, not a fall from the start
    EXPECT_GT(v[m], v[5] + 30);
    EXPECT_LT(D2(r.blocks.back()).back(), v[m]);
  }
  Rng rng(1);
  const Record r82 = Make(SynthPifr(rng, Stamp(), {31, 31, 20}));
  EXPECT_EQ(PpSec(r82), 82);
  EXPECT_EQ(r82.blocks.size(), 3u);
}

TEST(SynthMultiOjipRecord, FmRisesWithLight) {
  Rng rng(2);
  const Record r = Make(SynthMultiOjip(rng, Stamp()));
  EXPECT_EQ(r.type(), 7);
  ASSERT_EQ(r.blocks.size(), 6u);
  int fm = 0;
  uint32_t light = 0;
  for (const auto& b : r.blocks) {
    EXPECT_GT(b.code & 0xFFFF, light);
    light = b.code & 0xFFFF;
    const int now = OjipPoints(b.samples).fm;
    EXPECT_GT(now, fm);
    fm = now;
  }
}

TEST(SynthFoPrimeRecord, FarRedPulseStartsBelowFo) {
  for (uint32_t seed = 1; seed <= 10; ++seed) {
    Rng rng(seed);
    const Record r = Make(SynthFoPrime(rng, Stamp()));
    EXPECT_EQ(r.type(), 8);
    EXPECT_GT(r.Word(44) & 0xFFFF, 0u);
    EXPECT_EQ(r.Word(48) >> 24, 0xCAu);
    EXPECT_GT(r.Word(48) & 0xFF, 0u);
    EXPECT_EQ(r.Word(52) >> 24, 0xCFu);
    EXPECT_GE(((r.Word(52) >> 8) & 0xFFFF) / 1000, 1u);
    ASSERT_EQ(r.blocks.size(), 2u);
    const auto dark = OjipPoints(r.blocks[0].samples);
    const auto fr = OjipPoints(r.blocks[1].samples);
    EXPECT_LT(fr.fo, dark.fo);
    EXPECT_LT(fr.fm, dark.fm);
  }
}

TEST(SynthChlConcRecord, ConcentrationWordAndOptionalTrace) {
  Rng rng(4);
  const Record r = Make(SynthChlConc(rng, Stamp()));
  EXPECT_EQ(r.type(), 9);
  EXPECT_GE(r.Word(44), 50u);
  EXPECT_LE(r.Word(44), 5000u);
  EXPECT_EQ(r.Word(48), 0xBE000000u);
  EXPECT_EQ(r.blocks.size(), 1u);
  const Record none = Make(SynthChlConc(rng, Stamp(), 1234, false));
  EXPECT_EQ(none.Word(44), 1234u);
  EXPECT_TRUE(none.blocks.empty());
}

TEST(SynthUserRecord, ProgramsTogetherUseEveryCommand) {
  std::set<uint32_t> opcodes, sub_codes;
  bool light = false, dark = false;
  for (int p = 0; p < kUserProgramCount; ++p) {
    Rng rng(9);
    const Record r = Make(SynthUser(rng, Stamp(), p));
    SCOPED_TRACE(p);
    EXPECT_EQ(r.type(), 0);
    EXPECT_FALSE(r.program_name.empty());
    EXPECT_NE(r.name.find("ALGA"), std::string::npos);
    ASSERT_FALSE(r.words.empty());
    EXPECT_EQ(r.words.back(), 0xBE000000u);
    int measuring = 0;
    for (uint32_t w : r.words) {
      opcodes.insert(w >> 24);
      if (w >> 24 == 0xBA) sub_codes.insert((w >> 16) & 0xFF);
      if (w >> 24 == 0xCA) ((w & 0xFF) ? light : dark) = true;
      if (w >> 24 == 0xC0 || w >> 24 == 0xCE) ++measuring;
    }
    EXPECT_GE(r.blocks.size(), static_cast<size_t>(measuring));
    for (const auto& b : r.blocks) EXPECT_TRUE(b.code >> 24 == 0xC0 || b.code >> 24 == 0xCE);
  }
  EXPECT_EQ(opcodes,
            (std::set<uint32_t>{0xB0, 0xB1, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xC0, 0xCA, 0xCE, 0xCF}));
  EXPECT_EQ(sub_codes, (std::set<uint32_t>{0xD1, 0xD2, 0xD3, 0xD4}));
  EXPECT_TRUE(light);
  EXPECT_TRUE(dark);
}

TEST(SynthUserRecord, LoopsRepeatTheMeasuringCommands) {
  Rng rng(1);
  // Loop of 3 around a loop of 2 around one OJIP: six traces.
  const std::vector<uint32_t> nested = {kCmdBegin,        LoopBeginCmd(3), LoopBeginCmd(2),
                                        OjipCmd(1, 3000), kCmdLoopEnd,     PulseCmd(300, 100, 2, 1),
                                        kCmdLoopEnd,      kCmdEnd,         OjipCmd(1, 3000)};
  const auto blocks = MeasureProgram(rng, nested);
  ASSERT_EQ(blocks.size(), 9u);  // 3 x (2 OJIP + 1 pulse); nothing after the end command
  EXPECT_EQ(GetU32(blocks[2], 4), PulseCmd(300, 100, 2, 1));
  EXPECT_EQ(GetU16(blocks[2], 2), 8 + 4 * 50);  // 1 s at 20 ms: 50 pairs
  EXPECT_EQ(GetU16(blocks[0], 2), 8 + 2 * 118);
  // An unknown opcode stops the program.
  EXPECT_EQ(MeasureProgram(rng, {kCmdBegin, OjipCmd(1, 3000), 0x77000000, OjipCmd(1, 3000)}).size(),
            1u);
}

TEST(SynthStampFields, StampAndMarkerReachTheRecord) {
  SynthStamp st;
  st.name = "ALGAQW12";
  st.number = 321;
  st.year = 25, st.month = 1, st.day = 2, st.hour = 3, st.minute = 4, st.second = 5;
  st.rb_marker = 1;
  for (int code = 0; code < 10; ++code) {
    Rng rng(1);
    const Record r = Make(SynthRecord(code, rng, st));
    SCOPED_TRACE(code);
    EXPECT_EQ(r.type(), code);
    EXPECT_EQ(r.name, "ALGAQW12");
    EXPECT_EQ(r.number, 321);
    EXPECT_EQ((std::vector<int>(r.stamp, r.stamp + 6)), (std::vector<int>{25, 1, 2, 3, 4, 5}));
    // User programs that do not start with the begin command keep their own bits 8-11.
    if (code != 0 || r.type_word >> 24 == 0xB0) {
      EXPECT_EQ((r.type_word >> 8) & 0xF, 1u);
    }
  }
}

}  // namespace
}  // namespace corvel::synth
