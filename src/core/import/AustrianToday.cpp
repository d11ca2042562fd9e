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

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

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

// The currency a section line names: "Beträge in ATS", "in EUR", "in €".
std::optional<Currency> sectionCurrency(std::string_view field) {
    if (field.find("ATS") != std::string_view::npos) return Currency::Schilling;
    if (field.find("EUR") != std::string_view::npos || field.find("\xE2\x82\xAC") != std::string_view::npos ||
        field.find('\x80') != std::string_view::npos)
        return Currency::Euro;
    return std::nullopt;
}

// The field between winners and amount: "à" (UTF-8 or Windows-1252), or "€", "EUR", "ATS"
// naming the currency.
enum class QuotaSeparator { None, Plain, Euro, Schilling };
QuotaSeparator quotaSeparator(std::string_view text) {
    if (text == "\xC3\xA0" || text == "\xE0" || text == "a") return QuotaSeparator::Plain;
    if (text == "\xE2\x82\xAC" || text == "\x80" || text == "EUR") return QuotaSeparator::Euro;
    if (text == "ATS") return QuotaSeparator::Schilling;
    return QuotaSeparator::None;
}

// Digits with dots between thousands: "472.879" -> 472879.
std::optional<std::int64_t> groupedNumber(std::string_view text) {
    if (text.empty() || text.front() == '.' || text.back() == '.') return std::nullopt;
    std::int64_t value = 0;
    int digits = 0;
    for (const char c : text) {
        if (c == '.') continue;
        if (!isDigit(c) || ++digits > 13) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "1.200.000,00", "1,1", "48" -> cents.
std::optional<std::int64_t> amountInCents(std::string_view text) {
    const std::size_t comma = text.find(',');
    const auto whole = groupedNumber(text.substr(0, comma));
    if (!whole) return std::nullopt;
    std::int64_t cents = *whole * 100;
    if (comma != std::string_view::npos) {
        const std::string_view fraction = text.substr(comma + 1);
        const auto part = smallNumber(fraction, 2);
        if (!part) return std::nullopt;
        cents += fraction.size() == 1 ? *part * 10 : *part;
    }
    if (cents > kMaxPrizeAmount) return std::nullopt; // no real quota: a misread field
    return cents;
}

bool allEmpty(const std::vector<std::string_view>& fields, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < fields.size(); ++i)
        if (!fields[i].empty()) return false;
    return true;
}

} // namespace

TodayLine parseTodayLine(std::string_view line) {
    TodayLine out;
    if (line.size() > kMaxResultsLine) return out;
    // The files from 2018 are UTF-8 and may start with a byte-order mark.
    if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
    const auto fields = splitFields(line, ';');
    if (const auto year = sectionYear(fields[0])) {
        out.kind = TodayLineKind::Section;
        out.year = *year;
        out.currency = sectionCurrency(fields[0]);
        return out;
    }
    if (fields[0] == "Datum") {
        out.kind = TodayLineKind::Heading;
        return out;
    }
    for (std::size_t k = 0; k < 3 && k < fields.size(); ++k)
        if (fields[k] == "gezogen") {
            out.kind = TodayLineKind::DrawingOrder;
            for (std::size_t m = k + 1; m < fields.size() && m <= k + 7; ++m)
                if (isExtraMarker(fields[m]) && m + 2 <= fields.size()) {
                    out.prizeFields.assign(fields.begin() + static_cast<std::ptrdiff_t>(m + 2), fields.end());
                    break;
                }
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
            if (!n)
                ok = false;
            else
                out.numbers[k] = *n;
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

std::optional<PrizeRank> readPrizeRankName(std::string_view name) {
    std::string key;
    for (const char c : name)
        if (c != ' ') key += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (key == "zz" || key == "zusatzzahl") return PrizeRank::Extra;
    if (key.size() < 1 || key[0] < '3' || key[0] > '6') return std::nullopt;
    const int hits = key[0] - '0';
    std::string_view rest = std::string_view(key).substr(1);
    if (rest.substr(0, 2) == "er") rest.remove_prefix(2);
    bool extra = false;
    if (rest == "+zz" || rest == "+zusatzzahl")
        extra = true;
    else if (!rest.empty())
        return std::nullopt;
    switch (hits) {
    case 6:
        return extra ? std::nullopt : std::optional(PrizeRank::Six);
    case 5:
        return extra ? PrizeRank::FiveExtra : PrizeRank::Five;
    case 4:
        return extra ? PrizeRank::FourExtra : PrizeRank::Four;
    default:
        return extra ? PrizeRank::ThreeExtra : PrizeRank::Three;
    }
}

std::vector<PrizeQuota> readPrizeFields(const std::vector<std::string_view>& fields, Currency currency) {
    std::vector<PrizeQuota> quotas;
    for (std::size_t i = 0; i + 3 < fields.size();) {
        const QuotaSeparator separator = quotaSeparator(fields[i + 2]);
        const auto amount = separator != QuotaSeparator::None ? amountInCents(fields[i + 3]) : std::nullopt;
        if (!amount) {
            ++i;
            continue;
        }
        if (const auto rank = readPrizeRankName(fields[i])) {
            const auto winners = groupedNumber(fields[i + 1]);
            const Currency named = separator == QuotaSeparator::Euro        ? Currency::Euro
                                   : separator == QuotaSeparator::Schilling ? Currency::Schilling
                                                                            : currency;
            addQuota(quotas, {*rank, winners.value_or(0), *amount, named});
        }
        i += 4;
    }
    return quotas;
}

void TodayFileReader::addPrizes(DayNumber day, const std::vector<std::string_view>& fields) {
    const Currency currency =
        m_currency.value_or(day < dayNumber(2002, 1, 1) ? Currency::Schilling : Currency::Euro);
    for (const PrizeQuota& quota : readPrizeFields(fields, currency))
        addQuota(m_prizes[day], quota);
}

std::optional<ParsedDraw> TodayFileReader::read(std::string_view line) {
    const TodayLine parsed = parseTodayLine(line);
    switch (parsed.kind) {
    case TodayLineKind::Section:
        m_year = parsed.year;
        m_currency = parsed.currency;
        m_lastDraw.reset();
        return std::nullopt;
    case TodayLineKind::Heading:
    case TodayLineKind::Unknown:
        return std::nullopt;
    case TodayLineKind::DrawingOrder:
    case TodayLineKind::PrizeOnly:
        // The further classes of the draw just read; a dated line must carry its date.
        if (m_lastDraw && (parsed.day == 0 || (isValidCivilDate(m_year, parsed.month, parsed.day) &&
                                               dayNumber(m_year, parsed.month, parsed.day) == *m_lastDraw)))
            addPrizes(*m_lastDraw, parsed.prizeFields);
        return std::nullopt;
    case TodayLineKind::Draw:
        break;
    }
    if (!isValidCivilDate(m_year, parsed.month, parsed.day)) {
        m_lastDraw.reset();
        return std::nullopt;
    }
    const DayNumber day = dayNumber(m_year, parsed.month, parsed.day);
    m_lastDraw = day;
    addPrizes(day, parsed.prizeFields);
    return ParsedDraw{day, parsed.numbers};
}

void mergePrizes(PrizeTable& into, const PrizeTable& from) {
    for (const auto& [day, quotas] : from) {
        if (quotas.empty()) continue;
        std::vector<PrizeQuota>& target = into[day];
        for (const PrizeQuota& quota : quotas)
            addQuota(target, quota);
    }
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

std::vector<TodayFileUrl> todayFileUrls(std::string_view server, const std::vector<TodayFileEntry>& table,
                                        int year) {
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

void runAustrianTodayImport(ImportSession& session, std::string_view server, std::string_view fileTable,
                            PrizeTable& prizes) {
    ImportWindow& window = session.window();
    const std::vector<TodayFileEntry> table = parseTodayFileTable(fileTable);
    std::set<std::string> fetched;
    session.readYears(1, [&](int year) {
        for (const TodayFileUrl& file : todayFileUrls(server, table, year)) {
            if (!fetched.insert(file.url).second) continue;
            TodayFileReader reader(file.firstYear);
            std::vector<ParsedDraw> draws;
            const YearFetch got = session.fetchYear(file.url, year, [&](std::string_view line) {
                if (auto draw = reader.read(line)) draws.push_back(*draw);
            });
            if (got == YearFetch::Failed) return false;
            sortDraws(draws);
            PrizeTable read = reader.prizes();
            std::erase_if(read, [&](const auto& entry) { return entry.first > window.today(); });
            mergePrizes(prizes, read);
            for (const ParsedDraw& draw : draws)
                session.offer(draw);
        }
        return true;
    });
}

namespace {

// "yyyy-mm-dd,n1,n2,n3,n4,n5,n6,z" with numbers of up to two digits; whether they make a
// draw of this game is left to the caller.
std::optional<ParsedDraw> parseCsvLine(std::string_view line) {
    if (line.size() > kMaxResultsLine) return std::nullopt;
    const auto fields = splitFields(line, ',');
    if (fields.size() != 8 || fields[0].size() != 10 || fields[0][4] != '-' || fields[0][7] != '-')
        return std::nullopt;
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
    return draw;
}

// A CSV heading ("date,..."), BOM and case aside; only that of the bundled draws belongs to
// this game: another one ("...,superzahl") heads another game's draws.
bool isForeignCsvHeading(std::string_view line) {
    if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
    if (line.size() > 256) return false;
    std::string key;
    for (const char c : line)
        if (c != ' ' && c != '\t') key += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return key.starts_with("date,") && key != "date,n1,n2,n3,n4,n5,n6,zusatzzahl";
}

// The year a file name gives: the four digits after "lo_", else the first four-digit run.
int yearOfFileName(std::string_view name) {
    if (const std::size_t slash = name.find_last_of("/\\"); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    std::size_t at = name.find("lo_");
    at = at == std::string_view::npos ? 0 : at + 3;
    for (std::size_t i = at; i + 4 <= name.size(); ++i) {
        if (i > 0 && isDigit(name[i - 1])) continue;
        if (const auto year = smallNumber(name.substr(i, 4), 4);
            year && *year >= 1 && (i + 4 == name.size() || !isDigit(name[i + 4])))
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

ResultsFile readResultsFile(std::string_view text, std::string_view fileName) {
    const int nameYear = yearOfFileName(fileName);
    TodayFileReader today(nameYear);
    Layout layout = Layout::Unknown;
    ResultsFile file;
    std::vector<ParsedDraw>& draws = file.draws;
    forEachLine(text, false, [&](std::string_view line) {
        std::optional<ParsedDraw> draw;
        if (layout == Layout::Unknown || layout == Layout::Today) {
            draw = today.read(line);
            if (draw) layout = Layout::Today;
        }
        if (!draw && (layout == Layout::Unknown || layout == Layout::Csv)) {
            if (isForeignCsvHeading(line)) file.foreign = true;
            if (const auto row = parseCsvLine(line)) {
                // One number outside 1..45 shows the file's game is another one.
                if (!std::all_of(row->numbers.begin(), row->numbers.end(), isLottoNumber))
                    file.foreign = true;
                if (isAustrianDraw(row->numbers)) draw = row;
            }
            if (draw) layout = Layout::Csv;
        }
        if (!draw && (layout == Layout::Unknown || layout == Layout::Original)) {
            draw = parseOriginalLine(line, nameYear);
            if (draw) layout = Layout::Original;
        }
        if (draw) draws.push_back(*draw);
    });
    if (file.foreign) draws.clear();
    sortDraws(draws);
    if (layout == Layout::Today && !file.foreign) file.prizes = today.prizes();
    return file;
}

} // namespace lotto
