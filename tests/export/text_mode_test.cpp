// Rule D19: the text files of an export turn every LF byte into CR LF, also one inside a record
// name, so one record name gives the same lines in every text file the viewer writes.
#include <gtest/gtest.h>

#include <string>

#include "export/info_text.h"
#include "export/record_csv.h"
#include "export_test_files.h"

namespace corvel {
namespace {

TEST(TextMode, RecordCsvWritesAnLfInTheRecordNameAsCrLf) {
  synth::RecordSpec r;
  r.name = std::string("AB\nCD", 5);
  r.number = 7;
  r.type_word = 1;
  r.program = {0xC0010BB8, 0xBE000000};
  r.blocks.push_back(synth::OjipBlock(0xC0010BB8, std::vector<uint16_t>(8, 100)));
  synth::FileBuilder b;
  b.Add(r);
  auto image = testing::ImageOf(b.File());
  StringSink out;
  ASSERT_TRUE(WriteRecordCsv(*image, 0, out));
  EXPECT_EQ(out.text.substr(0, 11), "AB\r\nCD,0007");
  EXPECT_EQ(out.text.find("\n"), out.text.find("\r\n") + 1);
  // No LF byte anywhere stands without its CR.
  for (size_t at = out.text.find('\n'); at != std::string::npos; at = out.text.find('\n', at + 1))
    ASSERT_EQ(out.text[at - 1], '\r') << at;
}

TEST(TextMode, InfoTextWritesTheSameLinesForTheSameName) {
  StringSink out;
  ASSERT_TRUE(WriteInfoText("AB\nCD,0007", out));
  EXPECT_EQ(out.text, "AB\r\nCD,0007\r\n");
}

}  // namespace
}  // namespace corvel
