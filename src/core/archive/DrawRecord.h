#pragma once

#include "core/util/Dates.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace lotto {

// One draw as the archive file stores it: 16 bytes, little-endian. Bytes 0-7 hold the date
// as an IEEE-754 double (days since 30.12.1899), bytes 8-13 the six main numbers in the
// order the writer got them, byte 14 the extra number and byte 15 the Superzahl slot.
struct DrawRecord {
    static constexpr std::size_t kSize = 16;
    static constexpr std::size_t kMainCount = 6;
    static constexpr std::size_t kExtraIndex = 6;
    static constexpr std::size_t kSlotIndex = 7;

    double date = 0.0;
    std::array<std::uint8_t, 8> numbers{};

    static DrawRecord decode(const std::uint8_t* bytes);
    void encode(std::uint8_t* bytes) const;

    DayNumber day() const { return wholeDay(date); }
    int extra() const { return numbers[kExtraIndex]; }
    int mainSum() const;

    bool operator==(const DrawRecord&) const = default;
};

// Numbers a statistic may count; bytes outside this range come only from a damaged file.
inline bool isLottoNumber(int n) {
    return n >= 1 && n <= 45;
}

} // namespace lotto
