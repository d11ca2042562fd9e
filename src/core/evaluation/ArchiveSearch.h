#pragma once

#include "core/archive/DrawArchive.h"
#include "core/archive/PrizeStore.h"
#include "core/evaluation/CurrentDraw.h"
#include "core/evaluation/TipGrid.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
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

// One line of the search's list: a tip that reached the threshold at a draw, with the rank
// it reached there and that rank's quota where the draw's quotas are stored.
struct TipSearchHit {
    int tip = 0; // 0..7
    DayNumber day = 0;
    int hits = 0;
    bool extraHit = false;
    std::optional<PrizeRank> rank;
    std::optional<std::int64_t> quotaCents;
};

// The hit as the list shows it for `draw` after a check: rank and quota from the stored quotas.
TipSearchHit tipSearchHit(int tip, const CurrentDraw& draw, const PrizeTable& quotas);

// Checks tips 1 to 8 (their cell texts as they stand, as Zettelcheck reads them) against every
// record from `start` on, in file order, reading on from the reader once. Each record is loaded
// into `draw`, which keeps the last one searched; afterCheck(tip) runs after each tip's check
// with its result in draw.hits and draw.extraHit, and stops the search by returning false.
TipSearchCounts searchTipsInArchive(DrawArchiveReader& reader, DayNumber start,
                                    const std::array<std::string, tipgrid::kCells>& cells, CurrentDraw& draw,
                                    const std::function<bool(int tip)>& afterCheck);

} // namespace lotto
