#include "core/statistics/ChartModel.h"

#include <algorithm>

namespace lotto {

int ChartModel::smallestY() const {
    if (bars.empty()) return 0;
    return std::min_element(bars.begin(), bars.end(), [](auto& a, auto& b) { return a.y < b.y; })->y;
}

int ChartModel::largestY() const {
    if (bars.empty()) return 0;
    return std::max_element(bars.begin(), bars.end(), [](auto& a, auto& b) { return a.y < b.y; })->y;
}

void ChartModel::fixValueAxisToBars() {
    valueAxisMin = smallestY();
    valueAxisMax = largestY();
    valueAxisAutomatic = false;
}

} // namespace lotto
