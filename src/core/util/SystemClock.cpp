#include "core/util/SystemClock.h"

#include <chrono>
#include <ctime>

namespace lotto {

DayNumber SystemClock::today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return dayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::uint32_t SystemClock::seed() {
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto mixed = static_cast<std::uint64_t>(wall) ^ (static_cast<std::uint64_t>(steady) << 17U);
    return static_cast<std::uint32_t>(mixed ^ (mixed >> 32U));
}

} // namespace lotto
