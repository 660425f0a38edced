// The chart state as the command-line tool prints it.
#include "charts/chart_json.h"

#include <gtest/gtest.h>

#include "charts/draw.h"
#include "records/gbk_text.h"

namespace corvel {
namespace {

TEST(GbkToUtf8, DecodesChineseAndReplacesBrokenBytes) {
  EXPECT_EQ(GbkToUtf8("(B)ALGA0001"), "(B)ALGA0001");
  EXPECT_EQ(GbkToUtf8("\xD6\xD0\xCE\xC4"
                      "01"),
            "\xE4\xB8\xAD\xE6\x96\x87"
            "01");                               // 中文01
  EXPECT_EQ(GbkToUtf8("\xA6\xD5"), "\xCF\x86");  // the Greek small phi of the column titles
  // A lead byte cut off at the end, and one followed by a byte that cannot trail it.
  EXPECT_EQ(GbkToUtf8("ab\xD6"), "ab\xEF\xBF\xBD");
  EXPECT_EQ(GbkToUtf8("\xD6 x"), "\xEF\xBF\xBD x");
  EXPECT_EQ(GbkToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(ChartStateJson, ResetStateInFull) {
  ChartState c;
  ReDrawAxis(c, 0, kAxisOjipTime, 0, 0, 0);
  std::string boxes;
  for (int i = 0; i < 10; ++i)
    boxes += std::string(i ? ",\n" : "\n") + R"({"caption":" ","enabled":false,"checked":false})";
  EXPECT_EQ(ChartStateJson(c),
            "{\"title\":\"\",\n"
            "\"combo\":{\"visible\":false,\"index\":-1},\n"
            "\"axes\":{\"bottom\":{\"min\":10,\"max\":10000000,\"log\":true,"
            "\"format\":\"#,###,##0us\"},\"left\":{\"min\":0,\"max\":2000},"
            "\"right\":{\"min\":0,\"max\":0,\"visible\":false}},\n"
            "\"boxes\":[" +
                boxes +
                "],\n"
                "\"series\":[]}\n");
}

TEST(ChartStateJson, SeriesHoldingPointsInSlotOrder) {
  ChartState c;
  c.title =
      "(B)\xC2\xCC\xD4\xE5"
      "0001 [";  // 绿藻
  c.combo = {true, 3};
  c.box[0] = {"a\"b\\c", true, true};
  c.line[4].points = {{2, 0.5}, {3, 0.80000001192092896}, {4, -0.25}, {5, 1e-7}};
  c.line[4].color = 0x808000;
  c.line[4].right_axis = true;
  c.line[4].visible = false;
  c.smoothed[11].points = {{10, 523}, {10000000, 65535}};
  c.smoothed[11].color = 0x000080;
  const std::string json = ChartStateJson(c);
  EXPECT_NE(json.find("\"title\":\"(B)\xE7\xBB\xBF\xE8\x97\xBB"
                      "0001 [\""),
            std::string::npos);
  EXPECT_NE(json.find("\"combo\":{\"visible\":true,\"index\":3}"), std::string::npos);
  EXPECT_NE(json.find(R"({"caption":"a\"b\\c","enabled":true,"checked":true})"), std::string::npos);
  const size_t smoothed =
      json.find(R"({"kind":"smoothed","slot":11,"visible":true,"axis":"left","color":"#000080",)"
                R"("points":[[10,523],[10000000,65535]]})");
  const size_t line =
      json.find(R"({"kind":"line","slot":4,"visible":false,"axis":"right","color":"#808000",)"
                R"("points":[[2,0.5],[3,0.800000011920929],[4,-0.25],[5,1e-07]]})");
  ASSERT_NE(smoothed, std::string::npos) << json;
  ASSERT_NE(line, std::string::npos) << json;
  EXPECT_LT(smoothed, line);
  // Only the two series that hold points are listed.
  size_t kinds = 0;
  for (size_t at = json.find("\"kind\""); at != std::string::npos;
       at = json.find("\"kind\"", at + 1))
    ++kinds;
  EXPECT_EQ(kinds, 2u);
}

}  // namespace
}  // namespace corvel
