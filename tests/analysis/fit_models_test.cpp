#include "analysis/fit_models.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace corvel {
namespace {

TEST(FitModels, EilersPeetersWorkedValues) {
  const CardinalPoints c = Cardinal(FitModel::kEilersPeeters, {4e-5, 4e-3, 5});
  EXPECT_NEAR(c.alpha, 0.2, 1e-12);
  EXPECT_NEAR(c.etr_max, 30.975, 5e-4);
  EXPECT_NEAR(c.ik, 154.87, 5e-3);
  EXPECT_NEAR(c.iopt, 353.55, 5e-3);
  EXPECT_EQ(c.beta, 0);
}

TEST(FitModels, PlattWorkedValues) {
  const CardinalPoints c = Cardinal(FitModel::kPlatt, {30, 0.3, 0.01});
  EXPECT_NEAR(c.etr_max, 25.892, 5e-4);
  EXPECT_NEAR(c.ik, 86.31, 5e-3);
  EXPECT_NEAR(c.im, 343.40, 5e-3);
  EXPECT_EQ(c.beta, 0.01);
  EXPECT_EQ(c.iopt, 0);
}

TEST(FitModels, WebbAndJassbyPlattTakePmAsRetrMax) {
  for (const FitModel m : {FitModel::kWebb, FitModel::kJassbyPlatt}) {
    const CardinalPoints c = Cardinal(m, {40, 0.25, 0});
    EXPECT_EQ(c.etr_max, 40);
    EXPECT_EQ(c.alpha, 0.25);
    EXPECT_EQ(c.ik, 160);
  }
}

// Values by hand: Webb 30 (1 - e^-0.2) at x = 20; tanh(1) = 0.761594; Platt and Eilers-Peeters
// from their formulas at x = 100.
TEST(FitModels, ValuesFromTheFormulas) {
  EXPECT_NEAR(ModelValue(FitModel::kWebb, {30, 0.3, 0}, 20), 5.438077, 1e-6);
  EXPECT_NEAR(ModelValue(FitModel::kJassbyPlatt, {30, 0.3, 0}, 100), 22.847824, 1e-6);
  EXPECT_NEAR(ModelValue(FitModel::kPlatt, {30, 0.3, 0.01}, 100),
              30 * (1 - std::exp(-1.0)) * std::exp(-1.0 / 30), 1e-12);
  EXPECT_NEAR(ModelValue(FitModel::kEilersPeeters, {4e-5, 4e-3, 5}, 100), 100 / 5.8, 1e-12);
}

TEST(FitModels, GradientsMatchDifferences) {
  const FitParams params[4] = {{30, 0.3, 0}, {30, 0.3, 0}, {30, 0.3, 0.01}, {4e-5, 4e-3, 5}};
  for (int mi = 0; mi < kFitModelCount; ++mi) {
    const FitModel m = static_cast<FitModel>(mi);
    double g[3];
    ModelGradient(m, params[mi], 300, g);
    for (int j = 0; j < FitParamCount(m); ++j) {
      FitParams up = params[mi], down = params[mi];
      const double h = params[mi][j] * 1e-6;
      up[j] += h;
      down[j] -= h;
      const double diff = (ModelValue(m, up, 300) - ModelValue(m, down, 300)) / (2 * h);
      EXPECT_NEAR(g[j], diff, 1e-6 * std::max(1.0, std::fabs(diff))) << mi << " " << j;
    }
  }
}

TEST(FitModels, ChoiceNamesRoundTrip) {
  EXPECT_EQ(ParseFitChoice("auto"), FitChoice::kAuto);
  EXPECT_EQ(ParseFitChoice("jassby-platt"), FitChoice::kJassbyPlatt);
  EXPECT_EQ(ParseFitChoice("eilers-peeters"), FitChoice::kEilersPeeters);
  EXPECT_FALSE(ParseFitChoice("Webb").has_value());
  EXPECT_EQ(ModelOfChoice(FitChoice::kPlatt), FitModel::kPlatt);
}

}  // namespace
}  // namespace corvel
