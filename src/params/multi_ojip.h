// Multi-light OJIP (transient light curve): six OJIP traces at rising light and the slopes of Fo,
// Fj, Fi and Fm against the light.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

struct TypeParams;

inline constexpr int kMultiOjipSteps = 6;
// Light level of each transient light curve step; also the x values of its slopes.
inline constexpr uint16_t kMultiOjipLight[kMultiOjipSteps] = {100, 200, 500, 1000, 2000, 3000};

struct MultiOjipResult {
  uint16_t Fo[kMultiOjipSteps], Fl[kMultiOjipSteps], Fk[kMultiOjipSteps], Fj[kMultiOjipSteps],
      Fi[kMultiOjipSteps], Fm[kMultiOjipSteps];
  float Ko, Kj, Ki, Kp;
};

// Six OJIP traces at the light levels kMultiOjipLight and the slopes of Fo, Fj, Fi, Fm against
// them.
void DecodeMultiOjip(const FileImage& image, uint32_t record_offset, MultiOjipResult& r);

// The type's entry in the parameter layer's table (params/type_params.h): the step that
// CacuFNinListBox runs per listed record, the table's titles and the fill routine of its rows.
extern const TypeParams kMultiOjipParams;

}  // namespace corvel
