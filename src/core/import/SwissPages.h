#pragma once

#include "core/import/ImportSession.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace lotto {

// Reads a year's page of the Swiss results server. A draw is a fixed block of lines from a
// line with "textb" on: up to 1996 the "textb" line gives the draw's number in the year
// (dated that number's Saturday), one line skipped, six number lines, one skipped, the extra
// number line; from 1997 one line skipped, a date line ("dd.mm.yyyy" after its first ";"),
// one skipped, six number lines, one skipped, the extra number line. A number line without
// its marker leaves that number 0; a date line without ";" keeps the previous draw's date.
// A block cut off by the end of the page, or without any date, is not handed over. A date
// or number that does not convert throws ConversionError.
class SwissPageParser {
public:
    SwissPageParser(int year, std::function<void(const ParsedDraw&)> onDraw)
        : m_year(year), m_onDraw(std::move(onDraw)) {}

    void line(std::string_view text);

private:
    int m_year;
    std::function<void(const ParsedDraw&)> m_onDraw;
    int m_blockLine = -1; // lines read of the current block; -1 outside a block
    std::array<int, 7> m_numbers{};
    DayNumber m_day = 0;
};

// The draw number's Saturday in a year: 1 January, minus its weekday (Sunday 1 ..
// Saturday 7), plus 7 x number. Throws ConversionError for a day outside the calendar.
DayNumber swissDrawSaturday(int year, int drawNumber);

// The Swiss results server.
inline constexpr const char* kSwissDefaultServer = "http://www.tkalnor.ch";

// The year's page on the server ("/tkalnor/lotto/Z" + year + ".shtml").
std::string swissYearUrl(std::string_view server, int year);

// Puts a CR before every LF of the file (the pages of 1999 and from 2001 on end their lines
// with LF alone).
void addCarriageReturns(const std::string& path);

// The Swiss import inside an open session: one page per year from the year of
// DateTimePicker1 to the current one (ImportSession::readYears), the picker moved to
// 5 January of the next year after each; a page that does not arrive is a failure of the
// run, the years after it are still read. A draw later than the newest stored one is appended; from 1999 on
// an older draw is inserted in date order, unless the archive already has a draw on its day.
void runSwissImport(ImportSession& session, std::string_view server);

} // namespace lotto
