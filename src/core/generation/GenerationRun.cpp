#include "core/generation/GenerationRun.h"

#include "core/shell/MainState.h"

#include <algorithm>
#include <bit>

namespace lotto {

namespace {

std::uint64_t maskOf(const std::array<int, 8>& slots, std::size_t count) {
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (slots[i] >= 0 && slots[i] < 64) mask |= std::uint64_t{1} << slots[i];
    return mask;
}

std::uint64_t maskOf(const std::array<int, 6>& tip) {
    std::uint64_t mask = 0;
    for (int n : tip)
        mask |= std::uint64_t{1} << n;
    return mask;
}

// Puts back what the run changes for its duration, however it ends.
class RunRestore {
public:
    explicit RunRestore(MainState& state)
        : m_state(state), m_checkBox8(state.checkBox(8)), m_upDown4(state.upDown(4).position),
          m_upDown5(state.upDown(5).position), m_upDown6(state.upDown(6).position),
          m_tipsReady(state.tipsReady()) {}
    ~RunRestore() {
        if (!m_finished) m_state.setTipsReady(m_tipsReady); // a failed run must not leave the grid unrated
        m_state.setCheckBox(8, m_checkBox8);
        m_state.setUpDown(4, m_upDown4);
        m_state.setUpDown(5, m_upDown5);
        m_state.setUpDown(6, m_upDown6);
    }
    RunRestore(const RunRestore&) = delete;
    RunRestore& operator=(const RunRestore&) = delete;
    void finished() { m_finished = true; }

private:
    MainState& m_state;
    bool m_checkBox8;
    int m_upDown4, m_upDown5, m_upDown6;
    bool m_tipsReady;
    bool m_finished = false;
};

} // namespace

Loosening looseningAt(int tip, std::int32_t runCount, std::int32_t maxRuns) {
    Loosening l;
    if (tip < 3) return l;
    if (runCount == maxRuns - 20000) {
        l.upDown6 = 6;
    } else if (runCount == maxRuns - 10000) {
        l.upDown5 = 2;
        if (tip != 8) l.upDown4 = 1;
    } else if (runCount == maxRuns - 5000) {
        if (tip != 8) l.upDown5 = 3;
        l.upDown4 = 2;
    }
    return l;
}

GenerationRun::GenerationRun(MainState& state, ArchiveRuleMode mode) : m_state(state), m_mode(mode) {}
GenerationRun::~GenerationRun() = default;

void GenerationRun::run() {
    RunRestore restore(m_state);
    {
        BusyScope busy(m_state.host());
        m_state.setTipsReady(false);

        m_state.dateTimePicker1().setDate(m_state.clock().today());
        m_state.SpeedButton5Click();
        m_state.SpeedButton7Click();
        m_lastDrawMask = maskOf(m_state.currentDraw().numbers, 7);
        m_state.SpeedButton6Click();
        m_secondLastDrawMask = maskOf(m_state.currentDraw().numbers, 7);
        m_state.SpeedButton7Click();
        const MainState::ShownDraw shown = m_state.shownDraw();

        m_state.SpeedButton11Click();
        m_pool = buildPreferencePool(m_state);

        m_state.setStatusText(1, "Beginn der Tippberechnung");
        m_runCount = 0;
        m_maxRuns = m_state.maxRuns();
        for (int tip = 1; tip <= 12; ++tip) {
            const bool searched = tip == 1 || (m_runCount < m_maxRuns && tip <= m_state.upDown(8).position);
            writeOut(tip, searched ? search(tip).value_or(Tip{}) : Tip{});
        }

        // The tips are rated against the draw the run showed, not against whatever draw the
        // archive rule read last.
        m_state.restoreShownDraw(shown);
        m_state.setTipsReady(true);
        m_state.Komplettcheck();
    }
    m_state.setStatusText(1, m_runCount >= m_maxRuns ? "Ändern Sie die Parameter um 12 Tipps zuberechnen"
                                                     : "Tipps wurden neu berechnet");
    restore.finished();
}

std::optional<GenerationRun::Tip> GenerationRun::search(int tip) {
    Tip candidate{};
    int k = 0;
    Random& random = m_state.random();
    const int half = m_maxRuns / 2;
    // The picks at which an option changes; all other picks skip the checks.
    std::int32_t firstChange = half;
    if (tip >= 3)
        for (std::int32_t before : {20000, 10000, 5000})
            if (m_maxRuns - before >= 1) firstChange = std::min(firstChange, m_maxRuns - before);
    while (k < 6 && m_runCount < m_maxRuns) {
        ++m_runCount;
        if (m_runCount >= firstChange) {
            if (m_runCount == half) { // the forced pair is dropped for the rest of the run
                m_state.setCheckBox(8, false);
                m_optionChanges.push_back({m_runCount, tip, "CheckBox8", 0});
            }
            const Loosening l = looseningAt(tip, m_runCount, m_maxRuns);
            if (l.upDown6 >= 0) changeUpDown(tip, 6, l.upDown6);
            if (l.upDown5 >= 0) changeUpDown(tip, 5, l.upDown5);
            if (l.upDown4 >= 0) changeUpDown(tip, 4, l.upDown4);
        }
        if (m_pool.drawRange <= 0) { // nothing to pick from: the tip cannot be completed
            m_runCount = m_maxRuns;
            break;
        }
        int number = 0;
        do {
            number = m_pool.entries[static_cast<std::size_t>(random.below(m_pool.drawRange))];
        } while (number == 0);
        if (std::find(candidate.begin(), candidate.begin() + k, number) != candidate.begin() + k) continue;
        candidate[static_cast<std::size_t>(k++)] = number;
        if (k < 6) continue;

        int sum = 0;
        for (int n : candidate)
            sum += n;
        std::sort(candidate.begin(), candidate.end());
        m_state.setCandidateStatus(tip, candidate, sum);
        // Candidates come in their millions; a repaint point every 64th still lets the
        // window show their progress many times a second.
        if ((m_candidates++ & 63U) == 0)
            m_state.host().repaint(tip == 1 ? RepaintArea::StatusBar : RepaintArea::Window);
        if (passesFilters(tip, candidate, sum)) return candidate;
        candidate = {};
        k = 0;
    }
    return std::nullopt;
}

void GenerationRun::changeUpDown(int tip, int number, int position) {
    m_state.setUpDown(number, position);
    m_optionChanges.push_back({m_runCount, tip, "UpDown" + std::to_string(number), position});
}

bool GenerationRun::passesFilters(int tip, const Tip& c, int sum) {
    const std::uint64_t mask = maskOf(c);
    // F1: distance to the tips accepted before; an equal tip is always refused.
    if (tip >= 2) {
        int common = 0;
        for (int u = 0; u < tip - 1; ++u)
            common = std::max(common, std::popcount(mask & m_acceptedMasks[static_cast<std::size_t>(u)]));
        if (common == 6 || (m_state.checkBox(3) && common > m_state.upDown(3).position)) return false;
    }
    // F2: at least one pair of neighbours.
    if (m_state.checkBox(8) && (mask & (mask >> 1)) == 0) return false;
    // F3: no run of three.
    if (m_state.checkBox(18) && (mask & (mask >> 1) & (mask >> 2)) != 0) return false;
    // F4: digit-sum window.
    if (sum < m_state.upDown(1).position || sum > m_state.upDown(2).position) return false;
    // F5 and F6: numbers of the last and the second-last draw (extra number included).
    if (m_state.checkBox(4) && std::popcount(mask & m_lastDrawMask) > m_state.upDown(4).position)
        return false;
    if (m_state.checkBox(5) && std::popcount(mask & m_secondLastDrawMask) > m_state.upDown(5).position)
        return false;
    // F7: the archive.
    if (m_state.checkBox(9) && !archiveAllows(c)) return false;
    return true;
}

bool GenerationRun::archiveAllows(const Tip& c) {
    if (m_mode == ArchiveRuleMode::ReadFileEachTime)
        return m_state.Secheroderfuenfer(c[0], c[1], c[2], c[3], c[4], c[5]);
    if (!m_index)
        m_index = std::make_unique<ArchiveIndex>(DrawArchive(m_state.archivePath()),
                                                 m_state.dateTimePicker2().date);
    if (!m_chartPrepared) { // the rule shows an empty chart, as reading the file does
        m_state.prepareChart();
        m_chartPrepared = true;
    }
    return m_index->allows(c, m_state.upDown(6).position);
}

void GenerationRun::writeOut(int tip, Tip candidate) {
    if (m_runCount >= m_maxRuns) candidate = {}; // also a tip completed on the budget's last pick
    std::sort(candidate.begin(), candidate.end());
    int sum = 0;
    for (int n : candidate)
        sum += n;
    m_state.label(tipgrid::sumLabel(tip - 1)).text = std::to_string(sum);
    if (tip == 1) m_state.setActivePage(Page::Lottotipp);
    for (int c = 0; c < 6; ++c)
        m_state.Edit1Change((tip - 1) * 6 + c, std::to_string(candidate[static_cast<std::size_t>(c)]));
    m_acceptedTips[static_cast<std::size_t>(tip - 1)] = candidate;
    m_acceptedMasks[static_cast<std::size_t>(tip - 1)] = candidate[0] == 0 ? 0 : maskOf(candidate);
    m_state.host().repaint(RepaintArea::Window);
}

} // namespace lotto
