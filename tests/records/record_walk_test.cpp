#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "records/record.h"
#include "records/record_list.h"
#include "test_files.h"

namespace corvel {
namespace {

using testing::LoadBytes;
using testing::OjipRecord;
using testing::RampTrace;

class RecordListTest : public ::testing::Test {
 protected:
  ListBuild Build(const synth::Bytes& bytes, uint8_t code) {
    LoadBytes(bytes, image);
    tally = 0;
    return FillFNtoListBox(image, code, *list, tally);
  }
  FileImage image;
  std::unique_ptr<RecordList> list = std::make_unique<RecordList>();
  uint32_t tally = 0;
};

TEST_F(RecordListTest, FilesWithoutRecordsListNothingForAnyType) {
  synth::FileBuilder b;
  const synth::Bytes file = b.File();
  synth::Bytes header_only(file.begin(), file.begin() + 64);
  synth::Bytes header_zeros = header_only;
  header_zeros.resize(64 + 5000, 0);
  for (const synth::Bytes* f : {&header_only, &header_zeros}) {
    for (uint8_t code = 0; code <= 9; ++code) {
      Build(*f, code);
      EXPECT_EQ(list->count, 0);
      EXPECT_EQ(tally, 0u);
    }
  }
}

TEST_F(RecordListTest, DeletedAndUnknownTypeRecordsAreWalkedOverButNotListed) {
  synth::FileBuilder b;
  b.Add(OjipRecord(RampTrace(208, 400, 2000, 120), 1));
  synth::RecordSpec deleted = OjipRecord(RampTrace(208, 400, 2000, 120), 2);
  deleted.type_word = kDeletionMarker;
  b.Add(deleted);
  synth::RecordSpec unknown = OjipRecord(RampTrace(208, 400, 2000, 120), 3);
  unknown.type_word = 0x0000010A;  // type byte 10
  b.Add(unknown);
  b.Add(OjipRecord(RampTrace(208, 400, 2000, 120), 4));
  Build(b.File(), 1);
  ASSERT_EQ(list->count, 2);
  EXPECT_EQ(Record(image, list->offset(0)).number(), 1);
  EXPECT_EQ(Record(image, list->offset(1)).number(), 4);
  // Live records of every type count, the deleted one does not.
  EXPECT_EQ(tally, 3u);
  EXPECT_EQ(list->label(1).substr(list->label(1).size() - 6), "[0002]");
}

TEST_F(RecordListTest, LabelsShowNameNumberDateAndPosition) {
  synth::FileBuilder b;
  synth::RecordSpec r = OjipRecord(RampTrace(208, 400, 2000, 120), 12);
  r.name = std::string("ABC\0EFGH", 8);
  r.type_word = 0x101;  // R/B marker 1
  r.year = 21, r.month = 3, r.day = 7, r.hour = 9, r.minute = 5, r.second = 59;
  b.Add(r);
  synth::RecordSpec full = OjipRecord(RampTrace(208, 400, 2000, 120), 7);
  full.name = "ABCDEFGH";
  b.Add(full);
  Build(b.File(), 1);
  ASSERT_EQ(list->count, 2);
  EXPECT_EQ(list->label(0), "(R)ABC0012 [03/07 09:05:59][0001]");
  EXPECT_EQ(list->label(1), "(B)ABCDEFGH0007 [06/13 10:00:00][0002]");
}

TEST_F(RecordListTest, NegativeAndWideStampBytesFormatAsPrintfWould) {
  synth::FileBuilder b;
  synth::RecordSpec r = OjipRecord(RampTrace(208, 400, 2000, 120), 65535);
  r.month = -5, r.day = -128, r.hour = 127, r.minute = 0, r.second = -1;
  b.Add(r);
  Build(b.File(), 1);
  char want[64];
  std::snprintf(want, sizeof want, "(B)ALGAOJ01%04d [%02d/%02d %02d:%02d:%02d][%04d]", 65535, -5,
                -128, 127, 0, -1, 1);
  EXPECT_EQ(list->label(0), want);
}

TEST_F(RecordListTest, OnlyMarkerOneGivesTheRPrefix) {
  synth::FileBuilder b;
  for (uint32_t marker = 0; marker < 16; ++marker) {
    synth::RecordSpec r = OjipRecord(RampTrace(100, 400, 2000, 50), static_cast<uint16_t>(marker));
    r.type_word = 1 | (marker << 8) | 0xABC00000u;
    b.Add(r);
  }
  Build(b.File(), 1);
  ASSERT_EQ(list->count, 16);
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(list->label(i).substr(0, 3), i == 1 ? "(R)" : "(B)") << "marker " << i;
}

TEST_F(RecordListTest, MoreThan9998RecordsListTheFirst9998) {
  synth::FileBuilder b;
  synth::RecordSpec r;
  r.name = "X";
  r.type_word = 1;
  for (int i = 0; i < 10005; ++i) {
    r.number = static_cast<uint16_t>(i);
    b.Add(r);
  }
  const ListBuild build = Build(b.File(), 1);
  EXPECT_EQ(list->count, kListLimit);
  EXPECT_TRUE(build.truncated);
  EXPECT_EQ(Record(image, list->offset(9997)).number(), 9997);
  // The 9999th record takes an index slot but gets no label.
  EXPECT_EQ(Record(image, list->offset(9998)).number(), 9998);
  EXPECT_EQ(list->label(9997).substr(list->label(9997).size() - 6), "[9998]");
}

TEST_F(RecordListTest, ImpossibleLengthsEndTheChainAsDamaged) {
  for (int variant = 0; variant < 3; ++variant) {
    synth::FileBuilder b;
    b.Add(OjipRecord(RampTrace(208, 400, 2000, 120), 1));
    synth::RecordSpec bad = OjipRecord(RampTrace(208, 400, 2000, 120), 2);
    if (variant == 0) bad.record_length = 0;
    if (variant == 1) bad.header_length = 0;
    if (variant == 2) bad.record_length = 20;  // below the header length
    b.Add(bad);
    b.Add(OjipRecord(RampTrace(208, 400, 2000, 120), 3));
    const ListBuild build = Build(b.File(), 1);
    EXPECT_EQ(list->count, 1) << variant;
    EXPECT_TRUE(build.chain.damaged) << variant;
    EXPECT_EQ(build.chain.offset, list->offset(0) + Record(image, 0).record_length());
  }
}

TEST_F(RecordListTest, RecordRunningPastTheAreaIsListedAndReadsStayInside) {
  synth::FileBuilder b;
  synth::RecordSpec r = OjipRecord(RampTrace(208, 400, 2000, 120), 1);
  r.record_length = 0xFFFFFFF0u;
  b.Add(r);
  Build(b.File(), 1);
  EXPECT_EQ(list->count, 1);
  // A record placed at the very end of the area: its fields past the end read as 0.
  LoadBytes(b.File(), image);
  const uint32_t last = kAreaSize - 6;
  image.area()[last] = 'F';
  image.area()[last + 1] = 'I';
  EXPECT_EQ(Record(image, last).record_length(), 0u);
  EXPECT_EQ(Record(image, last).type_word(), 0u);
  EXPECT_EQ(image.U32(kAreaSize - 2), 0u);
  EXPECT_EQ(image.U16(uint64_t{kAreaSize} * 3), 0u);
}

TEST(BlockWalk, EndsAtMissingMagicShortBlockOrAreaEnd) {
  FileImage image;
  synth::FileBuilder b;
  synth::RecordSpec r = OjipRecord(RampTrace(10, 1, 5, 3), 1);
  r.blocks.push_back(synth::OjipBlock(0xC0010BB8, {1, 2, 3}));
  r.blocks.push_back(synth::RawBlock(0x12345678, {}));  // length 8: walked over, no samples
  synth::Bytes short_block = synth::OjipBlock(0xC0010BB8, {1, 2});
  short_block[2] = 6;  // block length below 8 ends the walk
  r.blocks.push_back(short_block);
  r.blocks.push_back(synth::OjipBlock(0xC0010BB8, {9}));
  b.Add(r);
  LoadBytes(b.File(), image);
  unsigned seen = 0;
  EXPECT_EQ(WalkBlocks(image, Record(image, 0).first_block(), 255, [&](const Block&) { ++seen; }),
            3u);
  EXPECT_EQ(seen, 3u);
  EXPECT_EQ(WalkBlocks(image, Record(image, 0).first_block(), 2, [](const Block&) {}), 2u);
  // A position at the end of the area is never walkable, whatever lies before it.
  EXPECT_FALSE(IsWalkableBlock(image, kAreaSize));
  // Unchecked steps stay put on a zero length.
  EXPECT_EQ(NextBlockUnchecked(image, kAreaSize - 100), kAreaSize - 100);
}

}  // namespace
}  // namespace corvel
