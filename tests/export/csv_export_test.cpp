#include "export/csv_export.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "export/info_text.h"
#include "export/record_csv.h"
#include "export_test_files.h"

namespace corvel {
namespace {

using testing::ImageOf;
using testing::ReadFile;
using testing::ScratchDir;

std::string InfoText(std::string_view text) {
  StringSink out;
  EXPECT_TRUE(WriteInfoText(text, out));
  return out.text;
}

TEST(InfoText, EveryLineEndsWithCrLf) {
  EXPECT_EQ(InfoText(""), "");
  EXPECT_EQ(InfoText("one\n"), "one\r\n");
  EXPECT_EQ(InfoText("one\n\ntwo"), "one\r\n\r\ntwo\r\n");
  EXPECT_EQ(InfoText("\n"), "\r\n");
}

class CsvExport : public ::testing::Test {
 protected:
  void SetUp() override {
    synth::FileBuilder b;
    for (const char* name : {"../x", "OJIPB", "a/b:c"}) {
      synth::RecordSpec r;
      r.name = name;
      r.number = static_cast<uint16_t>(std::strlen(name));
      r.type_word = 1;
      r.program = {0xC0010BB8, 0xBE000000};
      r.blocks.push_back(synth::OjipBlock(0xC0010BB8, {1, 2, 3}));
      b.Add(r);
    }
    image = ImageOf(b.File());
    uint32_t tally = 0;
    FillFNtoListBox(*image, 1, *list, tally);
    ASSERT_EQ(list->count, 3);
  }

  std::string RecordText(int position) {
    StringSink out;
    EXPECT_TRUE(WriteRecordCsv(*image, list->offset(position), out));
    return out.text;
  }

  std::unique_ptr<FileImage> image;
  std::unique_ptr<RecordList> list = std::make_unique<RecordList>();
};

TEST_F(CsvExport, OneFilePerSelectedRecordInsideTheChosenFolder) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.path() / "out");
  list->selected[0] = list->selected[2] = 1;
  list->selected_count = 2;
  const FileResult r = ExportRecordsCsv(*image, *list, dir / "out/FLGrid", "line 1\nline 2");
  ASSERT_TRUE(r.ok) << r.message;

  // The running number counts selected records; names are made safe for the file system.
  EXPECT_EQ(dir.Names(), std::set<std::string>{"out"});
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path() / "out"))
    names.insert(e.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"FLGrid_UserCmd.txt", "FLGrid(1).._x0004.csv",
                                          "FLGrid(2)a_b_c0005.csv"}));
  EXPECT_EQ(ReadFile(dir / "out/FLGrid_UserCmd.txt"), "line 1\r\nline 2\r\n");
  EXPECT_EQ(ReadFile(dir / "out/FLGrid(1).._x0004.csv"), RecordText(0));
  EXPECT_EQ(ReadFile(dir / "out/FLGrid(2)a_b_c0005.csv"), RecordText(2));
}

TEST_F(CsvExport, EmptyInfoTextGivesAnEmptyFile) {
  ScratchDir dir;
  list->selected[1] = 1;
  list->selected_count = 1;
  ASSERT_TRUE(ExportRecordsCsv(*image, *list, dir / "OUT", "").ok);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"OUT_UserCmd.txt", "OUT(1)OJIPB0005.csv"}));
  EXPECT_EQ(ReadFile(dir / "OUT_UserCmd.txt"), "");
}

TEST_F(CsvExport, FailureIsReturnedAndStopsTheExport) {
  ScratchDir dir;
  list->selected[0] = 1;
  list->selected_count = 1;
  const std::string base = dir / "missing/OUT";
  const FileResult r = ExportRecordsCsv(*image, *list, base, "text");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(base + "_UserCmd.txt"), std::string::npos) << r.message;
  EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
}  // namespace corvel
