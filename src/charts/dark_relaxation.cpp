// The dark relaxation chart: the twenty traces of the first selected record.
#include "params/dark_relaxation.h"

#include "charts/draw_parts.h"
#include "params/result_tables.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

void DrawChart_DR(const ChartSource& source, ChartState& chart) {
  DrawFirstSelectedTraces(source, chart, RadioItem::kDr, source.results.dr, kDrPulses,
                          [&](int radio, uint64_t b) {
                            UseBox(chart, radio, 0, "OJIP:1");
                            UseBox(chart, radio, kBoxCount - 1, "OJIP:20");
                            // Twenty traces in ten colours: each pair of pulses shares the colour
                            // of one box.
                            for (int k = 0; k < kSeriesCount; ++k) {
                              chart.smoothed[k].visible = true;
                              DrawOJIP(source.image, b, chart.smoothed[k], kBoxColor[k / 2]);
                              b = NextBlockUnchecked(source.image, b);
                            }
                          });
}

}  // namespace corvel
