#include "core/util/Dates.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace lotto {

namespace {

// Days from 1970-01-01 to 1899-12-30 is -25569.
constexpr int kUnixOffset = 25569;

// Howard Hinnant's civil-date algorithms, proleptic Gregorian calendar.
int daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(int z) {
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

constexpr std::array<std::string_view, 7> kShortNames{"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
constexpr std::array<std::string_view, 7> kLongNames{"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                                     "Donnerstag", "Freitag", "Samstag"};

std::string twoDigits(int value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", value % 100);
    return buf;
}

} // namespace

bool isValidCivilDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static constexpr std::array<int, 12> kLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = month == 2 && leap ? 29 : kLengths[static_cast<std::size_t>(month - 1)];
    return day <= length;
}

DayNumber dayNumber(int year, int month, int day) {
    return daysFromCivil(year, month, day) + kUnixOffset;
}

CivilDate civilDate(DayNumber day) {
    return civilFromDays(day - kUnixOffset);
}

DayNumber wholeDay(double archiveDate) {
    if (!(archiveDate >= kFirstDay)) return kFirstDay; // also NaN
    if (archiveDate > kLastDay) return kLastDay;
    return static_cast<DayNumber>(std::floor(archiveDate));
}

int drawDaysBetween(DayNumber from, DayNumber to) {
    int count = 0;
    for (DayNumber day = from + 1; day < to; ++day)
        if (weekday(day) == kSunday || weekday(day) == kWednesday) ++count;
    return count;
}

int weekday(DayNumber day) {
    // 30.12.1899 (day 0) was a Saturday.
    const int mod = ((day % 7) + 7) % 7;
    return (mod + 6) % 7 + 1;
}

std::string_view shortDayName(int wd) {
    return kShortNames.at(static_cast<std::size_t>(wd - 1));
}
std::string_view longDayName(int wd) {
    return kLongNames.at(static_cast<std::size_t>(wd - 1));
}

std::string formatShortDate(DayNumber day) {
    const CivilDate c = civilDate(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", c.day, c.month, c.year);
    return buf;
}

std::string formatDrawDate(DayNumber day) {
    const CivilDate c = civilDate(day);
    std::string out(shortDayName(weekday(day)));
    out += ' ';
    out += twoDigits(c.day) + '.' + twoDigits(c.month) + '.' + twoDigits(c.year);
    return out;
}

std::string formatCompactDate(DayNumber day) {
    const CivilDate c = civilDate(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", c.year, c.month, c.day);
    return buf;
}

int expandTwoDigitYear(int twoDigitYear, int referenceYear) {
    const int low = referenceYear - 50;
    int year = low - ((low % 100) + 100) % 100 + twoDigitYear; // same century as low
    if (year < low) year += 100;
    return year;
}

std::optional<DayNumber> parseShortDate(std::string_view text, int referenceYear) {
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int part = 0;
    for (char ch : text) {
        if (ch >= '0' && ch <= '9') {
            if (digits[part] >= 4) return std::nullopt;
            parts[part] = parts[part] * 10 + (ch - '0');
            ++digits[part];
        } else if (ch == '.' && part < 2 && digits[part] > 0) {
            ++part;
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits[0] > 2 || digits[1] > 2 || (digits[2] != 2 && digits[2] != 4))
        return std::nullopt;
    int year = parts[2];
    if (digits[2] == 2) year = expandTwoDigitYear(year, referenceYear);
    if (!isValidCivilDate(year, parts[1], parts[0])) return std::nullopt;
    return dayNumber(year, parts[1], parts[0]);
}

} // namespace lotto
