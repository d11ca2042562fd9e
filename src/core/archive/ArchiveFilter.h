#pragma once

#include "core/archive/DrawRecord.h"

namespace lotto {

// The selection every statistic applies while reading the archive: draws on or after the
// start date, on a Sunday or Wednesday that the user has left switched on.
struct ArchiveFilter {
    DayNumber startDate = 0;
    bool sundays = true;
    bool wednesdays = true;

    bool passes(const DrawRecord& record) const {
        const DayNumber day = record.day();
        if (day < startDate) return false;
        const int wd = weekday(day);
        return (sundays && wd == kSunday) || (wednesdays && wd == kWednesday);
    }
};

} // namespace lotto
