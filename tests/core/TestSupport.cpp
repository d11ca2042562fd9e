#include "core/TestSupport.h"

#include "core/util/Text.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

namespace lotto::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("lotto-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

DrawRecord draw(int year, int month, int day, std::vector<int> main, int extra, int slot) {
    DrawRecord r;
    r.date = dayNumber(year, month, day);
    for (std::size_t i = 0; i < 6 && i < main.size(); ++i)
        r.numbers[i] = static_cast<std::uint8_t>(main[i]);
    r.numbers[6] = static_cast<std::uint8_t>(extra);
    r.numbers[7] = static_cast<std::uint8_t>(slot);
    return r;
}

void writeArchive(const std::string& path, const std::vector<DrawRecord>& records) {
    const auto bytes = DrawArchive::encodeAll(records);
    writeBytes(path, std::string(bytes.begin(), bytes.end()));
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {

// "yyyy-mm-dd,n1,...,n6[,x]" after a heading; x is the extra number when withExtra, else 0.
std::vector<DrawRecord> readDrawCsv(const std::string& path, bool withExtra) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    std::vector<DrawRecord> records;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::string date, value;
        std::getline(fields, date, ',');
        std::vector<int> numbers;
        while (std::getline(fields, value, ','))
            numbers.push_back(std::stoi(value));
        records.push_back(draw(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)),
                               std::stoi(date.substr(8, 2)), {numbers.begin(), numbers.begin() + 6},
                               withExtra ? numbers.at(6) : 0));
    }
    return records;
}

} // namespace

std::vector<DrawRecord> realDraws() {
    // Read straight from the CSV, independently of the build's archive tool.
    return readDrawCsv(sourcePath("data/austria-6aus45.csv"), true);
}

std::vector<DrawRecord> realGermanDraws() {
    return readDrawCsv(sourcePath("tests/data/germany-6aus49.csv"), false);
}

std::string austrianYearFile(int year, const std::vector<DrawRecord>& draws) {
    std::string text = "Datum;Runde;Zahlen;;;;;;Zusatzzahl\r\n";
    int round = 0;
    for (const DrawRecord& d : draws) {
        const CivilDate c = civilDate(d.day());
        if (c.year != year) continue;
        char date[16];
        std::snprintf(date, sizeof date, year < 1999 ? "%02d.%02d." : "%02d.%02d.%04d", c.day, c.month,
                      c.year);
        text += std::string(date) + ";" + std::to_string(++round) + ";";
        if (year < 1999) text += "x;";
        for (int i = 0; i < 6; ++i)
            text += std::to_string(d.numbers[static_cast<std::size_t>(i)]) + ";";
        if (year < 1999) text += "0;";
        text += std::to_string(d.extra()) + (year < 1999 ? ";\r\n" : "\r\n");
    }
    return text;
}

namespace {

const DayNumber kTwoLineLayoutFrom = dayNumber(2010, 7, 1);

std::string numbersOf(const DrawRecord& d, bool reversed) {
    std::string text;
    for (int i = 0; i < 6; ++i)
        text += std::to_string(d.numbers[static_cast<std::size_t>(reversed ? 5 - i : i)]) + ";";
    return text;
}

std::string dayMonth(DayNumber day, const char* format) {
    const CivilDate c = civilDate(day);
    char text[16];
    std::snprintf(text, sizeof text, format, c.day, c.month);
    return text;
}

std::string section(int year) {
    return std::to_string(year) + (year < 2002 ? " Lotto - Beträge in ATS" : " Lotto - Beträge in EUR") +
           ";;;;;;;;;;;;;\r\n";
}

// The older files are Windows-1252: "à" and "ä" as one byte each.
std::string windows1252(std::string text) {
    for (const auto& [utf8, single] : {std::pair{"\xC3\xA0", "\xE0"}, std::pair{"\xC3\xA4", "\xE4"}})
        for (std::size_t at = text.find(utf8); at != std::string::npos; at = text.find(utf8, at))
            text.replace(at, 2, single);
    return text;
}

} // namespace

std::string todayFile1986(const std::vector<DrawRecord>& draws) {
    std::string text;
    int year = 0;
    for (const DrawRecord& d : draws) {
        if (d.day() >= kTwoLineLayoutFrom) break;
        if (civilDate(d.day()).year != year) text += section(year = civilDate(d.day()).year);
        if (d.day() == dayNumber(1986, 9, 7)) {
            text += "So.;07.09.;1;20;22;24;27;40;Zz:;12;1;à;6.542.159,00\r\n";
        } else if (d.day() == dayNumber(1999, 9, 1)) {
            text +=
                "Mi.;01.09.;3;6;10;13;21;43;Zz:;7;4;à;5.442.999,00;15;à;271.997,00;415;à;14.746,00;19.480;à;"
                "418,00;296.846;à;34,00;10;43;21;13;3;6;Zz:;7;\r\n";
        } else {
            text += std::string(shortDayName(weekday(d.day()))) + ".;" + dayMonth(d.day(), "%02d.%02d.") +
                    ";" + numbersOf(d, false) + "Zz:;" + std::to_string(d.extra()) + ";2;à;1.234.567,00;" +
                    numbersOf(d, true) + "Zz:;" + std::to_string(d.extra()) + ";\r\n";
        }
        // A cancelled and a moved draw, noted in place of the numbers.
        if (d.day() == dayNumber(1986, 12, 21)) text += "So.;28.12.;;;;;;;;;entfallen\r\n";
        if (d.day() == dayNumber(1998, 12, 20))
            text += "Mi.;23.12.;Ziehung wurde auf den 27.12.1998 verschoben;;;;;;;;;;\r\n";
    }
    return windows1252(text);
}

std::string todayFile2010(const std::vector<DrawRecord>& draws) {
    std::string text;
    for (int year = 2017; year >= 2010; --year) {
        text += section(year);
        for (const DrawRecord& d : draws) {
            if (civilDate(d.day()).year != year || d.day() < kTwoLineLayoutFrom) continue;
            const std::string z = std::to_string(d.extra());
            if (d.day() == dayNumber(2010, 11, 21)) {
                text += "So;21.11.;aufsteigend;1;13;24;30;36;38;Zz;19;6er;2;à;1.864.444,50;5er + "
                        "ZZ;2;à;108.025,80;"
                        "5er;160;à;1.473,00;4er + ZZ;477;à;172,90;;;;;;\r\n"
                        ";;gezogen;38;24;13;36;30;1;Zz;19;4er;8.099;à;48,00;3er + "
                        "ZZ;11.676;à;16,10;3er;135.104;à;"
                        "5,10;ZZ;472.879;à;1,10;;;;;;\r\n";
                continue;
            }
            const std::string date = dayMonth(d.day(), "%d.%d.");
            text += std::string(shortDayName(weekday(d.day()))) + ";" + date + ";aufsteigend;" +
                    numbersOf(d, false) + "Zz;" + z + ";6er;1;à;1.000.000,00;;;;;;\r\n";
            text += ";;gezogen;" + numbersOf(d, true) + "Zz;" + z + ";4er;5.000;à;50,00;;;;;;\r\n";
        }
    }
    return windows1252(text);
}

std::string todayYearFile(int year, const std::vector<DrawRecord>& draws) {
    std::string text =
        "Datum;Reihenfolge;Zahl1;Zahl2;Zahl3;Zahl4;Zahl5;Zahl6;ZZ;Zusatzzahl;Rang_1_5;Anzahl_1_5;"
        "a_1_5;Quote_1_5\r\n" +
        section(year);
    for (const DrawRecord& d : draws) {
        if (civilDate(d.day()).year != year) continue;
        if (d.day() == dayNumber(2026, 1, 4)) {
            text += "04.01.;aufsteigend;1;4;15;16;22;38;ZZ;11;6er;1;€;1.200.000,00\r\n"
                    "04.01.;;;;;;;;;;4er;3.027;€;62,70\r\n";
            continue;
        }
        const std::string date = dayMonth(d.day(), "%02d.%02d.");
        text += date + ";aufsteigend;" + numbersOf(d, false) + "ZZ;" + std::to_string(d.extra()) +
                ";6er;0;€;0,00\r\n" + date + ";;;;;;;;;;5er;12;€;3.400,10\r\n" + date +
                ";;;;;;;;;;4er;3.027;€;62,70\r\n";
    }
    // UTF-8 with a byte-order mark and LF line ends.
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return "\xEF\xBB\xBF" + text;
}

namespace {
std::string twoDigitYearDate(DayNumber day) {
    const std::string date = formatShortDate(day); // dd.mm.yyyy
    return date.substr(0, 6) + date.substr(8, 2);
}
} // namespace

std::string austrianLastTenPage(const std::vector<DrawRecord>& draws) {
    std::string text = "<html><body><h1>Die letzten 10 Ziehungen</h1>\n<table>\n";
    for (const DrawRecord& d : draws) {
        if (weekday(d.day()) == kSunday)
            text += "<tr><td class=\"datum\">Ziehung  vom</td></tr>\nSonntag " + twoDigitYearDate(d.day()) +
                    "</td></tr>\n";
        else
            text += "<tr><td class=\"datum\">\nZiehung  vom " + std::string(shortDayName(weekday(d.day()))) +
                    "., " + twoDigitYearDate(d.day()) + "</td></tr>\n";
        for (std::size_t i = 0; i < 7; ++i)
            text += "<td><img src=\"/bilder/lottozahlen/" + std::to_string(d.numbers[i]) + ".gif\"></td>\n";
    }
    return text + "</table></body></html>\n";
}

std::string latestDrawPage(const std::vector<DrawRecord>& draws, int superzahl) {
    std::string text = "<html><body>\n<h2>Ziehungen</h2>\n";
    for (const DrawRecord& d : draws) {
        text += "<p>Ziehung vom " + std::string(longDayName(weekday(d.day()))) + ", " +
                twoDigitYearDate(d.day()) + ":<br><b>";
        for (std::size_t i = 0; i < 6; ++i)
            text += std::to_string(d.numbers[i]) + (i < 5 ? "," : "");
        const std::string extra = std::to_string(d.extra());
        text += " ZZ:" + std::string(extra.size() < 2 ? " " : "") + extra +
                " SZ: " + std::to_string(superzahl) + "</b></p>\n";
    }
    return text + "</body></html>\n";
}

std::string sourcePath(std::string_view relative) {
    return std::string(LOTTO_SOURCE_DIR "/").append(relative);
}

std::string binaryPath(std::string_view relative) {
    return std::string(LOTTO_BINARY_DIR "/").append(relative);
}

std::string realArchivePath() {
    return binaryPath("ZahlenAT.dat");
}

std::vector<DrawRecord> drawsUntil(const std::vector<DrawRecord>& draws, DayNumber last) {
    std::vector<DrawRecord> out;
    for (const DrawRecord& d : draws)
        if (d.day() <= last) out.push_back(d);
    return out;
}

std::vector<DrawRecord> prizeBalanceDraws() {
    return {draw(1999, 1, 3, {1, 2, 3, 4, 5, 6}, 7), draw(1999, 1, 6, {10, 11, 12, 13, 14, 15}, 16),
            draw(2010, 3, 7, {1, 2, 3, 20, 21, 22}, 40), draw(2010, 3, 10, {1, 2, 3, 4, 30, 31}, 32),
            draw(2010, 3, 12, {1, 2, 3, 4, 40, 44}, 45)};
}

const char* const kPrizeBalanceQuotas = "03.01.1999;4er;120;500000;ATS\n"
                                        "03.01.1999;3er;2000;10000;ATS\n"
                                        "07.03.2010;3er + ZZ;11676;1610;EUR\n"
                                        "07.03.2010;3er;135104;510;EUR\n"
                                        "07.03.2010;ZZ;472879;110;EUR\n"
                                        "10.03.2010;4er;8099;4800;EUR\n"
                                        "10.03.2010;3er;99;510;EUR\n"
                                        "12.03.2010;6er;1;99900;EUR\n";

} // namespace lotto::test
