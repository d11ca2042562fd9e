#include "core/import/AustrianArchive.h"

#include "core/util/Text.h"

#include <vector>

namespace lotto {

namespace {

constexpr int kFirstYearOfNewLayout = 1999;

// Drops the text up to and including the next ";"; false when there is none.
bool dropField(std::string_view& rest) {
    const std::size_t semicolon = rest.find(';');
    if (semicolon == std::string_view::npos) return false;
    rest.remove_prefix(semicolon + 1);
    return true;
}

// The next field (up to ";" or the end of the line) as an integer; the field is dropped.
std::optional<int> takeNumber(std::string_view& rest) {
    const std::size_t semicolon = rest.find(';');
    std::string_view field = rest.substr(0, semicolon);
    rest.remove_prefix(semicolon == std::string_view::npos ? rest.size() : semicolon + 1);
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.remove_suffix(1);
    if (field.empty()) return std::nullopt;
    return toInt(field);
}

} // namespace

std::optional<ParsedDraw> parseAustrianLine(std::string_view line, int year) {
    if (year < 1 || year > 9999) return std::nullopt;
    std::string yearText = std::to_string(year);
    yearText.insert(0, 4 - yearText.size(), '0');
    const auto day = parseShortDate(std::string(line.substr(0, 6)) + yearText, year);
    if (!day) return std::nullopt;

    ParsedDraw draw;
    draw.day = *day;
    std::string_view rest = line;
    const int skipped = year < kFirstYearOfNewLayout ? 3 : 2;
    for (int i = 0; i < skipped; ++i)
        if (!dropField(rest)) return std::nullopt;
    for (std::size_t i = 0; i < 7; ++i) {
        if (i == 6 && year < kFirstYearOfNewLayout && !dropField(rest)) return std::nullopt;
        const auto number = takeNumber(rest);
        if (!number) return std::nullopt;
        draw.numbers[i] = *number;
    }
    if (!isAustrianDraw(draw.numbers)) return std::nullopt;
    return draw;
}

std::string austrianYearUrl(std::string_view server, int year) {
    while (!server.empty() && server.back() == '/')
        server.remove_suffix(1);
    std::string yearText = std::to_string(year);
    yearText.insert(0, yearText.size() < 4 ? 4 - yearText.size() : 0, '0');
    return std::string(server) + "/download/lo_" + yearText + ".csv";
}

void runAustrianImport(ImportSession& session, std::string_view server) {
    session.readYears(1, [&](int year) {
        std::vector<ParsedDraw> draws;
        const YearFetch fetched =
            session.fetchYear(austrianYearUrl(server, year), year, [&](std::string_view line) {
                if (const auto draw = parseAustrianLine(line, year)) draws.push_back(*draw);
            });
        if (fetched == YearFetch::Failed) return false;
        for (const ParsedDraw& draw : draws)
            session.offer(draw);
        return true;
    });
}

} // namespace lotto
