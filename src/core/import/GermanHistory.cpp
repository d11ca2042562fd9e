#include "core/import/GermanHistory.h"

#include "core/import/PageMarkers.h"
#include "core/util/Text.h"

#include <algorithm>

namespace lotto {

namespace {

constexpr std::string_view kSecondDraw = "Ziehung B";
constexpr std::string_view kDrawOpens = "Ziehung  am";
constexpr std::string_view kNumber = "lottozahlen/";
constexpr std::string_view kSuperNumber = "superzahlen/";
constexpr std::string_view kDateEnd = "</b>";

bool has(std::string_view text, std::string_view marker) {
    return text.find(marker) != std::string_view::npos;
}

} // namespace

void GermanHistoryParser::open() {
    m_numbers = {};
    m_filled = 0;
    m_complete = false;
    m_handedOver = false;
}

// Six numbers make a draw: since 2013 the pages list no Zusatzzahl (its slot stays 0).
void GermanHistoryParser::handOver() {
    if (m_handedOver || m_filled < 6 || m_day == 0) return;
    m_handedOver = true;
    ParsedDraw draw;
    draw.day = m_day;
    std::copy_n(m_numbers.begin(), 7, draw.numbers.begin());
    m_onDraw(draw);
}

void GermanHistoryParser::readDate(std::string_view text) {
    const std::size_t end = text.find(kDateEnd);
    if (end == std::string_view::npos) {
        m_day = 0; // no date line: the draw that follows has no date and is not handed over
        return;
    }
    const std::string_view date = text.substr(end < 8 ? 0 : end - 8, std::min<std::size_t>(end, 8));
    const auto day = parseShortDate(date, m_referenceYear);
    if (!day) throw ConversionError("'" + std::string(date) + "' ist kein gültiges Datum");
    m_day = *day;
}

void GermanHistoryParser::line(std::string_view text) {
    if (m_dateOnNextLine) {
        m_dateOnNextLine = false;
        readDate(text);
        return;
    }
    if (has(text, kSecondDraw)) {
        handOver();
        open();
    }
    if (has(text, kDrawOpens)) {
        if (!m_complete) handOver(); // a draw without a Superzahl
        open();
        if (has(text, kDateEnd))
            readDate(text);
        else
            m_dateOnNextLine = true;
    }
    if (has(text, kNumber) && !m_complete) {
        m_numbers[m_filled++] = pageNumber(text, kNumber);
        if (m_filled == m_numbers.size()) m_complete = true; // the eighth is the Superzahl
    }
    if (has(text, kSuperNumber) && !m_complete) {
        m_numbers[7] = pageNumber(text, kSuperNumber);
        m_complete = true;
    }
    if (m_complete) handOver();
}

void GermanHistoryParser::end() {
    if (!m_complete) handOver();
}

std::string germanHistoryUrl(std::string_view server, DayNumber day) {
    while (!server.empty() && server.back() == '/')
        server.remove_suffix(1);
    const CivilDate date = civilDate(day);
    return std::string(server) +
           "/interactive/realtime.pl?action=lotto_history&day=" + std::to_string(date.day) +
           "&mon=" + std::to_string(date.month) + "&year=" + std::to_string(date.year) + "&history=Los&";
}

void runGermanImport(ImportSession& session, std::string_view server) {
    ImportWindow& window = session.window();
    session.germanDraws();
    session.moveStart(2);
    const int total =
        window.today() >= window.pickerDate() ? (window.today() - window.pickerDate()) / 7 + 1 : 0;
    int done = 0;
    window.setProgress(done, total);
    while (session.goOn()) {
        // "75" on the page of a week in 1975 is 1975, not 2075.
        GermanHistoryParser parser(civilDate(window.pickerDate()).year,
                                   [&](const ParsedDraw& draw) { session.offer(draw); });
        session.fetch(germanHistoryUrl(server, window.pickerDate()),
                      [&](std::string_view line) { parser.line(line); });
        parser.end();
        window.setProgress(++done, total);
        if (window.pickerDate() > kLastDay - 7) break;
        window.setPickerDate(window.pickerDate() + 7);
    }
}

} // namespace lotto
