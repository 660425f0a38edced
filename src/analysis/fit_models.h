// The light-curve models the field fits to rETR against light, their derivatives and the cardinal
// points each gives: rETRmax, the initial slope alpha, the saturation light Ik = rETRmax / alpha,
// and where the model has them the photoinhibition slope beta with Im, or the optimum light Iopt.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace corvel {

enum class FitModel : int { kWebb = 0, kJassbyPlatt, kPlatt, kEilersPeeters };
inline constexpr int kFitModelCount = 4;
inline constexpr int kMaxFitParams = 3;

// What the user asks for: one model, or `auto`, the fitted model with the lowest AIC.
enum class FitChoice : int { kAuto = 0, kWebb, kJassbyPlatt, kPlatt, kEilersPeeters };
inline constexpr int kFitChoiceCount = 5;

inline constexpr FitModel ModelOfChoice(FitChoice c) {
  return static_cast<FitModel>(static_cast<int>(c) - 1);
}

// "webb", "jassby-platt", "platt", "eilers-peeters"; choices add "auto".
std::string_view FitModelName(FitModel m);
std::string_view FitChoiceName(FitChoice c);
std::optional<FitChoice> ParseFitChoice(std::string_view name);

int FitParamCount(FitModel m);

// Webb and Jassby-Platt: {Pm, alpha}; Platt: {Ps, alpha, beta}; Eilers-Peeters: {a, b, c}.
// Every parameter is positive.
using FitParams = std::array<double, kMaxFitParams>;

// rETR of the model at light x:
//   Webb            Pm (1 - exp(-alpha x / Pm))
//   Jassby-Platt    Pm tanh(alpha x / Pm)
//   Platt           Ps (1 - exp(-alpha x / Ps)) exp(-beta x / Ps)
//   Eilers-Peeters  x / (a x^2 + b x + c)
double ModelValue(FitModel m, const FitParams& p, double x);
// The partial derivatives of ModelValue by each parameter, into grad[0 .. FitParamCount(m) - 1].
void ModelGradient(FitModel m, const FitParams& p, double x, double* grad);

// Cardinal points of one parameter set. beta and Im belong to Platt, Iopt to Eilers-Peeters; the
// others leave them 0.
struct CardinalPoints {
  double etr_max = 0;
  double alpha = 0;
  double ik = 0;
  double beta = 0;
  double im = 0;
  double iopt = 0;
};
inline constexpr int kCardinalCount = 6;

CardinalPoints Cardinal(FitModel m, const FitParams& p);
bool HasBeta(FitModel m);  // beta and Im
bool HasIopt(FitModel m);

// The cardinal points in the order of CardinalPoints, for loops over them.
std::array<double, kCardinalCount> CardinalArray(const CardinalPoints& c);

}  // namespace corvel
