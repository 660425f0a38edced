#include "charts/chart_state.h"

namespace corvel {

ChartState::ChartState() {
  for (Series& s : smoothed) s.points.reserve(kSeriesCapacity);
  for (Series& s : line) s.points.reserve(kSeriesCapacity);
  for (Series& s : fit) s.points.reserve(kSeriesCapacity);
}

}  // namespace corvel
