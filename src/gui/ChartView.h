#pragma once

#include "core/statistics/ChartModel.h"
#include "core/util/Dates.h"

#include <cstdint>
#include <utility>
#include <vector>

#include <QtCharts/QChartView>

class QToolBar;

namespace lotto {

// Chart1: draws the chart model as green bars with the axis title and value range the model
// holds, and offers the chart's own view tools (zoom, save, copy, print).
class ChartView : public QChartView {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    void showModel(const ChartModel& model);
    // The "Gewinnbilanz": the cumulative net of all tips in euros over the draws, one point
    // per draw (day, cents).
    void showNetCurve(const std::vector<std::pair<DayNumber, std::int64_t>>& points);
    // The step between two value-axis ticks: a whole number, at most ten steps over span.
    static int valueTickInterval(int span);
    // Adds the view tools to a tool bar.
    void addTools(QToolBar* toolBar);

    void zoomInChart();
    void zoomOutChart();
    void resetZoom();
    bool savePng(const QString& file);
    void copyToClipboard();
    void printChart();

private:
    void clearChart(); // no series, no axes, no zoom
};

} // namespace lotto
