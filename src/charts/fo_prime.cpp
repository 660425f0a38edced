// The Fo' chart: the dark and the far-red trace of the first selected record.
#include "params/fo_prime.h"

#include "charts/draw_parts.h"
#include "params/result_tables.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

void DrawChart_Fo(const ChartSource& source, ChartState& chart) {
  constexpr int kRadio = ItemIndex(RadioItem::kFoPrime);
  const std::optional<uint64_t> first =
      BeginFirstSelectedOjipChart(source, chart, kRadio, [&](int q) {
        const FoPrimeResult& r = source.results.foprime[q];
        return r.Fm > r.FmPrime ? r.Fm : r.FmPrime;
      });
  if (!first) return;
  DrawBoxTrace(source, chart, kRadio, 1, "FR_OJIP",
               DrawBoxTrace(source, chart, kRadio, 0, "DA_OJIP", *first));
}

}  // namespace corvel
