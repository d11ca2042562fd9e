#include "core/shell/PoolBuilder.h"

#include "core/shell/MainState.h"

namespace lotto {

namespace {

class PoolBuilder {
public:
    explicit PoolBuilder(MainState& state) : m_state(state) {}

    PreferencePool build() {
        // 1. Overdue numbers.
        if (m_state.isOn(Option::PreferOverdue)) {
            runStatistic("Berechnung der Überfälligen", [&] { m_state.Button5Click(); });
            pass(topBand(largest(), smallest(), 0.5), BandTest::Strict, 45, 1, 2, "  Max: ");
        }
        // 2.-7. Frequent and rarest pairs, triples and quadruples, one statistic for each
        // size; the quadruples' value axis scales itself, so their band uses the values.
        struct GroupPasses {
            Option frequent, rarest;
            int size;
            const char* status;
            const char* rarestMaxLabel;
        };
        static constexpr GroupPasses kGroups[] = {
            {Option::PreferFrequentPairs, Option::PreferRarestPairs, 2, "Berechnung der Paarbildung", "  Max: "},
            {Option::PreferFrequentTriples, Option::PreferRarestTriples, 3, "Berechnung der Dreiergruppenbildung",
             "  Max: "},
            {Option::PreferFrequentQuadruples, Option::PreferRarestQuadruples, 4,
             "Berechnung der Vierergruppenbildung", " Max: "},
        };
        for (const GroupPasses& g : kGroups) {
            // The search that leaves its last passing draw in the current-draw buffer.
            const auto search = [&] { m_state.runGroupSearch(g.size); };
            if (m_state.isOn(g.frequent)) {
                runStatistic(g.status, search);
                pass(topBand(largest(), smallest(), 0.3), BandTest::Strict, points() - (g.size - 1), g.size, 1,
                     "  Max: ");
            }
            if (m_state.isOn(g.rarest)) {
                if (!m_state.isOn(g.frequent)) runStatistic(g.status, search);
                pass(bottomBand(largest(), smallest(), 0.3), BandTest::Strict, points() - (g.size - 1), g.size, 1,
                     g.rarestMaxLabel);
            }
        }
        // 8. Often drawn.
        if (m_state.isOn(Option::PreferOftenDrawn)) {
            runStatistic("Berechnung der Zahlenverteilung", [&] { m_state.SpeedButton2Click(); });
            pass(topBand(largest(), smallest(), 0.2), BandTest::Inclusive, 45, 1, 2, "  Max: ");
            pass(topBand(largest(), smallest(), 0.3), BandTest::Inclusive, 45, 1, 1, "  Max: ");
        }
        // 9. Rarely drawn.
        if (m_state.isOn(Option::PreferRarelyDrawn)) {
            if (!m_state.isOn(Option::PreferOftenDrawn))
                runStatistic("Berechnung der Zahlenverteilung", [&] { m_state.SpeedButton2Click(); });
            pass(bottomBand(largest(), smallest(), 0.1), BandTest::Inclusive, 45, 1, 2, " Max: ");
            pass(bottomBand(largest(), smallest(), 0.3), BandTest::Inclusive, 45, 1, 1, "  Max: ");
        }
        m_pool.finish(m_state.isOn(Option::OnlyPreferred));
        return m_pool;
    }

private:
    template <class Statistic> void runStatistic(const char* status, Statistic statistic) {
        m_state.setStatusText(1, status);
        m_state.host().repaint(RepaintArea::StatusBar);
        statistic();
        m_state.setActivePage(Page::Diagramm);
        m_state.host().repaint(RepaintArea::Window);
    }

    int points() const { return static_cast<int>(m_state.chart().bars.size()); }
    int largest() const { return bandLargest(m_state.chart()); }
    int smallest() const { return bandSmallest(m_state.chart()); }

    void pass(Band band, BandTest test, int examined, int groupSize, int times, const char* maxLabel) {
        m_state.setStatusText(1, "Min: " + std::to_string(band.lower) + maxLabel + std::to_string(band.upper) +
                                     "  " + std::to_string(m_pool.count));
        m_state.host().repaint(RepaintArea::StatusBar);
        appendBand(m_pool, m_state.chart(), band, test, examined, groupSize, times);
    }

    MainState& m_state;
    PreferencePool m_pool;
};

} // namespace

PreferencePool buildPreferencePool(MainState& state) {
    return PoolBuilder(state).build();
}

} // namespace lotto
