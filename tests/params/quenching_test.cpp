#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "param_files.h"
#include "params/pulse_kinetics.h"
#include "params/rapid_light_curve.h"

namespace corvel {
namespace {

using testing::kPulseCode;
using testing::MakeRecord;
using testing::Trace;

synth::Bytes Between() {
  return synth::PulseBlock(kPulseCode, {{300, 310}, {305, 320}});
}

// Pulse kinetics: n pulses announced, AL 400, the dark pulse and then (pulse trace, light pulse)
// pairs.
synth::RecordSpec SlowKin(int n, std::vector<synth::Bytes> blocks) {
  return MakeRecord(2, {0xCA003228, 0xBB000000u | static_cast<uint32_t>(n - 1), 0xCE000028},
                    blocks);
}

class Quenching : public ::testing::Test {
 protected:
  uint32_t Load(const synth::RecordSpec& r) {
    synth::FileBuilder b;
    b.Add(r);
    testing::LoadBytes(b.File(), image);
    return 0;
  }
  FileImage image;
};

void ExpectRel(float got, double want, const char* what) {
  EXPECT_NEAR(got, want, std::fabs(want) * 2e-6 + 1e-6) << what;
}

TEST_F(Quenching, SlowKinSummaryMatchesAHandComputation) {
  // Dark Fo 500, Fm 2500; the last light pulse Fs 700, Fm' 1500.
  Load(SlowKin(3, {Trace(500, 2500), Between(), Trace(650, 1800), Between(), Trace(700, 1500)}));
  SlowKinResult r;
  DecodeSlowKin(image, 0, r);
  EXPECT_EQ(r.Fo, 500);
  EXPECT_EQ(r.Fm, 2500);
  EXPECT_EQ(r.Fs, 700);
  EXPECT_EQ(r.FmPrime, 1500);
  EXPECT_EQ(r.FoPrime, 441);  // 500 / (0.8 + 1/3) = 441.18, truncated
  ExpectRel(r.FvFm, 0.8, "FvFm");
  ExpectRel(r.FsFm, 0.28, "FsFm");
  ExpectRel(r.FmPrimeFm, 0.6, "FmPrimeFm");
  ExpectRel(r.FqPrime, 800, "FqPrime");
  ExpectRel(r.FvPrimeFmPrime, 1059.0 / 1500, "FvPrimeFmPrime");
  ExpectRel(r.YII, 800.0 / 1500, "YII");
  ExpectRel(r.rETR, 89.6, "rETR");
  ExpectRel(r.qP, 0.755430, "qP");
  ExpectRel(r.qL, 0.475921, "qL");
  ExpectRel(r.qN, 0.4705, "qN");
  ExpectRel(r.NPQ, 2.0 / 3, "NPQ");
  ExpectRel(r.YNO, 0.280085, "YNO");
  ExpectRel(r.YNPQ, 0.186582, "YNPQ");
}

TEST_F(Quenching, SlowKinWithoutQuenchingRoomHasNoPhotochemicalQuenching) {
  // A flat dark pulse: Fv/Fm 0, so Fo' = Fo / (Fo/Fm') = Fm' exactly and Fm' - Fo' = 0.
  Load(SlowKin(2, {Trace(512, 512), Between(), Trace(600, 1024)}));
  SlowKinResult r;
  DecodeSlowKin(image, 0, r);
  EXPECT_EQ(r.FoPrime, 1024);
  EXPECT_EQ(r.FvFm, 0.0f);
  EXPECT_EQ(r.qP, 0.0f);
  EXPECT_EQ(r.qL, 0.0f);
  EXPECT_EQ(r.qN, 0.0f);  // Fm = Fo
  ExpectRel(r.NPQ, -0.5, "NPQ");
  ExpectRel(r.YNO, 1.0 / (r.NPQ + 1.0f), "YNO");
}

TEST_F(Quenching, SlowKinWithOnlyTheDarkPulseKeepsItsValues) {
  Load(SlowKin(11, {Trace(500, 2500)}));
  SlowKinResult r;
  DecodeSlowKin(image, 0, r);
  EXPECT_EQ(r.Fo, 500);
  EXPECT_EQ(r.Fm, 2500);
  ExpectRel(r.FvFm, 0.8, "FvFm");
  EXPECT_EQ(r.Fs, 0);
  EXPECT_EQ(r.FmPrime, 0);
  EXPECT_EQ(r.FoPrime, 0);
  EXPECT_EQ(r.YII, 0.0f);
  EXPECT_EQ(r.YNO, 0.0f);
}

TEST_F(Quenching, SlowKinLastLightPulseIsSoughtAmongFortyBlocks) {
  std::vector<synth::Bytes> blocks{Trace(500, 2500)};
  for (int i = 0; i < 41; ++i) blocks.push_back(Trace(static_cast<uint16_t>(600 + i), 1500));
  Load(SlowKin(11, blocks));
  SlowKinResult r;
  DecodeSlowKin(image, 0, r);
  EXPECT_EQ(r.Fs, 639);  // the 40th block after the dark pulse, not the 41st
}

TEST_F(Quenching, SlowKinDarkPulseWithoutSignalStopsAtOnce) {
  Load(SlowKin(2, {Trace(0, 2500), Between(), Trace(700, 1500)}));
  SlowKinResult r;
  DecodeSlowKin(image, 0, r);
  EXPECT_EQ(r.Fm, 2500);
  EXPECT_EQ(r.Fs, 0);
  EXPECT_EQ(r.FmPrime, 0);
}

TEST_F(Quenching, PulseSeriesUsesTheRealFoPrimeOfEveryOddBlock) {
  Load(SlowKin(3, {Trace(500, 2500), Between(), Trace(700, 1500), Between(), Trace(800, 1250)}));
  SlowKinPulseSeries s;
  ComputeSlowKinPulseSeries(image, 0, s);
  EXPECT_EQ(s.count, 2);
  ExpectRel(s.row[kRowYII][0], 800.0 / 1500, "YII");
  ExpectRel(s.row[kRowRetr][0], 89.6, "rETR");
  ExpectRel(s.row[kRowFmPrimeFm][0], 0.6, "FmPrimeFm");
  ExpectRel(s.row[kRowQP][0], 0.755556, "qP");  // Fo' 441.18, not 441
  ExpectRel(s.row[kRowQL][0], 0.476190, "qL");
  ExpectRel(s.row[kRowQN][0], 0.470588, "qN");
  ExpectRel(s.row[kRowYNO][0], 0.28, "YNO");
  ExpectRel(s.row[kRowYNPQ][0], 0.186667, "YNPQ");
  ExpectRel(s.row[kRowYII][1], 450.0 / 1250, "YII of the second pulse");
}

TEST_F(Quenching, PulseSeriesEndsAtAMissingBlockButKeepsItsCount) {
  Load(SlowKin(6, {Trace(500, 2500), Between(), Trace(700, 1500), Between(), Trace(800, 1250)}));
  SlowKinPulseSeries s;
  ComputeSlowKinPulseSeries(image, 0, s);
  EXPECT_EQ(s.count, 5);
  EXPECT_GT(s.row[kRowYII][1], 0.0f);
  // The block between pulses 2 and 3 is missing.
  for (int q = 0; q < kQuenchingRows; ++q) EXPECT_EQ(s.row[q][2], 0.0f);
}

TEST_F(Quenching, PulseSeriesHoldsAtMostTwentyPulses) {
  std::vector<synth::Bytes> blocks{Trace(500, 2500)};
  for (int i = 0; i < 30; ++i) {
    blocks.push_back(Between());
    blocks.push_back(Trace(700, 1500));
  }
  Load(SlowKin(40, blocks));
  SlowKinPulseSeries s;
  ComputeSlowKinPulseSeries(image, 0, s);
  EXPECT_EQ(s.count, 20);
  EXPECT_GT(s.row[kRowYNPQ][19], 0.0f);
}

// Rapid light curve: the dark pulse and ten steps, each Fs 700, Fm' 1500 unless given.
synth::RecordSpec Rlc(uint32_t adaptation, std::vector<synth::Bytes> steps = {}) {
  std::vector<synth::Bytes> blocks{Trace(500, 2500)};
  for (int k = 0; k < 10; ++k)
    blocks.push_back(k < static_cast<int>(steps.size()) ? steps[k] : Trace(700, 1500));
  return MakeRecord(3, {adaptation, 0xCE000000}, blocks);
}

TEST_F(Quenching, RlcStepsMatchAHandComputation) {
  Load(Rlc(0xB0000000));  // no light adaptation command: adapted to sunlight
  RlcResult r;
  DecodeRlc(image, 0, r);
  for (int k = 0; k < 10; ++k) {
    ExpectRel(r.row[kRowYII][k], 800.0 / 1500, "YII");
    ExpectRel(r.row[kRowRetr][k], kRlcLight[k] * (800.0 / 1500) * 0.42, "rETR");
    ExpectRel(r.row[kRowQP][k], 0.755556, "qP");
    ExpectRel(r.row[kRowYNO][k], 0.28, "YNO");
  }
  ExpectRel(r.row[kRowRetr][4], 67.2, "rETR at 300");
}

TEST_F(Quenching, LightAdaptedRlcHasOnlyYieldAndRate) {
  Load(Rlc(0xCA00320A));  // 100 for five minutes
  EXPECT_TRUE(RlcLightAdapted(image, 0));
  RlcResult r;
  DecodeRlc(image, 0, r);
  for (int k = 0; k < 10; ++k) {
    EXPECT_GT(r.row[kRowYII][k], 0.0f);
    EXPECT_GT(r.row[kRowRetr][k], 0.0f);
    for (int q = kRowFmPrimeFm; q <= kRowYNPQ; ++q) EXPECT_EQ(r.row[q][k], 0.0f);
  }
}

TEST_F(Quenching, RlcStepWithFsNotBelowFmPrimeEndsTheCurve) {
  Load(Rlc(0xB0000000, {Trace(700, 1500), Trace(700, 1500), Trace(900, 900)}));
  RlcResult r;
  DecodeRlc(image, 0, r);
  EXPECT_GT(r.row[kRowYNPQ][1], 0.0f);
  for (int q = 0; q < kQuenchingRows; ++q) {
    EXPECT_EQ(r.row[q][2], 0.0f);  // a flat step also has Y(II) 0
    for (int k = 3; k < 10; ++k) EXPECT_EQ(r.row[q][k], 0.0f) << q << " " << k;
  }
}

TEST_F(Quenching, RlcWithAnUnusableDarkPulseStaysZero) {
  synth::RecordSpec rec = Rlc(0xB0000000);
  rec.blocks[0] = Trace(2500, 2500);
  Load(rec);
  RlcResult r;
  DecodeRlc(image, 0, r);
  const RlcResult zero{};
  EXPECT_EQ(std::memcmp(&r, &zero, sizeof r), 0);
}

TEST_F(Quenching, RlcWithFewerBlocksReadsZerosPastTheRecord) {
  synth::RecordSpec rec = Rlc(0xB0000000);
  rec.blocks.resize(4);  // the dark pulse and three steps
  Load(rec);
  RlcResult r;
  DecodeRlc(image, 0, r);
  EXPECT_GT(r.row[kRowYII][2], 0.0f);
  EXPECT_EQ(r.row[kRowYII][3], 0.0f);
  EXPECT_EQ(r.row[kRowRetr][9], 0.0f);
}

}  // namespace
}  // namespace corvel
