#include "analysis/ojip_curves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace corvel {
namespace {

// Time-base samples of the checked times.
constexpr int k20us = 1, k150us = 14, k300us = 29, k2ms = 46, k30ms = 83;
constexpr int kCount = 90;

struct Transient {
  OjipResult points{};
  uint16_t samples[kCount] = {};
};

// Fo 100, Fi 400, Fm 500; the five checked samples as given, the others at Fo.
Transient MakeTransient(uint16_t fk, uint16_t fj, uint16_t f20, uint16_t f150, uint16_t f300,
                        uint16_t f2ms, uint16_t f30ms) {
  Transient t;
  t.points.Fo = 100;
  t.points.Fk = fk;
  t.points.Fj = fj;
  t.points.Fi = 400;
  t.points.Fm = 500;
  for (uint16_t& s : t.samples) s = 100;
  t.samples[k20us] = f20;
  t.samples[k150us] = f150;
  t.samples[k300us] = f300;
  t.samples[k2ms] = f2ms;
  t.samples[k30ms] = f30ms;
  return t;
}

const Transient kControl = MakeTransient(200, 300, 120, 160, 200, 300, 450);
const Transient kTreated = MakeTransient(240, 300, 130, 190, 250, 300, 420);

GroupCurves GroupOf(std::initializer_list<const Transient*> records) {
  GroupCurveBuilder builder;
  RecordCurves curves;
  for (const Transient* t : records) {
    ComputeRecordCurves(t->samples, kCount, t->points, curves);
    builder.Add(curves);
  }
  GroupCurves out;
  builder.Finish(out);
  return out;
}

TEST(OjipCurves, BandTimesOnTheTimeBase) {
  EXPECT_EQ(OjipSampleNearestUs(kKBandUs), k300us);
  EXPECT_EQ(OjipSampleNearestUs(kLBandUs), k150us);
  EXPECT_EQ(OjipSampleNearestUs(2000), k2ms);
  EXPECT_EQ(OjipSampleNearestUs(30000), k30ms);
}

// Control: V = (F - 100) / 400, W_OK = (F - 100) / 100 up to 300 us, W_OJ = (F - 100) / 200 up
// to 2 ms, V_IP = (F - 400) / 100 from 30 ms.
TEST(OjipCurves, NormalisedCurvesOfOneTransient) {
  RecordCurves c;
  ComputeRecordCurves(kControl.samples, kCount, kControl.points, c);
  EXPECT_DOUBLE_EQ(c.value[kCurveF][k150us], 160);
  EXPECT_DOUBLE_EQ(c.value[kCurveV][k20us], 0.05);
  EXPECT_DOUBLE_EQ(c.value[kCurveV][k150us], 0.15);
  EXPECT_DOUBLE_EQ(c.value[kCurveV][k300us], 0.25);
  EXPECT_DOUBLE_EQ(c.value[kCurveV][k2ms], 0.5);
  EXPECT_DOUBLE_EQ(c.value[kCurveV][k30ms], 0.875);
  EXPECT_DOUBLE_EQ(c.value[kCurveWok][k20us], 0.2);
  EXPECT_DOUBLE_EQ(c.value[kCurveWok][k150us], 0.6);
  EXPECT_DOUBLE_EQ(c.value[kCurveWok][k300us], 1.0);
  EXPECT_TRUE(std::isnan(c.value[kCurveWok][k300us + 1]));
  EXPECT_DOUBLE_EQ(c.value[kCurveWoj][k300us], 0.5);
  EXPECT_DOUBLE_EQ(c.value[kCurveWoj][k2ms], 1.0);
  EXPECT_TRUE(std::isnan(c.value[kCurveWoj][k2ms + 1]));
  EXPECT_TRUE(std::isnan(c.value[kCurveVip][k30ms - 1]));
  EXPECT_DOUBLE_EQ(c.value[kCurveVip][k30ms], 0.5);
  // Past the trace's samples nothing is defined.
  EXPECT_TRUE(std::isnan(c.value[kCurveF][kCount]));
  EXPECT_TRUE(std::isnan(c.value[kCurveV][kCount]));
}

TEST(OjipCurves, ZeroDenominatorGivesNoCurve) {
  Transient flat = kControl;
  flat.points.Fm = 100;  // Fm = Fo
  flat.points.Fk = 100;  // Fk = Fo
  RecordCurves c;
  ComputeRecordCurves(flat.samples, kCount, flat.points, c);
  EXPECT_DOUBLE_EQ(c.value[kCurveF][k20us], 120);
  EXPECT_TRUE(std::isnan(c.value[kCurveV][k20us]));
  EXPECT_TRUE(std::isnan(c.value[kCurveWok][k20us]));
  EXPECT_DOUBLE_EQ(c.value[kCurveWoj][k20us], 0.1);
  EXPECT_DOUBLE_EQ(c.value[kCurveVip][k30ms], (450.0 - 400) / (100 - 400));
}

// Treated: V 0.075, 0.225, 0.375, 0.5, 0.8; W_OK = (F - 100) / 140; W_OJ 0.15, 0.45, 0.75, 1;
// V_IP 0.2 at 30 ms.
TEST(OjipCurves, DifferenceKineticsAndBands) {
  const GroupCurves control = GroupOf({&kControl});
  GroupCurves treated = GroupOf({&kTreated});
  DifferenceToControl(treated, control);
  const double* dv = treated.diff[kCurveV - 1];
  EXPECT_NEAR(dv[k20us], 0.025, 1e-12);
  EXPECT_NEAR(dv[k150us], 0.075, 1e-12);
  EXPECT_NEAR(dv[k300us], 0.125, 1e-12);
  EXPECT_NEAR(dv[k2ms], 0, 1e-12);
  EXPECT_NEAR(dv[k30ms], -0.075, 1e-12);
  const double* dwok = treated.diff[kCurveWok - 1];
  EXPECT_NEAR(dwok[k20us], 30.0 / 140 - 0.2, 1e-12);
  EXPECT_NEAR(dwok[k150us], 90.0 / 140 - 0.6, 1e-12);
  EXPECT_TRUE(std::isnan(dwok[k2ms]));
  const double* dwoj = treated.diff[kCurveWoj - 1];
  EXPECT_NEAR(dwoj[k20us], 0.05, 1e-12);
  EXPECT_NEAR(dwoj[k150us], 0.15, 1e-12);
  EXPECT_NEAR(dwoj[k300us], 0.25, 1e-12);
  EXPECT_NEAR(dwoj[k2ms], 0, 1e-12);
  EXPECT_NEAR(treated.diff[kCurveVip - 1][k30ms], -0.3, 1e-12);
  EXPECT_NEAR(treated.k_band, 0.25, 1e-12);
  EXPECT_NEAR(treated.l_band, 90.0 / 140 - 0.6, 1e-12);  // 0.0428571
}

TEST(OjipCurves, GroupMeanAndSdPerTimePoint) {
  const GroupCurves both = GroupOf({&kControl, &kTreated});
  EXPECT_EQ(both.n[k20us], 2);
  EXPECT_EQ(both.n[kCount], 0);
  EXPECT_DOUBLE_EQ(both.mean[kCurveF][k150us], 175);
  EXPECT_NEAR(both.sd[kCurveF][k150us], 30 / std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(both.mean[kCurveV][k20us], 0.0625, 1e-12);
  EXPECT_NEAR(both.sd[kCurveV][k20us], 0.025 / std::sqrt(2.0), 1e-12);
  EXPECT_TRUE(std::isnan(GroupOf({&kControl}).sd[kCurveV][k20us]));
}

TEST(OjipCurves, EachCurveKnowsTheSamplesItIsDefinedOn) {
  RecordCurves c;
  ComputeRecordCurves(kControl.samples, kCount, kControl.points, c);
  EXPECT_EQ(c.begin[kCurveF], 0);
  EXPECT_EQ(c.end[kCurveF], kCount);
  EXPECT_EQ(c.end[kCurveWok], k300us + 1);  // up to 300 us
  EXPECT_EQ(c.end[kCurveWoj], k2ms + 1);    // up to 2 ms
  EXPECT_EQ(c.begin[kCurveVip], k30ms);     // from 30 ms
  EXPECT_EQ(c.end[kCurveVip], kCount);
  EXPECT_TRUE(std::isnan(c.value[kCurveVip][k30ms - 1]));
  Transient flat = kControl;
  flat.points.Fk = flat.points.Fo;  // no W_OK
  ComputeRecordCurves(flat.samples, kCount, flat.points, c);
  EXPECT_EQ(c.begin[kCurveWok], c.end[kCurveWok]);
}

// Four records 1e6 + 1, 2, 3, 4 at 20 us: the large common level does not cost the SD its digits
// (sample SD of 1, 2, 3, 4 is sqrt(5/3)).
TEST(OjipCurves, ALargeCommonLevelKeepsTheSdExact) {
  GroupCurveBuilder builder;
  auto curves = std::make_unique<RecordCurves>();
  for (int r = 1; r <= 4; ++r) {
    for (int k = 0; k < kOjipCurveKinds; ++k) curves->begin[k] = curves->end[k] = 0;
    curves->value[kCurveF][k20us] = 1e6 + r;
    curves->begin[kCurveF] = k20us;
    curves->end[kCurveF] = k20us + 1;
    builder.Add(*curves);
  }
  auto out = std::make_unique<GroupCurves>();
  builder.Finish(*out);
  EXPECT_EQ(out->n[k20us], 4);
  EXPECT_DOUBLE_EQ(out->mean[kCurveF][k20us], 1e6 + 2.5);
  EXPECT_DOUBLE_EQ(out->sd[kCurveF][k20us], std::sqrt(5.0 / 3.0));
}

}  // namespace
}  // namespace corvel
