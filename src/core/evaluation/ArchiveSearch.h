#pragma once

#include "core/archive/DrawArchive.h"
#include "core/evaluation/CurrentDraw.h"
#include "core/evaluation/TipGrid.h"

#include <array>
#include <functional>
#include <string>

namespace lotto {

// "Tipps in DB suchen" checks the first eight tips only.
inline constexpr int kSearchedTips = 8;

// What the archive search saw: the draws searched and, for k = 0..9, how many checks of one
// of the eight tips against one of those draws reached exactly k hits.
struct TipSearchCounts {
    long long draws = 0;
    std::array<long long, 10> checksWithHits{};
};

// Checks tips 1 to 8 (their cell texts as they stand, as Zettelcheck reads them) against every
// record from `start` on, in file order, reading on from the reader once. Each record is loaded
// into `draw`, which keeps the last one searched; afterCheck(tip) runs after each tip's check
// with its result in draw.hits and draw.extraHit.
TipSearchCounts searchTipsInArchive(DrawArchiveReader& reader, DayNumber start,
                                    const std::array<std::string, tipgrid::kCells>& cells, CurrentDraw& draw,
                                    const std::function<void(int tip)>& afterCheck);

} // namespace lotto
