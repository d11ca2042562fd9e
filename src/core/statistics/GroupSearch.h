#pragma once

#include "core/archive/ArchiveFilter.h"
#include "core/archive/DrawArchive.h"
#include "core/statistics/ChartModel.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lotto {

// Runs of neighbouring numbers drawn together: a draw holds the run s..s+L-1 when its main
// numbers hit all L of them (a number byte outside 1..45 never hits).
struct RunSearchResult {
    int length = 2;
    std::array<int, 46> counts{}; // by the run's first number
    long long draws = 0;
    long long found = 0;
    // The last passing draw, and the hit count of the last run tested against it: what the
    // current-draw buffer holds after the search.
    std::optional<DrawRecord> lastDraw;
    std::uint8_t lastHits = 0;
    bool lastExtraHit = false;
};

RunSearchResult searchRuns(const DrawArchive& archive, const ArchiveFilter& filter, int length);
// One passing draw more for a search of result.length (kept up to date draw by draw).
void addDraw(RunSearchResult& result, const DrawRecord& record);
// Pairs and triples: 44 and 43 points, value axis fixed; quadruples: 45 points, automatic.
ChartModel runSearchChart(const RunSearchResult& result);

// Overdue numbers: 1 + passing draws since the number's last appearance as main or extra
// number; 1 + all passing draws if it never appeared.
std::array<int, 46> countOverdue(const DrawArchive& archive, const ArchiveFilter& filter);
std::array<int, 46> noOverdue(); // before any draw: all 1
void addOverdue(std::array<int, 46>& counters, const DrawRecord& record);
ChartModel overdueChart(const std::array<int, 46>& counters);

} // namespace lotto
