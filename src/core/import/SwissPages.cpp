#include "core/import/SwissPages.h"

#include "core/import/PageMarkers.h"
#include "core/util/File.h"
#include "core/util/Text.h"

namespace lotto {

namespace {

constexpr int kFirstYearWithDateLine = 1997;
constexpr int kFirstYearInserted = 1999;
constexpr std::string_view kBlockStart = "textb";
constexpr std::string_view kDrawNumber = "extb\">";
constexpr std::string_view kNumber = "text\">";
constexpr std::string_view kExtraNumber = "tc1\">";

} // namespace

DayNumber swissDrawSaturday(int year, int drawNumber) {
    const DayNumber first = dayNumber(year, 1, 1);
    const long long day = static_cast<long long>(first) - weekday(first) + 7LL * drawNumber;
    if (day < kFirstDay || day > kLastDay)
        throw ConversionError("Die Ziehung " + std::to_string(drawNumber) + " liegt außerhalb des Kalenders");
    return static_cast<DayNumber>(day);
}

void SwissPageParser::line(std::string_view text) {
    if (m_blockLine < 0) {
        if (text.find(kBlockStart) == std::string_view::npos) return;
        m_blockLine = 0;
        m_numbers = {};
        if (m_year < kFirstYearWithDateLine)
            m_day = swissDrawSaturday(m_year, numberBeforeTag(text, kDrawNumber));
        return;
    }
    ++m_blockLine;
    const bool dated = m_year >= kFirstYearWithDateLine;
    const int firstNumber = dated ? 4 : 2;
    if (dated && m_blockLine == 2) {
        const std::size_t semicolon = text.find(';');
        if (semicolon != std::string_view::npos) {
            const std::string_view date = text.substr(semicolon + 1, 10);
            const auto day = parseShortDate(date, m_year);
            if (!day) throw ConversionError("'" + std::string(date) + "' ist kein gültiges Datum");
            m_day = *day;
        }
    } else if (m_blockLine >= firstNumber && m_blockLine < firstNumber + 6) {
        if (text.find(kNumber) != std::string_view::npos)
            m_numbers[static_cast<std::size_t>(m_blockLine - firstNumber)] = numberBeforeTag(text, kNumber);
    } else if (m_blockLine == firstNumber + 7) {
        m_numbers[6] = numberBeforeTag(text, kExtraNumber);
        m_blockLine = -1;
        if (m_day == 0) return;
        ParsedDraw draw;
        draw.day = m_day;
        draw.numbers = m_numbers;
        m_onDraw(draw);
    }
}

std::string swissYearUrl(std::string_view server, int year) {
    while (!server.empty() && server.back() == '/')
        server.remove_suffix(1);
    std::string yearText = std::to_string(year);
    yearText.insert(0, yearText.size() < 4 ? 4 - yearText.size() : 0, '0');
    return std::string(server) + "/tkalnor/lotto/Z" + yearText + ".shtml";
}

void addCarriageReturns(const std::string& path) {
    const std::string text = readWholeFile(path, kMaxDownloadBytes);
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char ch : text) {
        if (ch == '\n') out += '\r';
        out += ch;
    }
    writeFileAtomically(path, out);
}

void runSwissImport(ImportSession& session, std::string_view server) {
    ImportWindow& window = session.window();
    // A page that does not arrive is counted among the failures; the years after it are read.
    session.readYears(5, [&](int year) {
        const bool received = session.fetch(swissYearUrl(server, year), [](std::string_view) {});
        const std::string path = window.downloadFile();
        if (received && fileExists(path)) {
            if (year == 1999 || year > 2000) addCarriageReturns(path);
            SwissPageParser parser(year, [&](const ParsedDraw& draw) {
                if (!session.offer(draw) && year >= kFirstYearInserted) session.insertOlder(draw);
            });
            forEachLine(readWholeFile(path, kMaxDownloadBytes), false,
                        [&](std::string_view line) { parser.line(line); });
        }
        return true;
    });
}

} // namespace lotto
