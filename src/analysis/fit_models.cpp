#include "analysis/fit_models.h"

#include <cmath>

namespace corvel {

namespace {

constexpr std::string_view kModelNames[kFitModelCount] = {"webb", "jassby-platt", "platt",
                                                          "eilers-peeters"};

}  // namespace

std::string_view FitModelName(FitModel m) {
  return kModelNames[static_cast<int>(m)];
}

std::string_view FitChoiceName(FitChoice c) {
  return c == FitChoice::kAuto ? std::string_view("auto") : FitModelName(ModelOfChoice(c));
}

std::optional<FitChoice> ParseFitChoice(std::string_view name) {
  for (int c = 0; c < kFitChoiceCount; ++c)
    if (FitChoiceName(static_cast<FitChoice>(c)) == name) return static_cast<FitChoice>(c);
  return std::nullopt;
}

int FitParamCount(FitModel m) {
  return m == FitModel::kWebb || m == FitModel::kJassbyPlatt ? 2 : 3;
}

bool HasBeta(FitModel m) {
  return m == FitModel::kPlatt;
}

bool HasIopt(FitModel m) {
  return m == FitModel::kEilersPeeters;
}

double ModelValue(FitModel m, const FitParams& p, double x) {
  switch (m) {
    case FitModel::kWebb:
      return p[0] * -std::expm1(-p[1] * x / p[0]);
    case FitModel::kJassbyPlatt:
      return p[0] * std::tanh(p[1] * x / p[0]);
    case FitModel::kPlatt:
      return p[0] * -std::expm1(-p[1] * x / p[0]) * std::exp(-p[2] * x / p[0]);
    case FitModel::kEilersPeeters:
      return x / ((p[0] * x + p[1]) * x + p[2]);
  }
  return 0;
}

void ModelGradient(FitModel m, const FitParams& p, double x, double* grad) {
  switch (m) {
    case FitModel::kWebb: {
      const double u = p[1] * x / p[0], e = std::exp(-u);
      grad[0] = -std::expm1(-u) - e * u;
      grad[1] = e * x;
      return;
    }
    case FitModel::kJassbyPlatt: {
      const double u = p[1] * x / p[0], t = std::tanh(u), sech2 = 1 - t * t;
      grad[0] = t - u * sech2;
      grad[1] = x * sech2;
      return;
    }
    case FitModel::kPlatt: {
      const double u = p[1] * x / p[0], v = p[2] * x / p[0];
      const double e1 = std::exp(-u), rise = -std::expm1(-u), e2 = std::exp(-v);
      grad[0] = e2 * (rise - e1 * u + rise * v);
      grad[1] = x * e1 * e2;
      grad[2] = -x * rise * e2;
      return;
    }
    case FitModel::kEilersPeeters: {
      const double d = (p[0] * x + p[1]) * x + p[2], q = -x / (d * d);
      grad[0] = q * x * x;
      grad[1] = q * x;
      grad[2] = q;
      return;
    }
  }
}

CardinalPoints Cardinal(FitModel m, const FitParams& p) {
  CardinalPoints c;
  switch (m) {
    case FitModel::kWebb:
    case FitModel::kJassbyPlatt:
      c.etr_max = p[0];
      c.alpha = p[1];
      break;
    case FitModel::kPlatt: {
      const double ps = p[0], a = p[1], b = p[2], s = a + b;
      c.alpha = a;
      c.beta = b;
      c.etr_max = ps * (a / s) * std::pow(b / s, b / a);
      c.im = ps / a * std::log(s / b);
      break;
    }
    case FitModel::kEilersPeeters:
      c.alpha = 1 / p[2];
      c.etr_max = 1 / (p[1] + 2 * std::sqrt(p[0] * p[2]));
      c.iopt = std::sqrt(p[2] / p[0]);
      break;
  }
  c.ik = c.etr_max / c.alpha;
  return c;
}

std::array<double, kCardinalCount> CardinalArray(const CardinalPoints& c) {
  return {c.etr_max, c.alpha, c.ik, c.beta, c.im, c.iopt};
}

}  // namespace corvel
