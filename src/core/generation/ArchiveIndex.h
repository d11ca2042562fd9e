#pragma once

#include "core/archive/DrawArchive.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lotto {

// The archive rule of the generation answered from memory. Read once per run, the draws
// from the start date on are kept as the sets of N of their numbers that a tip must not
// contain (one bit per N-subset of 1..45), so a candidate needs at most 20 look-ups
// instead of a pass over the file. Damaged records (duplicate or out-of-range numbers)
// are kept as they are and counted by the hit counter Zettelcheck uses.
class ArchiveIndex {
public:
    ArchiveIndex(const DrawArchive& archive, DayNumber startDate);
    // Empty, to be filled draw by draw in archive order.
    explicit ArchiveIndex(DayNumber startDate) : m_startDate(startDate) {}

    // One draw more; a draw before the start date is not kept.
    void add(const DrawRecord& record);

    // True when no kept draw has `threshold` or more of the six distinct numbers 1..45
    // among its main numbers.
    bool allows(const std::array<int, 6>& sortedNumbers, int threshold);

    std::size_t drawCount() const { return m_regular.size() + m_damaged.size(); }

private:
    const std::vector<std::uint64_t>& subsetsOfSize(int n);
    static void mark(std::vector<std::uint64_t>& bits, const std::array<std::uint8_t, 6>& numbers, int n);

    DayNumber m_startDate = 0;

    std::vector<std::array<std::uint8_t, 6>> m_regular; // sorted, distinct, 1..45
    std::vector<DrawRecord> m_damaged;
    std::array<std::vector<std::uint64_t>, 7> m_subsets; // bitsets by subset size, built on demand
};

} // namespace lotto
