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

namespace {

// User-defined programs are read as they are: nothing to compute, no table.
const TypeParams kUserParams = {RadioItem::kUser, nullptr, nullptr, nullptr};

}  // namespace

const TypeParams* const kTypeParams[kTypeCount] = {
    &kOjipParams, &kSlowKinParams,   &kRlcParams,     &kDrParams,   &kAfterSsParams,
    &kPifrParams, &kMultiOjipParams, &kFoPrimeParams, &kUserParams, &kChlConcParams,
};

const TypeParams* TypeParamsAt(int radio_item) {
  return TypeAt(radio_item) ? kTypeParams[radio_item] : nullptr;
}

}  // namespace corvel
