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

ReadTip readTipTexts(const std::array<std::string_view, 6>& texts) {
    ReadTip tip;
    while (tip.valid < 6) {
        const auto v = toInt(texts[tip.valid]);
        if (!v) break;
        tip.values[tip.valid++] = *v;
    }
    return tip;
}

void zettelcheck(CurrentDraw& draw, const ReadTip& tip) {
    draw.hits = 0;
    draw.extraHit = false;
    const std::span<const int> values(tip.values.data(), tip.valid);
    if (tip.valid < 6) {
        draw.hits =
            static_cast<std::uint8_t>(countHits(values, std::span<const int>(draw.numbers.data(), 1)));
        return;
    }
    draw.hits = static_cast<std::uint8_t>(countHits(values, std::span<const int>(draw.numbers.data(), 6)));
    draw.extraHit = std::find(values.begin(), values.end(), draw.numbers[6]) != values.end();
}

void zettelcheck(CurrentDraw& draw, const std::array<std::string_view, 6>& texts) {
    zettelcheck(draw, readTipTexts(texts));
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
