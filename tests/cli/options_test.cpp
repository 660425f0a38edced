#include "cli/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvel::cli {
namespace {

std::optional<Options> Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "corvel-cli");
  return ParseOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()));
}

TEST(Selection, AllNoneAndRangesInsideTheList) {
  EXPECT_EQ(*ParseSelection("all", 3), (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(ParseSelection("all", 0)->empty());
  EXPECT_TRUE(ParseSelection("none", 5)->empty());
  EXPECT_EQ(*ParseSelection("1,3,5-7", 9), (std::vector<int>{0, 2, 4, 5, 6}));
  for (const char* bad : {"0", "10", "3-2", "1,,2", "a", "1-", "-3", "", "2-10"})
    EXPECT_FALSE(ParseSelection(bad, 9)) << bad;
}

TEST(Options, TypesModesAndUnknownFlags) {
  auto o = Parse({"table", "f.bin", "--type", "rlc", "--select", "2", "-o", "x"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->radio_item, 2);
  EXPECT_EQ(o->select, "2");
  EXPECT_EQ(*o->output, "x");
  EXPECT_EQ(Parse({"list", "f.bin", "--type", "user"})->radio_item, 8);
  EXPECT_EQ(Parse({"save", "f.bin", "--mode", "2", "-o", "o"})->mode, 2);
  EXPECT_FALSE(Parse({"save", "f.bin", "--mode", "3", "-o", "o"}));
  EXPECT_FALSE(Parse({"list", "f.bin", "--type", "OJIP"}));
  EXPECT_FALSE(Parse({"list", "f.bin", "--colour", "red"}));
  EXPECT_FALSE(Parse({"list", "f.bin", "--type"}));
  EXPECT_FALSE(Parse({"list"}));
}

}  // namespace
}  // namespace corvel::cli
