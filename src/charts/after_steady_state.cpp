// The after-steady-state chart: the first trace of each pulse pair of the first selected record.
#include "params/after_steady_state.h"

#include <string_view>

#include "charts/draw_parts.h"
#include "params/result_tables.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

void DrawChart_ASS(const ChartSource& source, ChartState& chart) {
  // The first trace of each pulse pair (the second is skipped): five after darkness, five after
  // far-red light.
  static constexpr std::string_view kCaptions[kBoxCount] = {
      "D_OJIP:1",  "D_OJIP:2",  "D_OJIP:3",  "D_OJIP:4",  "D_OJIP:5",
      "FR_OJIP:1", "FR_OJIP:2", "FR_OJIP:3", "FR_OJIP:4", "FR_OJIP:5"};
  DrawFirstSelectedTraces(source, chart, RadioItem::kAfterSs, source.results.afterss, kBoxCount,
                          [&](int radio, uint64_t b) {
                            for (int k = 0; k < kBoxCount; ++k)
                              b = NextBlockUnchecked(
                                  source.image,
                                  DrawBoxTrace(source, chart, radio, k, kCaptions[k], b));
                          });
}

}  // namespace corvel
