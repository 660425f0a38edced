// Parameters of dark relaxation, PIFR, transient light curve, Fo' determination and chlorophyll
// concentration records.
#pragma once

#include <cstdint>

#include "params/results.h"
#include "records/file_image.h"

namespace corvel {

// Twenty pulses, data blocks 1..20; NPQ of each against the first.
void DecodeDr(const FileImage& image, uint32_t record_offset, DrResult& r);

// Slope of the rise of the first data block's D2 values towards their peak, times 10.
void DecodePifrSlope(const FileImage& image, uint32_t record_offset, PifrResult& r);

// The points the PIFR slope is fitted through, x = 1, 2, ... and y the mean of three D2 values;
// returns how many there are. The arrays have room for the one point more that is formed than
// counted.
inline constexpr int kPifrSlopeMaxPoints = 99;
int PifrSlopePoints(const FileImage& image, uint32_t record_offset,
                    uint32_t (&x)[kPifrSlopeMaxPoints + 1], uint32_t (&y)[kPifrSlopeMaxPoints + 1]);

// Six OJIP traces at the light levels kMultiOjipLight and the slopes of Fo, Fj, Fi, Fm against
// them.
void DecodeMultiOjip(const FileImage& image, uint32_t record_offset, MultiOjipResult& r);

// Fo and Fm of data block 1, Fo' and Fm' of data block 2.
void DecodeFoPrime(const FileImage& image, uint32_t record_offset, FoPrimeResult& r);

// The concentration in ug/L that a chlorophyll record stores in tenths at record offset 44.
float ChlConcentration(const FileImage& image, uint32_t record_offset);

}  // namespace corvel
