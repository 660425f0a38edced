// Fo' determination: a dark pulse, then far-red light; Fo and Fm of the first trace, Fo' and Fm' of
// the second.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

class Grid;
struct GridSource;
struct ResultTables;

struct FoPrimeResult {
  uint16_t Fo, FoPrime, Fm, FmPrime;
};

// Fo and Fm of data block 1, Fo' and Fm' of data block 2.
void DecodeFoPrime(const FileImage& image, uint32_t record_offset, FoPrimeResult& r);

// CacuFNinListBox's step.
void DecodeFoPrimeStep(const FileImage& image, uint32_t record_offset, ResultTables& tables,
                       int slot);

extern const char* const kTitlesFoPrime[];

void FillGridPara_Fo(const GridSource& src, Grid& grid);

}  // namespace corvel
