#include "core/archive/DrawRecord.h"

#include <cstring>

namespace lotto {

DrawRecord DrawRecord::decode(const std::uint8_t* bytes) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | bytes[i];
    DrawRecord record;
    std::memcpy(&record.date, &bits, sizeof bits);
    std::memcpy(record.numbers.data(), bytes + 8, 8);
    return record;
}

void DrawRecord::encode(std::uint8_t* bytes) const {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &date, sizeof bits);
    for (int i = 0; i < 8; ++i) {
        bytes[i] = static_cast<std::uint8_t>(bits & 0xFFU);
        bits >>= 8;
    }
    std::memcpy(bytes + 8, numbers.data(), 8);
}

int DrawRecord::mainSum() const {
    int sum = 0;
    for (std::size_t i = 0; i < kMainCount; ++i)
        sum += numbers[i];
    return sum;
}

} // namespace lotto
