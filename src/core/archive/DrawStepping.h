#pragma once

#include "core/archive/ArchiveFilter.h"
#include "core/archive/DrawArchive.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace lotto {

// The stepping arrows beside the shown draw: one record back or forward in the archive,
// passing over draws on a weekday that is switched off.

enum class StepDirection { Back, Forward };

// Whether the arrows pass over the draw: a Sunday or Wednesday draw whose box is off. Draws on
// other days (Friday and holiday draws) are never passed over; the start date does not count.
bool skippedByStepping(const DrawRecord& record, const ArchiveFilter& weekdays);

// The record a stepping index shows: the index kept within the count records (count > 0).
std::int64_t steppedRecord(std::int64_t index, std::int64_t count);

// One step among count records (count > 0) from the stepping index `current`: the index to
// show, or none when no draw in that direction may be shown (the shown draw stays). Back
// stops at the first record. Forward stops at the last; when that is passed over, it turns
// back once to the record before it. skipped(i) tells whether record i is passed over. The
// index may lie beyond the records (the archive has shrunk); it shows steppedRecord().
std::optional<std::int64_t> stepIndex(std::int64_t count, std::int64_t current, StepDirection direction,
                                      const std::function<bool(std::int64_t record)>& skipped);

struct DrawStep {
    std::int64_t index = 0;
    DrawRecord record;
};

// The same step through the archive's records by the weekday boxes: the new stepping index
// and the record it shows, or none (also in an empty archive).
std::optional<DrawStep> stepDraw(DrawArchiveReader& reader, std::int64_t current, StepDirection direction,
                                 const ArchiveFilter& weekdays);

} // namespace lotto
