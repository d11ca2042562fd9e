#include "core/generation/PreferencePool.h"

#include "core/shell/MainState.h"
#include "core/util/Text.h"

#include <algorithm>
#include <functional>

namespace lotto {

Band topBand(int largest, int smallest, double factor) {
    return {roundHalfEven(largest - (largest - smallest) * factor), largest};
}

Band bottomBand(int largest, int smallest, double factor) {
    return {0, roundHalfEven(smallest + (largest - smallest) * factor)};
}

namespace {

enum class Test { Strict, Inclusive };

class PoolBuilder {
public:
    explicit PoolBuilder(MainState& state) : m_state(state) {}

    PreferencePool build() {
        // 1. Overdue numbers (CheckBox10, as its caption says).
        if (m_state.checkBox(10)) {
            runStatistic("Berechnung der Überfälligen", &MainState::Button5Click);
            pass(topBand(largest(), smallest(), 0.5), Test::Strict, 45, 1, 2, "  Max: ");
        }
        // 2.-7. Frequent and rarest pairs, triples and quadruples, one statistic for each
        // size; the quadruples' value axis scales itself, so their band uses the values.
        struct GroupPasses {
            int frequentBox, rarestBox, size;
            const char* status;
            void (MainState::*statistic)();
            const char* rarestMaxLabel;
        };
        static constexpr GroupPasses kGroups[] = {
            {1, 11, 2, "Berechnung der Paarbildung", &MainState::Button2Click, "  Max: "},
            {6, 12, 3, "Berechnung der Dreiergruppenbildung", &MainState::Button3Click, "  Max: "},
            {7, 13, 4, "Berechnung der Vierergruppenbildung", &MainState::Button4Click, " Max: "},
        };
        for (const GroupPasses& g : kGroups) {
            if (m_state.checkBox(g.frequentBox)) {
                runStatistic(g.status, g.statistic);
                pass(topBand(largest(), smallest(), 0.3), Test::Strict, points() - (g.size - 1), g.size, 1,
                     "  Max: ");
            }
            if (m_state.checkBox(g.rarestBox)) {
                if (!m_state.checkBox(g.frequentBox)) runStatistic(g.status, g.statistic);
                pass(bottomBand(largest(), smallest(), 0.3), Test::Strict, points() - (g.size - 1), g.size, 1,
                     g.rarestMaxLabel);
            }
        }
        // 8. Often drawn.
        if (m_state.checkBox(2)) {
            runStatistic("Berechnung der Zahlenverteilung", &MainState::SpeedButton2Click);
            pass(topBand(largest(), smallest(), 0.2), Test::Inclusive, 45, 1, 2, "  Max: ");
            pass(topBand(largest(), smallest(), 0.3), Test::Inclusive, 45, 1, 1, "  Max: ");
        }
        // 9. Rarely drawn (CheckBox14, as its caption says).
        if (m_state.checkBox(14)) {
            if (!m_state.checkBox(2))
                runStatistic("Berechnung der Zahlenverteilung", &MainState::SpeedButton2Click);
            pass(bottomBand(largest(), smallest(), 0.1), Test::Inclusive, 45, 1, 2, " Max: ");
            pass(bottomBand(largest(), smallest(), 0.3), Test::Inclusive, 45, 1, 1, "  Max: ");
        }

        if (m_state.checkBox(15)) {
            m_pool.drawRange = m_pool.count;
        } else {
            int next = 1;
            for (int i = m_pool.count; i < PreferencePool::kSize; ++i) {
                m_pool.entries[static_cast<std::size_t>(i)] = next;
                next = next == 43 ? 1 : next + 1;
            }
            m_pool.drawRange = 500;
        }
        return m_pool;
    }

private:
    void runStatistic(const char* status, void (MainState::*statistic)()) {
        m_state.setStatusText(1, status);
        m_state.host().repaint(RepaintArea::StatusBar);
        (m_state.*statistic)();
        m_state.setActivePage(Page::Diagramm);
        m_state.host().repaint(RepaintArea::Window);
    }

    const ChartModel& chart() const { return m_state.chart(); }
    int points() const { return static_cast<int>(chart().bars.size()); }
    int largest() const { return chart().valueAxisAutomatic ? chart().largestY() : chart().valueAxisMax; }
    int smallest() const { return chart().valueAxisAutomatic ? chart().smallestY() : chart().valueAxisMin; }

    // Appends, for every examined point k whose value lies in the band, the numbers
    // k+1 .. k+groupSize, `times` times over.
    void pass(Band band, Test test, int examined, int groupSize, int times, const char* maxLabel) {
        m_state.setStatusText(1, "Min: " + std::to_string(band.lower) + maxLabel +
                                     std::to_string(band.upper) + "  " + std::to_string(m_pool.count));
        m_state.host().repaint(RepaintArea::StatusBar);
        const auto& bars = chart().bars;
        for (int k = 0; k < examined && k < static_cast<int>(bars.size()); ++k) {
            const long long v = bars[static_cast<std::size_t>(k)].y;
            const bool inside =
                test == Test::Strict ? band.lower < v && v <= band.upper : band.lower <= v && v <= band.upper;
            if (!inside) continue;
            for (int r = 0; r < times; ++r)
                for (int g = 1; g <= groupSize; ++g)
                    m_pool.append(k + g);
        }
    }

    MainState& m_state;
    PreferencePool m_pool;
};

} // namespace

PreferencePool buildPreferencePool(MainState& state) {
    return PoolBuilder(state).build();
}

} // namespace lotto
