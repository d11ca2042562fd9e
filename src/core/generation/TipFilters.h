#pragma once

#include "core/generation/GenerationOptions.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace lotto {

using TipNumbers = std::array<int, 6>;

// One bit per number: bit n for number n.
inline std::uint64_t numberMask(const TipNumbers& tip) {
    std::uint64_t mask = 0;
    for (int n : tip)
        mask |= std::uint64_t{1} << n;
    return mask;
}

// The limits that a run sets as its budget runs low, while it searches tips 3 to 12:
// the archive match to 6 at MaxRuns - 20000, the second-last and last draw limits to 2 and 1
// at - 10000 and to 3 and 2 at - 5000; tip 8 takes the shorter steps. -1: unchanged.
struct Loosening {
    int archiveMatch = -1;
    int maxFromSecondLastDraw = -1;
    int maxFromLastDraw = -1;
};
Loosening looseningAt(int tip, std::int32_t runCount, std::int32_t maxRuns);

// The filters F1 to F6 of the generation, which a complete candidate must pass before the
// archive rule (F7) is asked. They read the options live from `options` (anything with
// isOn(Option) and value(Option)), since a run loosens some of them on the way.
class TipFilters {
public:
    void setDrawMasks(std::uint64_t lastDraw, std::uint64_t secondLastDraw) {
        m_lastDrawMask = lastDraw;
        m_secondLastDrawMask = secondLastDraw;
    }
    // Tip 1..12 accepted; an empty tip (all 0) shares nothing with later ones.
    void accept(int tip, const TipNumbers& sorted) {
        m_acceptedMasks[static_cast<std::size_t>(tip - 1)] = sorted[0] == 0 ? 0 : numberMask(sorted);
    }

    template <class Options>
    bool passes(const Options& options, int tip, const TipNumbers& c, int sum) const {
        const std::uint64_t mask = numberMask(c);
        // F1: distance to the tips accepted before; an equal tip is always refused.
        if (tip >= 2) {
            int common = 0;
            for (int u = 0; u < tip - 1; ++u)
                common = std::max(common, std::popcount(mask & m_acceptedMasks[static_cast<std::size_t>(u)]));
            if (common == 6 || (options.isOn(Option::LimitCommonWithTips) &&
                                common > options.value(Option::MaxCommonWithTips)))
                return false;
        }
        // F2: at least one pair of neighbours.
        if (options.isOn(Option::ForcePair) && (mask & (mask >> 1)) == 0) return false;
        // F3: no run of three.
        if (options.isOn(Option::NoRunOfThree) && (mask & (mask >> 1) & (mask >> 2)) != 0) return false;
        // F4: digit-sum window.
        if (sum < options.value(Option::DigitSumFrom) || sum > options.value(Option::DigitSumTo))
            return false;
        // F5 and F6: numbers of the last and the second-last draw (extra number included).
        if (options.isOn(Option::LimitLastDraw) &&
            std::popcount(mask & m_lastDrawMask) > options.value(Option::MaxFromLastDraw))
            return false;
        if (options.isOn(Option::LimitSecondLastDraw) &&
            std::popcount(mask & m_secondLastDrawMask) > options.value(Option::MaxFromSecondLastDraw))
            return false;
        return true;
    }

private:
    std::array<std::uint64_t, 12> m_acceptedMasks{};
    std::uint64_t m_lastDrawMask = 0;
    std::uint64_t m_secondLastDrawMask = 0;
};

} // namespace lotto
