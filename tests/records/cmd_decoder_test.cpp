#include "records/cmd_decoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "records/record_list.h"
#include "support/record_builders.h"
#include "test_files.h"

namespace corvel {
namespace {

using testing::LoadBytes;

// Decodes words as one program from word 0 on, as the listing does; a word without text gives
// an empty entry, and decoding stops where the decoder refuses a word.
std::vector<std::string> DecodeProgram(CmdDecoder& d, const std::vector<uint32_t>& words) {
  std::vector<std::string> texts;
  for (unsigned w = 0; w < words.size(); ++w) {
    d.SetWord(w, words[w]);
    std::string text;
    bool wrote = false;
    if (!d.DecodeCmdWord(w, text, wrote)) break;
    EXPECT_EQ(wrote, !text.empty());
    texts.push_back(text);
  }
  return texts;
}

std::vector<std::string> DecodeProgram(const std::vector<uint32_t>& words) {
  CmdDecoder d;
  return DecodeProgram(d, words);
}

TEST(CmdDecoder, WorkedCommandWords) {
  const std::vector<std::string> want = {"CMD_Begin",
                                         "DarkAdapt(1000mS)",
                                         "*TimeParaAdd(1000)",
                                         "LightAdapt(5000mS, 300)",
                                         "OJIP(1S, 3000)",
                                         "Loop_Begin(5)[",
                                         "PulseMeas(10S,+100,300,20mS)",
                                         "]Loop_End",
                                         "CMD_End"};
  EXPECT_EQ(DecodeProgram({0xB0000000, 0xCA006400, 0xBAD10064, 0xCA01F41E, 0xC0010BB8, 0xBB000005,
                           0xCE52051E, 0xBC000000, 0xBE000000}),
            want);
}

TEST(CmdDecoder, FieldsOfEveryCommand) {
  // CF001388: bits 8-23 = 0x0013 -> 19 ms. CE 0xFF 0x07 0xFF: 31 s, PP+ 7 x 20, AL 255 x 10,
  // step index 7 -> 1000 ms. CA FFFF 00: 65535 x 10 ms dark.
  EXPECT_EQ(
      DecodeProgram({0xCF001388, 0xCEFF07FF, 0xCAFFFF00, 0xC0FFFFFF, 0xBB0000FF}),
      (std::vector<std::string>{"FarRedLed(19mS)", "PulseMeas(31S,+140,2550,1000mS)",
                                "DarkAdapt(655350mS)", "OJIP(255S, 65535)", "Loop_Begin(255)["}));
}

TEST(CmdDecoder, ParameterListWords) {
  EXPECT_EQ(DecodeProgram({0xBAD40000, 0xBD000064, 0xBAD30000, 0xBAD20032, 0xBA000005, 0xBAFF0005,
                           0xBD00FFFF}),
            (std::vector<std::string>{"*ChgLightParaList:", "**ParaListData(100)",
                                      "*ChgTimeParaList:", "*LightParaAdd(50)", "??????", "??????",
                                      "**ParaListData(65535)"}));
}

TEST(CmdDecoder, MultiplierFollowsTheCommandsBeforeIt) {
  // An adaptation makes parameter-list values count in its 10 ms units; a loop begin, an OJIP,
  // a far-red or a pulse measurement return to the stored value.
  EXPECT_EQ(DecodeProgram({0xCA000A00, 0xBD000003, 0xBC000000, 0xBD000003, 0xBB000002, 0xBD000003,
                           0xCA000A00, 0xC0010BB8, 0xBD000003, 0xCA000A00, 0xCF000100, 0xBAD10003,
                           0xCA000A00, 0xCE52051E, 0xBAD20003}),
            (std::vector<std::string>{
                "DarkAdapt(100mS)", "**ParaListData(30)", "]Loop_End", "**ParaListData(30)",
                "Loop_Begin(2)[", "**ParaListData(3)", "DarkAdapt(100mS)", "OJIP(1S, 3000)",
                "**ParaListData(3)", "DarkAdapt(100mS)", "FarRedLed(1mS)", "*TimeParaAdd(3)",
                "DarkAdapt(100mS)", "PulseMeas(10S,+100,300,20mS)", "*LightParaAdd(3)"}));
}

TEST(CmdDecoder, ParameterListAfterPulseMeasurementShowsItsValue) {
  CmdDecoder d;
  const auto texts = DecodeProgram(d, {0xB0000000, 0xCE52051E, 0xBD000007});
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[2], "**ParaListData(7)");
  EXPECT_EQ(d.multiplier(), 1);
}

TEST(CmdDecoder, WordZeroStartsAFreshProgram) {
  CmdDecoder d;
  DecodeProgram(d, {0xB0000000, 0xCA006400});  // leaves the multiplier at 10
  EXPECT_EQ(d.multiplier(), 10);
  EXPECT_EQ(DecodeProgram(d, {0xBD000005}), std::vector<std::string>{"**ParaListData(5)"});
}

TEST(CmdDecoder, NoTextWordAndEndIndex) {
  CmdDecoder d;
  const auto texts = DecodeProgram(d, {0xB0000000, 0xB1000000, 0xBE000000});
  EXPECT_EQ(texts, (std::vector<std::string>{"CMD_Begin", "", "CMD_End"}));
  EXPECT_EQ(d.end_index(), 2u);
  // The end command itself may be decoded again; a word beyond it is refused and writes nothing.
  std::string again;
  bool again_wrote = false;
  EXPECT_TRUE(d.DecodeCmdWord(2, again, again_wrote));
  EXPECT_EQ(again, "CMD_End");
  std::string text = "kept";
  bool wrote = true;
  EXPECT_FALSE(d.DecodeCmdWord(3, text, wrote));
  EXPECT_FALSE(wrote);
  EXPECT_EQ(text, "kept");
}

TEST(CmdDecoder, UnknownOpcodeEndsTheProgram) {
  CmdDecoder d;
  EXPECT_EQ(DecodeProgram(d, {0xB0000000, 0x12345678, 0xBE000000}),
            (std::vector<std::string>{"CMD_Begin", "??????"}));
  EXPECT_EQ(d.end_index(), 1u);
  // The next program is decoded normally.
  EXPECT_EQ(DecodeProgram(d, {0xB0000000, 0xBE000000}),
            (std::vector<std::string>{"CMD_Begin", "CMD_End"}));
}

class ListingTest : public ::testing::Test {
 protected:
  // Builds the user-defined list of the records and selects the given 0-based positions.
  std::string List(const std::vector<synth::RecordSpec>& records, const std::vector<int>& sel) {
    synth::FileBuilder b;
    for (const auto& r : records) b.Add(r);
    LoadBytes(b.File(), *image);
    uint32_t tally = 0;
    FillFNtoListBox(*image, 0, *list, tally);
    for (int p : sel) list->selected[p] = 1;
    list->selected_count = static_cast<int>(sel.size());
    std::string text = "stale";
    FillUserCmdtoREdit(*image, *list, text);
    return text;
  }

  static synth::RecordSpec User(std::string name, uint16_t number, std::string program_name,
                                uint32_t first, std::vector<uint32_t> rest) {
    synth::RecordSpec r;
    r.name = std::move(name);
    r.number = number;
    testing::SetStamp(r, 21, 3, 7, 9, 5, 2);
    r.program_name = std::move(program_name);
    r.type_word = first;
    r.program = std::move(rest);
    return r;
  }

  std::unique_ptr<FileImage> image = std::make_unique<FileImage>();
  std::unique_ptr<RecordList> list = std::make_unique<RecordList>();
};

const std::string kSep = "==========================================\n";

TEST_F(ListingTest, OneRecordGivesHeaderAndProgramLines) {
  EXPECT_EQ(List({User("ALGAUS01", 12, "DarkOJIP", 0xB0000000, {0xCA006400, 0xBE000000})}, {0}),
            kSep +
                "ALGAUS010012,2021/03/07,09:05:02, \n"
                "CmdName: DarkOJIP\n"
                "CMD_Begin\nDarkAdapt(1000mS)\nCMD_End\n");
}

TEST_F(ListingTest, NamesEndAtNulOrAfterTheirFieldWidth) {
  const std::string text = List(
      {User(std::string("ALG\0XYZW", 8), 7, "ProgramName16chr", 0xB0000000, {0xBE000000})}, {0});
  EXPECT_EQ(text, kSep +
                      "ALG0007,2021/03/07,09:05:02, \nCmdName: ProgramName16chr\n"
                      "CMD_Begin\nCMD_End\n");
}

TEST_F(ListingTest, NothingSelectedGivesEmptyText) {
  EXPECT_EQ(List({User("A", 1, "P", 0xB0000000, {0xBE000000})}, {}), "");
}

TEST_F(ListingTest, SelectedRecordsInListOrder) {
  const auto a = User("AAAA", 1, "PA", 0xB0000000, {0xBE000000});
  const auto b = User("BBBB", 2, "PB", 0xB0000000, {0xBE000000});
  const auto c = User("CCCC", 3, "PC", 0xB0000000, {0xBE000000});
  synth::RecordSpec ojip = a;  // another type between them does not disturb the list
  ojip.type_word = 1;
  const std::string text = List({a, ojip, b, c}, {2, 0});
  const std::string block_a =
      kSep + "AAAA0001,2021/03/07,09:05:02, \nCmdName: PA\nCMD_Begin\nCMD_End\n";
  const std::string block_c =
      kSep + "CCCC0003,2021/03/07,09:05:02, \nCmdName: PC\nCMD_Begin\nCMD_End\n";
  EXPECT_EQ(text, block_a + block_c);
}

TEST_F(ListingTest, ARecordsListingDoesNotDependOnRecordsBeforeIt) {
  // The first program ends inside an adaptation's 10 ms units; the second shows raw values.
  const auto first = User("FIRST", 1, "P", 0xB0000000, {0xCA006400, 0xBE000000});
  const auto second = User("SECOND", 2, "P", 0xB0000000, {0xBD000005, 0xBE000000});
  const std::string alone = List({first, second}, {1});
  const std::string both = List({first, second}, {0, 1});
  ASSERT_NE(alone, "");
  EXPECT_NE(alone.find("**ParaListData(5)\n"), std::string::npos);
  EXPECT_EQ(both.substr(both.size() - alone.size()), alone);
}

TEST_F(ListingTest, ProgramWithoutEndShowsItsFirst256Words) {
  std::vector<uint32_t> words(299, 0xBC000000);
  const std::string text = List({User("LONG", 1, "P", 0xB0000000, words)}, {0});
  size_t loop_ends = 0;
  for (size_t p = text.find("]Loop_End\n"); p != std::string::npos;
       p = text.find("]Loop_End\n", p + 1))
    ++loop_ends;
  EXPECT_EQ(loop_ends, 255u);  // word 0 is CMD_Begin
  EXPECT_EQ(text.substr(text.size() - 10), "]Loop_End\n");
}

TEST_F(ListingTest, UnknownOpcodeEndsOnlyItsRecord) {
  const auto broken = User("BROKEN", 1, "P", 0xB0000000, {0x01000000, 0xC0010BB8, 0xBE000000});
  const auto fine = User("FINE", 2, "P", 0xB0000000, {0xB1000000, 0xC0010BB8, 0xBE000000});
  EXPECT_EQ(List({broken, fine}, {0, 1}),
            kSep + "BROKEN0001,2021/03/07,09:05:02, \nCmdName: P\nCMD_Begin\n??????\n" + kSep +
                "FINE0002,2021/03/07,09:05:02, \nCmdName: P\nCMD_Begin\nOJIP(1S, 3000)\nCMD_End\n");
}

TEST_F(ListingTest, DateBytesAreSigned) {
  auto r = User("NEG", 1, "P", 0xBE000000, {});
  r.year = -28;
  r.month = 105;
  r.hour = -2;
  EXPECT_EQ(List({r}, {0}), kSep + "NEG0001,20-28/105/07,-2:05:02, \nCmdName: P\nCMD_End\n");
}

}  // namespace
}  // namespace corvel
