#include "params/type_params.h"

#include "params/after_steady_state.h"
#include "params/chlorophyll.h"
#include "params/dark_relaxation.h"
#include "params/fo_prime.h"
#include "params/multi_ojip.h"
#include "params/ojip.h"
#include "params/pifr.h"
#include "params/pulse_kinetics.h"
#include "params/rapid_light_curve.h"

namespace corvel {

const TypeParams kTypeParams[kTypeCount] = {
    {RadioItem::kOjip, DecodeOjipStep, kTitlesOjip, FillGridPara_OJIP},
    {RadioItem::kSlowKin, DecodeSlowKinStep, kTitlesSlowKin, FillGridPara_SlowK},
    {RadioItem::kRlc, DecodeRlcStep, kTitlesRlc, FillGridPara_RLC},
    {RadioItem::kDr, DecodeDrStep, kTitlesDr, FillGridPara_DR},
    {RadioItem::kAfterSs, DecodeAfterSsStep, kTitlesAfterSs, FillGridPara_ASS},
    {RadioItem::kPifr, DecodePifrStep, kTitlesPifr, FillGridPara_PIFR},
    {RadioItem::kMultiOjip, DecodeMultiOjipStep, kTitlesMultiOjip, FillGridPara_MTOJIP},
    {RadioItem::kFoPrime, DecodeFoPrimeStep, kTitlesFoPrime, FillGridPara_Fo},
    {RadioItem::kUser, nullptr, nullptr, nullptr},
    {RadioItem::kChlConc, nullptr, kTitlesChlConc, FillGridPara_ChlC},
};

const TypeParams* TypeParamsAt(int radio_item) {
  return TypeAt(radio_item) ? &kTypeParams[radio_item] : nullptr;
}

}  // namespace corvel
