#include "viewer/session.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "records/record.h"
#include "support/test_folder.h"
#include "synth/writer.h"

namespace corvel {
namespace {

std::vector<uint16_t> Trace(uint16_t fo, uint16_t fm) {
  std::vector<uint16_t> s(208, fo);
  for (int i = 40; i < 208; ++i)
    s[i] = static_cast<uint16_t>(fo + (fm - fo) * (i < 150 ? i : 150) / 150);
  return s;
}

synth::RecordSpec Ojip(uint16_t number, uint16_t fm) {
  synth::RecordSpec r;
  r.name = "ALGAOJ01";
  r.number = number;
  r.type_word = 1;
  r.program = {0xC0010BB8, 0xBE000000};
  r.blocks.push_back(synth::OjipBlock(0xC0010BB8, Trace(400, fm)));
  return r;
}

synth::RecordSpec Chl(uint16_t number, uint32_t tenths) {
  synth::RecordSpec r;
  r.name = "ALGACH01";
  r.number = number;
  r.type_word = 9;
  r.program = {tenths};
  return r;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testing::TestFolder("session");
    synth::FileBuilder b;
    b.Add(Ojip(1, 1800)).Add(Chl(2, 1234)).Add(Ojip(3, 2500)).Add(Ojip(4, 2100)).Add(Chl(5, 0));
    file = dir + "/five.bin";
    ASSERT_TRUE(b.Save(file));
    ASSERT_TRUE(s.Open(file).ok);
  }
  std::string dir, file;
  Session s;
};

TEST_F(SessionTest, OpenListsOjipAndTakesTheLargestFmOfAllListed) {
  EXPECT_EQ(s.radio_item(), 0);
  EXPECT_EQ(s.list().count, 3);
  EXPECT_EQ(s.ojip_fm_max(), 2500u);
  EXPECT_EQ(s.record_tally(), 5u);
  EXPECT_FALSE(s.HasUnsavedDeletions());
}

TEST_F(SessionTest, AFileThatCannotBeReadLeavesTheLoadedOneAlone) {
  s.SetSelected(1, true);
  s.DeleteSelected();
  ASSERT_TRUE(s.HasUnsavedDeletions());
  const FileResult r = s.Open(dir + "/missing.bin");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("missing.bin"), std::string::npos);
  EXPECT_EQ(s.list().count, 2);
  EXPECT_TRUE(s.HasUnsavedDeletions());
  EXPECT_EQ(s.SaveModeForDialog(), 1);
  // A directory cannot be read as a file either.
  EXPECT_FALSE(s.Open(dir).ok);
  EXPECT_EQ(s.list().count, 2);
}

#ifndef _WIN32
// A FIFO would hold a blocking open until a writer came; a device is no measurement file. Both are
// refused at once, naming the path, and the loaded file stays (rule D4).
TEST_F(SessionTest, OpeningAFifoOrADeviceIsRefusedAtOnceAndKeepsTheLoadedFile) {
  const std::string fifo = dir + "/measurements.bin";
  std::filesystem::remove(fifo);  // left by an earlier run in the same folder
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const FileResult r = s.Open(fifo);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, "Cannot open " + fifo + ": not a regular file");
  EXPECT_EQ(s.list().count, 3);
  EXPECT_EQ(s.Open("/dev/null").message, "Cannot open /dev/null: not a regular file");
  EXPECT_EQ(s.Open(dir).message, "Cannot open " + dir + ": not a regular file");
  EXPECT_EQ(s.list().count, 3);
  EXPECT_EQ(s.ojip_fm_max(), 2500u);
}
#endif

TEST_F(SessionTest, ListClickFillsOneRowPerSelectedRecordInListOrder) {
  s.SetSelected(2, true);
  s.SetSelected(0, true);
  s.ListClick();
  ASSERT_EQ(s.grid().row_count(), 4);
  EXPECT_EQ(s.grid().Cell(0, 0), "Filename");
  EXPECT_EQ(s.grid().Cell(1, 0), "ALGAOJ010001");
  EXPECT_EQ(s.grid().Cell(2, 0), "ALGAOJ010004");
  EXPECT_EQ(s.grid().Cell(3, 0), "");
  // A type switch resets the table to the new type's title row (rule D18).
  s.SwitchType(9);
  EXPECT_EQ(s.grid().Cell(0, 3), "ChlConc(ug/L)");
  EXPECT_EQ(s.grid().Cell(1, 0), "");
  EXPECT_EQ(s.list().selected_count, 0);
  ASSERT_TRUE(s.SelectAll());
  EXPECT_EQ(s.grid().row_count(), 4);
  EXPECT_EQ(s.grid().Cell(1, 3), "123.4");
  EXPECT_EQ(s.grid().Cell(2, 3), "???");
  EXPECT_EQ(s.grid().Cell(0, 4), "");
}

TEST_F(SessionTest, SelectAndDeselectDoNothingWithoutSomethingToActOn) {
  EXPECT_FALSE(s.DeselectAll());
  s.SwitchType(1);  // no pulse kinetics records
  EXPECT_FALSE(s.SelectAll());
  EXPECT_EQ(s.SaveModeForDialog(), 0);
  s.SwitchType(0);
  ASSERT_TRUE(s.SelectAll());
  EXPECT_EQ(s.SaveModeForDialog(), 2);
  ASSERT_TRUE(s.DeselectAll());
  EXPECT_EQ(s.grid().row_count(), 2);
  EXPECT_EQ(s.SaveModeForDialog(), 1);
}

TEST_F(SessionTest, DeleteRenumbersAndSavingTheFileMakesItPermanent) {
  s.SetSelected(1, true);
  ASSERT_TRUE(s.CanDelete());
  s.DeleteSelected();
  ASSERT_EQ(s.list().count, 2);
  EXPECT_EQ(s.list().label(1).substr(s.list().label(1).size() - 6), "[0002]");
  EXPECT_EQ(Record(s.image(), s.list().offset(1)).number(), 4);
  EXPECT_TRUE(s.HasUnsavedDeletions());

  // The CSV export does not make deletions permanent; a measurement file does.
  s.SetSelected(0, true);
  ASSERT_TRUE(s.SaveData(SaveMode::kSelectedAsCsv, dir + "/csv.csv").write.ok);
  EXPECT_TRUE(s.HasUnsavedDeletions());
  const SaveOutcome saved = s.SaveData(SaveMode::kAllTypes, dir + "/all.bin");
  ASSERT_TRUE(saved.write.ok) << saved.write.message;
  EXPECT_TRUE(saved.hide_dialog);
  EXPECT_FALSE(s.HasUnsavedDeletions());

  Session reopened;
  ASSERT_TRUE(reopened.Open(dir + "/all.bin").ok);
  EXPECT_EQ(reopened.list().count, 2);
  EXPECT_EQ(reopened.record_tally(), 4u);
  EXPECT_EQ(Slurp(dir + "/all.bin").substr(0, 64), Slurp(file).substr(0, 64));
  // Reopening the original brings the deleted record back.
  ASSERT_TRUE(s.Open(file).ok);
  EXPECT_EQ(s.list().count, 3);
}

TEST_F(SessionTest, AFailedSaveMarksNothingAndLeavesTheTargetAlone) {
  s.SetSelected(0, true);
  s.DeleteSelected();
  const std::string target = dir + "/keep.bin";
  { std::ofstream(target) << "old"; }
  const SaveOutcome failed = s.SaveData(SaveMode::kAllTypes, dir + "/no/such/dir/x.bin");
  EXPECT_FALSE(failed.write.ok);
  EXPECT_FALSE(failed.hide_dialog);
  EXPECT_NE(failed.write.message.find("no/such/dir"), std::string::npos);
  EXPECT_TRUE(s.HasUnsavedDeletions());
  EXPECT_EQ(Slurp(target), "old");
}

TEST_F(SessionTest, SaveButtonPreconditionsAndDialogs) {
  EXPECT_EQ(s.CheckSave(SaveMode::kSelected), SaveRefusal::kNothingSelected);
  EXPECT_EQ(s.CheckSave(SaveMode::kSelectedAsCsv), SaveRefusal::kNothingSelected);
  EXPECT_EQ(s.CheckSave(SaveMode::kCurrentType), SaveRefusal::kNone);
  s.SwitchType(2);
  EXPECT_EQ(s.CheckSave(SaveMode::kCurrentType), SaveRefusal::kEmptyList);
  EXPECT_EQ(s.CheckSave(SaveMode::kAllTypes), SaveRefusal::kNone);
  s.SwitchType(0);
  s.SetSelected(0, true);
  EXPECT_EQ(s.SaveDataDialog(SaveMode::kSelectedAsCsv, "20240131").title, "数据另存为");
  s.SetSelected(1, true);
  EXPECT_EQ(s.SaveDataDialog(SaveMode::kSelectedAsCsv, "20240131").title, "数据另存为多个文件");
  EXPECT_EQ(s.SaveDataDialog(SaveMode::kAllTypes, "20240131").initial_name, "FLData20240131");
  EXPECT_EQ(s.SaveDataDialog(SaveMode::kSelected, "20240131").default_extension, "bin");

  Session empty;
  EXPECT_EQ(empty.SaveModeForDialog(), -1);
  EXPECT_EQ(empty.CheckSave(SaveMode::kAllTypes), SaveRefusal::kNoLiveRecord);
}

TEST_F(SessionTest, ChlorophyllTableExportKeepsTheDialogOpenAndMarksNothing) {
  s.SetSelected(0, true);
  s.DeleteSelected();
  s.SwitchType(9);
  s.SetSelected(0, true);
  s.ListClick();
  const SaveOutcome out = s.SaveData(SaveMode::kSelectedAsCsv, dir + "/chl.csv");
  ASSERT_TRUE(out.write.ok);
  EXPECT_FALSE(out.hide_dialog);
  EXPECT_TRUE(s.HasUnsavedDeletions());
  const std::string csv = Slurp(dir + "/chl.csv");
  EXPECT_EQ(csv.substr(0, 42), "Filename,Date/Time,Meas.Type,ChlConc(ug/L)");
  EXPECT_NE(csv.find("123.4,"), std::string::npos);
}

}  // namespace
}  // namespace corvel

namespace corvel {
namespace {

TEST(SessionNotice, SaysWhatTheFileDoesNotLetTheViewerShow) {
  const std::string dir = ::testing::TempDir();
  // A full list: the list limit is told, the chain itself is whole.
  synth::FileBuilder many;
  synth::RecordSpec small;
  small.type_word = 1;
  for (int i = 0; i < 10000; ++i) many.Add(small);
  ASSERT_TRUE(many.Save(dir + "/many.bin"));
  Session s;
  ASSERT_TRUE(s.Open(dir + "/many.bin").ok);
  EXPECT_TRUE(s.last_build().truncated);
  EXPECT_NE(s.Notice().find("9998"), std::string::npos);
  EXPECT_EQ(s.Notice().find("偏移"), std::string::npos);

  // A chain broken by a record of length 0: the offset where it ends is told.
  synth::FileBuilder broken;
  broken.Add(Ojip(1, 2000));
  synth::RecordSpec bad = Ojip(2, 2000);
  bad.record_length = 0;
  broken.Add(bad);
  ASSERT_TRUE(broken.Save(dir + "/broken.bin"));
  ASSERT_TRUE(s.Open(dir + "/broken.bin").ok);
  const std::string at = std::to_string(s.chain_end().offset);
  EXPECT_TRUE(s.chain_end().damaged);
  EXPECT_NE(s.Notice().find(at), std::string::npos);
  EXPECT_EQ(s.Notice().find("9998"), std::string::npos);
}

}  // namespace
}  // namespace corvel
