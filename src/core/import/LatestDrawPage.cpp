#include "core/import/LatestDrawPage.h"

#include "core/util/Text.h"

namespace lotto {

namespace {

// The page's "dd.mm.yy": two digits each, or it does not convert (a shorter day with a
// four-digit year would otherwise land centuries away).
DayNumber twoDigitYearDate(std::string_view text, int referenceYear) {
    const bool shaped = text.size() == 8 && text[2] == '.' && text[5] == '.';
    const auto day = shaped ? parseShortDate(text, referenceYear) : std::nullopt;
    if (!day) throw ConversionError("'" + std::string(text) + "' ist kein gültiges Datum");
    return *day;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

// The text after the first occurrence of marker; empty when there is none, which then fails
// to convert as a number.
std::string_view after(std::string_view text, std::string_view marker) {
    const std::size_t at = text.find(marker);
    return at == std::string_view::npos ? std::string_view{} : text.substr(at + marker.size());
}

} // namespace

std::optional<LatestDrawLine> parseLatestDrawLine(std::string_view line, int referenceYear) {
    if (line.find("Ziehung") == std::string_view::npos) return std::nullopt;
    const std::size_t dateEnd = line.find(":<br>");
    if (dateEnd == std::string_view::npos || dateEnd < 8) return std::nullopt;
    LatestDrawLine draw;
    draw.day = twoDigitYearDate(line.substr(dateEnd - 8, 8), referenceYear);
    const std::size_t bold = line.find("<b>");
    if (bold == std::string_view::npos) return draw;

    std::string_view text = line.substr(bold + 3, 150);
    std::size_t slot = 0;
    auto store = [&](std::string_view field) {
        const int value = convertToInt(trimBlanks(field));
        // A line with more commas than numbers converts them all but keeps only eight.
        if (slot < draw.numbers.size()) draw.numbers[slot] = value;
        ++slot;
    };
    for (std::size_t comma = text.find(','); comma != std::string_view::npos; comma = text.find(',')) {
        store(text.substr(0, comma));
        text.remove_prefix(comma + 1);
    }
    store(text.substr(0, 2));

    text = after(text, "ZZ:");
    draw.numbers[6] = convertToInt(trimBlanks(text.substr(0, 2)));
    text = after(text, "SZ:");
    draw.numbers[7] = convertToInt(trimBlanks(text.substr(0, text.find('<'))));
    draw.numbersRead = true;
    return draw;
}

std::string latestDrawNumbersText(const LatestDrawLine& draw, bool wednesday) {
    std::string text = std::to_string(draw.numbers[0]);
    for (std::size_t i = 1; i < 6; ++i)
        text += (wednesday && i == 2 ? " " : "  ") + std::to_string(draw.numbers[i]);
    return text;
}

} // namespace lotto
