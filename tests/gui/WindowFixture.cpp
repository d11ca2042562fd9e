#include "gui/WindowFixture.h"

#include "gui/ChartView.h"

#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>

namespace lotto::test {

int Window::chartBarCount() const {
    for (auto* series : form->chartView()->chart()->series())
        if (auto* bars = qobject_cast<QBarSeries*>(series)) return bars->barSets().value(0)->count();
    return 0;
}

} // namespace lotto::test
