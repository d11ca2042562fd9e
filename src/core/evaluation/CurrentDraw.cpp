#include "core/evaluation/CurrentDraw.h"

#include "core/util/Text.h"

namespace lotto {

int CurrentDraw::mainSum() const {
    int sum = 0;
    for (std::size_t i = 0; i < 6; ++i)
        sum += numbers[i];
    return sum;
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
    // The first slot pass converts every text in order, so an invalid text stops the count
    // within slot 1, after the texts before it.
    for (std::size_t slot = 0; slot < 6; ++slot) {
        for (std::size_t t = 0; t < 6; ++t) {
            if (t >= valid) return;
            if (values[t] == draw.numbers[slot]) ++draw.hits;
        }
    }
    for (std::size_t t = 0; t < 6; ++t)
        if (values[t] == draw.numbers[6]) draw.extraHit = true;
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
