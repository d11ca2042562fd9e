#include "core/generation/ArchiveIndex.h"

#include "core/evaluation/CurrentDraw.h"

#include <algorithm>

namespace lotto {

namespace {

struct Binomials {
    std::array<std::array<std::uint32_t, 7>, 46> c{};
    Binomials() {
        for (int n = 0; n <= 45; ++n) {
            c[static_cast<std::size_t>(n)][0] = 1;
            for (int k = 1; k <= 6 && k <= n; ++k)
                c[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)] =
                    c[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k - 1)] +
                    (k <= n - 1 ? c[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k)] : 0);
        }
    }
    std::uint32_t operator()(int n, int k) const {
        return k > n ? 0 : c[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)];
    }
};

const Binomials& binomial() {
    static const Binomials table;
    return table;
}

// All index sets of size k out of 0..5, in a fixed order.
const std::vector<std::array<std::uint8_t, 6>>& combinations(int k) {
    static const auto all = [] {
        std::array<std::vector<std::array<std::uint8_t, 6>>, 7> out;
        for (unsigned mask = 0; mask < 64; ++mask) {
            std::array<std::uint8_t, 6> picks{};
            int size = 0;
            for (std::uint8_t i = 0; i < 6; ++i)
                if (mask & (1U << i)) picks[static_cast<std::size_t>(size++)] = i;
            out[static_cast<std::size_t>(size)].push_back(picks);
        }
        return out;
    }();
    return all[static_cast<std::size_t>(k)];
}

// Colex rank of the k-subset given by ascending numbers 1..45.
template <class Get> std::uint32_t rank(int k, Get number) {
    std::uint32_t r = 0;
    for (int i = 0; i < k; ++i)
        r += binomial()(number(i) - 1, i + 1);
    return r;
}

} // namespace

ArchiveIndex::ArchiveIndex(const DrawArchive& archive, DayNumber startDate) : m_startDate(startDate) {
    archive.forEach([&](const DrawRecord& record) { add(record); });
}

void ArchiveIndex::add(const DrawRecord& record) {
    if (record.date < m_startDate) return;
    std::array<std::uint8_t, 6> numbers{};
    std::copy_n(record.numbers.begin(), 6, numbers.begin());
    std::sort(numbers.begin(), numbers.end());
    const bool regular = numbers[0] >= 1 && numbers[5] <= 45 &&
                         std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end();
    if (!regular) {
        m_damaged.push_back(record);
        return;
    }
    m_regular.push_back(numbers);
    for (int n = 1; n <= 6; ++n) // the sets built so far take the draw at once
        if (!m_subsets[static_cast<std::size_t>(n)].empty())
            mark(m_subsets[static_cast<std::size_t>(n)], numbers, n);
}

void ArchiveIndex::mark(std::vector<std::uint64_t>& bits, const std::array<std::uint8_t, 6>& numbers, int n) {
    for (const auto& picks : combinations(n)) {
        const std::uint32_t r = rank(n, [&](int i) { return numbers[picks[static_cast<std::size_t>(i)]]; });
        bits[r / 64] |= std::uint64_t{1} << (r % 64);
    }
}

const std::vector<std::uint64_t>& ArchiveIndex::subsetsOfSize(int n) {
    std::vector<std::uint64_t>& bits = m_subsets[static_cast<std::size_t>(n)];
    if (bits.empty()) {
        bits.assign(binomial()(45, n) / 64 + 1, 0);
        for (const auto& numbers : m_regular)
            mark(bits, numbers, n);
    }
    return bits;
}

bool ArchiveIndex::allows(const std::array<int, 6>& sorted, int threshold) {
    if (threshold <= 0) return drawCount() == 0;
    if (threshold <= 6 && !m_regular.empty()) {
        const auto& bits = subsetsOfSize(threshold);
        for (const auto& picks : combinations(threshold)) {
            const std::uint32_t r =
                rank(threshold, [&](int i) { return sorted[picks[static_cast<std::size_t>(i)]]; });
            if (bits[r / 64] & (std::uint64_t{1} << (r % 64))) return false;
        }
    }
    for (const DrawRecord& record : m_damaged) {
        std::array<int, 6> main{};
        std::copy_n(record.numbers.begin(), 6, main.begin());
        if (countHits(sorted, main) >= threshold) return false;
    }
    return true;
}

} // namespace lotto
