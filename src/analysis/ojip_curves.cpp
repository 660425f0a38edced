#include "analysis/ojip_curves.h"

#include <cmath>
#include <limits>

#include "records/time_base.h"

namespace corvel {

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

void FillUndefined(double (&row)[kOjipCurvePoints]) {
  for (double& v : row) v = kUndefined;
}

}  // namespace

int OjipSampleNearestUs(double time_us) {
  int best = 0;
  for (int i = 1; i < kOjipCurvePoints; ++i)
    if (std::fabs(OjipTimeUs(static_cast<uint32_t>(i)) - time_us) <
        std::fabs(OjipTimeUs(static_cast<uint32_t>(best)) - time_us))
      best = i;
  return best;
}

void ComputeRecordCurves(const uint16_t* samples, int count, const OjipResult& points,
                         RecordCurves& out) {
  if (count > kOjipCurvePoints) count = kOjipCurvePoints;
  if (count < 0) count = 0;
  const double fo = points.Fo, fk = points.Fk, fj = points.Fj, fi = points.Fi, fm = points.Fm;
  for (auto& row : out.value) FillUndefined(row);
  for (int i = 0; i < count; ++i) {
    const double f = samples[i];
    const double t = OjipTimeUs(static_cast<uint32_t>(i));
    out.value[kCurveF][i] = f;
    if (fm != fo) out.value[kCurveV][i] = (f - fo) / (fm - fo);
    if (t <= 300 && fk != fo) out.value[kCurveWok][i] = (f - fo) / (fk - fo);
    if (t <= 2000 && fj != fo) out.value[kCurveWoj][i] = (f - fo) / (fj - fo);
    if (t >= 30000 && fm != fi) out.value[kCurveVip][i] = (f - fi) / (fm - fi);
  }
}

void GroupCurveBuilder::Add(const RecordCurves& record) {
  for (int k = 0; k < kOjipCurveKinds; ++k)
    for (int i = 0; i < kOjipCurvePoints; ++i)
      if (!std::isnan(record.value[k][i])) moments_[k][i].Add(record.value[k][i]);
}

void GroupCurveBuilder::Finish(GroupCurves& out) const {
  for (int k = 0; k < kOjipCurveKinds; ++k)
    for (int i = 0; i < kOjipCurvePoints; ++i) {
      const GroupStat s = Describe(moments_[k][i]);
      out.mean[k][i] = s.mean;
      out.sd[k][i] = s.sd;
    }
  for (int i = 0; i < kOjipCurvePoints; ++i) out.n[i] = moments_[kCurveF][i].n;
  for (auto& row : out.diff) FillUndefined(row);
  out.k_band = kUndefined;
  out.l_band = kUndefined;
}

void DifferenceToControl(GroupCurves& group, const GroupCurves& control) {
  // NaN on either side stays NaN.
  for (int k = kCurveV; k < kOjipCurveKinds; ++k)
    for (int i = 0; i < kOjipCurvePoints; ++i)
      group.diff[k - 1][i] = group.mean[k][i] - control.mean[k][i];
  static const int k_index = OjipSampleNearestUs(kKBandUs);
  static const int l_index = OjipSampleNearestUs(kLBandUs);
  group.k_band = group.diff[kCurveWoj - 1][k_index];
  group.l_band = group.diff[kCurveWok - 1][l_index];
}

}  // namespace corvel
