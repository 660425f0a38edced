// Rule D18: the parameter table never shows rows of a list that is gone. An open, a type switch
// and a delete reset it to the current type's title row, and a table save after them writes the
// title row and the empty row after it, nothing of the records shown before.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <type_traits>

#include "export/binary_save.h"
#include "support/test_folder.h"
#include "synth/writer.h"
#include "viewer/session.h"

namespace corvel {
namespace {

synth::RecordSpec Ojip(const char* name, uint16_t number) {
  synth::RecordSpec r;
  r.name = name;
  r.number = number;
  r.type_word = 1;
  r.program = {0xC0010BB8, 0xBE000000};
  std::vector<uint16_t> trace(208, 400);
  for (int i = 40; i < 208; ++i) trace[i] = static_cast<uint16_t>(400 + 10 * (i < 150 ? i : 150));
  r.blocks.push_back(synth::OjipBlock(0xC0010BB8, trace));
  return r;
}

synth::RecordSpec Chl(uint16_t number) {
  synth::RecordSpec r;
  r.name = "CHL";
  r.number = number;
  r.type_word = 9;
  r.program = {555};
  return r;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Lines of a saved table: CR LF counted.
int Lines(const std::string& csv) {
  int n = 0;
  for (size_t at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", at + 2)) ++n;
  return n;
}

class StaleTable : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testing::TestFolder("stale");
    first = dir + "/first.bin";
    second = dir + "/second.bin";
    ASSERT_TRUE(
        synth::FileBuilder().Add(Ojip("FIRST", 1)).Add(Ojip("FIRST", 2)).Add(Chl(3)).Save(first));
    ASSERT_TRUE(synth::FileBuilder().Add(Ojip("SECOND", 7)).Save(second));
    ASSERT_TRUE(s.Open(first).ok);
    ASSERT_TRUE(s.SelectAll());
    ASSERT_EQ(s.grid().Cell(2, 0), "FIRST0002");
  }
  // The table as saved now.
  std::string Saved() {
    const std::string path = dir + "/table.csv";
    EXPECT_TRUE(s.SaveGrid(path).ok);
    return Slurp(path);
  }
  std::string dir, first, second;
  Session s;
};

TEST_F(StaleTable, OpeningAnotherFileDropsTheRowsOfTheFirst) {
  ASSERT_TRUE(s.Open(second).ok);
  EXPECT_EQ(s.grid().row_count(), 2);
  EXPECT_EQ(s.grid().Cell(0, 0), "Filename");
  EXPECT_EQ(s.grid().Cell(1, 0), "");
  const std::string csv = Saved();
  EXPECT_EQ(csv.find("FIRST"), std::string::npos);
  EXPECT_EQ(csv.substr(0, 9), "Filename,");
  EXPECT_EQ(Lines(csv), 2);  // the title row and the empty row
}

TEST_F(StaleTable, TypeSwitchShowsTheNewTypesTitlesWithoutRows) {
  s.SwitchType(9);
  EXPECT_EQ(s.grid().Cell(0, 3), "ChlConc(ug/L)");
  EXPECT_EQ(s.grid().Cell(0, 4), "");
  EXPECT_EQ(s.grid().Cell(1, 0), "");
  const std::string csv = Saved();
  EXPECT_EQ(csv, "Filename,Date/Time,Meas.Type,ChlConc(ug/L)," + std::string(36, ',') + "\r\n" +
                     std::string(40, ',') + "\r\n");
}

TEST_F(StaleTable, TypeSwitchToUserProgramsEmptiesTheTable) {
  s.SwitchType(8);
  EXPECT_EQ(s.grid().Cell(0, 0), "");
  EXPECT_EQ(s.grid().Cell(1, 0), "");
  EXPECT_EQ(s.grid().row_count(), 2);
}

TEST_F(StaleTable, DeleteDropsTheDeletedRecordsRow) {
  s.DeselectAll();
  s.SetSelected(1, true);
  s.ListClick();
  ASSERT_EQ(s.grid().Cell(1, 0), "FIRST0002");
  s.DeleteSelected();
  EXPECT_EQ(s.grid().Cell(1, 0), "");
  const std::string csv = Saved();
  EXPECT_EQ(csv.find("FIRST0002"), std::string::npos);
  EXPECT_EQ(Lines(csv), 2);
}

TEST_F(StaleTable, AFailedOpenKeepsTheTableOfTheLoadedFile) {
  // Rule D4: nothing of the loaded file changes when another cannot be read.
  EXPECT_FALSE(s.Open(dir + "/missing.bin").ok);
  EXPECT_EQ(s.grid().Cell(2, 0), "FIRST0002");
}

TEST(SaveModeTypes, ModeAndRecordSelectionAreSeparateTypes) {
  static_assert(!std::is_convertible_v<SaveMode, int>);
  static_assert(!std::is_same_v<SaveMode, RecordSelection>);
  EXPECT_EQ(SaveModeAt(0), SaveMode::kAllTypes);
  EXPECT_EQ(SaveModeAt(1), SaveMode::kCurrentType);
  EXPECT_EQ(SaveModeAt(2), SaveMode::kSelected);
  EXPECT_EQ(SaveModeAt(3), SaveMode::kSelectedAsCsv);
  EXPECT_FALSE(SaveModeAt(4).has_value());
  EXPECT_FALSE(SaveModeAt(-1).has_value());
}

TEST_F(StaleTable, CurrentTypeSavesEveryEntryAndSelectedOnlyTheSelected) {
  s.DeselectAll();
  s.SetSelected(1, true);
  ASSERT_TRUE(s.SaveData(SaveMode::kCurrentType, dir + "/type.bin").write.ok);
  ASSERT_TRUE(s.SaveData(SaveMode::kSelected, dir + "/one.bin").write.ok);
  Session back;
  ASSERT_TRUE(back.Open(dir + "/type.bin").ok);
  EXPECT_EQ(back.list().count, 2);
  ASSERT_TRUE(back.Open(dir + "/one.bin").ok);
  ASSERT_EQ(back.list().count, 1);
  EXPECT_NE(back.list().label(0).find("FIRST0002"), std::string_view::npos);
}

}  // namespace
}  // namespace corvel
