#include <gtest/gtest.h>

#include <string>

#include "params/after_steady_state.h"
#include "params/pifr.h"
#include "records/least_squares.h"
#include "records/ojip_decoder.h"
#include "records/record.h"
#include "records/settings.h"
#include "records/time_base.h"
#include "test_files.h"

namespace corvel {
namespace {

using testing::LoadBytes;
using testing::OjipRecord;

// Decodes the first block of a one-record file holding `samples`.
OjipResult Points(const std::vector<uint16_t>& samples, int32_t* peak = nullptr,
                  uint32_t code = 0xC0010BB8) {
  synth::FileBuilder b;
  synth::RecordSpec r = OjipRecord(samples);
  r.blocks[0] = synth::RawBlock(code, samples);
  b.Add(r);
  static FileImage image;
  LoadBytes(b.File(), image);
  OjipResult out;
  const int32_t p = DecodeOjipPoints(image, Record(image, 0).first_block(), out);
  if (peak) *peak = p;
  return out;
}

std::vector<uint16_t> Flat(int n, uint16_t v) {
  return std::vector<uint16_t>(n, v);
}

TEST(OjipPoints, FoIsTheRoundedMeanOfSamplesOneToThree) {
  auto s = Flat(208, 50);
  s[100] = 3000;
  s[1] = 100, s[2] = 101, s[3] = 101;
  EXPECT_EQ(Points(s).Fo, 101);
  s[1] = 100, s[2] = 100, s[3] = 101;
  EXPECT_EQ(Points(s).Fo, 100);
}

TEST(OjipPoints, PeakTimeFollowsTheTimeBaseUnits) {
  const std::pair<int, uint16_t> cases[] = {{29, 0}, {63, 10}, {70, 17}, {150, 4300}, {207, 10000}};
  for (auto [index, ms] : cases) {
    auto s = Flat(208, 500);
    s[index] = 2500;
    int32_t p = 0;
    const OjipResult r = Points(s, &p);
    EXPECT_EQ(r.tFm, ms) << index;
    EXPECT_EQ(p, index);
  }
}

TEST(OjipPoints, EqualMaximaGiveTheEarlierPeakAndOnly208SamplesCount) {
  auto s = Flat(300, 400);
  s[90] = 2000;
  s[120] = 2000;
  s[250] = 4000;  // beyond the samples the decoder uses
  const OjipResult r = Points(s);
  EXPECT_EQ(r.Fm, 2000);
  EXPECT_EQ(r.tFm, 100);  // index 90 lies at 100 ms
}

TEST(OjipPoints, PeakInsideAGroupOfEightAndInTheLastSamplesOfAShortTrace) {
  int32_t p = 0;
  auto s = Flat(208, 500);
  s[99] = 2000;
  s[97] = 2000;  // the same group of eight (96..103): the earlier one
  Points(s, &p);
  EXPECT_EQ(p, 97);
  auto short_trace = Flat(45, 500);  // its last group (40..47) holds five samples
  short_trace[44] = 900;
  EXPECT_EQ(Points(short_trace, &p).Fm, 900);
  EXPECT_EQ(p, 44);
}

TEST(OjipPoints, FixedPointsAndRatio) {
  std::vector<uint16_t> s(208);
  for (int i = 0; i < 208; ++i) s[i] = static_cast<uint16_t>(1000 + i);
  s[1] = s[2] = s[3] = 500;
  const OjipResult r = Points(s);
  EXPECT_EQ(r.Fl, 1009);
  EXPECT_EQ(r.Fk, 1029);
  EXPECT_EQ(r.Fj, 1046);
  EXPECT_EQ(r.Fi, 1083);
  EXPECT_EQ(r.Fm, 1207);
  EXPECT_EQ(r.Fv, 707);
  EXPECT_FLOAT_EQ(r.FvFm, 707.0f / 1207.0f);
}

TEST(OjipPoints, NotAnOjipTraceOrNoVariableFluorescenceStops) {
  int32_t p = 0;
  OjipResult r = Points(Flat(208, 800), &p, 0xCE52051E);
  EXPECT_EQ(r.Fm, 0);
  EXPECT_EQ(r.Fo, 0);
  EXPECT_EQ(p, -1);
  r = Points(Flat(208, 800), &p);  // flat: Fm = Fo
  EXPECT_EQ(r.Fm, 800);
  EXPECT_EQ(r.Fv, 0);
  EXPECT_EQ(r.FvFm, 0.0f);
  EXPECT_EQ(p, -1);
}

TEST(OjipPoints, ShortTraceReadsZeroForPointsItLacks) {
  // 40 samples, followed in the record by another block whose bytes must not be read as samples.
  synth::FileBuilder b;
  synth::RecordSpec r = OjipRecord(Flat(40, 700));
  r.blocks.push_back(synth::OjipBlock(0xC0010BB8, Flat(208, 9999)));
  b.Add(r);
  FileImage image;
  LoadBytes(b.File(), image);
  OjipResult out;
  DecodeOjipPoints(image, Record(image, 0).first_block(), out);
  EXPECT_EQ(out.Fk, 700);
  EXPECT_EQ(out.Fj, 0);
  EXPECT_EQ(out.Fi, 0);
  EXPECT_EQ(out.Fm, 700);
}

TEST(TimeBase, UnitChangeAtIndex64) {
  EXPECT_FLOAT_EQ(OjipTimeMs(0), 0.01f);
  EXPECT_FLOAT_EQ(OjipTimeMs(63), 10.0f);
  EXPECT_FLOAT_EQ(OjipTimeMs(64), 11.0f);
  EXPECT_FLOAT_EQ(OjipTimeMs(117), 1000.0f);
  EXPECT_FLOAT_EQ(OjipTimeMs(118), 1100.0f);
  EXPECT_FLOAT_EQ(OjipTimeMs(207), 10000.0f);
  EXPECT_EQ(OjipTimeWholeMs(208), 11000u);
  EXPECT_EQ(OjipTimeUs(83), 30000.0);
  EXPECT_EQ(OjipTimeUs(207), 10000000.0);
}

// Settings lines of a record of `type` whose program holds `words` from offset 44.
std::string Line(uint32_t type, std::vector<uint32_t> words) {
  synth::FileBuilder b;
  synth::RecordSpec r;
  r.type_word = type;
  r.program = std::move(words);
  b.Add(r);
  FileImage image;
  LoadBytes(b.File(), image);
  char out[kSettingsLineCapacity];
  const size_t n = FormatSettingsLine(image, 0, out);
  return std::string(out, n);
}

TEST(Settings, LinesOfEveryType) {
  EXPECT_EQ(Line(1, {0xC0020BB8}), "OJIP,SL=3000:2S,\n");
  EXPECT_EQ(Line(2, {0xB0000000, 0xBB00000A, 0xCE52051E}), "SlowKin,SL=4000,n=11,AL=300,\n");
  EXPECT_EQ(Line(3, {0xCA75300A}), "RLC,LAdap=100:5min,SL=4000,\n");
  EXPECT_EQ(Line(3, {0xB0000000}), "RLC,LAdap=Sun,SL=4000,\n");
  EXPECT_EQ(Line(4, {0xCA75300A, 0, 0, 0xCAEA6000}),
            "DarkR,LAdap=100:5min,SL=3000,n=20,Dark:600S,\n");
  EXPECT_EQ(Line(5, {0xCA75300A, 0, 0xCF0BB800, 0x000003E8}),
            "AfterSS,LAdap=100:5min,Dark/FR:30S,AL=1000:10S,SL=4000,n=5x2,\n");
  EXPECT_EQ(Line(8, {0x0000012C, 0xCA000014, 0xCF2BF200}),
            "Fo'Model,LAdap=200:3min,FRed:11S,AL=300,\n");
  EXPECT_EQ(Line(9, {1234}), "");
  EXPECT_EQ(Line(0, {0xB0000000}), "");
  EXPECT_EQ(Line(7, {0xC0010BB8}), "");
}

TEST(Settings, PifrPulseSecondsSumUntilAnotherOpcode) {
  const uint32_t adapt = 0xCAEA600A;  // 60000 x 10 ms = 10 min at 100
  const uint32_t s31 = 0xCE000000u | (31u << 19), s20 = 0xCE000000u | (20u << 19);
  EXPECT_EQ(Line(6, {adapt, s31, s31, s20, 0xBE000000, s31}), "PIFR,LAdap=100:10min,PP:82S,\n");
  // Ten pulse words at most are summed.
  EXPECT_EQ(Line(6, std::vector<uint32_t>(1, adapt)), "PIFR,LAdap=100:10min,PP:0S,\n");
  std::vector<uint32_t> many(1, adapt);
  for (int i = 0; i < 12; ++i) many.push_back(s31);
  EXPECT_EQ(Line(6, many), "PIFR,LAdap=100:10min,PP:310S,\n");
}

TEST(BlockRoles, PifrCurveTakesEveryFifthSecondValueAndCapsAt300Points) {
  synth::FileBuilder b;
  synth::RecordSpec r;
  r.type_word = 6;
  const uint32_t s31 = 0xCE000000u | (31u << 19);
  r.program = {0xCA00000A};
  for (int i = 0; i < 10; ++i) r.program.push_back(s31);  // 310 s: capped at 300 points
  std::vector<std::pair<uint16_t, uint16_t>> pairs;
  for (int k = 0; k < 600; ++k) pairs.push_back({1, static_cast<uint16_t>(k)});
  for (int blk = 0; blk < 12; ++blk) r.blocks.push_back(synth::PulseBlock(0xCE000000u, pairs));
  b.Add(r);
  FileImage image;
  LoadBytes(b.File(), image);
  PifrCurve curve;
  ComputePifrCurve(image, 0, curve);
  EXPECT_EQ(curve.count(), 300);
  EXPECT_EQ(curve.point(0), 0);
  EXPECT_EQ(curve.point(1), 5);
  EXPECT_EQ(curve.point(119), 595);
  EXPECT_EQ(curve.point(120), 0);  // the second block starts again at 0
  EXPECT_EQ(curve.point(299), 295);
  EXPECT_EQ(curve.largest(), 595);
}

TEST(BlockRoles, AfterSteadyStatePairsAndLeastSquares) {
  synth::FileBuilder b;
  synth::RecordSpec r;
  r.type_word = 5;
  for (int k = 0; k < 20; ++k) {
    auto s = Flat(208, 300);
    s[100] = static_cast<uint16_t>(1000 + k);
    r.blocks.push_back(synth::OjipBlock(0xC0010BB8, s));
  }
  b.Add(r);
  FileImage image;
  LoadBytes(b.File(), image);
  AfterSsResult a;
  DecodeAfterSs(image, 0, a);
  EXPECT_EQ(a.Fm[0], 1000);   // block 1
  EXPECT_EQ(a.Fm[10], 1001);  // block 2
  EXPECT_EQ(a.Fm[9], 1018);   // block 19
  EXPECT_EQ(a.Fm[19], 1019);  // block 20

  const uint32_t x[] = {1, 2, 3, 4}, y[] = {3, 5, 7, 9};
  float slope = 0, intercept = 0;
  LeastSquaresLine(x, y, 4, slope, intercept);
  EXPECT_FLOAT_EQ(slope, 2.0f);
  EXPECT_FLOAT_EQ(intercept, 1.0f);
  const uint32_t same[] = {5, 5};
  LeastSquaresLine(same, y, 2, slope, intercept);
  EXPECT_EQ(slope, 0.0f);
  EXPECT_EQ(intercept, 0.0f);
}

TEST(FileLoading, ShortFilesAndCutFilesAndMissingFiles) {
  FileImage image;
  const std::string dir = ::testing::TempDir();
  const std::string short_path = dir + "/short.bin";
  std::FILE* f = std::fopen(short_path.c_str(), "wb");
  std::fwrite("0123456789", 1, 10, f);
  std::fclose(f);
  ASSERT_TRUE(LoadFileImage(short_path, image).ok);
  EXPECT_EQ(image.header[9], '9');
  EXPECT_EQ(image.header[10], 0xFF);
  EXPECT_EQ(image.header[63], 0xFF);
  EXPECT_EQ(image.loaded_bytes, 0u);

  const std::string long_path = dir + "/long.bin";
  f = std::fopen(long_path.c_str(), "wb");
  std::vector<uint8_t> bytes(kHeaderSize + kAreaSize + 3, 0x46);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  ASSERT_TRUE(LoadFileImage(long_path, image).ok);
  EXPECT_TRUE(image.cut_at_capacity);
  EXPECT_EQ(image.loaded_bytes, kAreaSize);

  const FileResult missing = LoadFileImage(dir + "/no/such.bin", image);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.message.rfind("Cannot open ", 0), 0u);
  EXPECT_NE(missing.message.find("no/such.bin"), std::string::npos);
}

}  // namespace
}  // namespace corvel
