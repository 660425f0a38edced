// The multi-light OJIP chart: the six traces of the first selected record, one per light level.
#include "params/multi_ojip.h"

#include <cstdio>

#include "charts/draw_parts.h"
#include "params/result_tables.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

void DrawChart_MTOJIP(const ChartSource& source, ChartState& chart) {
  // One trace per light level, captioned with the level.
  char caption[16];
  DrawFirstSelectedTraces(source, chart, RadioItem::kMultiOjip, source.results.multiojip,
                          kMultiOjipSteps, [&](int radio, uint64_t b) {
                            for (int k = 0; k < kMultiOjipSteps; ++k) {
                              std::snprintf(caption, sizeof caption, "AL=%u",
                                            unsigned{kMultiOjipLight[k]});
                              b = DrawBoxTrace(source, chart, radio, k, caption, b);
                            }
                          });
}

}  // namespace corvel
