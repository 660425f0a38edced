#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "param_files.h"
#include "params/table_csv.h"

namespace corvel {
namespace {

using testing::kOjipCode;
using testing::MakeRecord;
using testing::Table;
using testing::Trace;

constexpr int kOjipItem = 0, kSlowKinItem = 1, kRlcItem = 2, kDrItem = 3, kAssItem = 4,
              kUserItem = 8;

// Fo 100, peak 1000 at 50 us, Fk 300, Fj 600, Fi 800: the hand-computed trace of the JIP tests.
synth::RecordSpec Ojip(uint16_t number, std::string name = "ALGA0001") {
  synth::RecordSpec r =
      MakeRecord(1, {0xC00A0BB8}, {synth::OjipBlock(kOjipCode, testing::EarlyPeakTrace())}, number);
  r.name = std::move(name);
  return r;
}

TEST(FillGrid, OjipRowsFollowListOrderWithIdentityColumns) {
  Table t;
  t.Open({Ojip(1), Ojip(12, std::string("AB\0DEFGH", 8)), Ojip(3), Ojip(12345, "ABCDEFGH"),
          Ojip(7, "ABCDEFGH")},
         1);
  t.Show(kOjipItem, {4, 1, 3});
  ASSERT_EQ(t.grid.row_count(), 5);
  EXPECT_EQ(t.Cell(0, 19), "\xA6\xD5po");
  EXPECT_EQ(t.Cell(1, 0), "AB0012");
  EXPECT_EQ(t.Cell(2, 0), "ABCDEFGH12345");
  EXPECT_EQ(t.Cell(3, 0), "ABCDEFGH0007");
  EXPECT_EQ(t.Cell(1, 1), "2024/06/13 10:00:00");
  EXPECT_EQ(t.Cell(1, 2), "OJIP");
  EXPECT_EQ(t.Cell(1, 3), "3000(10S)");
  const char* const want[] = {"100",  "500",  "300",   "600",    "800",  "1000",   "0",
                              "900",  "0.90", "0.10",  "0.56",   "585",  "0.89",   "0.65",
                              "1.04", "0.90", "0.44",  "0.40",   "0.10", "1.78",   "1.60",
                              "0.71", "0.18", "56.25", "562.50", "4.05", "405.00", "4050.00",
                              "0.61", "2.61", "3.61"};
  for (int c = 4; c <= 34; ++c) EXPECT_EQ(t.Cell(1, c), want[c - 4]) << c;
  EXPECT_EQ(t.Cell(1, 35), "");
  EXPECT_EQ(t.Cell(4, 0), "");
}

TEST(FillGrid, NothingSelectedLeavesTitlesAndOneEmptyRow) {
  Table t;
  t.Open({Ojip(1)}, 1);
  t.list->selected[0] = 0;
  FillTableForRadio(kOjipItem, GridSource{*t.image, *t.list, *t.results}, t.grid);
  ASSERT_EQ(t.grid.row_count(), 2);
  StringSink sink;
  WriteTableCsv(t.grid, sink);
  EXPECT_EQ(sink.text.substr(sink.text.size() - 42), std::string(40, ',') + "\r\n");
}

TEST(FillGrid, UserProgramsGetAnEmptyResetTable) {
  Table t;
  t.Open({Ojip(1)}, 1);
  t.Show(kOjipItem);
  t.Show(kUserItem);
  EXPECT_EQ(t.grid.row_count(), 2);
  EXPECT_EQ(t.grid.col_count(), 40);
  EXPECT_EQ(t.Cell(0, 0), "");
  EXPECT_EQ(t.Cell(1, 0), "");
}

TEST(FillGrid, SlowKinSettingsColumns) {
  Table t;
  t.Open({MakeRecord(2, {0xCA003228, 0xBB00000A, 0xCE000028},
                     {Trace(500, 2500), Trace(300, 310), Trace(700, 1500)})},
         2);
  t.Show(kSlowKinItem);
  EXPECT_EQ(t.Cell(1, 2), "SlowKin");
  EXPECT_EQ(t.Cell(1, 3), "400");
  EXPECT_EQ(t.Cell(1, 4), "4000(11)");
  EXPECT_EQ(t.Cell(1, 8), "1500");  // Fm' before Fo'
  EXPECT_EQ(t.Cell(1, 9), "441");
  EXPECT_EQ(t.Cell(1, 11), "800.00");
  EXPECT_EQ(t.Cell(1, 16), "89.60");
}

synth::RecordSpec Rlc(uint32_t adaptation) {
  std::vector<synth::Bytes> blocks{Trace(500, 2500)};
  for (int k = 0; k < 10; ++k) blocks.push_back(Trace(700, 1500));
  return MakeRecord(3, {adaptation}, blocks);
}

TEST(FillGrid, RlcBlocksOfTenRowsAndAnEmptyRowEach) {
  Table t;
  t.Open({Rlc(0xB0000000), Rlc(0xCA00320A)}, 3);
  t.Show(kRlcItem);
  ASSERT_EQ(t.grid.row_count(), 11 * 2 + 2);
  EXPECT_EQ(t.Cell(1, 3), "0(0)");
  EXPECT_EQ(t.Cell(12, 3), "100(5)");
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(t.Cell(1 + k, 4), std::to_string(kRlcLight[k]));
    EXPECT_EQ(t.Cell(1 + k, 5), "4000(" + std::to_string(k + 1) + ")");
    EXPECT_EQ(t.Cell(1 + k, 6), "0.53");
    EXPECT_EQ(t.Cell(1 + k, 9), "0.76");
    EXPECT_EQ(t.Cell(12 + k, 6), "0.53");
    for (int c = 8; c <= 13; ++c) EXPECT_EQ(t.Cell(12 + k, c), "") << "light-adapted";
  }
  EXPECT_EQ(t.Cell(2, 0), "");
  EXPECT_EQ(t.Cell(11, 4), "");
  EXPECT_EQ(t.Cell(22, 4), "");
  EXPECT_EQ(t.Cell(23, 4), "");
}

TEST(FillGrid, DrAndAfterSsRowCounts) {
  std::vector<synth::Bytes> pulses;
  for (int k = 0; k < 20; ++k) pulses.push_back(Trace(400, 2000));
  const synth::RecordSpec dr = MakeRecord(4, {0xCA00320A, 0, 0, 0xCA0BB800}, pulses);
  Table t;
  t.Open({dr, dr, dr}, 4);
  t.Show(kDrItem);
  EXPECT_EQ(t.grid.row_count(), 21 * 3 + 2);
  EXPECT_EQ(t.Cell(22, 0), "ALGA00010001");
  EXPECT_EQ(t.Cell(22, 9), "----");
  EXPECT_EQ(t.Cell(21, 5), "");

  // Adaptation 100, 20 s dark/far-red, AL 1200.
  const synth::RecordSpec ass = MakeRecord(5, {0xCA00320A, 0, 0xCF07D000, 0xCA0004B0}, pulses);
  t.Open({ass, ass}, 5);
  t.Show(kAssItem, {1});
  ASSERT_EQ(t.grid.row_count(), 3);
  EXPECT_EQ(t.Cell(1, 2), "AfterSS");
  EXPECT_EQ(t.Cell(1, 3), "100");
  EXPECT_EQ(t.Cell(1, 4), "20");
  EXPECT_EQ(t.Cell(1, 5), "1200");
  EXPECT_EQ(t.results->afterss[1].Fm[0], 2000);
}

TEST(FillGrid, SelectAllOnAFullDarkRelaxationList) {
  // 9998 records of twenty four-sample pulses: the largest table a file can produce.
  std::vector<synth::Bytes> pulses;
  for (int k = 0; k < 20; ++k) pulses.push_back(synth::OjipBlock(kOjipCode, {400, 400, 400, 400}));
  const synth::RecordSpec dr = MakeRecord(4, {0xCA00320A, 0, 0, 0xCA0BB800}, pulses);
  Table t;
  t.Open(std::vector<synth::RecordSpec>(kListLimit, dr), 4);
  ASSERT_EQ(t.list->count, kListLimit);
  const auto start = std::chrono::steady_clock::now();
  t.Show(kDrItem);
  StringSink sink;
  WriteTableCsv(t.grid, sink);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(t.grid.row_count(), 21 * kListLimit + 2);
  EXPECT_EQ(t.Cell(21 * 9997 + 1, 9), "----");
  EXPECT_EQ(t.Cell(21 * 9997 + 20, 5), "3000(20)");
  RecordProperty("fill_and_csv_ms", static_cast<int>(ms));
  std::printf("select all of %d dark relaxation records: %.0f ms, %zu CSV bytes\n", kListLimit, ms,
              sink.text.size());
}

}  // namespace
}  // namespace corvel
