// Statistics of one parameter in a group of records, relative to a control group: n, mean, the
// sample standard deviation (n - 1), the standard error, the ratio of the means and Welch's
// two-sided t-test. A value that is not defined is NaN (an empty cell in the CSV).
#pragma once

namespace corvel {

// Running mean and sum of squared deviations (Welford), so the values need not be kept.
struct RunningMoments {
  int n = 0;
  double mean = 0;
  double m2 = 0;
  void Add(double x) {
    ++n;
    const double d = x - mean;
    mean += d / n;
    m2 += d * (x - mean);
  }
};

struct GroupStat {
  int n = 0;
  double mean;   // NaN for n = 0
  double sd;     // NaN for n < 2
  double se;     // sd / sqrt(n)
  double ratio;  // mean / control mean; NaN when the control mean is 0 or undefined
  double p;      // Welch's two-sided p against the control; NaN when either n < 2 or both SDs are 0
};

// n, mean, SD and SE of the moments; ratio and p are left NaN.
GroupStat Describe(const RunningMoments& m);

// mean / control_mean, NaN when the control mean is 0 or either is NaN.
double RatioToControl(double mean, double control_mean);

// Welch's two-sided p-value of the difference of two means (Student's t distribution from
// Boost.Math with the Welch-Satterthwaite degrees of freedom).
double WelchP(const GroupStat& a, const GroupStat& b);

// Fills ratio and p of `s` against `control`.
void CompareToControl(GroupStat& s, const GroupStat& control);

}  // namespace corvel
