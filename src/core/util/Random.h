#pragma once

#include <cstdint>

namespace lotto {

// The program's one pseudo-random generator: PCG32 (XSH RR, 64-bit state) seeded with a
// 32-bit number. below(n) is exact (Lemire's multiply-and-reject), so a seed gives the
// same sequence on every machine and standard library.
class Random {
public:
    explicit Random(std::uint32_t seed = 0) { setSeed(seed); }

    void setSeed(std::uint32_t seed);
    std::uint32_t seed() const { return m_seed; }

    std::uint32_t next32();
    // A whole number in 0..n-1; 0 when n <= 0.
    int below(int n);

private:
    std::uint64_t m_state = 0;
    std::uint32_t m_seed = 0;
};

} // namespace lotto
