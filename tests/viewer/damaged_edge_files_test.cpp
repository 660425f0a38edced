// The decoded values of the records that the damaged edge files of `corvel-cli synth edge` damage:
// not only that each file opens, but what its table and chart show. The trace points of intact
// records are worked out here from the file's own bytes (Fo the rounded mean of samples 1 to 3,
// Fm the largest of the first 208), so a wrong count or a read past a trace shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

#include "records/record.h"
#include "synth/kinds.h"
#include "viewer/session.h"

namespace corvel {
namespace {

constexpr int kOjip = 0, kSlowKin = 1, kRlc = 2, kDr = 3, kFoPrime = 7;

class DamagedEdgeFiles : public ::testing::Test {
 protected:
  // Opens the edge file `name` and switches to `radio_item`.
  void Open(const char* name, int radio_item) {
    const auto bytes = synth::MakeEdgeFile(name);
    ASSERT_TRUE(bytes.has_value()) << name;
    bytes_ = *bytes;
    ASSERT_TRUE(s_.Open(std::span<const uint8_t>(bytes_), name).ok);
    s_.SwitchType(radio_item);
  }
  // File offset of the first data block of list position p.
  size_t FirstBlock(int p) const {
    const Record r(s_.image(), s_.list().offset(p));
    return kHeaderSize + r.first_block();
  }
  uint16_t U16(size_t at) const {
    return static_cast<uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
  }
  // Fm of the trace at file offset `block`: the largest of its first 208 samples.
  uint16_t PeakOf(size_t block) const {
    const int n = (U16(block + 2) - 8) / 2;
    uint16_t fm = 0;
    for (int i = 0; i < n && i < 208; ++i)
      if (U16(block + 8 + 2 * i) > fm) fm = U16(block + 8 + 2 * i);
    return fm;
  }
  uint16_t FoOf(size_t block) const {
    return static_cast<uint16_t>((U16(block + 10) + U16(block + 12) + U16(block + 14) + 1) / 3);
  }

  synth::Bytes bytes_;
  Session s_;
};

TEST_F(DamagedEdgeFiles, OjipBlockOfLength6HasNoSamplesSoEveryValueIsZero) {
  Open("block_length_below_8.bin", kOjip);
  ASSERT_EQ(s_.list().count, 2);
  const OjipResult& bad = s_.results().ojip[0];
  // Before the count was clamped as signed, -1 samples became 208: Fm 2574 and Fv/Fm 1.00.
  EXPECT_EQ(bad.Fo, 0);
  EXPECT_EQ(bad.Fm, 0);
  EXPECT_EQ(bad.Fv, 0);
  EXPECT_EQ(bad.tFm, 0);
  EXPECT_EQ(bad.FvFm, 0.0f);
  EXPECT_EQ(bad.Area, 0.0f);
  EXPECT_EQ(bad.PiAbs, 0.0f);
  // The intact OJIP record after it.
  const OjipResult& good = s_.results().ojip[1];
  EXPECT_EQ(good.Fm, PeakOf(FirstBlock(1)));
  EXPECT_EQ(good.Fo, FoOf(FirstBlock(1)));
  EXPECT_GT(good.FvFm, 0.5f);
  // The table shows the zeros, and the chart draws no curve for the damaged record.
  s_.SelectAll();
  EXPECT_EQ(s_.grid().Cell(1, 9), "0");      // Fm
  EXPECT_EQ(s_.grid().Cell(1, 12), "0.00");  // Fv/Fm
  EXPECT_TRUE(s_.chart().smoothed[0].points.empty());
  EXPECT_EQ(s_.chart().smoothed[1].points.size(), 208u);
}

TEST_F(DamagedEdgeFiles, PulseKineticsWithADarkBlockOfLength4IsAllZero) {
  Open("block_length_below_8.bin", kSlowKin);
  ASSERT_EQ(s_.list().count, 1);
  const SlowKinResult& r = s_.results().slowkin[0];
  EXPECT_EQ(r.Fo, 0);
  EXPECT_EQ(r.Fm, 0);
  EXPECT_EQ(r.FmPrime, 0);
  EXPECT_EQ(r.FvFm, 0.0f);
  EXPECT_EQ(r.YII, 0.0f);
  EXPECT_EQ(r.NPQ, 0.0f);
  // No light pulse is searched after a dark block below 8 bytes: the chart has no points.
  s_.SelectAll();
  EXPECT_EQ(s_.chart().pulse[0].count, 0);
  EXPECT_TRUE(s_.chart().line[0].points.empty());
}

TEST_F(DamagedEdgeFiles, RapidLightCurveStepOfLength7DecodesToZero) {
  Open("block_length_below_8.bin", kRlc);
  ASSERT_EQ(s_.list().count, 1);
  const RlcResult& r = s_.results().rlc[0];
  // Step 1 is data block 2, whose length is 7: no samples, so Y(II) and rETR are 0.
  EXPECT_EQ(r.row[kRowYII][1], 0.0f);
  EXPECT_EQ(r.row[kRowRetr][1], 0.0f);
  // Step 0 is intact: Y(II) = (Fm' - Fs) / Fm' of data block 1.
  const size_t step0 = FirstBlock(0) + U16(FirstBlock(0) + 2);
  const float fmp = PeakOf(step0), fs = FoOf(step0);
  EXPECT_FLOAT_EQ(r.row[kRowYII][0], (fmp - fs) / fmp);
}

TEST_F(DamagedEdgeFiles, OjipBlockOfLength0IsAllZero) {
  Open("block_length_0.bin", kOjip);
  ASSERT_EQ(s_.list().count, 2);
  EXPECT_EQ(s_.results().ojip[0].Fm, 0);
  EXPECT_EQ(s_.results().ojip[0].Fo, 0);
  EXPECT_EQ(s_.results().ojip[0].FvFm, 0.0f);
  EXPECT_EQ(s_.results().ojip[0].Area, 0.0f);
  EXPECT_EQ(s_.results().ojip[1].Fm, PeakOf(FirstBlock(1)));
}

TEST_F(DamagedEdgeFiles, RapidLightCurveStaysOnAStepOfLength0) {
  Open("block_length_0.bin", kRlc);
  ASSERT_EQ(s_.list().count, 1);
  const RlcResult& r = s_.results().rlc[0];
  // Data block 2 has length 0: step 1 and every later step stay on it and hold no samples.
  for (int k : {1, 2, 9}) {
    EXPECT_EQ(r.row[kRowYII][k], 0.0f) << k;
    EXPECT_EQ(r.row[kRowRetr][k], 0.0f) << k;
  }
  EXPECT_GT(r.row[kRowYII][0], 0.0f);
}

TEST_F(DamagedEdgeFiles, DarkRelaxationReadsNothingAfterABlockOfLength0) {
  Open("block_length_0.bin", kDr);
  ASSERT_EQ(s_.list().count, 1);
  const DrResult& r = s_.results().dr[0];
  EXPECT_EQ(r.Fm[0], PeakOf(FirstBlock(0)));
  EXPECT_EQ(r.Fo[0], FoOf(FirstBlock(0)));
  // Pulse 2 on sits on the block of length 0: before, its values came from the bytes after
  // that block's header.
  for (int k : {1, 2, 19}) {
    EXPECT_EQ(r.Fo[k], 0) << k;
    EXPECT_EQ(r.Fm[k], 0) << k;
    EXPECT_EQ(r.FvFm[k], 0.0f) << k;
    EXPECT_EQ(r.NPQ[k], 0.0f) << k;
  }
  s_.SelectAll();
  // The first pulse's trace is drawn whole: every sample its length gives.
  EXPECT_EQ(s_.chart().smoothed[0].points.size(), (U16(FirstBlock(0) + 2) - 8u) / 2u);
  EXPECT_TRUE(s_.chart().smoothed[1].points.empty());
  EXPECT_TRUE(s_.chart().smoothed[19].points.empty());
}

TEST_F(DamagedEdgeFiles, ShortOjipTracesGiveZeroForThePointsTheyLack) {
  Open("ojip_short_trace.bin", kOjip);
  ASSERT_EQ(s_.list().count, 3);
  const size_t b60 = FirstBlock(0), b20 = FirstBlock(1);
  const OjipResult& sixty = s_.results().ojip[0];
  EXPECT_EQ(sixty.Fj, U16(b60 + 8 + 2 * 46));  // sample 46 lies inside 60 samples
  EXPECT_EQ(sixty.Fi, 0);                      // sample 83 does not
  EXPECT_EQ(sixty.Fm, PeakOf(b60));
  const OjipResult& twenty = s_.results().ojip[1];
  EXPECT_EQ(twenty.Fl, U16(b20 + 8 + 2 * 9));
  EXPECT_EQ(twenty.Fk, 0);
  EXPECT_EQ(twenty.Fj, 0);
  EXPECT_EQ(twenty.Fi, 0);
  EXPECT_EQ(twenty.Fm, PeakOf(b20));
  s_.SelectAll();
  EXPECT_EQ(s_.chart().smoothed[0].points.size(), 60u);
  EXPECT_EQ(s_.chart().smoothed[1].points.size(), 20u);
}

TEST_F(DamagedEdgeFiles, UnknownTraceCodesDecodeToZero) {
  Open("unknown_trace_code.bin", kOjip);
  ASSERT_EQ(s_.list().count, 3);
  EXPECT_EQ(s_.results().ojip[0].Fm, 0);  // code 0x12345678
  EXPECT_EQ(s_.results().ojip[1].Fm, 0);  // a pulse trace where an OJIP trace belongs
  EXPECT_EQ(s_.results().ojip[2].Fm, PeakOf(FirstBlock(2)));
  s_.SwitchType(kFoPrime);
  ASSERT_EQ(s_.list().count, 1);
  const FoPrimeResult& fo = s_.results().foprime[0];
  EXPECT_EQ(fo.Fo, 0);  // the first block is not a trace
  EXPECT_EQ(fo.Fm, 0);
  const size_t second = FirstBlock(0) + U16(FirstBlock(0) + 2);
  EXPECT_EQ(fo.FmPrime, PeakOf(second));
  EXPECT_EQ(fo.FoPrime, FoOf(second));
}

TEST_F(DamagedEdgeFiles, FoPrimeCutToOneBlockHasNoFarRedValues) {
  Open("foprime_one_block.bin", kFoPrime);
  ASSERT_EQ(s_.list().count, 3);
  const FoPrimeResult& cut = s_.results().foprime[0];
  EXPECT_EQ(cut.Fm, PeakOf(FirstBlock(0)));
  EXPECT_EQ(cut.Fo, FoOf(FirstBlock(0)));
  // The position after the one block is the next record's header, not a trace.
  EXPECT_EQ(cut.FoPrime, 0);
  EXPECT_EQ(cut.FmPrime, 0);
  // The last record's one block is followed by the zeros after the file's end.
  EXPECT_EQ(s_.results().foprime[2].FoPrime, 0);
  EXPECT_EQ(s_.results().foprime[2].FmPrime, 0);
  const size_t whole = FirstBlock(1) + U16(FirstBlock(1) + 2);
  EXPECT_EQ(s_.results().foprime[1].FmPrime, PeakOf(whole));
}

TEST_F(DamagedEdgeFiles, ChainEndsAtTheDamagedRecordAndTheOneBeforeIsIntact) {
  for (const char* name :
       {"record_length_0.bin", "header_length_0.bin", "record_length_below_header.bin"}) {
    SCOPED_TRACE(name);
    Open(name, kOjip);
    ASSERT_EQ(s_.list().count, 1);
    EXPECT_TRUE(s_.chain_end().damaged);
    EXPECT_EQ(s_.chain_end().offset, Record(s_.image(), 0).record_length());
    EXPECT_EQ(s_.results().ojip[0].Fm, PeakOf(FirstBlock(0)));
  }
}

TEST_F(DamagedEdgeFiles, TraceRunningPastTheAreaReadsZeroBeyondIt) {
  Open("block_past_area.bin", kOjip);
  const int last = s_.list().count - 1;
  ASSERT_GE(last, 0);
  const size_t block = FirstBlock(last);
  // 120 of the 208 samples lie inside the area; the rest read as 0 and cannot be the peak.
  ASSERT_EQ(bytes_.size(), kHeaderSize + size_t{kAreaSize});
  ASSERT_EQ(bytes_.size() - (block + 8), 240u);
  uint16_t fm = 0;
  for (size_t at = block + 8; at + 1 < bytes_.size(); at += 2)
    if (U16(at) > fm) fm = U16(at);
  EXPECT_EQ(s_.results().ojip[last].Fm, fm);
  EXPECT_EQ(s_.results().ojip[last].Fi, U16(block + 8 + 2 * 83));  // sample 83 lies inside
  // The drawing takes the length's 208 samples, those past the area at 0.
  s_.SetSelected(last, true);
  s_.ListClick();
  ASSERT_EQ(s_.chart().smoothed[0].points.size(), 208u);
  EXPECT_EQ(s_.chart().smoothed[0].points[150].y, 0.0);
}

TEST_F(DamagedEdgeFiles, EmptyShortAndRecordlessFilesSayWhatTheyHold) {
  Open("header_short_10_bytes.bin", kOjip);
  EXPECT_EQ(s_.file_content(), FileContent::kShortHeader);
  EXPECT_EQ(s_.file_bytes(), 10u);
  Open("header_only.bin", kOjip);
  EXPECT_EQ(s_.file_content(), FileContent::kNoRecord);
  Open("header_plus_zeros.bin", kOjip);
  EXPECT_EQ(s_.file_content(), FileContent::kNoRecord);
  Open("deleted_record.bin", kOjip);
  EXPECT_EQ(s_.file_content(), FileContent::kRecords);
}

}  // namespace
}  // namespace corvel
