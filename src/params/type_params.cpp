#include "params/type_params.h"

#include "params/jip_test.h"
#include "params/other_types.h"
#include "params/rlc.h"
#include "params/slowkin.h"
#include "params/title_lists.h"
#include "records/block_roles.h"
#include "records/record.h"

namespace corvel {

namespace {

// OJIP records get the full JIP test on their first data block.
void DecodeOjipStep(const FileImage& image, uint32_t off, ResultTables& t, int i) {
  DecodeOjip(image, Record(image, off).first_block(), t.ojip[i], true);
}
void DecodeSlowKinStep(const FileImage& image, uint32_t off, ResultTables& t, int i) {
  DecodeSlowKin(image, off, t.slowkin[i]);
}
void DecodeRlcStep(const FileImage& image, uint32_t off, ResultTables& t, int i) {
  DecodeRlc(image, off, t.rlc[i]);
}
void DecodeDrStep(const FileImage& image, uint32_t off, ResultTables& t, int i) {
  DecodeDr(image, off, t.dr[i]);
}
void DecodeAfterSsStep(const FileImage& image, uint32_t off, ResultTables& t, int i) {
  DecodeAfterSs(image, off, t.afterss[i]);
}
void DecodePifrStep(const FileImage& image, uint32_t off, ResultTables& t, int i) {
  DecodePifrSlope(image, off, t.pifr[i]);
}
void DecodeMultiOjipStep(const FileImage& image, uint32_t off, ResultTables& t, int i) {
  DecodeMultiOjip(image, off, t.multiojip[i]);
}
void DecodeFoPrimeStep(const FileImage& image, uint32_t off, ResultTables& t, int i) {
  DecodeFoPrime(image, off, t.foprime[i]);
}

}  // namespace

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
