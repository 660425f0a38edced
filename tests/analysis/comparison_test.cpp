#include "analysis/comparison.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/compare_csv.h"
#include "params/result_tables.h"
#include "records/test_files.h"

namespace corvel {
namespace {

// Result tables set by hand over an empty file image: the comparison reads only the values.
struct HandTables {
  std::unique_ptr<FileImage> image = std::make_unique<FileImage>();
  std::unique_ptr<RecordList> list = std::make_unique<RecordList>();
  std::unique_ptr<ResultTables> results = std::make_unique<ResultTables>();
  GridSource source() const { return {*image, *list, *results}; }
};

// Six OJIP records: Fo 1, 2, 3 in the control, 4, 5, 6 in the treatment; Fm 10 in every record;
// Fv/Fm 0 in the control.
std::unique_ptr<HandTables> SixOjipRecords() {
  auto t = std::make_unique<HandTables>();
  t->list->count = 6;
  for (int i = 0; i < 6; ++i) {
    OjipResult& r = t->results->ojip[i];
    r.Fo = static_cast<uint16_t>(i + 1);
    r.Fm = 10;
    r.FvFm = i < 3 ? 0.0f : 0.5f;
  }
  return t;
}

const std::vector<RecordGroup> kTwoGroups = {{"CK", {0, 1, 2}}, {"T", {3, 4, 5}}};

TEST(Comparison, StatisticsOfEveryTableParameterAgainstTheControl) {
  auto t = SixOjipRecords();
  Comparison c;
  ASSERT_EQ(Compare(t->source(), 0, kTwoGroups, 0, false, c), CompareStatus::kOk);
  // Every numeric column of the OJIP table, in column order: 8 points, 23 computed values.
  ASSERT_EQ(c.parameters.size(), 31u);
  EXPECT_EQ(c.parameters[0], "Fo");
  EXPECT_EQ(c.parameters[5], "Fm(Fp)");
  EXPECT_EQ(c.parameters[8], "Fv/Fm");
  EXPECT_EQ(c.parameters[17], "φEo");  // GBK A6 D5 decoded
  const GroupStat& fo = c.stat(1, 0);
  EXPECT_EQ(fo.n, 3);
  EXPECT_DOUBLE_EQ(fo.mean, 5);
  EXPECT_DOUBLE_EQ(fo.sd, 1);
  EXPECT_DOUBLE_EQ(fo.ratio, 2.5);
  EXPECT_NEAR(fo.p, 0.0213116, 1e-7);
  // The control's own row: ratio 1, no test against itself.
  EXPECT_DOUBLE_EQ(c.stat(0, 0).ratio, 1);
  EXPECT_TRUE(std::isnan(c.stat(0, 0).p));
  // Fm is the same everywhere: ratio 1, both SDs 0, so no p.
  EXPECT_DOUBLE_EQ(c.stat(1, 5).ratio, 1);
  EXPECT_TRUE(std::isnan(c.stat(1, 5).p));
  // Control mean of Fv/Fm is 0: no ratio, for the control itself neither.
  EXPECT_TRUE(std::isnan(c.stat(1, 8).ratio));
  EXPECT_TRUE(std::isnan(c.stat(0, 8).ratio));
}

TEST(Comparison, SummaryCsvRows) {
  auto t = SixOjipRecords();
  Comparison c;
  ASSERT_EQ(Compare(t->source(), 0, kTwoGroups, 0, false, c), CompareStatus::kOk);
  StringSink sink;
  ASSERT_TRUE(WriteCompareCsv(c, sink));
  const std::string& text = sink.text;
  EXPECT_EQ(text.rfind("group,parameter,n,mean,sd,se,ratio,p\r\nCK,Fo,3,2,1,0.5773503,1,\r\n", 0),
            0u);
  EXPECT_NE(text.find("\r\nT,Fo,3,5,1,0.5773503,2.5,0.02131164\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nT,Fv/Fm,3,0.5,0,0,,\r\n"), std::string::npos);
  // 1 header line and 31 parameters for each of the two groups.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 63);
}

TEST(Comparison, CompareNumberHasSevenSignificantDigits) {
  EXPECT_EQ(CompareNumber(0.021311641), "0.02131164");
  EXPECT_EQ(CompareNumber(1234567.8), "1234568");
  EXPECT_EQ(CompareNumber(-0.0), "0");
  EXPECT_EQ(CompareNumber(std::nan("")), "");
}

TEST(Comparison, RefusesBadGroupsAndTypesWithoutParameters) {
  auto t = SixOjipRecords();
  Comparison c;
  EXPECT_EQ(Compare(t->source(), 0, {{"A", {0, 1}}, {"B", {1, 2}}}, 0, false, c),
            CompareStatus::kBadGroups);
  EXPECT_EQ(c.check.problem, GroupProblem::kOverlap);
  EXPECT_EQ(c.check.position, 1);
  EXPECT_EQ(Compare(t->source(), 0, {{"A", {0, 6}}}, 0, false, c), CompareStatus::kBadGroups);
  EXPECT_EQ(c.check.problem, GroupProblem::kOutsideList);
  EXPECT_EQ(Compare(t->source(), 0, kTwoGroups, 2, false, c), CompareStatus::kBadControl);
  EXPECT_EQ(Compare(t->source(), 0, {}, 0, false, c), CompareStatus::kNoGroups);
  EXPECT_EQ(Compare(t->source(), 8, kTwoGroups, 0, false, c), CompareStatus::kNoParameters);
  EXPECT_EQ(Compare(t->source(), 4, kTwoGroups, 0, false, c), CompareStatus::kNoParameters);
}

TEST(Comparison, StepTypesNameTheStep) {
  auto t = std::make_unique<HandTables>();
  t->list->count = 2;
  t->results->dr[0].FvFm[2] = 0.6f;
  t->results->dr[1].FvFm[2] = 0.7f;
  Comparison c;
  ASSERT_EQ(Compare(t->source(), 3, {{"A", {0}}, {"B", {1}}}, 0, false, c), CompareStatus::kOk);
  const int k = c.ParameterIndex("Fv/Fm[3]");
  ASSERT_GE(k, 0);
  EXPECT_NEAR(c.stat(1, k).ratio, 0.7 / 0.6, 1e-6);
  // Fo of every pulse comes before Fm of any; NPQ has no first pulse.
  EXPECT_EQ(c.parameters[0], "Fo[1]");
  EXPECT_EQ(c.parameters[20], "Fm[1]");
  EXPECT_EQ(c.ParameterIndex("NPQ[1]"), -1);
}

TEST(Comparison, GroupsAreProposedByNameWithoutTrailingDigits) {
  synth::FileBuilder file;
  for (const char* name : {"CK1", "CK2", "T1", "CK3", "T2", "123", ""}) {
    synth::RecordSpec r = testing::OjipRecord(std::vector<uint16_t>(208, 500));
    r.name = name;
    file.Add(r);
  }
  auto image = std::make_unique<FileImage>();
  testing::LoadBytes(file.File(), *image);
  auto list = std::make_unique<RecordList>();
  uint32_t tally = 0;
  FillFNtoListBox(*image, 1, *list, tally);
  const std::vector<RecordGroup> groups = ProposeGroups(*image, *list);
  ASSERT_EQ(groups.size(), 4u);
  EXPECT_EQ(groups[0].name, "CK");
  EXPECT_EQ(groups[0].positions, (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(groups[1].name, "T");
  EXPECT_EQ(groups[1].positions, (std::vector<int>{2, 4}));
  EXPECT_EQ(groups[2].name, "123");
  EXPECT_EQ(groups[3].name, "-");
  EXPECT_EQ(NameStem("ALGA01"), "ALGA");
  EXPECT_EQ(NameStem("A1B2"), "A1B");
}

TEST(Comparison, GroupChecks) {
  EXPECT_EQ(CheckGroups(kTwoGroups, 6).problem, GroupProblem::kNone);
  EXPECT_EQ(CheckGroups({{"A", {0}}, {"A", {1}}}, 6).problem, GroupProblem::kDuplicateName);
  EXPECT_EQ(CheckGroups({{"", {0}}}, 6).problem, GroupProblem::kEmptyName);
  EXPECT_EQ(CheckGroups({{"A", {}}}, 6).problem, GroupProblem::kNoRecord);
  const GroupCheck overlap = CheckGroups({{"A", {0, 3}}, {"B", {1}}, {"C", {3}}}, 6);
  EXPECT_EQ(overlap.problem, GroupProblem::kOverlap);
  EXPECT_EQ(overlap.group, 2);
  EXPECT_EQ(overlap.position, 3);
}

// Two traces of the file: the treatment's curves against the control, read from the traces.
TEST(Comparison, CurvesFromTheTracesOfAnOjipFile) {
  synth::FileBuilder file;
  file.Add(testing::OjipRecord(testing::RampTrace(208, 400, 2000, 150)));
  file.Add(testing::OjipRecord(testing::RampTrace(100, 400, 1600, 90)));
  auto t = std::make_unique<HandTables>();
  testing::LoadBytes(file.File(), *t->image);
  uint32_t tally = 0;
  FillFNtoListBox(*t->image, 1, *t->list, tally);
  CacuFNinListBox(*t->image, 1, *t->list, *t->results);
  Comparison c;
  ASSERT_EQ(Compare(t->source(), 0, {{"CK", {0}}, {"T", {1}}}, 0, true, c), CompareStatus::kOk);
  ASSERT_EQ(c.curves.size(), 2u);
  EXPECT_EQ(c.curves[0].n[207], 1);
  EXPECT_EQ(c.curves[1].n[99], 1);
  EXPECT_EQ(c.curves[1].n[100], 0);  // the shorter trace ends there
  EXPECT_DOUBLE_EQ(c.curves[0].mean[kCurveF][0], 400);
  EXPECT_DOUBLE_EQ(c.curves[0].diff[kCurveV - 1][10], 0);
  EXPECT_TRUE(std::isnan(c.curves[1].diff[kCurveV - 1][150]));
  StringSink sink;
  ASSERT_TRUE(WriteCompareCurvesCsv(c, sink));
  // The first sample of the control: F 400 with no SD of one record, no V_IP before 30 ms, and
  // no difference to itself.
  const std::string head = std::string(kCompareCurvesCsvHeader) + "\r\n";
  ASSERT_EQ(sink.text.rfind(head + "10,CK,1,400,,", 0), 0u);
  const std::string first =
      sink.text.substr(head.size(), sink.text.find('\n', head.size()) + 1 - head.size());
  EXPECT_EQ(first.substr(first.size() - 10), ",,0,0,0,\r\n");
  EXPECT_EQ(std::count(sink.text.begin(), sink.text.end(), '\n'), 1 + 2 * 208);
}

}  // namespace
}  // namespace corvel
