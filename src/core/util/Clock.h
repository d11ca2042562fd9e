#pragma once

#include "core/util/Dates.h"

#include <cstdint>

namespace lotto {

// Time and clock seeds, injected so tests can fix them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DayNumber today() = 0;
    virtual std::uint32_t seed() = 0;
};

} // namespace lotto
