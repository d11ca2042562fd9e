#pragma once

#include <string>
#include <vector>

namespace lotto {

struct ChartBar {
    int x = 0;
    int y = 0;
    bool operator==(const ChartBar&) const = default;
};

// What the chart on the "Diagramm" page shows, and what later operations read back from
// it: the points of the bar series, the value-axis range (fixed or automatic) and the
// horizontal-axis title, which carries each result's caption.
struct ChartModel {
    std::vector<ChartBar> bars;
    bool barSeriesActive = true;
    bool surfaceSeriesActive = true;
    bool valueAxisAutomatic = true;
    int valueAxisMin = 0;
    int valueAxisMax = 0;
    std::string axisTitle;

    // Bar series on, surface series off, no points: the first step of every statistic.
    void prepare() {
        barSeriesActive = true;
        surfaceSeriesActive = false;
        bars.clear();
    }
    // Value axis fixed to exactly the smallest..largest Y of the points (0..0 without points).
    void fixValueAxisToBars();
    int smallestY() const;
    int largestY() const;
};

} // namespace lotto
