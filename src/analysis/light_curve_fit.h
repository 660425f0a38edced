// Non-linear least-squares fits of the light-curve models to the rETR of one rapid light curve,
// with standard errors, R², the residual sum of squares and AIC; `auto` keeps the model with the
// lowest AIC. A curve that cannot be fitted gets a status that says why, and no numbers.
#pragma once

#include <cstdint>
#include <string_view>

#include "analysis/fit_models.h"
#include "params/rapid_light_curve.h"

namespace corvel {

// The points of one light curve: light level and rETR of each step that has a measured yield.
struct LightCurvePoints {
  int count = 0;
  double x[kRlcSteps] = {};
  double y[kRlcSteps] = {};
};

// The steps the decoder measured, in order: each step whose Y(II) lies strictly between 0 and 1,
// up to the first that does not (a missing or flat pulse, Fs = 0, or a step after the decoder
// stopped, all left at 0 or giving 1). Without light adaptation the decoder also stops after a
// step whose quenching values stay 0 (Fm'/Fm is never 0 otherwise); that step keeps its Y(II)
// and rETR and is the last point.
LightCurvePoints RlcCurvePoints(const RlcResult& r, bool light_adapted);

enum class FitStatus : uint8_t {
  kOk,
  kNoStandardErrors,  // fitted, but the parameters are not all determined by the points
  kNotFitted,         // not computed yet (caches)
  kNoPoints,
  kTooFewPoints,
  kAllZero,
  kFlat,
  kNotConverged,
};

// "ok" or the reason, short and plain (the fit CSV's status column).
std::string_view FitStatusText(FitStatus s);

struct LightCurveFit {
  FitModel model = FitModel::kWebb;
  FitStatus status = FitStatus::kNotFitted;
  int points = 0;
  FitParams params{};
  FitParams params_se{};
  CardinalPoints value;
  CardinalPoints se;  // standard errors (delta method for the derived points)
  double r2 = 0;
  double rss = 0;
  double aic = 0;

  // The curve and its goodness of fit exist (every number finite).
  bool fitted() const { return status == FitStatus::kOk || status == FitStatus::kNoStandardErrors; }
  bool has_se() const { return status == FitStatus::kOk; }
};

LightCurveFit FitLightCurve(FitModel model, const LightCurvePoints& points);

// Picks among already computed fits of the four models (indexed by FitModel) the one `choice`
// names, or for `auto` the fitted one with the lowest AIC (ties: the earlier model, so the
// simpler of two equal fits). When no model fits, the Webb fit with its reason.
const LightCurveFit& ChooseFit(FitChoice choice, const LightCurveFit (&fits)[kFitModelCount]);

}  // namespace corvel
