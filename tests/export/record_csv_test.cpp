#include "export/record_csv.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "export_test_files.h"
#include "records/record.h"
#include "support/record_builders.h"

namespace corvel {
namespace {

using testing::ImageOf;

constexpr uint32_t kOjip1s3000 = 0xC0010BB8;
// AL 30 (300), PP+ 5 (100), step index 1 (10 ms), AL duration 10 s.
constexpr uint32_t kPulse10ms = 0xCE51051E;
constexpr uint32_t kUnknown = 0x12345678;

synth::RecordSpec MakeRecord(uint32_t type_word, std::vector<uint32_t> program,
                             std::vector<synth::Bytes> blocks) {
  synth::RecordSpec r;
  r.name = "ALGAOJ01";
  r.number = 7;
  testing::SetStamp(r, 21, 3, 7, 9, 5, 2);
  r.type_word = type_word;
  r.program = std::move(program);
  r.blocks = std::move(blocks);
  return r;
}

std::string Csv(const synth::RecordSpec& record) {
  synth::FileBuilder b;
  b.Add(record);
  auto image = ImageOf(b.File());
  StringSink out;
  EXPECT_TRUE(WriteRecordCsv(*image, 0, out));
  return out.text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
  return lines;
}

std::vector<uint16_t> Counting(int n, uint16_t first) {
  std::vector<uint16_t> s(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) s[i] = static_cast<uint16_t>(first + i);
  return s;
}

TEST(RecordCsv, OjipTraceOf208Samples) {
  const auto lines = Lines(Csv(MakeRecord(1, {kOjip1s3000, 0xBE000000},
                                          {synth::OjipBlock(kOjip1s3000, Counting(208, 500))})));
  ASSERT_EQ(lines.size(), 4u + 208u);
  EXPECT_EQ(lines[0], "ALGAOJ01,0007,2021/03/07,09:05:02, OJIP,SL=3000:1S,");
  EXPECT_EQ(lines[1], " 1,,");
  EXPECT_EQ(lines[2], "OJIP,(3000:1S),");
  EXPECT_EQ(lines[3], "Time(mS),D1,");
  // Times on the OJIP time base: two decimals below 1 ms steps' end (index 63), whole ms after.
  const std::pair<int, std::string> rows[] = {
      {0, "0.01,500,"},   {9, "0.10,509,"},   {29, "0.30,529,"},  {30, "0.40,530,"},
      {56, "3.00,556,"},  {57, "4.00,557,"},  {63, "10.00,563,"}, {64, "11,564,"},
      {83, "30,583,"},    {84, "40,584,"},    {110, "300,610,"},  {111, "400,611,"},
      {117, "1000,617,"}, {118, "1100,618,"}, {207, "10000,707,"}};
  for (const auto& [n, text] : rows) EXPECT_EQ(lines[4 + n], text) << "row " << n;
}

TEST(RecordCsv, OjipTraceLongerThan208SamplesGoesOnInSeconds) {
  const auto lines =
      Lines(Csv(MakeRecord(1, {kOjip1s3000}, {synth::OjipBlock(kOjip1s3000, Counting(210, 1))})));
  ASSERT_EQ(lines.size(), 4u + 210u);
  EXPECT_EQ(lines[4 + 208], "11000,209,");
  EXPECT_EQ(lines[4 + 209], "12000,210,");
}

TEST(RecordCsv, MixedTracesKeepTheirColumnGroupsAndArePadded) {
  // Pulse count from the word at offset 48 (4 + 1), AL from the word at offset 52 (30 x 10).
  const std::string text =
      Csv(MakeRecord(2, {kOjip1s3000, 0xBB000004, kPulse10ms, 0xBE000000},
                     {synth::OjipBlock(kOjip1s3000, {10, 11, 12, 13, 14}),
                      synth::PulseBlock(kPulse10ms, {{100, 200}, {101, 201}, {102, 202}}),
                      synth::RawBlock(kUnknown, {7, 8})}));
  EXPECT_EQ(text,
            "ALGAOJ01,0007,2021/03/07,09:05:02, SlowKin,SL=4000,n=5,AL=300,\r\n"
            " 1,,2,,,3,,\r\n"
            "OJIP,(3000:1S),PulseMeas,(AL300:10S),(PP+100:10mS),???,???,\r\n"
            "Time(mS),D1,Time(S),D1,D2,???,???,\r\n"
            "0.01,10,0.010,100,200,???,???,\r\n"
            "0.02,11,0.020,101,201,???,???,\r\n"
            "0.03,12,0.030,102,202,,,\r\n"
            "0.04,13,,,,,,\r\n"
            "0.05,14,,,,,,\r\n");
}

TEST(RecordCsv, LongestTraceNeedNotBeTheFirst) {
  const std::string text =
      Csv(MakeRecord(1, {},
                     {synth::RawBlock(0xC0000000, {}), synth::OjipBlock(kOjip1s3000, {5}),
                      synth::PulseBlock(0xCE070000, {{1, 2}, {3, 4}})}));
  // An empty trace (block length 8) keeps its group; step index 7 is 1000 ms.
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], " 1,,2,,3,,,");
  EXPECT_EQ(lines[2], "OJIP,(0:0S),OJIP,(3000:1S),PulseMeas,(AL0:0S),(PP+0:1000mS),");
  EXPECT_EQ(lines[4], ",,0.01,5,1.000,1,2,");
  EXPECT_EQ(lines[5], ",,,,2.000,3,4,");
}

TEST(RecordCsv, OddPulseSampleCountDropsTheLastValue) {
  const auto lines =
      Lines(Csv(MakeRecord(6, {}, {synth::RawBlock(kPulse10ms, {1, 2, 3, 4, 5, 6, 999})})));
  ASSERT_EQ(lines.size(), 4u + 3u);
  EXPECT_EQ(lines[6], "0.030,5,6,");
  EXPECT_EQ(lines[0].find("999"), std::string::npos);
}

TEST(RecordCsv, PulseTimesUseTheStepOfTheirOwnTrace) {
  // Step index 3 (50 ms) and 6 (500 ms).
  const auto lines = Lines(Csv(MakeRecord(0, {},
                                          {synth::PulseBlock(0xCE030000, {{1, 1}, {2, 2}, {3, 3}}),
                                           synth::PulseBlock(0xCE060000, {{4, 4}})})));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[4], "0.050,1,1,0.500,4,4,");
  EXPECT_EQ(lines[5], "0.100,2,2,,,,");
  EXPECT_EQ(lines[6], "0.150,3,3,,,,");
}

TEST(RecordCsv, UnknownTraceShowsQuestionMarksInEveryCell) {
  const auto lines = Lines(Csv(MakeRecord(1, {}, {synth::RawBlock(kUnknown, {1, 2, 3})})));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[1], " 1,,");
  EXPECT_EQ(lines[2], "???,???,");
  EXPECT_EQ(lines[3], "???,???,");
  for (int n = 4; n < 7; ++n) EXPECT_EQ(lines[n], "???,???,");
}

TEST(RecordCsv, RecordWithoutBlocks) {
  auto record = MakeRecord(9, {0x00000064}, {});
  record.name = std::string("AL\0GAOJ1", 8);
  EXPECT_EQ(Csv(record), "AL,0007,2021/03/07,09:05:02, \r\n \r\n\r\n\r\n");
}

TEST(RecordCsv, AtMost255BlocksAreExported) {
  std::vector<synth::Bytes> blocks(300, synth::OjipBlock(kOjip1s3000, {1}));
  const auto lines = Lines(Csv(MakeRecord(1, {}, blocks)));
  ASSERT_EQ(lines.size(), 5u);
  std::string want = " ";
  for (int b = 1; b <= 255; ++b) want += std::to_string(b) + ",,";
  EXPECT_EQ(lines[1], want);
  EXPECT_EQ(lines[4].size(), 255u * std::string("0.01,1,").size());
}

TEST(RecordCsv, WriteFailureIsReported) {
  class FailingSink final : public ByteSink {
   public:
    using ByteSink::Write;
    bool Write(const void*, size_t) override { return false; }
  };
  synth::FileBuilder b;
  b.Add(MakeRecord(1, {}, {synth::OjipBlock(kOjip1s3000, Counting(208, 1))}));
  auto image = ImageOf(b.File());
  FailingSink sink;
  EXPECT_FALSE(WriteRecordCsv(*image, 0, sink));
}

TEST(RecordCsv, HeadingCellsOfEveryTraceKind) {
  char cells[kCellCapacity];
  const std::pair<uint32_t, std::string> cases[] = {
      {0xC0FFFFFF, "OJIP,(65535:255S),"},
      {0xCEFFFFFF, "PulseMeas,(AL2550:31S),(PP+5100:1000mS),"},
      {0xCE000000, "PulseMeas,(AL0:0S),(PP+0:5mS),"},
      {0xC1000000, "???,???,"},
      {0x00000000, "???,???,"}};
  for (const auto& [code, text] : cases) {
    const size_t n = FormatTraceHead(code, cells);
    EXPECT_EQ(std::string(cells, n), text);
  }
}

}  // namespace
}  // namespace corvel
