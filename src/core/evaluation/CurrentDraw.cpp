#include "core/evaluation/CurrentDraw.h"

#include "core/util/Text.h"

#include <algorithm>

namespace lotto {

int CurrentDraw::mainSum() const {
    int sum = 0;
    for (std::size_t i = 0; i < 6; ++i)
        sum += numbers[i];
    return sum;
}

int countHits(std::span<const int> tipNumbers, std::span<const int> mainNumbers) {
    int hits = 0;
    for (auto it = tipNumbers.begin(); it != tipNumbers.end(); ++it) {
        if (std::find(tipNumbers.begin(), it, *it) != it) continue; // a repeat counts once
        if (std::find(mainNumbers.begin(), mainNumbers.end(), *it) != mainNumbers.end()) ++hits;
    }
    return hits;
}

void zettelcheck(CurrentDraw& draw, const std::array<std::string_view, 6>& texts) {
    draw.hits = 0;
    draw.extraHit = false;
    std::array<int, 6> values{};
    std::size_t valid = 0;
    while (valid < 6) {
        const auto v = toInt(texts[valid]);
        if (!v) break;
        values[valid++] = *v;
    }
    const std::span<const int> tip(values.data(), valid);
    if (valid < 6) {
        draw.hits = static_cast<std::uint8_t>(countHits(tip, std::span<const int>(draw.numbers.data(), 1)));
        return;
    }
    draw.hits = static_cast<std::uint8_t>(countHits(tip, std::span<const int>(draw.numbers.data(), 6)));
    draw.extraHit = std::find(values.begin(), values.end(), draw.numbers[6]) != values.end();
}

std::string drawCaption(const CurrentDraw& draw, std::string_view separator) {
    std::string text = formatDrawDate(wholeDay(draw.date));
    text += separator;
    for (std::size_t i = 0; i < 6; ++i)
        text += "  " + std::to_string(draw.numbers[i]);
    text += " Z:" + std::to_string(draw.numbers[6]);
    return text;
}

std::string digitSumCaption(const CurrentDraw& draw) {
    return "Quersumme: " + std::to_string(draw.mainSum());
}

} // namespace lotto
