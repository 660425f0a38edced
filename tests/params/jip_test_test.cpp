#include "params/jip_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "param_files.h"
#include "records/record.h"

namespace corvel {
namespace {

using testing::kOjipCode;

OjipResult Jip(const std::vector<uint16_t>& s, uint32_t code = kOjipCode, bool full = true) {
  static FileImage image;
  synth::FileBuilder b;
  b.Add(testing::MakeRecord(1, {0xC00A0BB8}, {synth::RawBlock(code, s)}));
  testing::LoadBytes(b.File(), image);
  OjipResult r;
  DecodeOjip(image, Record(image, 0).first_block(), r, full);
  return r;
}

void ExpectRel(float got, double want, const char* what) {
  EXPECT_NEAR(got, want, std::fabs(want) * 2e-6 + 1e-6) << what;
}

TEST(JipTest, MatchesAHandComputationOfAnEarlyPeak) {
  const OjipResult r = Jip(testing::EarlyPeakTrace());
  EXPECT_EQ(r.Fo, 100);
  EXPECT_EQ(r.Fk, 300);
  EXPECT_EQ(r.Fj, 600);
  EXPECT_EQ(r.Fi, 800);
  EXPECT_EQ(r.Fm, 1000);
  EXPECT_EQ(r.Fv, 900);
  EXPECT_EQ(r.tFm, 0);
  // Area = 900 log10(4) + 450 log10(1.25) between 10 us and 50 us.
  ExpectRel(r.Area, 585.463498, "Area");
  ExpectRel(r.FvFm, 0.9, "FvFm");
  ExpectRel(r.FoFm, 0.1, "FoFm");
  ExpectRel(r.Vj, 5.0 / 9, "Vj");
  ExpectRel(r.Mo, 8.0 / 9, "Mo");
  ExpectRel(r.Sm, 0.650515, "Sm");
  ExpectRel(r.N, 1.040824, "N");
  ExpectRel(r.PhiPo, 0.9, "PhiPo");
  ExpectRel(r.PsiO, 4.0 / 9, "PsiO");
  ExpectRel(r.PhiEo, 0.4, "PhiEo");
  ExpectRel(r.PhiDo, 0.1, "PhiDo");
  ExpectRel(r.AbsRc, 16.0 / 9, "AbsRc");
  ExpectRel(r.TroRc, 1.6, "TroRc");
  ExpectRel(r.EtoRc, 6.4 / 9, "EtoRc");
  ExpectRel(r.DioRc, 1.6 / 9, "DioRc");
  ExpectRel(r.RcCso, 56.25, "RcCso");
  ExpectRel(r.RcCsm, 562.5, "RcCsm");
  ExpectRel(r.PiAbs, 4.05, "PiAbs");
  ExpectRel(r.PiCso, 405.0, "PiCso");
  ExpectRel(r.PiCsm, 4050.0, "PiCsm");
  ExpectRel(r.DfAbs, 0.607455, "DfAbs");
  ExpectRel(r.DfCso, 2.607455, "DfCso");
  ExpectRel(r.DfCsm, 3.607455, "DfCsm");
}

TEST(JipTest, PointsOnlyModeStopsAfterFvFm) {
  const OjipResult r = Jip(testing::EarlyPeakTrace(), kOjipCode, false);
  ExpectRel(r.FvFm, 0.9, "FvFm");
  EXPECT_EQ(r.FoFm, 0.0f);
  EXPECT_EQ(r.Area, 0.0f);
  EXPECT_EQ(r.DfCsm, 0.0f);
}

TEST(JipTest, PeakAtTheFirstSampleHasNoArea) {
  auto s = testing::EarlyPeakTrace();
  s[0] = 1000;
  s[4] = 500;
  const OjipResult r = Jip(s);
  EXPECT_EQ(r.Area, 0.0f);
  EXPECT_EQ(r.Sm, 0.0f);
  EXPECT_EQ(r.N, 0.0f);
  ExpectRel(r.Vj, 5.0 / 9, "Vj");
  ExpectRel(r.AbsRc, 16.0 / 9, "AbsRc");
  ExpectRel(r.PiAbs, 4.05, "PiAbs");
}

TEST(JipTest, FlatTraceStopsBeforeFvFm) {
  const OjipResult r = Jip(std::vector<uint16_t>(208, 700));
  EXPECT_EQ(r.Fo, 700);
  EXPECT_EQ(r.Fm, 700);
  EXPECT_EQ(r.Fv, 0);
  EXPECT_EQ(r.FvFm, 0.0f);
  EXPECT_EQ(r.PsiO, 0.0f);  // not 1 - 0: the test never ran
  EXPECT_EQ(r.PhiDo, 0.0f);
}

TEST(JipTest, FjEqualToFoStopsAfterTheYields) {
  auto s = testing::EarlyPeakTrace();
  s[46] = 100;
  const OjipResult r = Jip(s);
  EXPECT_EQ(r.Vj, 0.0f);
  EXPECT_EQ(r.N, 0.0f);
  EXPECT_EQ(r.PsiO, 1.0f);
  ExpectRel(r.PhiEo, 0.9, "PhiEo");
  ExpectRel(r.PhiDo, 0.1, "PhiDo");
  EXPECT_EQ(r.AbsRc, 0.0f);
  EXPECT_EQ(r.TroRc, 0.0f);
  EXPECT_EQ(r.RcCsm, 0.0f);
  EXPECT_EQ(r.DfCsm, 0.0f);
}

TEST(JipTest, FkEqualToFoStopsAfterTheFluxes) {
  auto s = testing::EarlyPeakTrace();
  s[29] = 100;
  const OjipResult r = Jip(s);
  EXPECT_EQ(r.Mo, 0.0f);
  EXPECT_EQ(r.N, 0.0f);
  EXPECT_EQ(r.AbsRc, 0.0f);
  EXPECT_EQ(r.EtoRc, 0.0f);
  EXPECT_EQ(r.RcCso, 0.0f);
  EXPECT_EQ(r.RcCsm, 0.0f);
  EXPECT_EQ(r.PiAbs, 0.0f);
  ExpectRel(r.PsiO, 4.0 / 9, "PsiO");
}

TEST(JipTest, ZeroFoLeavesThePerformanceIndicesAtZero) {
  auto s = testing::EarlyPeakTrace();
  s[1] = s[2] = s[3] = 0;
  const OjipResult r = Jip(s);
  EXPECT_EQ(r.Fo, 0);
  EXPECT_EQ(r.PhiPo, 1.0f);
  EXPECT_EQ(r.PhiDo, 0.0f);
  EXPECT_EQ(r.RcCso, 0.0f);
  ExpectRel(r.RcCsm, 1000.0 * (0.6 / 1.2), "RcCsm");  // Vj 0.6, Mo 1.2
  EXPECT_EQ(r.PiAbs, 0.0f);
  EXPECT_EQ(r.PiCsm, 0.0f);
  EXPECT_EQ(r.DfCsm, 0.0f);
}

TEST(JipTest, NegativePerformanceIndicesHaveNoDrivingForce) {
  auto s = testing::EarlyPeakTrace();
  s[29] = 50;  // Fk below Fo: Mo < 0, so ABS/RC and RC/CSo turn negative
  const OjipResult r = Jip(s);
  EXPECT_LT(r.Mo, 0.0f);
  EXPECT_LT(r.PiAbs, 0.0f);
  EXPECT_LT(r.PiCso, 0.0f);
  EXPECT_LT(r.PiCsm, 0.0f);
  EXPECT_EQ(r.DfAbs, 0.0f);
  EXPECT_EQ(r.DfCso, 0.0f);
  EXPECT_EQ(r.DfCsm, 0.0f);
}

TEST(JipTest, ANonOjipBlockGivesAnAllZeroResult) {
  const OjipResult r = Jip(testing::EarlyPeakTrace(), 0xCE011428);
  const OjipResult zero{};
  EXPECT_EQ(std::memcmp(&r, &zero, sizeof r), 0);
}

TEST(JipTest, ShortTracesReadTheMissingFixedPointsAsZero) {
  // Sixty samples: Fj (46) is there, Fi (83) is not.
  auto s = testing::EarlyPeakTrace();
  s.resize(60);
  const OjipResult r = Jip(s);
  EXPECT_EQ(r.Fj, 600);
  EXPECT_EQ(r.Fi, 0);
  ExpectRel(r.Area, 585.463498, "Area");
}

}  // namespace
}  // namespace corvel
