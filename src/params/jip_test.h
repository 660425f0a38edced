// The OJIP decoder in its full mode: the trace points, then the JIP test over them.
#pragma once

#include <cstdint>

#include "records/file_image.h"
#include "records/ojip_decoder.h"

namespace corvel {

// Decodes the OJIP trace of the block at `block_pos` into `r`. Every field is written: the trace
// points and Fv/Fm always, the JIP-test parameters when `jip_test` is set; whatever a stop in the
// test leaves uncomputed stays 0.
void DecodeOjip(const FileImage& image, uint64_t block_pos, OjipResult& r, bool jip_test);

// The area between the level Fm and the trace from the first sample up to the peak index p, on a
// decadic-logarithmic time axis in ms (trapezoidal rule, terms and sum in double).
double OjipArea(const FileImage& image, uint64_t block_pos, uint16_t fm, int32_t p);

}  // namespace corvel
