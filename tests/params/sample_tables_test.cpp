// The tables of the sample measurement files against the expected table CSV files that came with
// them. Skipped where the samples are not at hand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "params/fill_grid.h"
#include "params/result_tables.h"
#include "params/table_csv.h"
#include "records/file_image.h"
#include "records/measurement_type.h"
#include "records/record_list.h"
#include "support/samples_manifest.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

TEST(SampleTables, MatchTheExpectedCsv) {
  const fs::path dir = testing::SamplesDir();
  if (dir.empty()) GTEST_SKIP() << "no samples";
  const std::vector<testing::ManifestCommand> cases = testing::ReadManifest(dir, "table");
  ASSERT_FALSE(cases.empty());

  auto image = std::make_unique<FileImage>();
  auto list = std::make_unique<RecordList>();
  auto tables = std::make_unique<ResultTables>();
  Grid grid;
  int failed = 0;
  for (const testing::ManifestCommand& c : cases) {
    SCOPED_TRACE(c.expected);
    const std::string type = c.Option("--type", "ojip");
    const auto radio = RadioItemByName(type);
    ASSERT_TRUE(radio.has_value()) << type;
    ASSERT_TRUE(LoadFileImage((dir / c.args[1]).string(), *image).ok);
    const uint8_t code = kRadioTypeCode[*radio];
    uint32_t tally = 0;
    FillFNtoListBox(*image, code, *list, tally);
    CacuFNinListBox(*image, code, *list, *tables);
    ASSERT_TRUE(testing::SelectPositions(c.Option("--select", "all"), *list));
    FillTableForRadio(*radio, GridSource{*image, *list, *tables}, grid);
    StringSink sink;
    WriteTableCsv(grid, sink);
    const std::string want = testing::ReadFileBytes(dir / c.expected);
    if (sink.text != want) {
      ++failed;
      // Name the first differing line.
      std::istringstream g(sink.text), w(want);
      std::string gl, wl;
      int n = 1;
      while (std::getline(g, gl) && std::getline(w, wl) && gl == wl) ++n;
      ADD_FAILURE() << c.expected << " line " << n << "\n got: " << gl << "\nwant: " << wl;
    }
  }
  EXPECT_EQ(failed, 0) << "of " << cases.size();
}

}  // namespace
}  // namespace corvel
