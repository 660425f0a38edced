#include "analysis/ojip_curves.h"

#include <algorithm>
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

namespace {

// The time of every sample of the curves' time base in microseconds, and where the windows of
// W_OK (t <= 300 us), W_OJ (t <= 2 ms) and V_IP (t >= 30 ms) begin and end on it.
struct TimeTable {
  double us[kOjipCurvePoints];
  int wok_end = 0, woj_end = 0, vip_begin = kOjipCurvePoints;
  TimeTable() {
    for (int i = 0; i < kOjipCurvePoints; ++i) {
      us[i] = OjipTimeUs(static_cast<uint32_t>(i));
      if (us[i] <= 300) wok_end = i + 1;
      if (us[i] <= 2000) woj_end = i + 1;
      if (us[i] >= 30000 && vip_begin == kOjipCurvePoints) vip_begin = i;
    }
  }
};
const TimeTable kTimes;

// Fills row[begin..end) with (samples - base) / span, the rest with NaN. One division per record,
// not per sample: the values may differ from a division in the last bit.
void Normalised(const uint16_t* samples, double base, double span, int begin, int end,
                double (&row)[kOjipCurvePoints]) {
  const double scale = 1 / span;
  for (int i = 0; i < begin; ++i) row[i] = kUndefined;
  for (int i = begin; i < end; ++i) row[i] = (samples[i] - base) * scale;
  for (int i = end; i < kOjipCurvePoints; ++i) row[i] = kUndefined;
}

}  // namespace

void ComputeRecordCurves(const uint16_t* samples, int count, const OjipResult& points,
                         RecordCurves& out) {
  if (count > kOjipCurvePoints) count = kOjipCurvePoints;
  if (count < 0) count = 0;
  const double fo = points.Fo, fk = points.Fk, fj = points.Fj, fi = points.Fi, fm = points.Fm;
  // A zero denominator gives the record no such curve.
  const auto range = [&](int kind, bool defined, int begin, int end) {
    if (!defined || end < begin) begin = end = 0;
    out.begin[kind] = begin;
    out.end[kind] = end;
  };
  range(kCurveF, true, 0, count);
  range(kCurveV, fm != fo, 0, count);
  range(kCurveWok, fk != fo, 0, std::min(count, kTimes.wok_end));
  range(kCurveWoj, fj != fo, 0, std::min(count, kTimes.woj_end));
  range(kCurveVip, fm != fi, kTimes.vip_begin, count);
  Normalised(samples, 0, 1, out.begin[kCurveF], out.end[kCurveF], out.value[kCurveF]);
  Normalised(samples, fo, fm - fo, out.begin[kCurveV], out.end[kCurveV], out.value[kCurveV]);
  Normalised(samples, fo, fk - fo, out.begin[kCurveWok], out.end[kCurveWok], out.value[kCurveWok]);
  Normalised(samples, fo, fj - fo, out.begin[kCurveWoj], out.end[kCurveWoj], out.value[kCurveWoj]);
  Normalised(samples, fi, fm - fi, out.begin[kCurveVip], out.end[kCurveVip], out.value[kCurveVip]);
}

void GroupCurveBuilder::Add(const RecordCurves& record) {
  for (int k = 0; k < kOjipCurveKinds; ++k) {
    const int begin = record.begin[k], end = record.end[k];
    const double* __restrict x = record.value[k];
    int* __restrict n = n_[k];
    double* __restrict shift = shift_[k];
    double* __restrict s1 = s1_[k];
    double* __restrict s2 = s2_[k];
    // The first value of a time point is its shift; then loops without branches.
    for (int i = begin; i < end; ++i)
      if (n[i] == 0) shift[i] = x[i];
    for (int i = begin; i < end; ++i) {
      const double d = x[i] - shift[i];
      s1[i] += d;
      s2[i] += d * d;
    }
    for (int i = begin; i < end; ++i) ++n[i];
  }
}

void GroupCurveBuilder::Finish(GroupCurves& out) const {
  for (int k = 0; k < kOjipCurveKinds; ++k)
    for (int i = 0; i < kOjipCurvePoints; ++i) {
      RunningMoments m;
      m.n = n_[k][i];
      if (m.n > 0) {
        const double s1 = s1_[k][i];
        m.mean = shift_[k][i] + s1 / m.n;
        m.m2 = std::max(0.0, s2_[k][i] - s1 * s1 / m.n);
      }
      const GroupStat s = Describe(m);
      out.mean[k][i] = s.mean;
      out.sd[k][i] = s.sd;
    }
  for (int i = 0; i < kOjipCurvePoints; ++i) out.n[i] = n_[kCurveF][i];
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
