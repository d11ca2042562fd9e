#include "core/archive/DrawStepping.h"

#include <algorithm>

namespace lotto {

bool skippedByStepping(const DrawRecord& record, const ArchiveFilter& weekdays) {
    const int wd = weekday(record.day());
    return (wd == kSunday && !weekdays.sundays) || (wd == kWednesday && !weekdays.wednesdays);
}

std::int64_t steppedRecord(std::int64_t index, std::int64_t count) {
    return std::min(std::max<std::int64_t>(index, 0), count - 1);
}

std::optional<std::int64_t> stepIndex(std::int64_t count, std::int64_t current, StepDirection direction,
                                      const std::function<bool(std::int64_t record)>& skipped) {
    std::int64_t index = current;
    if (direction == StepDirection::Back) {
        for (;;) {
            index = std::max<std::int64_t>(index - 1, 0);
            if (!skipped(steppedRecord(index, count))) return index;
            if (index == 0) return std::nullopt;
        }
    }
    bool turnedBack = false;
    for (;;) {
        ++index;
        const bool atEnd = index >= count - 1;
        if (atEnd) index = count - 1;
        if (!skipped(steppedRecord(index, count))) return index;
        // Passed over at the end: the step turns back to the record before the last. If that
        // is passed over as well, no later draw is on a chosen weekday.
        if (turnedBack || (atEnd && count < 2)) return std::nullopt;
        if (atEnd) {
            turnedBack = true;
            index -= 2;
        }
    }
}

namespace {
DrawRecord readRecord(DrawArchiveReader& reader, std::int64_t index) {
    reader.seek(steppedRecord(index, reader.recordCount()));
    DrawRecord record;
    reader.next(record);
    return record;
}
} // namespace

std::optional<DrawStep> stepDraw(DrawArchiveReader& reader, std::int64_t current, StepDirection direction,
                                 const ArchiveFilter& weekdays) {
    const std::int64_t count = reader.recordCount();
    if (count == 0) return std::nullopt;
    const auto index = stepIndex(count, current, direction, [&](std::int64_t record) {
        return skippedByStepping(readRecord(reader, record), weekdays);
    });
    if (!index) return std::nullopt;
    return DrawStep{*index, readRecord(reader, *index)};
}

} // namespace lotto
