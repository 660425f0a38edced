#include <gtest/gtest.h>

#include <vector>

#include "param_files.h"
#include "params/chlorophyll.h"
#include "params/dark_relaxation.h"
#include "params/fo_prime.h"
#include "params/multi_ojip.h"
#include "params/pifr.h"

namespace corvel {
namespace {

using testing::kOjipCode;
using testing::kPulseCode;
using testing::MakeRecord;
using testing::PulseTrace;
using testing::Table;
using testing::Trace;

constexpr int kDrItem = 3, kPifrItem = 5, kMultiOjipItem = 6, kFoItem = 7, kChlItem = 9;

synth::RecordSpec Dr(const std::vector<uint16_t>& fm) {
  std::vector<synth::Bytes> blocks;
  for (uint16_t m : fm) blocks.push_back(m ? Trace(400, m) : Trace(0, 0));
  // Adaptation at 100, 30 s of darkness.
  return MakeRecord(4, {0xCA00320A, 0xCE000000, 0xCE000000, 0xCA0BB800}, blocks);
}

TEST(DarkRelaxation, NpqIsAgainstTheFirstPulseAndNeverNegative) {
  std::vector<uint16_t> fm(20, 2000);
  fm[0] = 2400;
  fm[1] = 2500;  // above the first pulse
  fm[2] = 0;     // no signal
  fm[3] = 1600;
  Table t;
  t.Open({Dr(fm)}, 4);
  const DrResult& r = t.results->dr[0];
  EXPECT_EQ(r.NPQ[0], 0.0f);
  EXPECT_EQ(r.NPQ[1], 0.0f);
  EXPECT_EQ(r.NPQ[2], 0.0f);
  EXPECT_FLOAT_EQ(r.NPQ[3], 0.5f);
  EXPECT_FLOAT_EQ(r.NPQ[4], 0.2f);
  EXPECT_EQ(r.Fo[4], 400);
  EXPECT_FLOAT_EQ(r.FvFm[4], 0.8f);

  t.Show(kDrItem);
  EXPECT_EQ(t.Cell(1, 3), "100");
  EXPECT_EQ(t.Cell(1, 4), "30");
  EXPECT_EQ(t.Cell(1, 5), "3000(1)");
  EXPECT_EQ(t.Cell(1, 9), "----");
  EXPECT_EQ(t.Cell(2, 9), "0.00");
  EXPECT_EQ(t.Cell(3, 7), "0");
  EXPECT_EQ(t.Cell(3, 8), "0.00");
  EXPECT_EQ(t.Cell(3, 9), "0.00");
  EXPECT_EQ(t.Cell(4, 9), "0.50");
  EXPECT_EQ(t.Cell(20, 5), "3000(20)");
  EXPECT_EQ(t.Cell(2, 0), "");  // the name is on the record's first row only
  EXPECT_EQ(t.Cell(2, 3), "");
}

TEST(DarkRelaxation, MissingPulsesReadAsZero) {
  Table t;
  t.Open({Dr({2400, 2000, 1600})}, 4);
  const DrResult& r = t.results->dr[0];
  EXPECT_EQ(r.Fm[2], 1600);
  for (int k = 3; k < 20; ++k) {
    EXPECT_EQ(r.Fm[k], 0) << k;
    EXPECT_EQ(r.NPQ[k], 0.0f) << k;
  }
}

// A PIFR record whose first block holds the D2 values v (D1 is 7 throughout).
synth::RecordSpec Pifr(const std::vector<uint16_t>& v) {
  std::vector<std::pair<uint16_t, uint16_t>> pairs;
  for (uint16_t d2 : v) pairs.emplace_back(7, d2);
  // Adaptation at 100 for 10 min, then 31 s of pulses.
  return MakeRecord(6, {0xCAEA600A, 0xCEF81428, 0xB0000000},
                    {synth::PulseBlock(kPulseCode, pairs)});
}

std::vector<uint16_t> RiseToPeak(int peak, int n = 600) {
  std::vector<uint16_t> v(static_cast<size_t>(n), 50);
  for (int i = 0; i <= peak && i < n; ++i) v[i] = static_cast<uint16_t>(100 + 10 * i);
  return v;
}

TEST(PifrSlope, EarlyPeakGivesTenPointsNoneDropped) {
  Table t;
  t.Open({Pifr(RiseToPeak(29))}, 6);
  uint32_t x[100], y[100];
  ASSERT_EQ(PifrSlopePoints(*t.image, 0, x, y), 10);
  EXPECT_EQ(x[0], 1u);
  EXPECT_EQ(y[0], 110u);  // (100 + 110 + 120) / 3
  EXPECT_EQ(y[9], 290u);
  // y rises by 20 per point.
  EXPECT_FLOAT_EQ(t.results->pifr[0].K, 200.0f);
}

TEST(PifrSlope, LatePeakGivesNinetyFourPoints) {
  Table t;
  t.Open({Pifr(RiseToPeak(300))}, 6);
  uint32_t x[100], y[100];
  ASSERT_EQ(PifrSlopePoints(*t.image, 0, x, y), 94);
  EXPECT_EQ(x[0], 6u);
  EXPECT_EQ(x[93], 99u);
  EXPECT_NEAR(t.results->pifr[0].K, 200.0f, 0.01f);
}

TEST(PifrSlope, PeakInTheMiddleAveragesThreeValuesPerPoint) {
  // Peak at 90: h = 60, 30 points, the first five dropped.
  std::vector<uint16_t> v(600, 0);
  for (int i = 0; i <= 90; ++i) v[i] = static_cast<uint16_t>(i * i);
  Table t;
  t.Open({Pifr(v)}, 6);
  uint32_t x[100], y[100];
  ASSERT_EQ(PifrSlopePoints(*t.image, 0, x, y), 25);
  EXPECT_EQ(x[0], 6u);
  EXPECT_EQ(y[0], (100u + 121u + 144u) / 3);  // values 10, 11, 12 squared, truncated
}

TEST(PifrSlope, FallingTraceHasNoSlopeAndShortTracesReadZeros) {
  std::vector<uint16_t> falling(600);
  for (int i = 0; i < 600; ++i) falling[i] = static_cast<uint16_t>(2000 - i);
  Table t;
  t.Open({Pifr(falling), Pifr(RiseToPeak(15, 16))}, 6);
  EXPECT_EQ(t.results->pifr[0].K, 0.0f);
  // 16 values rising, then zeros: ten points, the last ones falling to 0.
  uint32_t x[100], y[100];
  ASSERT_EQ(PifrSlopePoints(*t.image, t.list->offset(1), x, y), 10);
  EXPECT_EQ(y[7], (240u + 250u + 0u) / 3);
  EXPECT_EQ(y[8], 0u);

  t.Show(kPifrItem);
  EXPECT_EQ(t.Cell(1, 3), "100(10)");
  EXPECT_EQ(t.Cell(1, 4), "0.00");
}

// Six OJIP steps with the given Fo, Fi and Fm.
synth::RecordSpec MultiOjip(const uint16_t (&fo)[6], const uint16_t (&fi)[6],
                            const uint16_t (&fm)[6]) {
  std::vector<synth::Bytes> blocks;
  for (int s = 0; s < 6; ++s) {
    auto trace = PulseTrace(fo[s], fm[s], 150);
    trace[83] = fi[s];
    blocks.push_back(synth::OjipBlock(kOjipCode, trace));
  }
  return MakeRecord(7, {0xCA000000}, blocks);
}

TEST(MultiOjip, SlopesAgainstTheLightLevels) {
  uint16_t fo[6], fi[6], fm[6];
  for (int s = 0; s < 6; ++s) {
    fo[s] = 300;
    fi[s] = static_cast<uint16_t>(500 + kMultiOjipLight[s] / 10);
    fm[s] = static_cast<uint16_t>(1000 + kMultiOjipLight[s] / 2);
  }
  Table t;
  t.Open({MultiOjip(fo, fi, fm), MultiOjip(fo, fo, fo)}, 7);
  const MultiOjipResult& r = t.results->multiojip[0];
  EXPECT_EQ(r.Fm[5], 2500);
  EXPECT_EQ(r.Fi[2], 550);
  EXPECT_EQ(r.Fj[0], 300);
  EXPECT_NEAR(r.Ko, 0.0f, 1e-4f);
  EXPECT_NEAR(r.Ki, 0.1f, 1e-4f);
  EXPECT_NEAR(r.Kp, 0.5f, 1e-4f);

  t.Show(kMultiOjipItem);
  ASSERT_EQ(t.grid.row_count(), 7 * 2 + 2);
  EXPECT_EQ(t.Cell(1, 2), "Multi OJIP");
  for (int s = 0; s < 6; ++s) {
    EXPECT_EQ(t.Cell(1 + s, 3), "1 min");
    EXPECT_EQ(t.Cell(1 + s, 4), std::to_string(kMultiOjipLight[s]));
    EXPECT_EQ(t.Cell(1 + s, 14), s == 5 ? "0.50" : "");
  }
  EXPECT_EQ(t.Cell(6, 13), "0.10");
  EXPECT_EQ(t.Cell(13, 14), "0.00");  // all steps of the second record have the same Fm
  EXPECT_EQ(t.Cell(7, 3), "");
}

TEST(FoPrime, SecondBlockGivesFoPrime) {
  Table t;
  // Far-red 5 s, adaptation at 200, AL 300.
  const std::vector<uint32_t> program{0xC000012C, 0xCA000014, 0xCF138800};
  t.Open({MakeRecord(8, program, {Trace(400, 2000), Trace(350, 1500)}),
          MakeRecord(8, program, {Trace(400, 2000)})},
         8);
  const FoPrimeResult& r = t.results->foprime[0];
  EXPECT_EQ(r.Fo, 400);
  EXPECT_EQ(r.Fm, 2000);
  EXPECT_EQ(r.FoPrime, 350);
  EXPECT_EQ(r.FmPrime, 1500);

  t.Show(kFoItem);
  EXPECT_EQ(t.Cell(1, 3), "200");
  EXPECT_EQ(t.Cell(1, 4), "5");
  EXPECT_EQ(t.Cell(1, 5), "300");
  EXPECT_EQ(t.Cell(1, 6), "400");
  EXPECT_EQ(t.Cell(1, 7), "350");
  EXPECT_EQ(t.Cell(2, 7), "0");
}

TEST(ChlConcentration, TenthsOfMicrogramsOrUnknown) {
  Table t;
  t.Open({MakeRecord(9, {1234}, {}), MakeRecord(9, {0}, {}), MakeRecord(9, {5}, {})}, 9);
  EXPECT_FLOAT_EQ(ChlConcentration(*t.image, t.list->offset(0)), 123.4f);
  t.Show(kChlItem);
  EXPECT_EQ(t.Cell(1, 3), "123.4");
  EXPECT_EQ(t.Cell(2, 3), "???");
  EXPECT_EQ(t.Cell(3, 3), "0.5");
  EXPECT_EQ(t.Cell(0, 3), "ChlConc(ug/L)");
  EXPECT_EQ(t.Cell(0, 4), "");
}

}  // namespace
}  // namespace corvel
