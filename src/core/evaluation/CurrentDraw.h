#pragma once

#include "core/archive/DrawRecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lotto {

// The one draw that tips are checked against, with the result of the last hit count.
// Slots 1-6 (index 0-5) hold the main numbers in record order, slot 7 the extra number,
// slot 8 the record's Superzahl byte.
struct CurrentDraw {
    double date = 0.0;
    std::array<int, 8> numbers{};
    std::uint8_t hits = 0;
    bool extraHit = false;

    void load(const DrawRecord& record) {
        date = record.date;
        loadNumbers(record);
    }
    void loadNumbers(const DrawRecord& record) {
        for (std::size_t i = 0; i < 8; ++i)
            numbers[i] = record.numbers[i];
    }
    int mainSum() const;
};

// Zettelcheck: counts how many tip texts equal each of slots 1-6 and whether a tip text
// equals slot 7. The texts are converted in the order slot by slot, text by text; the
// first text that is no whole number ends the count with what was reached so far, and
// the extra-number test is then not made.
void zettelcheck(CurrentDraw& draw, const std::array<std::string_view, 6>& texts);

// The draw caption: "DDD dd.mm.yy", the separator, "  n" per main number, " Z:" extra.
std::string drawCaption(const CurrentDraw& draw, std::string_view separator = "  ");
std::string digitSumCaption(const CurrentDraw& draw); // "Quersumme: " + sum

} // namespace lotto
