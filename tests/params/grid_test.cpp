#include "params/grid.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "params/chlorophyll.h"
#include "params/number_format.h"
#include "params/ojip.h"
#include "params/table_csv.h"
#include "params/title_lists.h"
#include "params/type_params.h"

namespace corvel {
namespace {

std::string Fixed(float v, int decimals) {
  char buf[kNumberCapacity];
  const int n = FormatFixed(v, decimals, buf);
  EXPECT_EQ(n, static_cast<int>(std::strlen(buf)));
  return buf;
}

TEST(NumberFormat, TiesRoundAwayFromZero) {
  EXPECT_EQ(Fixed(0.125f, 2), "0.13");
  EXPECT_EQ(Fixed(-0.125f, 2), "-0.13");
  EXPECT_EQ(Fixed(2.5f, 0), "3");
  EXPECT_EQ(Fixed(-2.5f, 0), "-3");
  EXPECT_EQ(Fixed(0.25f, 1), "0.3");
  EXPECT_EQ(Fixed(4040.5f, 0), "4041");
}

TEST(NumberFormat, RoundsTheExactValueOfTheFloat) {
  // 0.005f is 0.004999999888..., 1.005f is 1.00499999523...: both below the tie.
  EXPECT_EQ(Fixed(0.005f, 2), "0.00");
  EXPECT_EQ(Fixed(1.005f, 2), "1.00");
  // 0.015f is 0.01499999966..., 0.035f is 0.03500000014...
  EXPECT_EQ(Fixed(0.015f, 2), "0.01");
  EXPECT_EQ(Fixed(0.035f, 2), "0.04");
}

TEST(NumberFormat, ZeroHasNoSign) {
  EXPECT_EQ(Fixed(-0.001f, 2), "0.00");
  EXPECT_EQ(Fixed(-0.0f, 2), "0.00");
  EXPECT_EQ(Fixed(-0.4f, 0), "0");
  EXPECT_EQ(Fixed(-0.04f, 1), "0.0");
  EXPECT_EQ(Fixed(-0.005001f, 2), "-0.01");
}

TEST(NumberFormat, PadsAndKeepsAllIntegerDigits) {
  EXPECT_EQ(Fixed(0.0f, 2), "0.00");
  EXPECT_EQ(Fixed(0.07f, 2), "0.07");
  EXPECT_EQ(Fixed(-1.5f, 2), "-1.50");
  EXPECT_EQ(Fixed(575.0f, 2), "575.00");
  EXPECT_EQ(Fixed(123.4f, 1), "123.4");
  EXPECT_EQ(Fixed(16777216.0f, 2), "16777216.00");
  EXPECT_EQ(Fixed(1180591620717411303424.0f, 0), "1180591620717411303424");  // 2^70
  EXPECT_EQ(Fixed(-3.4028235e38f, 2).size(), 39u + 1 + 1 + 2);
}

TEST(NumberFormat, DecimalsOfValuesPast63Bits) {
  // 1e19f is 9999999980506447872 exactly; its scaled value has 21 digits.
  EXPECT_EQ(Fixed(1e19f, 2), "9999999980506447872.00");
  EXPECT_EQ(Fixed(-1e19f, 1), "-9999999980506447872.0");
}

TEST(NumberFormat, TieOfTheLargestFloatWithAHalf) {
  EXPECT_EQ(Fixed(8388607.5f, 0), "8388608");
  EXPECT_EQ(Fixed(-8388607.5f, 0), "-8388608");
  EXPECT_EQ(Fixed(8388607.5f, 1), "8388607.5");
}

TEST(Grid, AppendsCellsInOrderAndSkipsGaps) {
  Grid g;
  g.Reset(3, 40);
  g.Set(0, 0, "Filename");
  g.Set(0, 2, "Meas.Type");
  g.Set(2, 5, "x");
  EXPECT_EQ(g.Cell(0, 0), "Filename");
  EXPECT_EQ(g.Cell(0, 1), "");
  EXPECT_EQ(g.Cell(0, 2), "Meas.Type");
  EXPECT_EQ(g.Cell(0, 3), "");
  EXPECT_EQ(g.Cell(1, 0), "");
  EXPECT_EQ(g.Cell(2, 5), "x");
  EXPECT_EQ(g.Cell(2, 39), "");
}

TEST(Grid, OutOfOrderWritesReplaceCells) {
  Grid g;
  g.Reset(4, 10);
  g.Set(1, 0, "a");
  g.Set(1, 1, "bb");
  g.Set(2, 0, "c");
  g.Set(1, 1, "longer text");  // earlier row, longer
  g.Set(1, 0, "");             // emptied
  g.Set(1, 4, "e");            // past the stored cells of an earlier row
  g.Set(2, 0, "C");            // the last row, earlier column
  EXPECT_EQ(g.Cell(1, 0), "");
  EXPECT_EQ(g.Cell(1, 1), "longer text");
  EXPECT_EQ(g.Cell(1, 4), "e");
  EXPECT_EQ(g.Cell(2, 0), "C");
  g.Set(2, 1, "d");  // appending still works after the slow path
  EXPECT_EQ(g.Cell(2, 1), "d");
  EXPECT_EQ(g.Cell(1, 4), "e");
}

TEST(Grid, CellsOutsideTheShapeAreNotStored) {
  Grid g;
  g.Reset(2, 4);
  g.Set(2, 0, "row past the end");
  g.Set(0, 4, "column past the end");
  g.Set(-1, 0, "x");
  g.Set(1, 0, std::string_view("ab\0cd", 5));
  EXPECT_EQ(g.Cell(2, 0), "");
  EXPECT_EQ(g.Cell(0, 4), "");
  EXPECT_EQ(g.Cell(1, 0), "ab");
  EXPECT_EQ(g.Cell(1, 1), "");
}

TEST(Grid, ShrinkingAndResetEmptyTheRows) {
  Grid g;
  g.Reset(5, 40);
  for (int r = 0; r < 5; ++r) g.Set(r, 0, std::to_string(r));
  g.SetRowCount(3);
  EXPECT_EQ(g.row_count(), 3);
  g.SetRowCount(5);
  EXPECT_EQ(g.Cell(2, 0), "2");
  EXPECT_EQ(g.Cell(3, 0), "");
  g.Set(2, 1, "after");
  EXPECT_EQ(g.Cell(2, 1), "after");
  g.Reset();
  EXPECT_EQ(g.row_count(), 2);
  EXPECT_EQ(g.col_count(), 40);
  EXPECT_EQ(g.Cell(0, 0), "");
  EXPECT_EQ(g.Cell(2, 0), "");
}

TEST(TableCsv, EveryCellIsFollowedByACommaAndLinesEndWithCrLf) {
  Grid g;
  g.Reset(2, 40);
  FillGridTitle(g, kChlConcParams.titles);
  StringSink sink;
  WriteTableCsv(g, sink);
  EXPECT_EQ(sink.text, "Filename,Date/Time,Meas.Type,ChlConc(ug/L)," + std::string(36, ',') +
                           "\r\n" + std::string(40, ',') + "\r\n");
}

TEST(TableCsv, LargeTablesComeOutWhole) {
  Grid g;
  g.Reset(5000, 40);
  for (int r = 0; r < 5000; ++r) g.Set(r, 39, "last");
  StringSink sink;
  WriteTableCsv(g, sink);
  const std::string line = std::string(39, ',') + "last,\r\n";
  ASSERT_EQ(sink.text.size(), line.size() * 5000);
  EXPECT_EQ(sink.text.substr(line.size() * 4999), line);
}

TEST(TitleLists, LengthsAndGreekTitles) {
  const std::pair<int, int> lengths[] = {{0, 35}, {1, 23}, {2, 14}, {3, 10}, {4, 6},
                                         {5, 5},  {6, 15}, {7, 8},  {9, 4}};
  for (auto [item, n] : lengths) {
    const char* const* titles = TitleListForRadio(item);
    ASSERT_NE(titles, nullptr) << item;
    int count = 0;
    while (std::strcmp(titles[count], "END") != 0) ++count;
    EXPECT_EQ(count, n) << item;
    EXPECT_STREQ(titles[0], "Filename");
  }
  EXPECT_EQ(TitleListForRadio(8), nullptr);
  EXPECT_STREQ(kOjipParams.titles[19], "\xA6\xD5po");
  EXPECT_STREQ(kOjipParams.titles[20], "\xA6\xD7o");
  EXPECT_EQ(std::string(kOjipParams.titles[21]), std::string("\xA6\xD5", 2) + "Eo");
  EXPECT_EQ(std::string(kOjipParams.titles[22]), std::string("\xA6\xD5", 2) + "Do");
  EXPECT_STREQ(kOjipParams.titles[34], "DF-CSm");
}

}  // namespace
}  // namespace corvel
