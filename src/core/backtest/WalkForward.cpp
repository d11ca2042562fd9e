#include "core/backtest/WalkForward.h"

#include "core/archive/DrawStepping.h"
#include "core/evaluation/PrizeBalance.h"
#include "core/generation/ArchiveIndex.h"
#include "core/generation/PreferencePool.h"
#include "core/generation/TipSearch.h"
#include "core/statistics/Distribution.h"
#include "core/statistics/GroupSearch.h"
#include "core/util/CheckedMath.h"
#include "core/util/Random.h"

#include <algorithm>
#include <optional>

namespace lotto {

namespace {

using OptionValues = std::array<int, kGenerationOptions.size()>;

// The archive before the draw under test as a generation run reads it, one record more for
// each draw: the statistics of the pool, the draws the stepping arrows reach, the index of
// the archive rule.
class ArchiveSoFar {
public:
    ArchiveSoFar(const std::vector<DrawRecord>& records, const WalkForwardSettings& settings)
        : m_records(records), m_filter(settings.statistics), m_today(settings.today),
          m_index(settings.statistics.startDate) {
        for (std::size_t i = 0; i < m_runs.size(); ++i)
            m_runs[i].length = static_cast<int>(i) + 2;
    }

    std::int64_t count() const { return m_count; }
    ArchiveIndex& index() { return m_index; }

    void addNext() {
        const DrawRecord& record = m_records[static_cast<std::size_t>(m_count++)];
        m_index.add(record);
        for (auto& chart : m_charts)
            chart.reset();
        if (!m_filter.passes(record)) return;
        addDraw(m_numbers, record);
        addOverdue(m_overdue, record);
        for (RunSearchResult& runs : m_runs)
            addDraw(runs, record);
    }

    // The pool's statistics, as the window's operations would chart them now.
    const ChartModel& run(PoolStatistic statistic, const char*) {
        std::optional<ChartModel>& chart = m_charts[static_cast<std::size_t>(statistic)];
        if (!chart) switch (statistic) {
            case PoolStatistic::Overdue:
                chart = overdueChart(m_overdue);
                break;
            case PoolStatistic::Pairs:
                chart = runSearchChart(m_runs[0]);
                break;
            case PoolStatistic::Triples:
                chart = runSearchChart(m_runs[1]);
                break;
            case PoolStatistic::Quadruples:
                chart = runSearchChart(m_runs[2]);
                break;
            case PoolStatistic::Frequency:
                chart = numberFrequencyChart(m_numbers);
                break;
            }
        return *chart;
    }
    void pass(Band, const char*, int) {}

    // The last and the second-last draw as a run takes them: the evaluation for today (the
    // first draw on or after it, else the newest), one step forward, one step back, with
    // the arrows' rules for the weekday boxes. Bit n set for each of the seven numbers.
    std::pair<std::uint64_t, std::uint64_t> drawMasks() const {
        const std::int64_t n = m_count;
        Position at;
        if (n > 0) {
            std::int64_t i = 0;
            if (m_records[static_cast<std::size_t>(n - 1)].date < m_today) {
                i = n - 1; // the usual case: every earlier draw lies before today
            } else {
                while (i < n && m_records[static_cast<std::size_t>(i)].date < m_today)
                    ++i;
            }
            const bool found = i < n;
            if (!found) i = n - 1;
            at.step = i;
            if (found || m_records[static_cast<std::size_t>(i)].date > 0) at.shown = i;
        }
        at = step(at, StepDirection::Forward);
        const std::uint64_t last = mask(at);
        at = step(at, StepDirection::Back);
        return {last, mask(at)};
    }

private:
    // The stepping index and the record shown (-1: none yet, the buffer's zeros).
    struct Position {
        std::int64_t step = 0;
        std::int64_t shown = -1;
    };

    bool skipped(std::int64_t i) const {
        return skippedByStepping(m_records[static_cast<std::size_t>(i)], m_filter);
    }

    // One step of an arrow; a step that finds nothing to show stays where it was.
    Position step(const Position& before, StepDirection direction) const {
        const std::int64_t n = m_count;
        if (n == 0) return before;
        const auto index = stepIndex(n, before.step, direction, [&](std::int64_t i) { return skipped(i); });
        if (!index) return before;
        return {*index, steppedRecord(*index, n)};
    }

    std::uint64_t mask(const Position& at) const {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < 7; ++i) {
            const int number = at.shown < 0 ? 0 : m_records[static_cast<std::size_t>(at.shown)].numbers[i];
            if (number < 64) bits |= std::uint64_t{1} << number;
        }
        return bits;
    }

    const std::vector<DrawRecord>& m_records;
    ArchiveFilter m_filter;
    DayNumber m_today;
    std::int64_t m_count = 0;
    ArchiveIndex m_index;
    NumberCounts m_numbers;
    std::array<int, 46> m_overdue = noOverdue();
    std::array<RunSearchResult, 3> m_runs;
    std::array<std::optional<ChartModel>, 5> m_charts;
};

// One generation run's view of its options (loosened on the way) and filters.
class DrawRun {
public:
    DrawRun(const OptionValues& options, std::pair<std::uint64_t, std::uint64_t> masks, ArchiveIndex& index)
        : m_options(options), m_index(index) {
        m_filters.setDrawMasks(masks.first, masks.second);
    }

    int value(Option option) const { return m_options[static_cast<std::size_t>(option)]; }
    bool isOn(Option option) const { return value(option) != 0; }
    void changeOption(std::int32_t, int, Option option, int v) {
        const OptionInfo& info = optionInfo(option);
        m_options[static_cast<std::size_t>(option)] = std::clamp(v, info.min, info.max);
    }
    void candidate(int, const TipNumbers&, int) {}
    bool passes(int tip, const TipNumbers& c, int sum) {
        return m_filters.passes(*this, tip, c, sum) &&
               (!isOn(Option::ArchiveRule) || m_index.allows(c, value(Option::ArchiveMatch)));
    }
    void writeOut(int tip, const TipNumbers& sorted) {
        m_filters.accept(tip, sorted);
        tips[static_cast<std::size_t>(tip - 1)] = sorted;
    }

    std::array<TipNumbers, 12> tips{};

private:
    OptionValues m_options;
    TipFilters m_filters;
    ArchiveIndex& m_index;
};

bool tested(const DrawRecord& record, const WalkForwardSettings& settings) {
    return record.day() <= settings.to && settings.period.passes(record);
}

} // namespace

std::array<int, kGenerationOptions.size()> defaultOptionValues() {
    OptionValues values{};
    for (const OptionInfo& info : kGenerationOptions)
        values[static_cast<std::size_t>(info.option)] = info.defaultValue;
    return values;
}

WalkForwardResult runWalkForward(const std::vector<DrawRecord>& records, const WalkForwardSettings& settings,
                                 const PrizeTable& quotas, const WalkForwardObserver& onDraw) {
    WalkForwardResult result;
    ArchiveSoFar archive(records, settings);
    static const std::vector<PrizeQuota> kNone;
    const std::int64_t total = std::count_if(records.begin(), records.end(),
                                             [&](const DrawRecord& r) { return tested(r, settings); });
    for (std::size_t p = 0; p < records.size(); archive.addNext(), ++p) {
        const DrawRecord& record = records[p];
        if (!tested(record, settings)) continue;

        // The archive holds the records before p here.
        DrawRun run(settings.options, archive.drawMasks(), archive.index());
        const PreferencePool pool = buildPool(run, archive);
        Random random(settings.seed + static_cast<std::uint32_t>(p)); // modulo 2^32
        TipSearch<DrawRun>(run, pool, random, settings.maxRuns).generate();

        const auto stored = quotas.find(record.day());
        const std::vector<PrizeQuota>& drawQuotas = stored == quotas.end() ? kNone : stored->second;
        const bool paysExtraOnly = findQuota(drawQuotas, PrizeRank::Extra) != nullptr;
        ++result.draws;
        for (const TipNumbers& tip : run.tips) {
            if (tip[0] == 0) continue; // left empty: nothing played
            ++result.tips;
            result.stakeCents = checkedAdd(result.stakeCents, settings.stakeCents);
            if (paysExtraOnly) ++result.extraOnlyTips;
            const TipAtDraw score = scoreTip(tip, record, paysExtraOnly);
            ++result.hits[static_cast<std::size_t>(std::clamp(score.hits, 0, 6))];
            if (!score.rank) continue;
            ++result.ranks[static_cast<std::size_t>(*score.rank)];
            if (const PrizeQuota* quota = findQuota(drawQuotas, *score.rank))
                result.wonCents = checkedAdd(result.wonCents, quota->euroCents());
        }
        if (onDraw && !onDraw(TestedDraw{static_cast<std::int64_t>(p), run.tips}, result.draws, total)) {
            result.stopped = true;
            break;
        }
    }
    return result;
}

} // namespace lotto
