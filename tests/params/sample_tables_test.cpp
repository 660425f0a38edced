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

namespace corvel {
namespace {

namespace fs = std::filesystem;

struct TableCase {
  std::string expected, file, type, select;
};

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<TableCase> TableCases(const fs::path& dir) {
  std::vector<TableCase> cases;
  std::ifstream in(dir / "manifest.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    std::istringstream args(line.substr(tab + 1));
    std::vector<std::string> a;
    for (std::string w; args >> w;) a.push_back(w);
    if (a.empty() || a[0] != "table") continue;
    TableCase c{line.substr(0, tab), a.size() > 1 ? a[1] : "", "ojip", "all"};
    for (size_t i = 2; i + 1 < a.size(); ++i) {
      if (a[i] == "--type") c.type = a[i + 1];
      if (a[i] == "--select") c.select = a[i + 1];
    }
    cases.push_back(c);
  }
  return cases;
}

// "all", "none", or 1-based positions and ranges separated by commas.
void Select(const std::string& sel, RecordList& list) {
  for (int i = 0; i < kSlotCount; ++i) list.selected[i] = 0;
  list.selected_count = 0;
  auto mark = [&](int pos) {
    if (pos >= 1 && pos <= list.count && !list.selected[pos - 1]) {
      list.selected[pos - 1] = 1;
      ++list.selected_count;
    }
  };
  if (sel == "none") return;
  if (sel == "all") {
    for (int p = 1; p <= list.count; ++p) mark(p);
    return;
  }
  std::istringstream parts(sel);
  for (std::string part; std::getline(parts, part, ',');) {
    const size_t dash = part.find('-');
    const int from = std::atoi(part.substr(0, dash).c_str());
    const int to = dash == std::string::npos ? from : std::atoi(part.substr(dash + 1).c_str());
    for (int p = from; p <= to; ++p) mark(p);
  }
}

TEST(SampleTables, MatchTheExpectedCsv) {
  const char* env = std::getenv("CORVEL_SAMPLES");
  if (env == nullptr || !fs::is_regular_file(fs::path(env) / "manifest.tsv"))
    GTEST_SKIP() << "no samples";
  const fs::path dir(env);
  const std::vector<TableCase> cases = TableCases(dir);
  ASSERT_FALSE(cases.empty());

  auto image = std::make_unique<FileImage>();
  auto list = std::make_unique<RecordList>();
  auto tables = std::make_unique<ResultTables>();
  Grid grid;
  int failed = 0;
  for (const TableCase& c : cases) {
    SCOPED_TRACE(c.expected);
    const auto radio = RadioItemByName(c.type);
    ASSERT_TRUE(radio.has_value()) << c.type;
    ASSERT_EQ(LoadFileImage((dir / c.file).string(), *image).status, LoadStatus::kOk);
    const uint8_t code = kRadioTypeCode[*radio];
    uint32_t tally = 0;
    FillFNtoListBox(*image, code, *list, tally);
    CacuFNinListBox(*image, code, *list, *tables);
    Select(c.select, *list);
    FillTableForRadio(*radio, GridSource{*image, *list, *tables}, grid);
    StringSink sink;
    WriteTableCsv(grid, sink);
    const std::string want = ReadAll(dir / c.expected);
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
