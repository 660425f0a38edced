#include "params/result_tables.h"

#include "params/parallel_for.h"
#include "params/type_params.h"
#include "records/measurement_type.h"

namespace corvel {

void CacuFNinListBox(const FileImage& image, uint8_t type_code, const RecordList& list,
                     ResultTables& tables) {
  const MeasurementType* type = TypeOfCode(type_code);
  const DecodeStep decode = type ? kTypeParams[ItemIndex(type->radio)]->decode : nullptr;
  if (decode == nullptr) return;  // user-defined programs and chlorophyll are read directly
  const int count = list.count < kSlotCount ? list.count : kSlotCount;
  // Each run decodes into the slots of its own positions only.
  ForEachPart(count, ThreadsFor(count), [&](int begin, int end, int) {
    for (int i = begin; i < end; ++i) decode(image, list.offset(i), tables, i);
  });
}

}  // namespace corvel
