#include "export/binary_save.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export_test_files.h"
#include "records/record.h"

namespace corvel {
namespace {

using testing::ImageOf;

synth::RecordSpec Rec(const char* name, uint16_t number, uint32_t type_word) {
  synth::RecordSpec r;
  r.name = name;
  r.number = number;
  r.type_word = type_word;
  r.program = {0xC0010BB8, 0xBE000000};
  r.blocks.push_back(synth::OjipBlock(0xC0010BB8, std::vector<uint16_t>(20 + number, number)));
  return r;
}

std::string Bytes(const synth::RecordSpec& r) {
  const synth::Bytes b = synth::RecordBytes(r);
  return {b.begin(), b.end()};
}

class BinarySave : public ::testing::Test {
 protected:
  void SetUp() override {
    specs = {Rec("OJIPA", 1, 0x101), Rec("RLCB", 2, 3),    Rec("OJIPC", 3, 1),
             Rec("UNKD", 4, 12),     Rec("USERE", 5, 0x0), Rec("OJIPF", 6, 0x201)};
    synth::FileBuilder b;
    for (auto& s : specs) b.Add(s);
    file = b.File();
    image = ImageOf(file);
    header.assign(file.begin(), file.begin() + 64);
    uint32_t offset = 0;
    for (auto& s : specs) {
      offsets.push_back(offset);
      offset += static_cast<uint32_t>(synth::RecordBytes(s).size());
    }
  }

  void BuildList(uint8_t code) {
    uint32_t tally = 0;
    FillFNtoListBox(*image, code, *list, tally);
  }

  synth::Bytes file;
  std::vector<synth::RecordSpec> specs;
  std::vector<uint32_t> offsets;
  std::string header;
  std::unique_ptr<FileImage> image;
  std::unique_ptr<RecordList> list = std::make_unique<RecordList>();
};

TEST_F(BinarySave, WholeImageWithoutDeletedAndUnknownRecords) {
  image->PutU32(offsets[1] + 40, kDeletionMarker);
  StringSink out;
  ASSERT_TRUE(WriteFileImage(*image, out));
  EXPECT_EQ(out.text,
            header + Bytes(specs[0]) + Bytes(specs[2]) + Bytes(specs[4]) + Bytes(specs[5]));

  // Reloading gives every record but the deleted one (and the one of unknown type), in order.
  const synth::Bytes saved(out.text.begin(), out.text.end());
  auto reloaded = ImageOf(saved);
  EXPECT_EQ(reloaded->header, image->header);
  std::vector<uint16_t> numbers;
  WalkRecords(*reloaded, [&](uint32_t off) {
    numbers.push_back(Record(*reloaded, off).number());
    return true;
  });
  EXPECT_EQ(numbers, (std::vector<uint16_t>{1, 3, 5, 6}));
}

TEST_F(BinarySave, RecordRunningPastTheAreaIsCutAtItsEnd) {
  synth::FileBuilder b;
  auto big = Rec("BIG", 1, 1);
  big.record_length = kAreaSize + 1000;
  b.Add(big);
  auto img = ImageOf(b.File());
  StringSink out;
  ASSERT_TRUE(WriteFileImage(*img, out));
  ASSERT_EQ(out.text.size(), kHeaderSize + kAreaSize);
  EXPECT_EQ(out.text.compare(64, Bytes(big).size(), Bytes(big)), 0);
}

TEST_F(BinarySave, ListModesWriteInListOrder) {
  BuildList(1);  // OJIPA, OJIPC, OJIPF
  ASSERT_EQ(list->count, 3);
  StringSink all;
  ASSERT_TRUE(WriteListRecords(*image, *list, RecordSelection::kAll, all));
  EXPECT_EQ(all.text, header + Bytes(specs[0]) + Bytes(specs[2]) + Bytes(specs[5]));

  list->selected[2] = 1;
  list->selected[0] = 1;
  list->selected_count = 2;
  StringSink selected;
  ASSERT_TRUE(WriteListRecords(*image, *list, RecordSelection::kSelected, selected));
  EXPECT_EQ(selected.text, header + Bytes(specs[0]) + Bytes(specs[5]));
}

TEST_F(BinarySave, ListWritingStopsAtAnEntryWithoutRecordMagic) {
  BuildList(1);
  image->area()[offsets[2]] = 'X';  // the list was built before the record was damaged
  StringSink out;
  ASSERT_TRUE(WriteListRecords(*image, *list, RecordSelection::kAll, out));
  EXPECT_EQ(out.text, header + Bytes(specs[0]));
}

TEST_F(BinarySave, NothingSelectedWritesTheHeaderOnly) {
  BuildList(1);
  StringSink out;
  ASSERT_TRUE(WriteListRecords(*image, *list, RecordSelection::kSelected, out));
  EXPECT_EQ(out.text, header);
  StringSink bad;
  EXPECT_FALSE(WriteListRecords(*image, *list, static_cast<RecordSelection>(3), bad));
  EXPECT_EQ(bad.text, "");
}

}  // namespace
}  // namespace corvel
