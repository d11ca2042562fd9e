#pragma once

#include "core/archive/DrawArchive.h"
#include "core/util/Dates.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace lotto {

// The archive's upkeep from the "Datenbank" page: the text export, removing a draw and a
// draw entered by hand. Every rewrite goes through DrawArchive::rewrite (a temporary copy
// renamed over the archive), so the archive is the old or the new file, never torn or gone.

// One line of the text export: "dd.mm.yyyy" and ",n" for bytes 8 to 15, then ";" CR LF.
std::string exportLine(const DrawRecord& record);
// Writes every record dated on or after `from` (whatever its weekday) to path as
// Windows-1252 text, written as a whole or not at all. Refuses the archive or its
// temporary files as path; a missing archive fails before anything is written.
void exportText(const DrawArchive& archive, DayNumber from, const std::string& path);

// Number of records dated on the day.
std::int64_t countDrawsOn(const DrawArchive& archive, DayNumber day);
// Rewrites the archive without the records dated on the day; returns how many went. When
// none is dated so, the archive is left as it is.
std::int64_t removeDrawsOn(const DrawArchive& archive, DayNumber day);

// A draw as the entry dialog returns it, not yet checked.
struct DrawEntry {
    DayNumber date = 0;
    std::array<int, 6> main{};
    int extra = 0;
    bool operator==(const DrawEntry&) const = default;
};

// Why the entry cannot be stored (a German message), or nothing when it can: every number
// within 1..45, six different main numbers, an extra number that is none of them, and a date
// no later than today.
std::optional<std::string> entryProblem(const DrawEntry& entry, DayNumber today);
// The record an entry is stored as: main numbers ascending, the slot byte as given.
DrawRecord entryRecord(const DrawEntry& entry, std::uint8_t slot);

enum class EntryWrite { Appended, Inserted, Replaced };
// Stores the record in date order (whole days): appended in place when it is later than the
// last record, otherwise the archive is rewritten with it before the first record of an
// equal or later date, a record of the same date replaced.
EntryWrite insertOrReplace(const DrawArchive& archive, const DrawRecord& record);

} // namespace lotto
