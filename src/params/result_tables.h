// The result tables: one slot per list position for each measurement type that has a decoder.
// Only the table of the current type is current; it is filled when the type is chosen.
#pragma once

#include <cstdint>

#include "params/after_steady_state.h"
#include "params/dark_relaxation.h"
#include "params/fo_prime.h"
#include "params/multi_ojip.h"
#include "params/pifr.h"
#include "params/pulse_kinetics.h"
#include "params/rapid_light_curve.h"
#include "records/file_image.h"
#include "records/ojip_decoder.h"
#include "records/record_list.h"

namespace corvel {

// About 8 MB; allocate once for the run (e.g. std::make_unique).
struct ResultTables {
  OjipResult ojip[kSlotCount];
  SlowKinResult slowkin[kSlotCount];
  RlcResult rlc[kSlotCount];
  DrResult dr[kSlotCount];
  AfterSsResult afterss[kSlotCount];
  PifrResult pifr[kSlotCount];
  MultiOjipResult multiojip[kSlotCount];
  FoPrimeResult foprime[kSlotCount];
};

// Computes the parameters of the listed records: runs the decoder of `type_code` over every listed
// record, selected or not, into the slot of its list position. OJIP records get the full JIP test
// on their first data block; user-defined and chlorophyll records have no decoder.
void CacuFNinListBox(const FileImage& image, uint8_t type_code, const RecordList& list,
                     ResultTables& tables);

}  // namespace corvel
