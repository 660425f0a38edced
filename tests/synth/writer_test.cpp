#include "synth/writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "support/record_builders.h"

namespace corvel::synth {
namespace {

Bytes Slice(const Bytes& b, size_t from, size_t count) {
  return Bytes(b.begin() + static_cast<long>(from), b.begin() + static_cast<long>(from + count));
}

TEST(WriterBlocks, OjipBlockIsMagicLengthCodeThenLittleEndianSamples) {
  const Bytes b = OjipBlock(0xC0010BB8, {0x1234, 0x00FF, 0xABCD});
  EXPECT_EQ(b,
            (Bytes{'A', 'D', 14, 0, 0xB8, 0x0B, 0x01, 0xC0, 0x34, 0x12, 0xFF, 0x00, 0xCD, 0xAB}));
}

TEST(WriterBlocks, PulseBlockInterleavesPairsAndCountsFourBytesPerPair) {
  const Bytes b = PulseBlock(0xCE52051E, {{1, 2}, {0x0300, 0x0400}});
  ASSERT_EQ(b.size(), 16u);
  EXPECT_EQ(Slice(b, 2, 2), (Bytes{16, 0}));
  EXPECT_EQ(Slice(b, 4, 4), (Bytes{0x1E, 0x05, 0x52, 0xCE}));
  EXPECT_EQ(Slice(b, 8, 8), (Bytes{1, 0, 2, 0, 0, 3, 0, 4}));
}

TEST(WriterBlocks, RawBlockKeepsOddAndEmptySampleCounts) {
  EXPECT_EQ(RawBlock(0x12345678, {7, 8, 9}).size(), 14u);
  EXPECT_EQ(RawBlock(0x12345678, {7, 8, 9})[2], 14);
  const Bytes empty = RawBlock(0x12345678, {});
  EXPECT_EQ(empty, (Bytes{'A', 'D', 8, 0, 0x78, 0x56, 0x34, 0x12}));
}

TEST(WriterBlocks, LengthAbove255UsesBothBytes) {
  const Bytes b = OjipBlock(0xC0000000, std::vector<uint16_t>(300, 5));  // 608 = 0x0260
  EXPECT_EQ(b[2], 0x60);
  EXPECT_EQ(b[3], 0x02);
  EXPECT_EQ(b.size(), 608u);
}

RecordSpec Sample() {
  RecordSpec r;
  r.name = "ALGAXY07";
  r.number = 0x0102;
  testing::SetStamp(r, 24, 3, 7, 23, 59, -1);  // the second is stored as a signed byte
  r.program_name = "Prog";
  r.type_word = 0x00001103;
  r.program = {0xCA01F41E, 0xBE000000};
  r.blocks = {OjipBlock(0xC0010FA0, {1, 2}), RawBlock(0x1, {3})};
  return r;
}

TEST(WriterRecord, FixedFieldsAtTheirOffsets) {
  const Bytes b = RecordBytes(Sample());
  EXPECT_EQ(Slice(b, 0, 2), (Bytes{'F', 'I'}));
  EXPECT_EQ(Slice(b, 8, 8), (Bytes{'A', 'L', 'G', 'A', 'X', 'Y', '0', '7'}));
  EXPECT_EQ(Slice(b, 16, 2), (Bytes{0x02, 0x01}));
  EXPECT_EQ(Slice(b, 18, 6), (Bytes{24, 3, 7, 23, 59, 0xFF}));
  EXPECT_EQ(Slice(b, 24, 16), (Bytes{'P', 'r', 'o', 'g', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Slice(b, 40, 4), (Bytes{0x03, 0x11, 0x00, 0x00}));
  EXPECT_EQ(Slice(b, 44, 8), (Bytes{0x1E, 0xF4, 0x01, 0xCA, 0, 0, 0, 0xBE}));
}

TEST(WriterRecord, DefaultLengthsCoverProgramAndBlocks) {
  const Bytes b = RecordBytes(Sample());
  // 44 fixed bytes + 2 words = 52; blocks of 12 and 10 bytes follow it.
  EXPECT_EQ(Slice(b, 2, 2), (Bytes{52, 0}));
  EXPECT_EQ(Slice(b, 4, 4), (Bytes{74, 0, 0, 0}));
  ASSERT_EQ(b.size(), 74u);
  EXPECT_EQ(Slice(b, 52, 2), (Bytes{'A', 'D'}));
  EXPECT_EQ(Slice(b, 64, 2), (Bytes{'A', 'D'}));

  RecordSpec bare;
  bare.program.clear();
  const Bytes h = RecordBytes(bare);
  EXPECT_EQ(h.size(), 44u);
  EXPECT_EQ(h[2], 44);
  EXPECT_EQ(h[4], 44);
}

TEST(WriterRecord, LongProgramGivesTwoByteHeaderLength) {
  RecordSpec r;
  r.program.assign(299, 0xBD000001);  // 44 + 1196 = 1240 = 0x04D8
  const Bytes b = RecordBytes(r);
  EXPECT_EQ(Slice(b, 2, 2), (Bytes{0xD8, 0x04}));
  EXPECT_EQ(Slice(b, 4, 4), (Bytes{0xD8, 0x04, 0, 0}));
}

TEST(WriterRecord, NamesAreCutOrNulPadded) {
  RecordSpec r;
  r.name = "ABCDEFGHIJ";
  r.program_name = "0123456789ABCDEFXYZ";
  Bytes b = RecordBytes(r);
  EXPECT_EQ(Slice(b, 8, 8), (Bytes{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}));
  EXPECT_EQ(b[24 + 15], 'F');
  EXPECT_EQ(b[40], 1);  // the type word follows directly: nothing of "XYZ" spilled over
  r.name = std::string("AB\0CD", 5);
  b = RecordBytes(r);
  EXPECT_EQ(Slice(b, 8, 8), (Bytes{'A', 'B', 0, 'C', 'D', 0, 0, 0}));
}

TEST(WriterRecord, OverridesChangeOnlyTheLengthFields) {
  RecordSpec r = Sample();
  const Bytes normal = RecordBytes(r);
  r.header_length = 0;
  r.record_length = 0xFFFFFF00u;
  const Bytes damaged = RecordBytes(r);
  ASSERT_EQ(damaged.size(), normal.size());
  EXPECT_EQ(Slice(damaged, 2, 6), (Bytes{0, 0, 0x00, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Slice(damaged, 8, damaged.size() - 8), Slice(normal, 8, normal.size() - 8));
}

TEST(WriterFile, HeaderPatternThenRecordsInOrder) {
  FileBuilder fb;
  for (size_t i = 0; i < 64; ++i) ASSERT_EQ(fb.header[i], static_cast<uint8_t>(i * 7 + 3));
  RecordSpec a = Sample(), c = Sample();
  c.number = 9;
  fb.Add(a).AddRaw({0xEE, 0xEE}).Add(c);
  const Bytes ra = RecordBytes(a), rc = RecordBytes(c);
  ASSERT_EQ(fb.bytes().size(), ra.size() + 2 + rc.size());
  const Bytes file = fb.File();
  ASSERT_EQ(file.size(), 64 + fb.bytes().size());
  EXPECT_EQ(Slice(file, 0, 64), Bytes(fb.header.begin(), fb.header.end()));
  EXPECT_EQ(Slice(file, 64, ra.size()), ra);
  EXPECT_EQ(Slice(file, 64 + ra.size(), 2), (Bytes{0xEE, 0xEE}));
  EXPECT_EQ(Slice(file, 66 + ra.size(), rc.size()), rc);
}

TEST(WriterFile, HeaderCanBeReplacedAndSaveWritesTheFile) {
  FileBuilder fb;
  fb.header.fill(0x11);
  fb.Add(Sample());
  const std::string path = ::testing::TempDir() + "synth_writer_save.bin";
  ASSERT_TRUE(fb.Save(path));
  std::ifstream in(path, std::ios::binary);
  const Bytes back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(back, fb.File());
  EXPECT_EQ(back[0], 0x11);
  std::remove(path.c_str());
  EXPECT_FALSE(fb.Save("/nonexistent-dir/x/y.bin"));
}

TEST(WriterFields, PutAndGetAreLittleEndianAndBounded) {
  Bytes b(4, 0);
  PutU32(b, 0, 0x11223344);
  EXPECT_EQ(b, (Bytes{0x44, 0x33, 0x22, 0x11}));
  PutU16(b, 4, 0xA1B2);  // grows the buffer
  EXPECT_EQ(b.size(), 6u);
  EXPECT_EQ(GetU16(b, 4), 0xA1B2);
  EXPECT_EQ(GetU32(b, 0), 0x11223344u);
  EXPECT_EQ(GetU32(b, 3), 0u);  // past the end
}

}  // namespace
}  // namespace corvel::synth
