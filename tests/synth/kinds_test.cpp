#include "synth/kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <set>

#include "synth/read_back.h"

namespace corvel::synth {
namespace {

using testing::kArea;
using testing::OjipPoints;
using testing::ReadFile;
using testing::Record;

std::vector<int> Stamp(const Record& r) {
  return {r.stamp, r.stamp + 6};
}

TEST(SynthDemoFile, EveryTypeInTimeOrderWithMarkersAndGbkName) {
  const Bytes file = MakeDemoFile(1);
  EXPECT_LT(file.size(), 1000000u);
  size_t end = 0;
  const auto records = ReadFile(file, &end);
  EXPECT_EQ(end, file.size());  // lengths add up to the file exactly
  std::map<int, int> per_type;
  int marked = 0, gbk = 0;
  for (size_t i = 0; i < records.size(); ++i) {
    const Record& r = records[i];
    ++per_type[r.type()];
    if (r.type() != 0) {
      const uint32_t marker = (r.type_word >> 8) & 0xF;
      EXPECT_LE(marker, 1u);
      marked += marker == 1;
    }
    if (r.name.compare(0, 4, "\xD4\xE5\xC0\xE0") == 0) ++gbk;
    if (i > 0) {
      EXPECT_GT(r.number, records[i - 1].number);
      EXPECT_GT(Stamp(r), Stamp(records[i - 1]));
    }
  }
  ASSERT_EQ(per_type.size(), 10u);
  for (const auto& [type, count] : per_type) {
    EXPECT_GE(count, 3) << type;
    EXPECT_LE(count, 6) << type;
  }
  EXPECT_GE(marked, 1);
  EXPECT_LE(marked, 2);
  EXPECT_EQ(gbk, 1);
}

TEST(SynthDemoFile, DeterministicPerSeed) {
  EXPECT_EQ(MakeDemoFile(3), MakeDemoFile(3));
  EXPECT_NE(MakeDemoFile(3), MakeDemoFile(4));
}

TEST(SynthCapacityFile, FillsTheAreaWithWholeRecordsOfOneType) {
  constexpr int kCodes[10] = {1, 2, 3, 4, 5, 6, 7, 8, 0, 9};
  for (int radio = 0; radio < 10; ++radio) {
    SCOPED_TRACE(radio);
    const auto t0 = std::chrono::steady_clock::now();
    const Bytes file = MakeCapacityFile(radio, 5);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(seconds, 5.0);  // well under a second in an optimised build
    ASSERT_LE(file.size(), 64 + kArea);
    size_t end = 0;
    const auto records = ReadFile(file, &end);
    EXPECT_EQ(end, file.size());
    size_t largest = 0;
    std::set<uint32_t> distinct_first_blocks;
    for (const Record& r : records) {
      ASSERT_EQ(r.type(), kCodes[radio]);
      largest = std::max<size_t>(largest, r.record_length);
      if (!r.blocks.empty())
        distinct_first_blocks.insert(r.blocks[0].samples.empty() ? 0 : r.blocks[0].samples[5]);
    }
    EXPECT_GE(file.size(), 64 + kArea - largest);
    EXPECT_GT(records.size(), 300u);
    if (kCodes[radio] != 9) {
      EXPECT_GT(distinct_first_blocks.size(), 3u);  // not one record copied
    }
  }
  const auto ojip = ReadFile(MakeCapacityFile(0, 5));
  EXPECT_GT(ojip.size(), 9998u);
  for (size_t i = 1; i < 50; ++i) EXPECT_GT(Stamp(ojip[i]), Stamp(ojip[i - 1]));
}

class SynthEdgeFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (auto& [name, bytes] : MakeEdgeFiles()) files_->emplace(name, std::move(bytes));
  }
  static std::vector<Record> Records(const std::string& name) { return ReadFile(File(name)); }
  static const Bytes& File(const std::string& name) { return files_->at(name); }
  static inline std::map<std::string, Bytes>* files_ = new std::map<std::string, Bytes>;
};

TEST_F(SynthEdgeFiles, NamesAreCompleteAndEachCanBeMadeAlone) {
  const std::vector<std::string> expected = {"header_only.bin",
                                             "header_short_10_bytes.bin",
                                             "header_plus_zeros.bin",
                                             "deleted_record.bin",
                                             "type_byte_above_9.bin",
                                             "name_nul_at_3.bin",
                                             "name_eight_chars.bin",
                                             "rb_markers_0_to_15.bin",
                                             "ojip_10000_records.bin",
                                             "ojip_300_samples.bin",
                                             "ojip_short_trace.bin",
                                             "ojip_flat.bin",
                                             "ojip_twin_peaks.bin",
                                             "ojip_peak_at_29.bin",
                                             "ojip_peak_at_63.bin",
                                             "ojip_peak_at_70.bin",
                                             "ojip_peak_at_150.bin",
                                             "fo_rounding.bin",
                                             "pifr_ppsec_82.bin",
                                             "pifr_over_300s.bin",
                                             "rlc_sun.bin",
                                             "rlc_fewer_blocks.bin",
                                             "slowkin_single_block.bin",
                                             "slowkin_25_pulses.bin",
                                             "unknown_trace_code.bin",
                                             "pulse_odd_samples.bin",
                                             "record_length_0.bin",
                                             "header_length_0.bin",
                                             "record_length_below_header.bin",
                                             "record_past_area.bin",
                                             "block_length_below_8.bin",
                                             "block_length_0.bin",
                                             "block_past_area.bin",
                                             "file_longer_than_area.bin",
                                             "user_all_opcodes.bin",
                                             "user_300_words_no_end.bin",
                                             "chlconc_1234_and_0.bin",
                                             "dr_fewer_blocks.bin",
                                             "multiojip_fewer_blocks.bin",
                                             "foprime_one_block.bin"};
  const auto names = EdgeFileNames();
  for (const auto& n : expected)
    EXPECT_NE(std::find(names.begin(), names.end(), n), names.end()) << n;
  EXPECT_EQ(files_->size(), names.size());
  EXPECT_EQ(MakeEdgeFile("rlc_sun.bin"), File("rlc_sun.bin"));  // deterministic
  EXPECT_FALSE(MakeEdgeFile("no_such_file.bin").has_value());
}

TEST_F(SynthEdgeFiles, HeaderOnlyShortAndZeros) {
  EXPECT_EQ(File("header_only.bin").size(), 64u);
  EXPECT_EQ(File("header_short_10_bytes.bin").size(), 10u);
  const Bytes& z = File("header_plus_zeros.bin");
  EXPECT_GT(z.size(), 64u);
  EXPECT_TRUE(std::all_of(z.begin() + 64, z.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_TRUE(Records("header_plus_zeros.bin").empty());
}

TEST_F(SynthEdgeFiles, TypeWordsAndNames) {
  const auto deleted = Records("deleted_record.bin");
  EXPECT_TRUE(std::any_of(deleted.begin(), deleted.end(),
                          [](const Record& r) { return r.type_word == 0xDEDADEDA; }));
  int above = 0;
  for (const Record& r : Records("type_byte_above_9.bin")) above += r.type() > 9;
  EXPECT_GE(above, 2);
  EXPECT_EQ(Records("name_nul_at_3.bin")[0].name[3], '\0');
  const Record eight = Records("name_eight_chars.bin")[0];
  EXPECT_EQ(eight.name, "ALGAZZ99");
  std::vector<uint32_t> markers;
  for (const Record& r : Records("rb_markers_0_to_15.bin"))
    markers.push_back((r.type_word >> 8) & 0xF);
  EXPECT_EQ(markers, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_GT(Records("ojip_10000_records.bin").size(), 9998u);
}

TEST_F(SynthEdgeFiles, OjipTraceShapes) {
  const std::vector<uint16_t> s300 = Records("ojip_300_samples.bin")[0].blocks[0].samples;
  ASSERT_EQ(s300.size(), 300u);
  EXPECT_GT(s300[250], OjipPoints(s300).fm);  // the largest value lies past sample 208
  EXPECT_LT(Records("ojip_short_trace.bin")[0].blocks[0].samples.size(), 84u);
  for (const Record& r : Records("ojip_flat.bin")) {
    const auto& s = r.blocks[0].samples;
    EXPECT_TRUE(std::all_of(s.begin(), s.end(), [&](uint16_t v) { return v == s[0]; }));
  }
  const std::vector<uint16_t> twin = Records("ojip_twin_peaks.bin")[0].blocks[0].samples;
  const auto tp = OjipPoints(twin);
  EXPECT_EQ(std::count(twin.begin(), twin.end(), tp.fm), 2);
  for (int peak : {29, 63, 70, 150}) {
    const std::vector<uint16_t> s =
        Records("ojip_peak_at_" + std::to_string(peak) + ".bin")[0].blocks[0].samples;
    const auto p = OjipPoints(s);
    EXPECT_EQ(p.peak, peak);
    EXPECT_EQ(std::count(s.begin(), s.end(), p.fm), 1);
  }
  const auto fo = Records("fo_rounding.bin");
  ASSERT_EQ(fo.size(), 2u);
  EXPECT_EQ(OjipPoints(fo[0].blocks[0].samples).fo, 101);  // (100 + 101 + 101 + 1) / 3
  EXPECT_EQ(OjipPoints(fo[1].blocks[0].samples).fo, 100);  // (100 + 100 + 101 + 1) / 3
}

TEST_F(SynthEdgeFiles, PulseAndProgramLayouts) {
  const Record pifr = Records("pifr_ppsec_82.bin")[0];
  std::vector<uint32_t> durations;
  for (size_t off : {48, 52, 56}) {
    EXPECT_EQ(pifr.Word(off) >> 24, 0xCEu);
    durations.push_back((pifr.Word(off) >> 19) & 0x1F);
  }
  EXPECT_EQ(durations, (std::vector<uint32_t>{31, 31, 20}));
  EXPECT_NE(pifr.Word(60) >> 24, 0xCEu);
  uint32_t over = 0;
  const Record p300 = Records("pifr_over_300s.bin")[0];
  for (size_t off = 48; off <= 84 && p300.Word(off) >> 24 == 0xCE; off += 4)
    over += (p300.Word(off) >> 19) & 0x1F;
  EXPECT_GT(over, 300u);

  EXPECT_NE(Records("rlc_sun.bin")[0].Word(44) >> 24, 0xCAu);
  EXPECT_LT(Records("rlc_fewer_blocks.bin")[0].blocks.size(), 11u);
  const Record single = Records("slowkin_single_block.bin")[0];
  EXPECT_EQ(single.blocks.size(), 1u);
  EXPECT_GT(single.Word(48) & 0xFF, 0u);
  const Record many = Records("slowkin_25_pulses.bin")[0];
  EXPECT_EQ((many.Word(48) & 0xFF) + 1, 25u);
  EXPECT_EQ(many.blocks.size(), 49u);

  bool unknown = false;
  for (const Record& r : Records("unknown_trace_code.bin"))
    for (const auto& b : r.blocks) unknown |= b.code >> 24 != 0xC0 && b.code >> 24 != 0xCE;
  EXPECT_TRUE(unknown);
  bool odd = false;
  for (const Record& r : Records("pulse_odd_samples.bin"))
    for (const auto& b : r.blocks) odd |= b.code >> 24 == 0xCE && b.samples.size() % 2 == 1;
  EXPECT_TRUE(odd);

  const auto chl = Records("chlconc_1234_and_0.bin");
  ASSERT_EQ(chl.size(), 2u);
  EXPECT_EQ(chl[0].Word(44), 1234u);
  EXPECT_EQ(chl[1].Word(44), 0u);
  EXPECT_LT(Records("dr_fewer_blocks.bin")[0].blocks.size(), 20u);
  EXPECT_LT(Records("multiojip_fewer_blocks.bin")[0].blocks.size(), 6u);
  EXPECT_EQ(Records("foprime_one_block.bin")[0].blocks.size(), 1u);
}

TEST_F(SynthEdgeFiles, UserPrograms) {
  std::set<uint32_t> opcodes;
  for (const Record& r : Records("user_all_opcodes.bin"))
    for (uint32_t w : r.words) opcodes.insert(w >> 24);
  for (uint32_t op : {0xB0, 0xB1, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xC0, 0xCA, 0xCE, 0xCF})
    EXPECT_TRUE(opcodes.count(op)) << std::hex << op;
  const Record no_end = Records("user_300_words_no_end.bin")[0];
  EXPECT_EQ(no_end.header_length, 40 + 4 * 300);
  EXPECT_EQ(no_end.type(), 0);
  EXPECT_EQ(std::count(no_end.words.begin(), no_end.words.end(), 0xBE000000u), 0);
}

TEST_F(SynthEdgeFiles, DamagedLengths) {
  EXPECT_EQ(Records("record_length_0.bin")[1].record_length, 0u);
  EXPECT_EQ(Records("header_length_0.bin")[1].header_length, 0u);
  const Record below = Records("record_length_below_header.bin")[1];
  EXPECT_LT(below.record_length, below.header_length);
  const Record past = Records("record_past_area.bin").back();
  EXPECT_GT(past.offset - 64 + past.record_length, kArea);

  auto block_length = [](const Bytes& f, const Record& r) {
    return testing::U16(f, r.offset + r.header_length + 2);
  };
  const Bytes& below8 = File("block_length_below_8.bin");
  EXPECT_LT(block_length(below8, ReadFile(below8)[0]), 8u);
  const Bytes& zero = File("block_length_0.bin");
  EXPECT_EQ(block_length(zero, ReadFile(zero)[0]), 0u);

  const Bytes& block_past = File("block_past_area.bin");
  EXPECT_EQ(block_past.size(), 64 + kArea);
  const Record last = ReadFile(block_past).back();
  ASSERT_FALSE(last.blocks.empty());
  EXPECT_GT(last.blocks[0].offset - 64 + last.blocks[0].length, kArea);

  const Bytes& longer = File("file_longer_than_area.bin");
  EXPECT_GT(longer.size(), 64 + kArea);
  size_t end = 0;
  ReadFile(longer, &end);
  EXPECT_EQ(end, 64 + kArea);  // the records inside the area fill it exactly
}

}  // namespace
}  // namespace corvel::synth
