#pragma once

#include "core/archive/PrizeStore.h"
#include "core/import/ImportSession.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lotto {

// One line of the Austrian operator's results files as published today. The layout is
// recognised by the line's content:
//   1986-2010  "So.;07.09.;1;20;22;24;27;40;Zz:;12;prizes...;drawing order..."
//   2010-2017  "So;21.11.;aufsteigend;1;13;24;30;36;38;Zz;19;prizes..." and a second
//              line ";;gezogen;..." with the numbers in drawing order
//   from 2018  heading "Datum;Reihenfolge;...", "04.01.;aufsteigend;1;4;15;16;22;38;ZZ;11;
//              prizes..." and prize-only lines "04.01.;;;;;;;;;;4er;..."
// and in every file a section line "1999 Lotto - Beträge in ATS;;;..." opening a year.
enum class TodayLineKind {
    Unknown,      // skipped
    Section,      // year
    Heading,      // "Datum;..."
    Draw,         // day, month, numbers (ascending line), prizeFields
    DrawingOrder, // the "gezogen" line of a two-line draw
    PrizeOnly,    // a date or nothing, no numbers, prize fields
};

struct TodayLine {
    TodayLineKind kind = TodayLineKind::Unknown;
    int year = 0;                     // Section
    std::optional<Currency> currency; // Section: "Beträge in ATS" / "in EUR"
    int day = 0, month = 0;           // Draw
    std::array<int, 7> numbers{};     // Draw: six main numbers as listed, then the extra number
    // Draw, DrawingOrder and PrizeOnly: the raw fields after the extra number (prize classes,
    // and in the oldest layout the numbers in drawing order).
    std::vector<std::string_view> prizeFields;
};

// No results line of any layout comes near this length; a longer line is none (and is not
// split into millions of fields).
inline constexpr std::size_t kMaxResultsLine = 4096;

// Views into line; a draw is six distinct numbers 1..45 and an extra number 1..45 with a
// "d.m." or "dd.mm." date. A UTF-8 byte-order mark before the line is passed over. Notes in
// place of the numbers ("entfallen", "Ziehung wurde auf den ... verschoben") are Unknown.
TodayLine parseTodayLine(std::string_view line);

// A rank name as the files write it ("6er", "5er + ZZ", "5er+ZZ", "Zusatzzahl" ...); empty
// for anything else.
std::optional<PrizeRank> readPrizeRankName(std::string_view name);

// The prize classes among a line's fields: groups of rank name, winners, "à" or "€", amount
// ("6er;1;€;1.200.000,00"). Groups whose rank is unknown, and amounts without a rank name
// (the oldest layout), give nothing. `currency` is that of groups written with "à".
std::vector<PrizeQuota> readPrizeFields(const std::vector<std::string_view>& fields, Currency currency);

// Reads a results file line by line: the year comes from the section lines, before the
// first one from the year given at construction. Dates that are no day of that year are
// not draws. The prize classes of a draw (on its line, its drawing-order line and the
// prize-only lines after it) are collected in prizes().
class TodayFileReader {
public:
    explicit TodayFileReader(int year) : m_year(year) {}
    std::optional<ParsedDraw> read(std::string_view line);
    const PrizeTable& prizes() const { return m_prizes; }

private:
    void addPrizes(DayNumber day, const std::vector<std::string_view>& fields);

    int m_year;
    std::optional<Currency> m_currency;
    std::optional<DayNumber> m_lastDraw;
    PrizeTable m_prizes;
};

// One row of the table that says which file serves which years: "FROM-TO=PATH", TO empty
// for open-ended; "{JJJJ}" in PATH stands for the year (one file per year).
struct TodayFileEntry {
    int firstYear = 0;
    int lastYear = 9999;
    std::string path;
};
// The operator's static host and its file names as projects that download them today name
// them; earlier versions stored the "Earlier" values as their defaults.
inline constexpr const char* kTodayDefaultServer = "https://statics.win2day.at";
inline constexpr const char* kTodayDefaultFiles =
    "1986-2010=/media-nopagespeed/lotto-ergebnisse-1986-2010.csv;"
    "2010-2017=/media-nopagespeed/lotto-ziehungen-2010-2017.csv;"
    "2018-=/media/NN_W2D_STAT_Lotto_{JJJJ}.csv";
inline constexpr const char* kTodayEarlierServer = "https://www.win2day.at";
inline constexpr const char* kTodayEarlierFiles = "1986-2010=/media/NN_W2D_STAT_Lotto_1986_2010.csv;"
                                                  "2010-2017=/media/NN_W2D_STAT_Lotto_2010_2017.csv;"
                                                  "2018-=/media/NN_W2D_STAT_Lotto_{JJJJ}.csv";
// Rows separated by ";" or line ends; rows that do not read are left out.
std::vector<TodayFileEntry> parseTodayFileTable(std::string_view table);

// The files' addresses for one year, in table order.
struct TodayFileUrl {
    std::string url;
    int firstYear; // the year before the file's first section line
};
std::vector<TodayFileUrl> todayFileUrls(std::string_view server, const std::vector<TodayFileEntry>& table,
                                        int year);

// The draws of one fetched or read file, in ascending order of their days (a file listing
// the newest draw first loses nothing to the append rule).
void sortDraws(std::vector<ParsedDraw>& draws);

// The import of today's files inside an open session: the years from that of
// DateTimePicker1 to the current one, for each year the files serving it that have not been
// fetched in this run, their draws offered in ascending order; the picker moved to 1 January
// of the next year after each year (ImportSession::readYears). Stops between years on a stop request, and
// before a year whose file did not arrive whole (ImportSession::fetchYear). The quotas of every draw read up
// to today, also of draws already stored, are added to prizes.
void runAustrianTodayImport(ImportSession& session, std::string_view server, std::string_view fileTable,
                            PrizeTable& prizes);

// Adds the quotas of from to into, draw by draw and rank by rank.
void mergePrizes(PrizeTable& into, const PrizeTable& from);

// A results file on disk: today's layouts, the original yearly layout (year from "lo_YYYY"
// in the name or the line's full date) or the CSV of the bundled draws ("yyyy-mm-dd,n1..n6,z").
// The layout is that of the first line that reads as a draw. No draws: none of these layouts.
// Quotas come from today's layouts only. A CSV headed by other columns than the bundled
// draws' or with a number outside 1..45 is another game's file: foreign, and no draws.
struct ResultsFile {
    std::vector<ParsedDraw> draws;
    PrizeTable prizes;
    bool foreign = false;
};
ResultsFile readResultsFile(std::string_view text, std::string_view fileName);

} // namespace lotto
