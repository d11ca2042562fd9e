#include "core/shell/GenerationRun.h"

#include "core/generation/TipSearch.h"
#include "core/shell/MainState.h"
#include "core/shell/PoolBuilder.h"

#include <algorithm>

namespace lotto {

namespace {

std::uint64_t maskOf(const std::array<int, 8>& slots, std::size_t count) {
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (slots[i] >= 0 && slots[i] < 64) mask |= std::uint64_t{1} << slots[i];
    return mask;
}

// Puts back what the run changes for its duration, however it ends.
class RunRestore {
public:
    explicit RunRestore(MainState& state) : m_state(state), m_tipsReady(state.tipsReady()) {
        for (std::size_t i = 0; i < kLoosened.size(); ++i)
            m_values[i] = state.value(kLoosened[i]);
    }
    ~RunRestore() {
        if (!m_finished) m_state.setTipsReady(m_tipsReady); // a failed run must not leave the grid unrated
        for (std::size_t i = 0; i < kLoosened.size(); ++i)
            m_state.setOption(kLoosened[i], m_values[i]);
    }
    RunRestore(const RunRestore&) = delete;
    RunRestore& operator=(const RunRestore&) = delete;
    void finished() { m_finished = true; }

private:
    static constexpr std::array<Option, 4> kLoosened{Option::ForcePair, Option::MaxFromLastDraw,
                                                     Option::MaxFromSecondLastDraw, Option::ArchiveMatch};
    MainState& m_state;
    std::array<int, kLoosened.size()> m_values{};
    bool m_tipsReady;
    bool m_finished = false;
};

} // namespace

// The pick loop's view of the run: the window state's options, its status text and grid.
struct GenerationRun::Engine {
    GenerationRun& run;
    int value(Option option) const { return run.m_state.value(option); }
    bool isOn(Option option) const { return run.m_state.isOn(option); }
    void changeOption(std::int32_t pick, int tip, Option option, int v) {
        run.changeOption(pick, tip, option, v);
    }
    void candidate(int tip, const Tip& sorted, int sum) {
        run.m_state.setCandidateStatus(tip, sorted, sum);
        // Candidates come in their millions; a repaint point every 64th still lets the
        // window show their progress many times a second.
        if ((run.m_candidates++ & 63U) == 0)
            run.m_state.host().repaint(tip == 1 ? RepaintArea::StatusBar : RepaintArea::Window);
    }
    bool passes(int tip, const Tip& sorted, int sum) { return run.passesFilters(tip, sorted, sum); }
    void writeOut(int tip, const Tip& sorted) { run.writeOut(tip, sorted); }
};

GenerationRun::GenerationRun(MainState& state, ArchiveRuleMode mode) : m_state(state), m_mode(mode) {}
GenerationRun::~GenerationRun() = default;

void GenerationRun::run() {
    RunRestore restore(m_state);
    {
        BusyScope busy(m_state.host());
        m_state.setTipsReady(false);

        m_state.setDrawDate(m_state.clock().today());
        m_state.SpeedButton5Click();
        m_state.SpeedButton7Click();
        const std::uint64_t lastDraw = maskOf(m_state.currentDraw().numbers, 7);
        m_state.SpeedButton6Click();
        m_filters.setDrawMasks(lastDraw, maskOf(m_state.currentDraw().numbers, 7));
        m_state.SpeedButton7Click();
        const MainState::ShownDraw shown = m_state.shownDraw();

        m_state.SpeedButton11Click();
        m_pool = buildPreferencePool(m_state);

        m_state.setStatusText(1, "Beginn der Tippberechnung");
        m_maxRuns = m_state.maxRuns();
        Engine engine{*this};
        TipSearch<Engine> search(engine, m_pool, m_state.random(), m_maxRuns);
        m_runCount = search.generate();

        // The tips are rated against the draw the run showed, not against whatever draw the
        // archive rule read last.
        m_state.restoreShownDraw(shown);
        m_state.setTipsReady(true);
        m_state.Komplettcheck();
    }
    m_state.setStatusText(1, m_runCount >= m_maxRuns ? "Ändern Sie die Parameter, um 12 Tipps zu berechnen"
                                                     : "Tipps wurden neu berechnet");
    restore.finished();
}

void GenerationRun::changeOption(std::int32_t pick, int tip, Option option, int value) {
    m_state.setOption(option, value);
    m_optionChanges.push_back({pick, tip, controlName(optionInfo(option)), value});
}

bool GenerationRun::passesFilters(int tip, const Tip& c, int sum) {
    if (!m_filters.passes(m_state, tip, c, sum)) return false;
    // F7: the archive.
    return !m_state.isOn(Option::ArchiveRule) || archiveAllows(c);
}

bool GenerationRun::archiveAllows(const Tip& c) {
    if (m_mode == ArchiveRuleMode::ReadFileEachTime)
        return m_state.Secheroderfuenfer(c[0], c[1], c[2], c[3], c[4], c[5]);
    if (!m_index)
        m_index =
            std::make_unique<ArchiveIndex>(DrawArchive(m_state.archivePath()), m_state.statisticsStart());
    if (!m_chartPrepared) { // the rule shows an empty chart, as reading the file does
        m_state.prepareChart();
        m_chartPrepared = true;
    }
    return m_index->allows(c, m_state.value(Option::ArchiveMatch));
}

void GenerationRun::writeOut(int tip, const Tip& candidate) {
    int sum = 0;
    for (int n : candidate)
        sum += n;
    m_state.setLabelText(tipSumLabel(tip - 1), std::to_string(sum));
    if (tip == 1) m_state.setActivePage(Page::Lottotipp);
    for (int c = 0; c < 6; ++c)
        m_state.Edit1Change((tip - 1) * 6 + c, std::to_string(candidate[static_cast<std::size_t>(c)]));
    m_filters.accept(tip, candidate);
    m_state.host().repaint(RepaintArea::Window);
}

} // namespace lotto
