#pragma once

#include "core/generation/PreferencePool.h"
#include "core/generation/TipFilters.h"
#include "core/util/Random.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace lotto {

// The pick loop of a generation run: twelve tips drawn number by number from the pool, each
// complete candidate handed to the filter chain, all tips sharing one budget of picks. The
// window's run and the walk-forward test both go through it, so a seed gives them the same
// tips. `Run` supplies:
//   value(Option), isOn(Option)     the options, read live (the loop loosens some of them),
//   changeOption(pick, tip, option, v)  an option loosened at that pick,
//   candidate(tip, sorted, sum)     every complete candidate before the filters (status),
//   passes(tip, sorted, sum)        the filter chain F1 to F7,
//   writeOut(tip, sorted)           tip 1..12 as it ends (six zeros for an empty tip).
template <class Run> class TipSearch {
public:
    TipSearch(Run& run, const PreferencePool& pool, Random& random, std::int32_t maxRuns)
        : m_run(run), m_pool(pool), m_random(random), m_maxRuns(maxRuns) {}

    // The whole run; returns the picks made.
    std::int32_t generate() {
        m_runCount = 0;
        for (int tip = 1; tip <= 12; ++tip) {
            const bool searched =
                tip == 1 || (m_runCount < m_maxRuns && tip <= m_run.value(Option::TipCount));
            TipNumbers candidate = searched ? search(tip).value_or(TipNumbers{}) : TipNumbers{};
            if (m_runCount >= m_maxRuns) candidate = {}; // also a tip completed on the budget's last pick
            std::sort(candidate.begin(), candidate.end());
            m_run.writeOut(tip, candidate);
        }
        return m_runCount;
    }

    std::int32_t runCount() const { return m_runCount; }

private:
    std::optional<TipNumbers> search(int tip) {
        TipNumbers candidate{};
        int k = 0;
        const int half = m_maxRuns / 2;
        // The picks at which an option changes; all other picks skip the checks.
        std::int32_t firstChange = half;
        if (tip >= 3)
            for (std::int32_t before : {20000, 10000, 5000})
                if (m_maxRuns - before >= 1) firstChange = std::min(firstChange, m_maxRuns - before);
        while (k < 6 && m_runCount < m_maxRuns) {
            ++m_runCount;
            if (m_runCount >= firstChange) {
                // the forced pair is dropped for the rest of the run
                if (m_runCount == half) m_run.changeOption(m_runCount, tip, Option::ForcePair, 0);
                const Loosening l = looseningAt(tip, m_runCount, m_maxRuns);
                if (l.archiveMatch >= 0)
                    m_run.changeOption(m_runCount, tip, Option::ArchiveMatch, l.archiveMatch);
                if (l.maxFromSecondLastDraw >= 0)
                    m_run.changeOption(m_runCount, tip, Option::MaxFromSecondLastDraw,
                                       l.maxFromSecondLastDraw);
                if (l.maxFromLastDraw >= 0)
                    m_run.changeOption(m_runCount, tip, Option::MaxFromLastDraw, l.maxFromLastDraw);
            }
            if (m_pool.drawRange <= 0) { // nothing to pick from: the tip cannot be completed
                m_runCount = m_maxRuns;
                break;
            }
            int number = 0;
            do {
                number = m_pool.entries[static_cast<std::size_t>(m_random.below(m_pool.drawRange))];
            } while (number == 0);
            if (std::find(candidate.begin(), candidate.begin() + k, number) != candidate.begin() + k)
                continue;
            candidate[static_cast<std::size_t>(k++)] = number;
            if (k < 6) continue;

            int sum = 0;
            for (int n : candidate)
                sum += n;
            std::sort(candidate.begin(), candidate.end());
            m_run.candidate(tip, candidate, sum);
            if (m_run.passes(tip, candidate, sum)) return candidate;
            candidate = {};
            k = 0;
        }
        return std::nullopt;
    }

    Run& m_run;
    const PreferencePool& m_pool;
    Random& m_random;
    std::int32_t m_maxRuns;
    std::int32_t m_runCount = 0;
};

} // namespace lotto
