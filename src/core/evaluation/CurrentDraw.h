#pragma once

#include "core/archive/DrawRecord.h"

#include <array>
#include <cstdint>
#include <span>
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

// The hit counter of every check: each distinct tip number counts once when it is among
// the main numbers, however often the tip or a damaged draw holds it.
int countHits(std::span<const int> tipNumbers, std::span<const int> mainNumbers);

// Zettelcheck: the hits of a tip against slots 1-6 and whether a tip text equals slot 7.
// The first text that is no whole number ends the check early: only slot 1 is then
// compared with the texts before it, and the extra-number test is not made.
void zettelcheck(CurrentDraw& draw, const std::array<std::string_view, 6>& texts);

// A tip's texts read once for many checks: the whole numbers before the first text that is
// none. zettelcheck(draw, readTipTexts(texts)) is zettelcheck(draw, texts).
struct ReadTip {
    std::array<int, 6> values{};
    std::size_t valid = 0;
};
ReadTip readTipTexts(const std::array<std::string_view, 6>& texts);
void zettelcheck(CurrentDraw& draw, const ReadTip& tip);

// The draw caption: "DDD dd.mm.yy", the separator, "  n" per main number, " Z:" extra.
std::string drawCaption(const CurrentDraw& draw, std::string_view separator = "  ");
std::string digitSumCaption(const CurrentDraw& draw); // "Quersumme: " + sum

} // namespace lotto
