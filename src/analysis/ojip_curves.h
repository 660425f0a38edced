// The normalised OJIP curves of one record on the OJIP time base, their group mean and SD per
// time point, and the difference kinetics of a group against the control:
//   V(t)    = (F(t) - Fo) / (Fm - Fo)
//   W_OK(t) = (F(t) - Fo) / (Fk - Fo)   for t <= 300 us
//   W_OJ(t) = (F(t) - Fo) / (Fj - Fo)   for t <= 2 ms
//   V_IP(t) = (F(t) - Fi) / (Fm - Fi)   for t >= 30 ms
// with Fo, Fk, Fj, Fi and Fm as the record's table has them. A zero denominator gives the record
// no such curve. Undefined values are NaN.
#pragma once

#include <cstdint>

#include "analysis/group_stats.h"
#include "records/ojip_decoder.h"

namespace corvel {

enum OjipCurveKind : int { kCurveF = 0, kCurveV, kCurveWok, kCurveWoj, kCurveVip, kOjipCurveKinds };

inline constexpr int kOjipCurvePoints = kOjipSamplesUsed;  // the time base the drawing uses

// Time-base samples of the band times: 300 us (K-band) and the one nearest to 150 us (L-band).
int OjipSampleNearestUs(double time_us);
inline constexpr double kKBandUs = 300;
inline constexpr double kLBandUs = 150;

// The curves of one record. `samples` holds the first `count` samples of its trace (at most
// kOjipCurvePoints); time points past the trace are NaN in every curve.
struct RecordCurves {
  double value[kOjipCurveKinds][kOjipCurvePoints];
  // Each curve is defined on the samples begin..end-1 (none when they are equal) and NaN
  // elsewhere.
  int begin[kOjipCurveKinds];
  int end[kOjipCurveKinds];
};
void ComputeRecordCurves(const uint16_t* samples, int count, const OjipResult& points,
                         RecordCurves& out);

// The mean and SD of every curve of a group's records at every time point.
struct GroupCurves {
  int n[kOjipCurvePoints];  // records with an F sample at that time
  double mean[kOjipCurveKinds][kOjipCurvePoints];
  double sd[kOjipCurveKinds][kOjipCurvePoints];
  // Group mean minus control mean of V, W_OK, W_OJ and V_IP (index kind - 1).
  double diff[kOjipCurveKinds - 1][kOjipCurvePoints];
  double k_band;  // diff of W_OJ at 300 us
  double l_band;  // diff of W_OK at 150 us
};

class GroupCurveBuilder {
 public:
  void Add(const RecordCurves& record);
  // Mean and SD; diff and bands are left NaN.
  void Finish(GroupCurves& out) const;

 private:
  // Sums of the values less the first value of each time point (the shifted data algorithm):
  // mean = shift + s1 / n, sum of squared deviations = s2 - s1 * s1 / n. No division per value,
  // so thousands of records add up quickly, and the shift keeps the sums small.
  int n_[kOjipCurveKinds][kOjipCurvePoints] = {};
  double shift_[kOjipCurveKinds][kOjipCurvePoints] = {};
  double s1_[kOjipCurveKinds][kOjipCurvePoints] = {};
  double s2_[kOjipCurveKinds][kOjipCurvePoints] = {};
};

// Fills diff, k_band and l_band of `group` against `control`.
void DifferenceToControl(GroupCurves& group, const GroupCurves& control);

}  // namespace corvel
