#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lotto {

// Dates are whole day numbers counted from 30.12.1899, the epoch the archive file uses
// (day 2 = 01.01.1900). All formatting is German and independent of the system locale.
using DayNumber = int;

inline constexpr DayNumber kFirstDay = -693593; // 01.01.0001
inline constexpr DayNumber kLastDay = 2958465;  // 31.12.9999

struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;
    bool operator==(const CivilDate&) const = default;
};

DayNumber dayNumber(int year, int month, int day);
CivilDate civilDate(DayNumber day);
bool isValidCivilDate(int year, int month, int day);

// The whole-day part of an archive date. Values that are not finite or lie outside
// 0001..9999 (a damaged file) are clamped, so callers never convert garbage to int.
DayNumber wholeDay(double archiveDate);

// Weekday with Sunday = 1, Monday = 2, ..., Saturday = 7.
int weekday(DayNumber day);
inline constexpr int kSunday = 1;
inline constexpr int kWednesday = 4;
// The Sundays and Wednesdays after `from` and before `to`: draws that can be expected
// between them (the draw of the day `to` itself may still be to come).
int drawDaysBetween(DayNumber from, DayNumber to);
inline constexpr int kSaturday = 7;

std::string_view shortDayName(int weekday); // "So", "Mo", ...
std::string_view longDayName(int weekday);  // "Sonntag", ...

std::string formatShortDate(DayNumber day);   // "dd.mm.yyyy"
std::string formatDrawDate(DayNumber day);    // "DDD dd.mm.yy", e.g. "Mi 09.10.02"
std::string formatCompactDate(DayNumber day); // "yyyymmdd"

// Year of a two-digit year: the one in [referenceYear - 50, referenceYear + 49].
int expandTwoDigitYear(int twoDigitYear, int referenceYear);

// Reads "d.m.yyyy" or "d.m.yy" (one or two digits for day and month). A two-digit year is
// placed by expandTwoDigitYear around referenceYear.
std::optional<DayNumber> parseShortDate(std::string_view text, int referenceYear);

} // namespace lotto
