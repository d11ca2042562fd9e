#include "core/import/AustrianToday.h"

#include "core/import/AustrianArchive.h"

#include <algorithm>
#include <set>

namespace lotto {

namespace {

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> splitFields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t at = line.find(separator);
        fields.push_back(trim(line.substr(0, at)));
        if (at == std::string_view::npos) return fields;
        line.remove_prefix(at + 1);
    }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Up to `digits` decimal digits and nothing else.
std::optional<int> smallNumber(std::string_view text, std::size_t digits) {
    if (text.empty() || text.size() > digits) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "d.m." or "dd.mm." (and the mixed forms).
bool readDayMonth(std::string_view text, int& day, int& month) {
    if (text.empty() || text.back() != '.') return false;
    text.remove_suffix(1);
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) return false;
    const auto d = smallNumber(text.substr(0, dot), 2);
    const auto m = smallNumber(text.substr(dot + 1), 2);
    if (!d || !m || *d < 1 || *d > 31 || *m < 1 || *m > 12) return false;
    day = *d;
    month = *m;
    return true;
}

// "So", "So.", "Mi", "Fr." ...: two letters, an optional dot.
bool isWeekday(std::string_view text) {
    if (!text.empty() && text.back() == '.') text.remove_suffix(1);
    static constexpr std::string_view kNames[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    return std::find(std::begin(kNames), std::end(kNames), text) != std::end(kNames);
}

bool isExtraMarker(std::string_view text) {
    if (!text.empty() && text.back() == ':') text.remove_suffix(1);
    return text.size() == 2 && (text[0] == 'Z' || text[0] == 'z') && (text[1] == 'Z' || text[1] == 'z');
}

// "1999 Lotto - Beträge in ATS": four digits, a blank, "Lotto".
std::optional<int> sectionYear(std::string_view field) {
    if (field.size() < 10 || field.substr(4, 6) != " Lotto") return std::nullopt;
    const auto year = smallNumber(field.substr(0, 4), 4);
    if (!year || *year < 1) return std::nullopt;
    return year;
}

bool allEmpty(const std::vector<std::string_view>& fields, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < fields.size(); ++i)
        if (!fields[i].empty()) return false;
    return true;
}

} // namespace

TodayLine parseTodayLine(std::string_view line) {
    TodayLine out;
    const auto fields = splitFields(line, ';');
    if (const auto year = sectionYear(fields[0])) {
        out.kind = TodayLineKind::Section;
        out.year = *year;
        return out;
    }
    if (fields[0] == "Datum") {
        out.kind = TodayLineKind::Heading;
        return out;
    }
    for (std::size_t k = 0; k < 3 && k < fields.size(); ++k)
        if (fields[k] == "gezogen") {
            out.kind = TodayLineKind::DrawingOrder;
            return out;
        }
    std::size_t i = 0;
    if (isWeekday(fields[0])) ++i;
    bool dated = false;
    if (i < fields.size() && readDayMonth(fields[i], out.day, out.month)) {
        dated = true;
        ++i;
    } else if (i < fields.size() && fields[i].empty()) {
        ++i; // the second line of a two-line draw, or a prize-only line without a date
    }
    if (i < fields.size() && (fields[i] == "aufsteigend" || fields[i].empty())) ++i;
    if (dated && i + 8 <= fields.size()) {
        bool ok = isExtraMarker(fields[i + 6]);
        for (std::size_t k = 0; ok && k < 7; ++k) {
            const auto n = smallNumber(fields[i + (k < 6 ? k : 7)], 2);
            if (!n) ok = false;
            else out.numbers[k] = *n;
        }
        if (ok && isAustrianDraw(out.numbers)) {
            out.kind = TodayLineKind::Draw;
            out.prizeFields.assign(fields.begin() + static_cast<std::ptrdiff_t>(i + 8), fields.end());
            return out;
        }
    }
    // No numbers, no marker, something after them: the further prize classes of a draw.
    if (i + 8 < fields.size() && allEmpty(fields, i, i + 8) && !allEmpty(fields, i + 8, fields.size())) {
        out.kind = TodayLineKind::PrizeOnly;
        out.day = dated ? out.day : 0;
        out.month = dated ? out.month : 0;
        out.prizeFields.assign(fields.begin() + static_cast<std::ptrdiff_t>(i + 8), fields.end());
        return out;
    }
    return TodayLine{};
}

std::optional<ParsedDraw> TodayFileReader::read(std::string_view line) {
    const TodayLine parsed = parseTodayLine(line);
    if (parsed.kind == TodayLineKind::Section) m_year = parsed.year;
    if (parsed.kind != TodayLineKind::Draw || !isValidCivilDate(m_year, parsed.month, parsed.day))
        return std::nullopt;
    return ParsedDraw{dayNumber(m_year, parsed.month, parsed.day), parsed.numbers};
}

std::vector<TodayFileEntry> parseTodayFileTable(std::string_view table) {
    std::string rows(table);
    std::replace(rows.begin(), rows.end(), '\n', ';');
    std::replace(rows.begin(), rows.end(), '\r', ';');
    std::vector<TodayFileEntry> entries;
    for (std::string_view row : splitFields(rows, ';')) {
        const std::size_t eq = row.find('=');
        const std::size_t dash = row.find('-');
        if (eq == std::string_view::npos || dash == std::string_view::npos || dash > eq) continue;
        const auto first = smallNumber(trim(row.substr(0, dash)), 4);
        const std::string_view lastText = trim(row.substr(dash + 1, eq - dash - 1));
        const auto last = lastText.empty() ? std::optional<int>(9999) : smallNumber(lastText, 4);
        const std::string_view path = trim(row.substr(eq + 1));
        if (!first || !last || *first < 1 || *last < *first || path.empty()) continue;
        entries.push_back({*first, *last, std::string(path)});
    }
    return entries;
}

std::vector<TodayFileUrl> todayFileUrls(std::string_view server, const std::vector<TodayFileEntry>& table, int year) {
    while (!server.empty() && server.back() == '/')
        server.remove_suffix(1);
    std::vector<TodayFileUrl> urls;
    for (const TodayFileEntry& entry : table) {
        if (year < entry.firstYear || year > entry.lastYear) continue;
        std::string path = entry.path;
        int firstYear = entry.firstYear;
        if (const std::size_t at = path.find("{JJJJ}"); at != std::string::npos) {
            std::string yearText = std::to_string(year);
            yearText.insert(0, yearText.size() < 4 ? 4 - yearText.size() : 0, '0');
            path.replace(at, 6, yearText);
            firstYear = year;
        }
        if (path.empty() || path.front() != '/') path.insert(0, "/");
        urls.push_back({std::string(server) + path, firstYear});
    }
    return urls;
}

void sortDraws(std::vector<ParsedDraw>& draws) {
    std::stable_sort(draws.begin(), draws.end(),
                     [](const ParsedDraw& a, const ParsedDraw& b) { return a.day < b.day; });
}

void runAustrianTodayImport(ImportSession& session, std::string_view server, std::string_view fileTable) {
    ImportWindow& window = session.window();
    const std::vector<TodayFileEntry> table = parseTodayFileTable(fileTable);
    const int firstYear = civilDate(window.pickerDate()).year;
    const int lastYear = civilDate(window.today()).year;
    const int total = std::max(0, lastYear - firstYear + 1);
    int done = 0;
    std::set<std::string> fetched;
    window.setProgress(done, total);
    while (session.goOn()) {
        const int year = civilDate(window.pickerDate()).year;
        for (const TodayFileUrl& file : todayFileUrls(server, table, year)) {
            if (!fetched.insert(file.url).second) continue;
            TodayFileReader reader(file.firstYear);
            std::vector<ParsedDraw> draws;
            session.fetch(file.url, [&](std::string_view line) {
                if (auto draw = reader.read(line)) draws.push_back(*draw);
            });
            sortDraws(draws);
            for (const ParsedDraw& draw : draws)
                session.offer(draw);
        }
        window.setProgress(++done, total);
        if (year >= 9999) break;
        window.setPickerDate(dayNumber(year + 1, 1, 1));
    }
}

namespace {

// "yyyy-mm-dd,n1,n2,n3,n4,n5,n6,z"
std::optional<ParsedDraw> parseCsvLine(std::string_view line) {
    const auto fields = splitFields(line, ',');
    if (fields.size() != 8 || fields[0].size() != 10 || fields[0][4] != '-' || fields[0][7] != '-') return std::nullopt;
    const auto y = smallNumber(fields[0].substr(0, 4), 4);
    const auto m = smallNumber(fields[0].substr(5, 2), 2);
    const auto d = smallNumber(fields[0].substr(8, 2), 2);
    if (!y || !m || !d || *y < 1 || !isValidCivilDate(*y, *m, *d)) return std::nullopt;
    ParsedDraw draw;
    draw.day = dayNumber(*y, *m, *d);
    for (std::size_t k = 0; k < 7; ++k) {
        const auto n = smallNumber(fields[k + 1], 2);
        if (!n) return std::nullopt;
        draw.numbers[k] = *n;
    }
    if (!isAustrianDraw(draw.numbers)) return std::nullopt;
    return draw;
}

// The year a file name gives: the four digits after "lo_", else the first four-digit run.
int yearOfFileName(std::string_view name) {
    if (const std::size_t slash = name.find_last_of("/\\"); slash != std::string_view::npos) name.remove_prefix(slash + 1);
    std::size_t at = name.find("lo_");
    at = at == std::string_view::npos ? 0 : at + 3;
    for (std::size_t i = at; i + 4 <= name.size(); ++i) {
        if (i > 0 && isDigit(name[i - 1])) continue;
        if (const auto year = smallNumber(name.substr(i, 4), 4); year && *year >= 1 && (i + 4 == name.size() || !isDigit(name[i + 4])))
            return *year;
    }
    return 0;
}

// The original yearly layout; the year from a full date in the first field, else the name's.
std::optional<ParsedDraw> parseOriginalLine(std::string_view line, int nameYear) {
    int year = nameYear;
    const std::string_view first = line.substr(0, line.find(';'));
    if (first.size() == 10 && first[2] == '.' && first[5] == '.')
        if (const auto y = smallNumber(first.substr(6), 4)) year = *y;
    if (year < 1) return std::nullopt;
    return parseAustrianLine(line, year);
}

enum class Layout { Unknown, Today, Csv, Original };

} // namespace

std::vector<ParsedDraw> readResultsFile(std::string_view text, std::string_view fileName) {
    const int nameYear = yearOfFileName(fileName);
    TodayFileReader today(nameYear);
    Layout layout = Layout::Unknown;
    std::vector<ParsedDraw> draws;
    forEachLine(text, false, [&](std::string_view line) {
        std::optional<ParsedDraw> draw;
        if (layout == Layout::Unknown || layout == Layout::Today) {
            draw = today.read(line);
            if (draw) layout = Layout::Today;
        }
        if (!draw && (layout == Layout::Unknown || layout == Layout::Csv)) {
            draw = parseCsvLine(line);
            if (draw) layout = Layout::Csv;
        }
        if (!draw && (layout == Layout::Unknown || layout == Layout::Original)) {
            draw = parseOriginalLine(line, nameYear);
            if (draw) layout = Layout::Original;
        }
        if (draw) draws.push_back(*draw);
    });
    sortDraws(draws);
    return draws;
}

} // namespace lotto
