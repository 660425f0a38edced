#include "export/export_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace corvel {
namespace {

std::string Name(const char* bytes, size_t size, uint16_t number = 1, int n = 1) {
  return ExportFileName("/data/FLGrid", n, bytes, size, number);
}
std::string Name(const char* text) {
  return Name(text, std::strlen(text));
}

TEST(ExportFileName, RunningNumberNameAndPaddedRecordNumber) {
  EXPECT_EQ(Name("ALGAOJ01", 8, 12, 1), "/data/FLGrid(1)ALGAOJ010012.csv");
  EXPECT_EQ(Name("ALGAOJ01", 8, 12345, 10), "/data/FLGrid(10)ALGAOJ0112345.csv");
  EXPECT_EQ(Name("", 0, 0, 2), "/data/FLGrid(2)0000.csv");
}

TEST(ExportFileName, RecordNamesCannotLeaveTheFolder) {
  EXPECT_EQ(Name("../x"), "/data/FLGrid(1).._x0001.csv");
  EXPECT_EQ(Name("a/b:c"), "/data/FLGrid(1)a_b_c0001.csv");
  EXPECT_EQ(Name("\\*?\"<>|"), "/data/FLGrid(1)_______0001.csv");
  EXPECT_EQ(Name("a\tb\x1f "), "/data/FLGrid(1)a_b_ 0001.csv");
}

TEST(ExportFileName, GbkNamesAreDecoded) {
  // D4 E5 C0 E0 is GBK for the two characters U+85FB U+7C7B.
  EXPECT_EQ(Name("\xD4\xE5\xC0\xE0"
                 "A1"),
            "/data/FLGrid(1)\u85FB\u7C7BA10001.csv");
}

TEST(ExportFileName, BytesThatDoNotDecodeBecomeUnderscores) {
  EXPECT_EQ(Name("A\xFF"
                 "B"),
            "/data/FLGrid(1)A_B0001.csv");
  // A lead byte at the end of the name, and one followed by a byte that cannot follow it.
  EXPECT_EQ(Name("AB\xD4"), "/data/FLGrid(1)AB_0001.csv");
  EXPECT_EQ(Name("\x81 x"), "/data/FLGrid(1)_ x0001.csv");
  // The second byte of a character that is also a file-name character is taken with its lead.
  EXPECT_EQ(Name("\x81\x5C"), "/data/FLGrid(1)\u4E570001.csv");
}

TEST(FileNameExtensions, RemoveExtensionOfTheLastComponentOnly) {
  EXPECT_EQ(RemoveExtension("/d/FLGrid.csv"), "/d/FLGrid");
  EXPECT_EQ(RemoveExtension("/d/a.b.c"), "/d/a.b");
  EXPECT_EQ(RemoveExtension("/d.x/FLGrid"), "/d.x/FLGrid");
  EXPECT_EQ(RemoveExtension("/d/.hidden"), "/d/.hidden");
  EXPECT_EQ(RemoveExtension("OUT"), "OUT");
  EXPECT_EQ(RemoveExtension("OUT.csv"), "OUT");
}

TEST(FileNameExtensions, DefaultExtensionOnlyWhenThereIsNone) {
  EXPECT_EQ(WithDefaultExtension("/d/out", "csv"), "/d/out.csv");
  EXPECT_EQ(WithDefaultExtension("/d/out.bin", "csv"), "/d/out.bin");
  EXPECT_EQ(WithDefaultExtension("/d.x/out", "bin"), "/d.x/out.bin");
  EXPECT_EQ(WithDefaultExtension("/d/.hidden", "csv"), "/d/.hidden.csv");
}

}  // namespace
}  // namespace corvel
