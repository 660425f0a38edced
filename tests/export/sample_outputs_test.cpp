// Compares the listing, the CSV export and the measurement-file saves with the expected outputs
// of the sample measurement files (CORVEL_SAMPLES). The chlorophyll table form of the export is
// the parameter table's job and is checked there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "export/binary_save.h"
#include "export/csv_export.h"
#include "export/info_text.h"
#include "records/cmd_decoder.h"
#include "records/file_image.h"
#include "records/measurement_type.h"
#include "records/record_list.h"
#include "support/samples_manifest.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

using Command = testing::ManifestCommand;
using testing::ReadFileBytes;

// The line of the first differing byte, as got and as expected.
std::string FirstDifference(const std::string& got, const std::string& want) {
  size_t i = 0;
  while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
  const size_t start = want.rfind('\n', i == 0 ? 0 : i - 1);
  const size_t from = (start == std::string::npos || i == 0) ? 0 : start + 1;
  const size_t line = static_cast<size_t>(std::count(want.begin(), want.begin() + from, '\n')) + 1;
  auto line_at = [from](const std::string& s) {
    if (from >= s.size()) return std::string("<end>");
    return s.substr(from, std::min(s.find('\n', from), from + 160) - from);
  };
  return "line " + std::to_string(line) + ": got \"" + line_at(got) + "\", expected \"" +
         line_at(want) + "\" (" + std::to_string(got.size()) + " bytes, expected " +
         std::to_string(want.size()) + ")";
}

class SampleOutputs : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::SamplesDir();
    if (dir_.empty()) GTEST_SKIP() << "CORVEL_SAMPLES is not set or has no manifest.tsv";
    image_ = std::make_unique<FileImage>();
    list_ = std::make_unique<RecordList>();
  }

  // Loads the sample file and builds the list of the radio item named by `type`.
  ::testing::AssertionResult Prepare(const Command& c, const std::string& type) {
    const FileResult load = LoadFileImage((dir_ / c.args[1]).string(), *image_);
    if (!load.ok) return ::testing::AssertionFailure() << load.message;
    const auto item = RadioItemByName(type);
    if (!item) return ::testing::AssertionFailure() << "unknown type " << type;
    uint32_t tally = 0;
    FillFNtoListBox(*image_, kRadioTypeCode[*item], *list_, tally);
    if (!testing::SelectPositions(c.Option("--select", "all"), *list_))
      return ::testing::AssertionFailure() << "selection outside the list";
    return ::testing::AssertionSuccess();
  }

  std::string Listing() {
    std::string text;
    FillUserCmdtoREdit(*image_, *list_, text);
    return text;
  }

  fs::path dir_;
  std::unique_ptr<FileImage> image_;
  std::unique_ptr<RecordList> list_;
};

TEST_F(SampleOutputs, ListingMatchesUserCmdText) {
  int checked = 0;
  for (const Command& c : testing::ReadManifest(dir_, "listing")) {
    SCOPED_TRACE(c.expected);
    ASSERT_TRUE(Prepare(c, "user"));
    StringSink out;
    ASSERT_TRUE(WriteInfoText(Listing(), out));
    const std::string want = ReadFileBytes(dir_ / c.expected);
    EXPECT_TRUE(out.text == want) << FirstDifference(out.text, want);
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST_F(SampleOutputs, ExportMatchesExpectedFolder) {
  int checked = 0;
  for (const Command& c : testing::ReadManifest(dir_, "export")) {
    const std::string type = c.Option("--type", "ojip");
    if (type == "chlconc") continue;  // the table form belongs to the parameter table
    SCOPED_TRACE(c.expected);
    ASSERT_TRUE(Prepare(c, type));
    const fs::path out_dir =
        fs::temp_directory_path() / ("corvel-samples-" + std::to_string(::getpid()));
    fs::remove_all(out_dir);
    fs::create_directories(out_dir);
    const FileResult r = ExportRecordsCsv(*image_, *list_, (out_dir / "OUT").string(),
                                          type == "user" ? Listing() : std::string());
    ASSERT_TRUE(r.ok) << r.message;

    std::map<std::string, fs::path> got, want;
    for (const auto& e : fs::directory_iterator(out_dir))
      got[e.path().filename().string()] = e.path();
    for (const auto& e : fs::directory_iterator(dir_ / c.expected))
      want[e.path().filename().string()] = e.path();
    for (const auto& [name, path] : want) {
      if (!got.count(name)) {
        ADD_FAILURE() << "missing " << name;
        continue;
      }
      const std::string g = ReadFileBytes(got[name]), w = ReadFileBytes(path);
      EXPECT_TRUE(g == w) << name << ": " << FirstDifference(g, w);
    }
    for (const auto& [name, path] : got)
      if (!want.count(name)) ADD_FAILURE() << "unexpected " << name;
    fs::remove_all(out_dir);
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST_F(SampleOutputs, SaveMatchesExpectedFile) {
  int checked = 0;
  for (const Command& c : testing::ReadManifest(dir_, "save")) {
    SCOPED_TRACE(c.expected);
    ASSERT_TRUE(Prepare(c, c.Option("--type", "ojip")));
    const int mode = std::atoi(c.Option("--mode", "0").c_str());
    StringSink out;
    const bool ok =
        mode == 0
            ? WriteFileImage(*image_, out)
            : WriteListRecords(*image_, *list_,
                               mode == 1 ? RecordSelection::kAll : RecordSelection::kSelected, out);
    ASSERT_TRUE(ok);
    const std::string want = ReadFileBytes(dir_ / c.expected);
    EXPECT_EQ(out.text.size(), want.size());
    EXPECT_TRUE(out.text == want);
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace corvel
