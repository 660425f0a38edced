// The options of the figures: plot's size and resolution, chart's CSV flag.
#include <gtest/gtest.h>

#include <vector>

#include "cli/options.h"

namespace corvel::cli {
namespace {

std::optional<Options> ParseArgs(std::vector<const char*> args) {
  args.insert(args.begin(), "corvel-cli");
  return ParseOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()));
}

TEST(PlotOptions, SizeAndResolution) {
  auto o = ParseArgs({"plot", "f.bin", "--size", "1200x800", "--dpi", "600", "-o", "a.png"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->width, 1200);
  EXPECT_EQ(o->height, 800);
  EXPECT_EQ(o->dpi, 600);
  EXPECT_EQ(*ParseSize("64X8192"), std::make_pair(64, 8192));
  for (const char* bad : {"63x100", "100x9000", "100", "x100", "100x", "1e3x100", "-5x100"})
    EXPECT_FALSE(ParseSize(bad)) << bad;
  EXPECT_FALSE(ParseArgs({"plot", "f.bin", "--dpi", "23", "-o", "a.png"}));
  EXPECT_FALSE(ParseArgs({"plot", "f.bin", "--dpi", "1201", "-o", "a.png"}));
}

TEST(PlotOptions, CsvIsAFlagWithoutValue) {
  auto o = ParseArgs({"chart", "f.bin", "--csv", "--type", "pifr"});
  ASSERT_TRUE(o);
  EXPECT_TRUE(o->csv);
  EXPECT_EQ(o->radio_item, 5);
  EXPECT_FALSE(ParseArgs({"chart", "f.bin", "--type", "pifr"})->csv);
}

}  // namespace
}  // namespace corvel::cli
