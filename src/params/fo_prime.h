// Fo' determination: a dark pulse, then far-red light; Fo and Fm of the first trace, Fo' and Fm' of
// the second.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

struct TypeParams;

struct FoPrimeResult {
  uint16_t Fo, FoPrime, Fm, FmPrime;
};

// Fo and Fm of data block 1, Fo' and Fm' of data block 2.
void DecodeFoPrime(const FileImage& image, uint32_t record_offset, FoPrimeResult& r);

// The type's entry in the parameter layer's table (params/type_params.h): the step that
// CacuFNinListBox runs per listed record, the table's titles and the fill routine of its rows.
extern const TypeParams kFoPrimeParams;

}  // namespace corvel
