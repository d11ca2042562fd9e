#pragma once

#include "core/generation/ArchiveIndex.h"
#include "core/generation/PreferencePool.h"
#include "core/generation/TipFilters.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lotto {

class MainState;

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
    using Tip = TipNumbers;

    struct Engine;
    void changeOption(std::int32_t pick, int tip, Option option, int value);
    bool passesFilters(int tip, const Tip& candidate, int sum);
    bool archiveAllows(const Tip& candidate);
    void writeOut(int tip, const Tip& candidate);

    MainState& m_state;
    ArchiveRuleMode m_mode;
    PreferencePool m_pool;
    std::int32_t m_runCount = 0;
    std::int32_t m_maxRuns = 0;
    std::uint32_t m_candidates = 0;
    TipFilters m_filters;
    std::unique_ptr<ArchiveIndex> m_index;
    bool m_chartPrepared = false;
    std::vector<OptionChange> m_optionChanges;
};

} // namespace lotto
