#include "core/import/AustrianLastTen.h"

#include "core/util/Text.h"

namespace lotto {

namespace {

constexpr std::string_view kOpening = "Ziehung  vom";
constexpr std::string_view kNumber = "lottozahlen/";
constexpr std::string_view kSuperzahl = "superzahlen/";

// The page's "dd.mm.yy": two digits each, or it does not convert (a shorter day with a
// four-digit year would otherwise land centuries away).
DayNumber twoDigitYearDate(std::string_view text, int referenceYear) {
    const bool shaped = text.size() == 8 && text[2] == '.' && text[5] == '.';
    const auto day = shaped ? parseShortDate(text, referenceYear) : std::nullopt;
    if (!day) throw ConversionError("'" + std::string(text) + "' ist kein gültiges Datum");
    return *day;
}

// The number of an image reference: the text after the marker up to the next "." within
// 15 characters, blanks trimmed.
int imageNumber(std::string_view line, std::size_t markerEnd) {
    const std::string_view window = line.substr(markerEnd, 15);
    const std::size_t dot = window.find('.');
    std::string_view text = dot == std::string_view::npos ? window : window.substr(0, dot);
    if (dot == std::string_view::npos)
        throw ConversionError("'" + std::string(text) + "' ist kein gültiger ganzzahliger Wert");
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return convertToInt(text);
}

} // namespace

void AustrianLastTenParser::openDraw(std::string_view dateLine) {
    m_open = false;
    m_count = 0;
    m_draw = ParsedDraw{};
    const std::size_t lt = dateLine.find('<');
    if (lt == std::string_view::npos || lt < 8) return; // no draw line
    m_draw.day = twoDigitYearDate(dateLine.substr(lt - 8, 8), m_referenceYear);
    m_open = true;
}

std::optional<ParsedDraw> AustrianLastTenParser::complete() {
    const bool whole = m_open && m_count == 7;
    m_open = false;
    if (!whole) return std::nullopt;
    return m_draw;
}

std::optional<ParsedDraw> AustrianLastTenParser::feed(std::string_view line) {
    std::optional<ParsedDraw> done;
    if (m_dateNext) {
        m_dateNext = false;
        openDraw(line);
    } else if (line.find(kOpening) != std::string_view::npos) {
        if (m_open && m_count == 7) done = complete();
        m_open = false;
        if (line.find(", ") == std::string_view::npos)
            m_dateNext = true;
        else
            openDraw(line);
        return done;
    }
    if (const std::size_t at = line.find(kNumber); at != std::string_view::npos) {
        const int number = imageNumber(line, at + kNumber.size());
        if (m_open) {
            m_draw.numbers[m_count++] = number;
            if (m_count == 7) done = complete();
        }
    }
    if (const std::size_t at = line.find(kSuperzahl); at != std::string_view::npos) {
        imageNumber(line, at + kSuperzahl.size()); // read, not stored
        if (m_open && !done) done = complete();
    }
    return done;
}

std::optional<ParsedDraw> AustrianLastTenParser::finish() {
    m_dateNext = false;
    return complete();
}

std::string austrianLastTenUrl(std::string_view server) {
    while (!server.empty() && server.back() == '/')
        server.remove_suffix(1);
    return std::string(server) + "/frame/LO_10rd.html";
}

void runAustrianLastTenImport(ImportSession& session, std::string_view server) {
    ImportWindow& window = session.window();
    // The picker runs 2 days ahead of the newest stored draw, as it always has; the append
    // rule still compares with that draw itself, so a Friday draw two days after a
    // Wednesday one is kept.
    window.setPickerDate(window.pickerDate() + 2);
    window.setProgress(0, 1);
    AustrianLastTenParser parser(civilDate(window.today()).year);
    session.fetch(austrianLastTenUrl(server), [&](std::string_view line) {
        if (const auto draw = parser.feed(line)) session.offer(*draw);
    });
    if (const auto draw = parser.finish()) session.offer(*draw);
    window.setProgress(1, 1);
    window.setPickerDate(window.pickerDate() + 7);
}

} // namespace lotto
