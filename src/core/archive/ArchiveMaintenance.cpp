#include "core/archive/ArchiveMaintenance.h"

#include <algorithm>

namespace lotto {

std::string exportLine(const DrawRecord& record) {
    // Digits and punctuation only: the same bytes in Windows-1252 as in UTF-8.
    std::string line = formatShortDate(record.day());
    for (const std::uint8_t n : record.numbers) {
        line += ',';
        line += std::to_string(n);
    }
    line += ";\r\n";
    return line;
}

void exportText(const DrawArchive& archive, DayNumber from, const std::string& path) {
    archive.refuseAsOutput(path);
    DrawArchiveReader reader(archive.path()); // a missing archive fails before the output exists
    AtomicFile out(path);
    std::string block;
    DrawRecord record;
    while (reader.next(record)) {
        if (record.date < from) continue;
        block += exportLine(record);
        if (block.size() >= 64 * 1024) {
            out.write(block.data(), block.size());
            block.clear();
        }
    }
    out.write(block.data(), block.size());
    out.commit();
}

std::int64_t countDrawsOn(const DrawArchive& archive, DayNumber day) {
    std::int64_t count = 0;
    archive.forEach([&](const DrawRecord& r) { count += r.day() == day ? 1 : 0; });
    return count;
}

std::int64_t removeDrawsOn(const DrawArchive& archive, DayNumber day) {
    const std::int64_t count = countDrawsOn(archive, day);
    if (count == 0) return 0;
    archive.rewrite([&](const auto& emit) {
        archive.forEach([&](const DrawRecord& r) {
            if (r.day() != day) emit(r);
        });
    });
    return count;
}

std::optional<std::string> entryProblem(const DrawEntry& entry, DayNumber today) {
    if (entry.date > today)
        return "Die Ziehung vom " + formatShortDate(entry.date) + " liegt in der Zukunft (heute ist der " +
               formatShortDate(today) + "). Es wurde nichts gespeichert.";
    for (const int n : entry.main)
        if (!isLottoNumber(n))
            return "Die Zahlen der Ziehung müssen zwischen 1 und 45 liegen (eingegeben: " +
                   std::to_string(n) + ").";
    if (!isLottoNumber(entry.extra))
        return "Die Zusatzzahl muss zwischen 1 und 45 liegen (eingegeben: " + std::to_string(entry.extra) +
               ").";
    std::array<int, 6> sorted = entry.main;
    std::sort(sorted.begin(), sorted.end());
    const auto twice = std::adjacent_find(sorted.begin(), sorted.end());
    if (twice != sorted.end())
        return "Die sechs Zahlen der Ziehung müssen verschieden sein; die " + std::to_string(*twice) +
               " ist mehrfach eingegeben. Es wurde nichts gespeichert.";
    if (std::find(sorted.begin(), sorted.end(), entry.extra) != sorted.end())
        return "Die Zusatzzahl " + std::to_string(entry.extra) +
               " ist schon eine der sechs Zahlen der Ziehung. Es wurde nichts gespeichert.";
    return std::nullopt;
}

DrawRecord entryRecord(const DrawEntry& entry, std::uint8_t slot) {
    DrawRecord record;
    record.date = static_cast<double>(entry.date);
    std::array<int, 6> sorted = entry.main;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        record.numbers[i] = static_cast<std::uint8_t>(sorted[i]);
    record.numbers[DrawRecord::kExtraIndex] = static_cast<std::uint8_t>(entry.extra);
    record.numbers[DrawRecord::kSlotIndex] = slot;
    return record;
}

EntryWrite insertOrReplace(const DrawArchive& archive, const DrawRecord& record) {
    const std::optional<DrawRecord> last = archive.lastRecord(); // a missing archive fails here
    const DayNumber day = record.day();
    if (!last || day > last->day()) {
        archive.append(record); // whole record at 16 x N, over any fragment
        return EntryWrite::Appended;
    }
    bool written = false;
    bool replaced = false;
    archive.rewrite([&](const auto& emit) {
        archive.forEach([&](const DrawRecord& r) {
            if (!written && r.day() >= day) {
                emit(record);
                written = true;
            }
            if (r.day() == day)
                replaced = true;
            else
                emit(r);
        });
        if (!written) emit(record); // the archive changed since the last record was read
    });
    return replaced ? EntryWrite::Replaced : EntryWrite::Inserted;
}

} // namespace lotto
