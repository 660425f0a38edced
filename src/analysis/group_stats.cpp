#include "analysis/group_stats.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <limits>

namespace corvel {

namespace {
constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();
}

GroupStat Describe(const RunningMoments& m) {
  GroupStat s{m.n, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined};
  if (m.n == 0) return s;
  s.mean = m.mean;
  if (m.n < 2) return s;
  s.sd = std::sqrt(m.m2 / (m.n - 1));
  s.se = s.sd / std::sqrt(static_cast<double>(m.n));
  return s;
}

double RatioToControl(double mean, double control_mean) {
  if (std::isnan(mean) || std::isnan(control_mean) || control_mean == 0) return kUndefined;
  return mean / control_mean;
}

double WelchP(const GroupStat& a, const GroupStat& b) {
  if (a.n < 2 || b.n < 2) return kUndefined;
  if (a.sd == 0 && b.sd == 0) return kUndefined;
  const double va = a.sd * a.sd / a.n;
  const double vb = b.sd * b.sd / b.n;
  const double t = (a.mean - b.mean) / std::sqrt(va + vb);
  const double df = (va + vb) * (va + vb) / (va * va / (a.n - 1) + vb * vb / (b.n - 1));
  if (!std::isfinite(t) || !std::isfinite(df) || df <= 0) return kUndefined;
  const boost::math::students_t dist(df);
  return 2 * boost::math::cdf(boost::math::complement(dist, std::fabs(t)));
}

void CompareToControl(GroupStat& s, const GroupStat& control) {
  s.ratio = RatioToControl(s.mean, control.mean);
  s.p = WelchP(s, control);
}

}  // namespace corvel
