#pragma once

#include "core/archive/ArchiveFilter.h"
#include "core/archive/DrawArchive.h"
#include "core/archive/PrizeStore.h"
#include "core/evaluation/TipGrid.h"
#include "core/util/CheckedMath.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lotto {

// The rank a tip reaches with `hits` main numbers and, if extraHit, the extra number.
// Fewer than three hits with the extra number rank "ZZ" only where the draw pays it.
std::optional<PrizeRank> prizeRank(int hits, bool extraHit, bool drawPaysExtraOnly);

// One tip at one draw: its main-number hits and the rank it reaches there.
struct TipAtDraw {
    int hits = 0;
    std::optional<PrizeRank> rank;
};
TipAtDraw scoreTip(const std::array<int, 6>& numbers, const DrawRecord& record, bool drawPaysExtraOnly);

// The rank and amount at one draw, for a hit label's tooltip: "Rang 3er + ZZ: 16,10 €",
// "Rang 4er: keine Quote gespeichert", "kein Gewinnrang".
std::string prizeHint(std::optional<PrizeRank> rank, const std::vector<PrizeQuota>* quotas);

// One tip's (or all tips') account over a period.
struct PrizeTally {
    std::int64_t played = 0;
    std::array<std::int64_t, kPrizeRanks> ranks{};
    std::int64_t wonCents = 0;
    std::int64_t stakeCents = 0;
    std::int64_t netCents() const { return checkedSub(wonCents, stakeCents); }
    void add(const PrizeTally& other);
};

struct NumberedTip {
    int tip = 0; // 0..11
    std::array<int, 6> numbers{};
};

// The tips whose six cells all hold a number.
std::vector<NumberedTip> completeTips(const std::array<std::string, tipgrid::kCells>& cells);

struct PrizeBalance {
    std::vector<int> tips;          // tip numbers 0..11, in order
    std::vector<PrizeTally> perTip; // parallel to tips
    PrizeTally total;
    std::int64_t draws = 0;              // draws played
    std::int64_t drawsWithoutQuotas = 0; // of those, draws with no stored quotas
    // The cumulative net of all tips together after each draw played.
    std::vector<std::pair<DayNumber, std::int64_t>> netCurve;
};

// Calls onDraw for every draw up to `to` that passes the filter, in archive order, with the
// quotas stored for its day (empty when there are none): the draws a balance is played on.
void forEachPlayedDraw(DrawArchiveReader& reader, const ArchiveFilter& filter, DayNumber to,
                       const PrizeTable& quotas,
                       const std::function<void(const DrawRecord&, const std::vector<PrizeQuota>&)>& onDraw);

// Every tip played at every draw that passes filter and lies on or before `to`, at
// stakeCents per tip and draw. A rank counts at every draw that passes (ZZ alone only
// where the draw pays it); only stored quotas add to the amount won.
PrizeBalance computePrizeBalance(DrawArchiveReader& reader, const ArchiveFilter& filter, DayNumber to,
                                 const std::vector<NumberedTip>& tips, const PrizeTable& quotas,
                                 std::int64_t stakeCents);

} // namespace lotto
