#include "params/rlc.h"

#include <cstring>

#include "params/jip_test.h"
#include "params/quenching.h"
#include "records/real.h"
#include "records/record.h"
#include "records/settings.h"

namespace corvel {

bool RlcLightAdapted(const FileImage& image, uint32_t record_offset) {
  const MeasSettings set = DecodeSettings(image, record_offset);
  return set.RlcAdaptMin != 0 && set.RlcAdaptAl != 0;
}

void DecodeRlc(const FileImage& image, uint32_t record_offset, RlcResult& r) {
  std::memset(&r, 0, sizeof r);
  const bool light_adapted = RlcLightAdapted(image, record_offset);
  uint64_t pos = Record(image, record_offset).first_block();
  OjipResult pt;
  DecodeOjip(image, pos, pt, false);
  const float fo = pt.Fo, fm = pt.Fm;
  if (fo == 0.0f || fm == 0.0f || fo >= fm) return;

  for (int k = 0; k < kRlcSteps; ++k) {
    // Steps are reached by block lengths alone; a step that is not a trace decodes to zeros.
    pos = NextBlockUnchecked(image, pos);
    DecodeOjip(image, pos, pt, false);
    const float yii = pt.FvFm;
    r.row[kRowYII][k] = yii;
    r.row[kRowRetr][k] = Finite(Finite(static_cast<float>(kRlcLight[k]) * yii) * 0.42f);
    if (light_adapted) continue;

    const float fs = pt.Fo, fmp = pt.Fm;
    if (fs == 0.0f || fmp == 0.0f || fs >= fmp) return;
    const QuenchingInput in{fo, fm, fs, fmp};
    const float fop = FoPrimeReal(in);
    if (fmp == fop) return;
    const QuenchingValues v = Quench(in, fop, yii);
    r.row[kRowFmPrimeFm][k] = v.fmp_fm;
    r.row[kRowQP][k] = v.qp;
    r.row[kRowQL][k] = v.ql;
    r.row[kRowQN][k] = v.qn;
    r.row[kRowYNO][k] = v.yno;
    r.row[kRowYNPQ][k] = v.ynpq;
  }
}

}  // namespace corvel
