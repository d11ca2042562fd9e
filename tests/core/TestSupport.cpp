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

std::vector<DrawRecord> realDraws() {
    // Read straight from the CSV, independently of the build's archive tool.
    std::ifstream in(std::string(LOTTO_SOURCE_DIR) + "/data/austria-6aus45.csv");
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
                               numbers.at(6)));
    }
    return records;
}

std::string austrianYearFile(int year, const std::vector<DrawRecord>& draws) {
    std::string text = "Datum;Runde;Zahlen;;;;;;Zusatzzahl\r\n";
    int round = 0;
    for (const DrawRecord& d : draws) {
        const CivilDate c = civilDate(d.day());
        if (c.year != year) continue;
        char date[16];
        std::snprintf(date, sizeof date, year < 1999 ? "%02d.%02d." : "%02d.%02d.%04d", c.day, c.month, c.year);
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
            text += "<tr><td class=\"datum\">\nZiehung  vom " + std::string(shortDayName(weekday(d.day()))) + "., " +
                    twoDigitYearDate(d.day()) + "</td></tr>\n";
        for (std::size_t i = 0; i < 7; ++i)
            text += "<td><img src=\"/bilder/lottozahlen/" + std::to_string(d.numbers[i]) + ".gif\"></td>\n";
    }
    return text + "</table></body></html>\n";
}

std::string latestDrawPage(const std::vector<DrawRecord>& draws, int superzahl) {
    std::string text = "<html><body>\n<h2>Ziehungen</h2>\n";
    for (const DrawRecord& d : draws) {
        text += "<p>Ziehung vom " + std::string(longDayName(weekday(d.day()))) + ", " + twoDigitYearDate(d.day()) +
                ":<br><b>";
        for (std::size_t i = 0; i < 6; ++i)
            text += std::to_string(d.numbers[i]) + (i < 5 ? "," : "");
        const std::string extra = std::to_string(d.extra());
        text += " ZZ:" + std::string(extra.size() < 2 ? " " : "") + extra + " SZ: " + std::to_string(superzahl) +
                "</b></p>\n";
    }
    return text + "</body></html>\n";
}

std::string realArchivePath() {
    return std::string(LOTTO_BINARY_DIR) + "/ZahlenAT.dat";
}

} // namespace lotto::test
