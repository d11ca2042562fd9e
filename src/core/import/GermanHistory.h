#pragma once

#include "core/import/ImportSession.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace lotto {

// Reads the German operator's history page line by line. "Ziehung  am" opens a draw (its
// date "dd.mm.yy" stands just before the first "</b>", on that line or, when the line has
// none, on the next); each "lottozahlen/" gives the next number (six main numbers, the extra
// number, then the Superzahl); "superzahlen/" gives the Superzahl and completes the draw;
// "Ziehung B" starts the day's second draw. A draw goes to onDraw once, when it is complete,
// when the next draw opens or at the end of the page, and only with its six main numbers
// and a date: a draw cut short is never handed over. The extra number is 0 when the page
// lists none (since 2013 the draws have six numbers and a Superzahl only). Numbers are
// handed over as read (the German ones run to 49). The two-digit year is taken nearest to
// referenceYear. A date or number that does not convert throws ConversionError.
class GermanHistoryParser {
public:
    GermanHistoryParser(int referenceYear, std::function<void(const ParsedDraw&)> onDraw)
        : m_referenceYear(referenceYear), m_onDraw(std::move(onDraw)) {}

    void line(std::string_view text);
    void end();

private:
    void open();
    void handOver();
    void readDate(std::string_view text);

    int m_referenceYear;
    std::function<void(const ParsedDraw&)> m_onDraw;
    std::array<int, 8> m_numbers{}; // six main numbers, the extra number, the Superzahl
    std::size_t m_filled = 0;
    DayNumber m_day = 0; // 0 while the draw has no readable date
    bool m_complete = false;
    bool m_handedOver = false;
    bool m_dateOnNextLine = false;
};

// The German operator's server, which serves the history pages.
inline constexpr const char* kGermanDefaultServer = "https://www.lotto.de";

// The history page for a day: realtime.pl with the day, month and year without leading zeros.
std::string germanHistoryUrl(std::string_view server, DayNumber day);

// The German history import inside an open session: DateTimePicker1 two days past the
// newest stored draw, then one page per week while today is on or after the picker; each
// page's two-digit years are read around the year of the week requested.
void runGermanImport(ImportSession& session, std::string_view server);

} // namespace lotto
