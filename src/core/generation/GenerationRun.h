#pragma once

#include "core/generation/ArchiveIndex.h"
#include "core/generation/PreferencePool.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lotto {

class MainState;

// The limits that a run sets as its budget runs low, while it searches tips 3 to 12:
// the archive rule to 6 at MaxRuns - 20000, the last-draw limits to 2 and 1 at - 10000 and
// to 3 and 2 at - 5000; tip 8 takes the shorter steps. -1: unchanged.
struct Loosening {
    int upDown6 = -1;
    int upDown5 = -1;
    int upDown4 = -1;
};
Loosening looseningAt(int tip, std::int32_t runCount, std::int32_t maxRuns);

// One run of "Tipps berechnen": up to twelve tips drawn number by number from the
// preference pool, each complete candidate passing the filter chain, all tips sharing one
// budget of picks. The options the run loosens on the way are put back at its end, also
// when a file error ends it early.
class GenerationRun {
public:
    // How the archive rule is answered: from an index read once per run, or by reading the
    // archive file for every candidate (the reference the index is tested against).
    enum class ArchiveRuleMode { Indexed, ReadFileEachTime };

    explicit GenerationRun(MainState& state, ArchiveRuleMode mode = ArchiveRuleMode::Indexed);
    ~GenerationRun();

    void run();

    // The picks the run made, and each option it changed on the way (for tests and
    // benchmarks).
    struct OptionChange {
        std::int32_t pick;
        int tip;
        std::string control;
        int value;
        bool operator==(const OptionChange&) const = default;
    };
    std::int32_t runCount() const { return m_runCount; }
    const PreferencePool& pool() const { return m_pool; }
    const std::vector<OptionChange>& optionChanges() const { return m_optionChanges; }

private:
    using Tip = std::array<int, 6>;

    std::optional<Tip> search(int tip);
    void changeUpDown(int tip, int number, int position);
    bool passesFilters(int tip, const Tip& candidate, int sum);
    bool archiveAllows(const Tip& candidate);
    void writeOut(int tip, Tip candidate);

    MainState& m_state;
    ArchiveRuleMode m_mode;
    PreferencePool m_pool;
    std::int32_t m_runCount = 0;
    std::int32_t m_maxRuns = 0;
    std::uint32_t m_candidates = 0;
    std::array<Tip, 12> m_acceptedTips{};
    std::array<std::uint64_t, 12> m_acceptedMasks{};
    std::uint64_t m_lastDrawMask = 0;
    std::uint64_t m_secondLastDrawMask = 0;
    std::unique_ptr<ArchiveIndex> m_index;
    bool m_chartPrepared = false;
    std::vector<OptionChange> m_optionChanges;
};

} // namespace lotto
