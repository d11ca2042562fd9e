#pragma once

#include "core/util/Clock.h"

namespace lotto {

// The local date and a seed from the wall clock and the steady clock.
class SystemClock : public Clock {
public:
    DayNumber today() override;
    std::uint32_t seed() override;
};

} // namespace lotto
