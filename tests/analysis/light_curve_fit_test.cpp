#include "analysis/light_curve_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvel {
namespace {

LightCurvePoints Exact(FitModel m, const FitParams& p, int steps = kRlcSteps) {
  LightCurvePoints pts;
  for (int k = 0; k < steps; ++k) {
    pts.x[k] = kRlcLight[k];
    pts.y[k] = ModelValue(m, p, kRlcLight[k]);
  }
  pts.count = steps;
  return pts;
}

void ExpectWithin(double got, double want, double rel) {
  EXPECT_NEAR(got, want, rel * std::fabs(want));
}

struct Case {
  FitModel model;
  FitParams params;
};
const Case kCases[] = {
    {FitModel::kWebb, {30, 0.3, 0}},
    {FitModel::kJassbyPlatt, {45, 0.22, 0}},
    {FitModel::kPlatt, {30, 0.3, 0.01}},
    {FitModel::kEilersPeeters, {4e-5, 4e-3, 5}},
};

TEST(LightCurveFit, EachModelRecoversItsParametersFromExactPoints) {
  for (const Case& c : kCases) {
    const LightCurveFit fit = FitLightCurve(c.model, Exact(c.model, c.params));
    ASSERT_TRUE(fit.fitted()) << FitModelName(c.model);
    for (int j = 0; j < FitParamCount(c.model); ++j) ExpectWithin(fit.params[j], c.params[j], 1e-3);
    EXPECT_GT(fit.r2, 0.999999);
    EXPECT_EQ(fit.points, 10);
  }
}

TEST(LightCurveFit, PlattFitGivesTheWorkedCardinalPoints) {
  const LightCurveFit fit =
      FitLightCurve(FitModel::kPlatt, Exact(FitModel::kPlatt, {30, 0.3, 0.01}));
  ExpectWithin(fit.value.etr_max, 25.892, 1e-3);
  ExpectWithin(fit.value.ik, 86.31, 1e-3);
  ExpectWithin(fit.value.im, 343.40, 1e-3);
}

TEST(LightCurveFit, AutoPicksTheGeneratingModelOnExactPoints) {
  for (const Case& c : kCases) {
    const LightCurvePoints pts = Exact(c.model, c.params);
    LightCurveFit fits[kFitModelCount];
    for (int m = 0; m < kFitModelCount; ++m) fits[m] = FitLightCurve(static_cast<FitModel>(m), pts);
    EXPECT_EQ(ChooseFit(FitChoice::kAuto, fits).model, c.model) << FitModelName(c.model);
    EXPECT_EQ(ChooseFit(FitChoice::kPlatt, fits).model, FitModel::kPlatt);
  }
}

// Noise of 1 % on a Webb curve: SE of the order of the noise, R² below 1, the AIC of the formula.
TEST(LightCurveFit, StandardErrorsAndAicOfANoisyCurve) {
  LightCurvePoints pts = Exact(FitModel::kWebb, {30, 0.3, 0});
  const double wiggle[10] = {1, -1, 0.5, -0.5, 1, -1, 0.5, -0.5, 1, -1};
  for (int k = 0; k < 10; ++k) pts.y[k] *= 1 + 0.01 * wiggle[k];
  const LightCurveFit fit = FitLightCurve(FitModel::kWebb, pts);
  ASSERT_EQ(fit.status, FitStatus::kOk);
  EXPECT_GT(fit.se.etr_max, 0.01);
  EXPECT_LT(fit.se.etr_max, 1.0);
  EXPECT_GT(fit.se.ik, 0);
  EXPECT_LT(fit.r2, 1);
  EXPECT_GT(fit.r2, 0.99);
  EXPECT_NEAR(fit.aic, 10 * std::log(fit.rss / 10) + 2 * 3, 1e-9);
  // Ik's error from the delta method, by hand from the parameters' covariance is not at hand here;
  // it must at least exceed neither relative error of its two factors by far.
  EXPECT_LT(fit.se.ik / fit.value.ik,
            3 * (fit.se.etr_max / fit.value.etr_max + fit.se.alpha / fit.value.alpha));
}

TEST(LightCurveFit, TwoStepsGiveNoFit) {
  const LightCurveFit fit = FitLightCurve(FitModel::kWebb, Exact(FitModel::kWebb, {30, 0.3, 0}, 2));
  EXPECT_EQ(fit.status, FitStatus::kTooFewPoints);
  EXPECT_FALSE(fit.fitted());
  EXPECT_EQ(fit.rss, 0);
}

TEST(LightCurveFit, ThreeStepsFitTwoParametersButNotThree) {
  const LightCurvePoints pts = Exact(FitModel::kWebb, {30, 0.3, 0}, 3);
  EXPECT_TRUE(FitLightCurve(FitModel::kWebb, pts).fitted());
  EXPECT_EQ(FitLightCurve(FitModel::kPlatt, pts).status, FitStatus::kTooFewPoints);
}

TEST(LightCurveFit, AllZeroGivesNoFit) {
  LightCurvePoints pts = Exact(FitModel::kWebb, {30, 0.3, 0});
  for (double& y : pts.y) y = 0;
  for (int m = 0; m < kFitModelCount; ++m)
    EXPECT_EQ(FitLightCurve(static_cast<FitModel>(m), pts).status, FitStatus::kAllZero);
}

TEST(LightCurveFit, FlatCurveGivesNoFit) {
  LightCurvePoints pts = Exact(FitModel::kWebb, {30, 0.3, 0});
  for (double& y : pts.y) y = 12.5;
  EXPECT_EQ(FitLightCurve(FitModel::kJassbyPlatt, pts).status, FitStatus::kFlat);
}

TEST(LightCurveFit, NoPointsGiveNoFit) {
  EXPECT_EQ(FitLightCurve(FitModel::kWebb, LightCurvePoints{}).status, FitStatus::kNoPoints);
}

// One step far off the curve: every model still gives finite numbers or a reason.
TEST(LightCurveFit, OneOutlierStepGivesFiniteNumbersOrAReason) {
  LightCurvePoints pts = Exact(FitModel::kWebb, {30, 0.3, 0});
  pts.y[6] = 90;
  for (int m = 0; m < kFitModelCount; ++m) {
    const LightCurveFit fit = FitLightCurve(static_cast<FitModel>(m), pts);
    if (!fit.fitted()) continue;
    EXPECT_TRUE(std::isfinite(fit.aic) && std::isfinite(fit.r2) && std::isfinite(fit.rss));
    EXPECT_LT(fit.r2, 0.9);
    for (int j = 0; j < 3; ++j) EXPECT_TRUE(std::isfinite(fit.params_se[j]));
  }
}

TEST(LightCurveFit, AutoWithoutAnyFitKeepsTheReason) {
  LightCurveFit fits[kFitModelCount];
  for (int m = 0; m < kFitModelCount; ++m)
    fits[m] = FitLightCurve(static_cast<FitModel>(m), LightCurvePoints{});
  EXPECT_EQ(ChooseFit(FitChoice::kAuto, fits).status, FitStatus::kNoPoints);
}

RlcResult Result(const float (&yii)[10], const float (&fmp_fm)[10]) {
  RlcResult r{};
  for (int k = 0; k < 10; ++k) {
    r.row[kRowYII][k] = yii[k];
    r.row[kRowRetr][k] = kRlcLight[k] * yii[k] * 0.42f;
    r.row[kRowFmPrimeFm][k] = fmp_fm[k];
  }
  return r;
}

TEST(RlcCurvePoints, EveryStepOfAWholeCurve) {
  const RlcResult r = Result({.7f, .65f, .6f, .5f, .4f, .3f, .25f, .2f, .15f, .1f},
                             {.9f, .9f, .8f, .8f, .7f, .6f, .6f, .5f, .5f, .5f});
  const LightCurvePoints pts = RlcCurvePoints(r, false);
  ASSERT_EQ(pts.count, 10);
  EXPECT_EQ(pts.x[9], 1500);
  EXPECT_FLOAT_EQ(static_cast<float>(pts.y[3]), 150 * .5f * 0.42f);
}

// The decoder stopped at step 4 on Fs >= Fm': that step's Y(II) is 0, later steps are 0.
TEST(RlcCurvePoints, StepsAfterTheDecodersStopAreNotPoints) {
  const RlcResult r =
      Result({.7f, .65f, .6f, .5f, 0, 0, 0, 0, 0, 0}, {.9f, .9f, .8f, .8f, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(RlcCurvePoints(r, false).count, 4);
}

// A stop on Fm' = Fo' keeps the step's yield: it is the last point.
TEST(RlcCurvePoints, AStepWithAYieldButNoQuenchingValuesIsTheLastPoint) {
  const RlcResult r =
      Result({.7f, .65f, .6f, .5f, .4f, 0, 0, 0, 0, 0}, {.9f, .9f, .8f, .8f, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(RlcCurvePoints(r, false).count, 5);
}

// Fs = 0 gives Y(II) 1 and an rETR of 0.42 L: not a measured yield.
TEST(RlcCurvePoints, AYieldOfOneEndsTheCurve) {
  const RlcResult r =
      Result({.7f, .65f, 1, 0, 0, 0, 0, 0, 0, 0}, {.9f, .9f, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(RlcCurvePoints(r, false).count, 2);
}

// Light-adapted curves have no quenching values; only the yield tells where the record ends.
TEST(RlcCurvePoints, LightAdaptedCurvesEndAtTheFirstStepWithoutYield) {
  const float none[10] = {};
  const RlcResult r = Result({.6f, .55f, .5f, .45f, .4f, .3f, .25f, 0, 0, 0}, none);
  EXPECT_EQ(RlcCurvePoints(r, true).count, 7);
  EXPECT_EQ(RlcCurvePoints(r, false).count, 1);
}

}  // namespace
}  // namespace corvel
