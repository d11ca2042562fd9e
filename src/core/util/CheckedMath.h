#pragma once

#include <cstdint>
#include <stdexcept>

namespace lotto {

// Sums of money in cents: a result that does not fit in 64 bits ends the operation with a
// message instead of wrapping round to a wrong amount.
class AmountOverflow : public std::overflow_error {
public:
    AmountOverflow() : std::overflow_error("Die Beträge sind zu groß, um sie zu berechnen.") {}
};

inline std::int64_t checkedAdd(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_add_overflow(a, b, &result)) throw AmountOverflow();
    return result;
}

inline std::int64_t checkedSub(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_sub_overflow(a, b, &result)) throw AmountOverflow();
    return result;
}

inline std::int64_t checkedMul(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_mul_overflow(a, b, &result)) throw AmountOverflow();
    return result;
}

} // namespace lotto
