#include "analysis/light_curve_fit.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unsupported/Eigen/LevenbergMarquardt>

namespace corvel {

namespace {

// Positivity by fitting the logarithms of the parameters; the bound keeps exp() finite while the
// solver explores (a parameter that runs to it is not determined and shows as such).
constexpr double kLogBound = 60.0;

FitParams FromLog(FitModel m, const Eigen::VectorXd& theta) {
  FitParams p{};
  for (int j = 0; j < FitParamCount(m); ++j)
    p[j] = std::exp(std::clamp(theta[j], -kLogBound, kLogBound));
  return p;
}

// Residuals model - data and their Jacobian by the log-parameters, for Eigen's solver.
struct Residuals : Eigen::DenseFunctor<double> {
  Residuals(FitModel model, const LightCurvePoints& points)
      : DenseFunctor(FitParamCount(model), points.count), m(model), pts(points) {}

  int operator()(const InputType& theta, ValueType& r) const {
    const FitParams p = FromLog(m, theta);
    for (int i = 0; i < pts.count; ++i) r[i] = ModelValue(m, p, pts.x[i]) - pts.y[i];
    return 0;
  }
  int df(const InputType& theta, JacobianType& jac) const {
    const FitParams p = FromLog(m, theta);
    double g[kMaxFitParams];
    for (int i = 0; i < pts.count; ++i) {
      ModelGradient(m, p, pts.x[i], g);
      for (int j = 0; j < inputs(); ++j) jac(i, j) = g[j] * p[j];
    }
    return 0;
  }

  FitModel m;
  const LightCurvePoints& pts;
};

double Rss(FitModel m, const FitParams& p, const LightCurvePoints& pts) {
  double rss = 0;
  for (int i = 0; i < pts.count; ++i) {
    const double r = ModelValue(m, p, pts.x[i]) - pts.y[i];
    rss += r * r;
  }
  return rss;
}

bool AllFinite(const FitParams& p, int n) {
  for (int j = 0; j < n; ++j)
    if (!std::isfinite(p[j]) || !(p[j] > 0)) return false;
  return true;
}

// Starting values from the data: the initial slope of the first steps and the largest rETR.
struct Start {
  double alpha, ymax, xmax_at;  // slope, largest rETR, light of the largest rETR
};

Start StartFrom(const LightCurvePoints& pts) {
  Start s{0, 0, pts.x[0]};
  for (int i = 0; i < pts.count; ++i) {
    if (i < 2 && pts.y[i] / pts.x[i] > s.alpha) s.alpha = pts.y[i] / pts.x[i];
    if (pts.y[i] > s.ymax) {
      s.ymax = pts.y[i];
      s.xmax_at = pts.x[i];
    }
  }
  if (!(s.alpha > 0)) s.alpha = s.ymax / s.xmax_at;
  return s;
}

// Eilers-Peeters is linear in its parameters after x / y = a x² + b x + c: least squares on that
// form, weighted by y² so that each point counts as in the original one, give the start.
bool LinearisedEilersPeeters(const LightCurvePoints& pts, FitParams& out) {
  Eigen::Matrix3d ata = Eigen::Matrix3d::Zero();
  Eigen::Vector3d atb = Eigen::Vector3d::Zero();
  for (int i = 0; i < pts.count; ++i) {
    if (!(pts.y[i] > 0)) continue;
    const double w = pts.y[i] * pts.y[i];
    const Eigen::Vector3d row(pts.x[i] * pts.x[i], pts.x[i], 1.0);
    ata += w * row * row.transpose();
    atb += w * row * (pts.x[i] / pts.y[i]);
  }
  const Eigen::Vector3d abc = ata.ldlt().solve(atb);
  out = {abc[0], abc[1], abc[2]};
  return AllFinite(out, 3);
}

// Starting parameter sets of each model, the best guess first; a later one is tried only when the
// solver does not converge from the earlier ones.
int Starts(FitModel m, const LightCurvePoints& pts, FitParams out[2]) {
  const Start s = StartFrom(pts);
  const double last_x = pts.x[pts.count - 1], last_y = pts.y[pts.count - 1];
  switch (m) {
    case FitModel::kWebb:
    case FitModel::kJassbyPlatt:
      out[0] = {s.ymax, s.alpha, 0};
      return 1;
    case FitModel::kPlatt: {
      // Beyond saturation y ~ Ps exp(-beta x / Ps): the decline after the largest rETR gives
      // beta; without a decline, little photoinhibition.
      double beta = s.alpha * 1e-3;
      if (last_y > 0 && last_y < s.ymax && last_x > s.xmax_at)
        beta = std::max(beta, s.ymax * std::log(s.ymax / last_y) / (last_x - s.xmax_at));
      const double ps = s.ymax * std::exp(std::min(beta * s.xmax_at / s.ymax, 5.0));
      out[0] = {ps, s.alpha, beta};
      out[1] = {s.ymax, s.alpha, s.alpha * 1e-3};
      return 2;
    }
    case FitModel::kEilersPeeters: {
      if (LinearisedEilersPeeters(pts, out[0])) return 1;
      // c from the slope, a from an optimum well beyond the last step, b from the largest rETR.
      const double c = 1 / s.alpha, iopt = std::max(s.xmax_at, 2 * last_x);
      const double a = c / (iopt * iopt), rest = 1 / s.ymax - 2 * std::sqrt(a * c);
      out[0] = {a, rest > 0 ? rest : 0.1 / s.ymax, c};
      return 1;
    }
  }
  return 0;
}

// Whether a parameter has run down to where it no longer changes the curve (Platt's beta on a
// curve without photoinhibition, Eilers-Peeters' a or b): the solver would walk its logarithm on
// for hundreds of steps without changing the residuals. The solution is then the boundary.
bool AtLowerBound(const Residuals& f, const Eigen::VectorXd& theta, double ymax) {
  Eigen::MatrixXd jac(f.values(), f.inputs());
  f.df(theta, jac);
  for (int j = 0; j < f.inputs(); ++j)
    if (theta[j] < 0 && jac.col(j).cwiseAbs().maxCoeff() < 1e-9 * ymax) return true;
  return false;
}

// One run of the solver from `start`; false when it did not converge.
bool Solve(FitModel m, const LightCurvePoints& pts, const FitParams& start, double ymax,
           FitParams& out) {
  const int np = FitParamCount(m);
  Residuals f(m, pts);
  Eigen::LevenbergMarquardt<Residuals> lm(f);
  lm.setMaxfev(100 * (np + 1));
  Eigen::VectorXd theta(np);
  for (int j = 0; j < np; ++j) theta[j] = std::log(start[j]);
  using S = Eigen::LevenbergMarquardtSpace::Status;
  S st = lm.minimizeInit(theta);
  if (st == S::ImproperInputParameters) return false;
  bool bound = false;
  do {
    st = lm.minimizeOneStep(theta);
    bound = st == S::Running && AtLowerBound(f, theta, ymax);
  } while (st == S::Running && !bound);
  // The tolerance statuses (6-8) mean no further reduction is possible: a solution as well.
  const bool converged = bound || st == S::RelativeReductionTooSmall ||
                         st == S::RelativeErrorTooSmall ||
                         st == S::RelativeErrorAndReductionTooSmall || st == S::CosinusTooSmall ||
                         st == S::FtolTooSmall || st == S::XtolTooSmall || st == S::GtolTooSmall;
  if (!converged) return false;
  for (int j = 0; j < np; ++j)
    if (!std::isfinite(theta[j]) || std::fabs(theta[j]) >= kLogBound) return false;
  out = FromLog(m, theta);
  return AllFinite(out, np);
}

// Standard errors from the Jacobian at the solution: cov = s² (JᵀJ)⁻¹ with s² = RSS / (n - p),
// taken in the log-parameters (scale-free) and carried to the parameters and the cardinal points
// by the delta method. False when JᵀJ is singular or an error is not finite.
bool StandardErrors(LightCurveFit& fit, const LightCurvePoints& pts) {
  const FitModel m = fit.model;
  const int np = FitParamCount(m), n = pts.count;
  Eigen::MatrixXd jac(n, np);
  double g[kMaxFitParams];
  for (int i = 0; i < n; ++i) {
    ModelGradient(m, fit.params, pts.x[i], g);
    for (int j = 0; j < np; ++j) jac(i, j) = g[j] * fit.params[j];
  }
  const Eigen::JacobiSVD<Eigen::MatrixXd> svd(jac, Eigen::ComputeThinV);
  const Eigen::VectorXd sv = svd.singularValues();
  if (!(sv[np - 1] > 1e-10 * sv[0])) return false;
  const double s2 = fit.rss / (n - np);
  const Eigen::MatrixXd v = svd.matrixV();
  const Eigen::MatrixXd cov_log =
      s2 * v * sv.cwiseInverse().cwiseAbs2().asDiagonal() * v.transpose();

  // Gradients of each cardinal point by the log-parameters, by central differences.
  const auto base = CardinalArray(fit.value);
  Eigen::MatrixXd grad(kCardinalCount, np);
  for (int j = 0; j < np; ++j) {
    constexpr double h = 1e-6;
    FitParams up = fit.params, down = fit.params;
    up[j] *= std::exp(h);
    down[j] *= std::exp(-h);
    const auto cu = CardinalArray(Cardinal(m, up)), cd = CardinalArray(Cardinal(m, down));
    for (int k = 0; k < kCardinalCount; ++k) grad(k, j) = (cu[k] - cd[k]) / (2 * h);
  }
  double se[kCardinalCount];
  for (int k = 0; k < kCardinalCount; ++k) {
    const double var = grad.row(k) * cov_log * grad.row(k).transpose();
    se[k] = std::sqrt(std::max(var, 0.0));
    if (!std::isfinite(se[k]) || !std::isfinite(base[k])) return false;
  }
  for (int j = 0; j < np; ++j) {
    fit.params_se[j] = fit.params[j] * std::sqrt(std::max(cov_log(j, j), 0.0));
    if (!std::isfinite(fit.params_se[j])) return false;
  }
  fit.se = {se[0], se[1], se[2], se[3], se[4], se[5]};
  return true;
}

// A fit without numbers, only the reason.
LightCurveFit NoFit(FitModel model, int points, FitStatus why) {
  LightCurveFit fit;
  fit.model = model;
  fit.points = points;
  fit.status = why;
  return fit;
}

}  // namespace

LightCurvePoints RlcCurvePoints(const RlcResult& r, bool light_adapted) {
  LightCurvePoints pts;
  for (int k = 0; k < kRlcSteps; ++k) {
    const float yii = r.row[kRowYII][k];
    if (!(yii > 0.0f && yii < 1.0f)) break;
    pts.x[pts.count] = kRlcLight[k];
    pts.y[pts.count] = r.row[kRowRetr][k];
    ++pts.count;
    if (!light_adapted && r.row[kRowFmPrimeFm][k] == 0.0f) break;
  }
  return pts;
}

std::string_view FitStatusText(FitStatus s) {
  switch (s) {
    case FitStatus::kOk:
      return "ok";
    case FitStatus::kNoStandardErrors:
      return "fitted; standard errors undetermined";
    case FitStatus::kNotFitted:
      return "not fitted";
    case FitStatus::kNoPoints:
      return "no fit: no measured step";
    case FitStatus::kTooFewPoints:
      return "no fit: too few steps for the model";
    case FitStatus::kAllZero:
      return "no fit: rETR is zero at every step";
    case FitStatus::kFlat:
      return "no fit: rETR does not change with light";
    case FitStatus::kNotConverged:
      return "no fit: the fit did not converge";
  }
  return "";
}

LightCurveFit FitLightCurve(FitModel model, const LightCurvePoints& pts) {
  LightCurveFit fit;
  fit.model = model;
  fit.points = pts.count;
  const int np = FitParamCount(model), n = pts.count;
  if (n == 0) return NoFit(model, n, FitStatus::kNoPoints);
  // More points than parameters: an exact fit through as many points says nothing of its error.
  if (n <= np) return NoFit(model, n, FitStatus::kTooFewPoints);
  double sum = 0, ymax = 0;
  for (int i = 0; i < n; ++i) {
    sum += pts.y[i];
    ymax = std::max(ymax, std::fabs(pts.y[i]));
  }
  if (!(ymax > 0)) return NoFit(model, n, FitStatus::kAllZero);
  const double mean = sum / n;
  double sst = 0;
  for (int i = 0; i < n; ++i) sst += (pts.y[i] - mean) * (pts.y[i] - mean);
  if (!(sst > 1e-12 * ymax * ymax * n)) return NoFit(model, n, FitStatus::kFlat);

  FitParams starts[2];
  const int count = Starts(model, pts, starts);
  double best = std::numeric_limits<double>::infinity();
  for (int s = 0; s < count; ++s) {
    FitParams p;
    if (!AllFinite(starts[s], np) || !Solve(model, pts, starts[s], ymax, p)) continue;
    const double rss = Rss(model, p, pts);
    if (std::isfinite(rss) && rss < best) {
      best = rss;
      fit.params = p;
      break;
    }
  }
  if (!std::isfinite(best)) return NoFit(model, n, FitStatus::kNotConverged);

  fit.rss = best;
  fit.r2 = 1 - best / sst;
  // AIC of a least-squares fit with Gaussian errors: n ln(RSS/n) + 2K, K = parameters + 1 for the
  // variance; RSS is floored at rounding level so an exact fit keeps a finite AIC.
  const double floor = n * (1e-12 * ymax) * (1e-12 * ymax);
  fit.aic = n * std::log(std::max(best, floor) / n) + 2.0 * (np + 1);
  fit.value = Cardinal(model, fit.params);
  for (const double v : CardinalArray(fit.value))
    if (!std::isfinite(v)) return NoFit(model, n, FitStatus::kNotConverged);
  if (!std::isfinite(fit.r2) || !std::isfinite(fit.aic))
    return NoFit(model, n, FitStatus::kNotConverged);
  fit.status = FitStatus::kOk;
  if (!StandardErrors(fit, pts)) {
    fit.status = FitStatus::kNoStandardErrors;
    fit.params_se = {};
    fit.se = {};
  }
  return fit;
}

const LightCurveFit& ChooseFit(FitChoice choice, const LightCurveFit (&fits)[kFitModelCount]) {
  if (choice != FitChoice::kAuto) return fits[static_cast<int>(ModelOfChoice(choice))];
  const LightCurveFit* best = nullptr;
  for (const LightCurveFit& f : fits)
    if (f.fitted() && (best == nullptr || f.aic < best->aic)) best = &f;
  return best ? *best : fits[0];
}

}  // namespace corvel
