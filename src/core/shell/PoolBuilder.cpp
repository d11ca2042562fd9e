#include "core/shell/PoolBuilder.h"

#include "core/shell/MainState.h"

namespace lotto {

namespace {

// The pool's statistics run as the window's own operations, each showing its status text and
// its chart page; the pool reads their results back from the chart.
class StateStatistics {
public:
    explicit StateStatistics(MainState& state) : m_state(state) {}

    const ChartModel& run(PoolStatistic statistic, const char* status) {
        m_state.setStatusText(1, status);
        m_state.host().repaint(RepaintArea::StatusBar);
        switch (statistic) {
        case PoolStatistic::Overdue:
            m_state.Button5Click();
            break;
        // The search that leaves its last passing draw in the current-draw buffer.
        case PoolStatistic::Pairs:
            m_state.runGroupSearch(2);
            break;
        case PoolStatistic::Triples:
            m_state.runGroupSearch(3);
            break;
        case PoolStatistic::Quadruples:
            m_state.runGroupSearch(4);
            break;
        case PoolStatistic::Frequency:
            m_state.SpeedButton2Click();
            break;
        }
        m_state.setActivePage(Page::Diagramm);
        m_state.host().repaint(RepaintArea::Window);
        return m_state.chart();
    }

    void pass(Band band, const char* maxLabel, int count) {
        m_state.setStatusText(1, "Min: " + std::to_string(band.lower) + maxLabel +
                                     std::to_string(band.upper) + "  " + std::to_string(count));
        m_state.host().repaint(RepaintArea::StatusBar);
    }

private:
    MainState& m_state;
};

} // namespace

PreferencePool buildPreferencePool(MainState& state) {
    StateStatistics statistics(state);
    return buildPool(state, statistics);
}

} // namespace lotto
