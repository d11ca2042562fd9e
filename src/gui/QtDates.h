#pragma once

#include "core/util/Dates.h"

#include <QDate>

namespace lotto {

inline QDate toQDate(DayNumber day) {
    return QDate(1899, 12, 30).addDays(day);
}
inline DayNumber fromQDate(const QDate& date) {
    return static_cast<DayNumber>(QDate(1899, 12, 30).daysTo(date));
}

} // namespace lotto
