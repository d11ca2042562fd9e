#pragma once

#include "core/import/ImportSession.h"

#include <optional>
#include <string>
#include <string_view>

namespace lotto {

// The Austrian operator's page of the last ten draws, read line by line in one pass.
// A line with "Ziehung  vom" opens a draw (first completing the pending one when it has
// seven numbers); its date is the "dd.mm.yy" just before the first "<" of that line, or of
// the next line when the opening line has no ", ". A date line without "<", or with fewer
// than eight characters before it, opens no draw. "lottozahlen/" gives the next number (the
// text up to the next "." within 15 characters): six main numbers, then the extra number,
// which completes the draw; "superzahlen/" is read the same way and completes it too.
// A complete draw without seven numbers is dropped, never stored torn. A date or number that
// does not convert throws ConversionError.
class AustrianLastTenParser {
public:
    explicit AustrianLastTenParser(int referenceYear) : m_referenceYear(referenceYear) {}
    // The draw the line completed, if any.
    std::optional<ParsedDraw> feed(std::string_view line);
    // At the end of the page: the pending draw if it has its seven numbers.
    std::optional<ParsedDraw> finish();

private:
    std::optional<ParsedDraw> complete();
    void openDraw(std::string_view dateLine);

    int m_referenceYear;
    bool m_open = false;     // a draw has its date and takes numbers
    bool m_dateNext = false; // the opening line had no ", ": the date is on this line
    std::size_t m_count = 0; // numbers read for the open draw
    ParsedDraw m_draw;
};

// The page's address on the server ("http://host[:port]", a trailing "/" allowed).
std::string austrianLastTenUrl(std::string_view server);

// The last-ten import inside an open session: the picker moved 2 days on, one fetch, every
// draw later than the newest stored one offered in page order, the picker moved 7 days on.
void runAustrianLastTenImport(ImportSession& session, std::string_view server);

} // namespace lotto
