#include "params/result_tables.h"

#include "params/jip_test.h"
#include "params/other_types.h"
#include "params/rlc.h"
#include "params/slowkin.h"
#include "records/record.h"

namespace corvel {

void CacuFNinListBox(const FileImage& image, uint8_t type_code, const RecordList& list,
                     ResultTables& tables) {
  const int count = list.count < kSlotCount ? list.count : kSlotCount;
  for (int i = 0; i < count; ++i) {
    const uint32_t off = list.offset(i);
    switch (type_code) {
      case 1:
        DecodeOjip(image, Record(image, off).first_block(), tables.ojip[i], true);
        break;
      case 2:
        DecodeSlowKin(image, off, tables.slowkin[i]);
        break;
      case 3:
        DecodeRlc(image, off, tables.rlc[i]);
        break;
      case 4:
        DecodeDr(image, off, tables.dr[i]);
        break;
      case 5:
        DecodeAfterSs(image, off, tables.afterss[i]);
        break;
      case 6:
        DecodePifrSlope(image, off, tables.pifr[i]);
        break;
      case 7:
        DecodeMultiOjip(image, off, tables.multiojip[i]);
        break;
      case 8:
        DecodeFoPrime(image, off, tables.foprime[i]);
        break;
      default:  // user-defined programs and chlorophyll concentration are read directly
        return;
    }
  }
}

}  // namespace corvel
