#include "core/util/Random.h"

namespace lotto {

namespace {
constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL; // fixed stream, odd
} // namespace

void Random::setSeed(std::uint32_t seed) {
    m_seed = seed;
    m_state = 0;
    next32();
    m_state += seed;
    next32();
}

std::uint32_t Random::next32() {
    const std::uint64_t old = m_state;
    m_state = old * kMultiplier + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rot = static_cast<std::uint32_t>(old >> 59U);
    return (xorshifted >> rot) | (xorshifted << ((32U - rot) & 31U));
}

int Random::below(int n) {
    if (n <= 0) return 0;
    const auto range = static_cast<std::uint32_t>(n);
    std::uint64_t product = std::uint64_t{next32()} * range;
    auto low = static_cast<std::uint32_t>(product);
    if (low < range) {
        const std::uint32_t threshold = (0U - range) % range;
        while (low < threshold) {
            product = std::uint64_t{next32()} * range;
            low = static_cast<std::uint32_t>(product);
        }
    }
    return static_cast<int>(product >> 32U);
}

} // namespace lotto
