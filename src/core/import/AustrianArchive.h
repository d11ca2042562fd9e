#pragma once

#include "core/import/ImportSession.h"

#include <optional>
#include <string>
#include <string_view>

namespace lotto {

// One line of the Austrian operator's yearly results file for the given year. Up to 1998
// the six numbers are fields 4 to 9 and the extra number field 11; from 1999 on fields 3
// to 8 and field 9. The date is the line's first six characters ("dd.mm.") with the year.
// A line whose date does not read, or whose numbers are not six distinct numbers 1..45 and
// an extra number 1..45, is not a draw line.
std::optional<ParsedDraw> parseAustrianLine(std::string_view line, int year);

// Where the operator served these files until 2017 (as "/download/lo_JJJJ.csv"), and the
// server that earlier versions named instead; both can be chosen on "Internet-Optionen".
inline constexpr const char* kYearlyDefaultServer = "https://www.win2day.at";
inline constexpr const char* kYearlyEarlierServer = "https://www.lotterien.at";

// The yearly file's address on the server ("http://host[:port]", a trailing "/" allowed).
std::string austrianYearUrl(std::string_view server, int year);

// The Austrian archive import inside an open session: one file per year from the year of
// DateTimePicker1 to the current one, each line offered to the session, the picker moved
// to 1 January of the next year after each (ImportSession::readYears). Stops between years
// on a stop request, and before a year whose file did not arrive whole
// (ImportSession::fetchYear).
void runAustrianImport(ImportSession& session, std::string_view server);

} // namespace lotto
