// What only the Windows form of the writer and of the open have to get right: names that the
// system's 8-bit code page cannot hold, backslashes, and folders met where a file is expected.
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "export/csv_export.h"
#include "export/file_writer.h"
#include "export_test_files.h"
#include "records/file_image.h"
#include "synth/kinds.h"

namespace corvel {
namespace {

using testing::ImageOf;
using testing::ReadFile;
using testing::ScratchDir;

bool ExistsWide(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(WindowsPaths, FileInAFolderWithAChineseNameSavesAndOpens) {
  ScratchDir dir;
  // 测量数据 (U+6D4B U+91CF U+6570 U+636E) and 样品.bin (U+6837 U+54C1).
  const std::wstring wide_folder = dir.path().wstring() + L"\\\u6D4B\u91CF\u6570\u636E";
  ASSERT_TRUE(::CreateDirectoryW(wide_folder.c_str(), nullptr));
  const std::string path = dir.path().string() + "\\测量数据\\样品.bin";
  const synth::Bytes bytes = synth::MakeDemoFile(1);
  auto save = [&](ByteSink& out) { return out.Write(bytes.data(), bytes.size()); };

  FileResult w = WriteFileAtomically(path, save);
  ASSERT_TRUE(w.ok) << w.message;
  EXPECT_TRUE(ExistsWide(wide_folder + L"\\\u6837\u54C1.bin"));
  w = WriteFileAtomically(path, save);  // the second save replaces the first
  ASSERT_TRUE(w.ok) << w.message;

  auto image = std::make_unique<FileImage>();
  const FileResult r = LoadFileImage(path, *image);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(image->header_bytes, 64u);
  EXPECT_EQ(image->loaded_bytes, bytes.size() - 64);
  EXPECT_EQ(image->area()[0], bytes[64]);
}

TEST(WindowsPaths, ExportedRecordNamesAreChineseFileNames) {
  synth::FileBuilder b;
  synth::RecordSpec record;
  record.name = "\xD6\xD0\xCE\xC4";  // GBK for 中文
  record.number = 7;
  record.type_word = 1;
  record.program = {0xC0010BB8, 0xBE000000};
  record.blocks.push_back(synth::OjipBlock(0xC0010BB8, {1, 2, 3}));
  b.Add(record);
  const auto image = ImageOf(b.File());
  auto list = std::make_unique<RecordList>();
  uint32_t tally = 0;
  FillFNtoListBox(*image, 1, *list, tally);
  ASSERT_EQ(list->count, 1);
  list->selected[0] = 1;
  list->selected_count = 1;

  ScratchDir dir;
  const FileResult r = ExportRecordsCsv(*image, *list, dir / "FLGrid", "info");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_TRUE(ExistsWide(dir.path().wstring() + L"\\FLGrid(1)\u4E2D\u65870007.csv"));
  EXPECT_TRUE(ExistsWide(dir.path().wstring() + L"\\FLGrid_UserCmd.txt"));
}

TEST(WindowsPaths, ForwardAndBackSlashesBothSeparateFolders) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.path() / "sub");
  const std::string path = dir.path().string() + "/sub\\out.csv";
  const FileResult r = WriteFileAtomically(path, [](ByteSink& out) { return out.Write("x"); });
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(ReadFile(dir / "sub\\out.csv"), "x");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"sub"});  // the temporary was beside the target
}

TEST(WindowsPaths, AFolderIsNotOpenedAsAMeasurementFile) {
  ScratchDir dir;
  auto image = std::make_unique<FileImage>();
  const FileResult r = LoadFileImage(dir.path().string(), *image);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, "Cannot open " + dir.path().string() + ": not a regular file");
}

TEST(WindowsPaths, AMissingFileIsNamedWithTheLinuxReason) {
  ScratchDir dir;
  auto image = std::make_unique<FileImage>();
  const std::string path = dir / "none.bin";
  const FileResult r = LoadFileImage(path, *image);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, "Cannot open " + path + ": No such file or directory");
}

}  // namespace
}  // namespace corvel

#endif  // _WIN32
