#pragma once

#include "core/archive/ArchiveFilter.h"
#include "core/archive/DrawArchive.h"
#include "core/archive/PrizeStore.h"
#include "core/evaluation/PrizeBalance.h"
#include "core/system/SystemBet.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace lotto {

// One draw as a system is checked against it.
struct SystemDraw {
    std::array<int, 6> main{};
    int extra = 0;
    bool paysExtraOnly = false; // the draw's stored ranks include "ZZ"
};

// How many of the system's tips reach each rank, in rank order (PrizeRank).
using RankCounts = std::array<std::int64_t, kPrizeRanks>;

// By formula: the hits among bankers and among choice numbers decide how many tips take
// j drawn choice numbers (and the extra number or not), without building a tip.
RankCounts countSystemRanks(const SystemBet& bet, const SystemDraw& draw);
// By walking every tip through the one hit counter; the reference the formula is tested against.
RankCounts countSystemRanksByWalking(const std::vector<SystemTip>& tips, const SystemDraw& draw);
// The rank of one tip at the draw, if any.
std::optional<PrizeRank> tipRank(const SystemTip& tip, const SystemDraw& draw);

// The amount the counts win at a draw with these stored quotas (a rank without one wins nothing).
std::int64_t systemWonCents(const RankCounts& counts, const std::vector<PrizeQuota>& quotas);

// The system played at every draw that passes filter and lies on or before `to`, at
// stakeCents per tip and draw: `played` counts the draws. netAfterDraw holds the system's
// own net after each draw, in archive order, as PrizeBalance::netCurve does for the tips.
struct SystemBalance {
    PrizeTally tally;
    std::vector<std::pair<DayNumber, std::int64_t>> netAfterDraw;
};
SystemBalance computeSystemBalance(DrawArchiveReader& reader, const ArchiveFilter& filter, DayNumber to,
                                   const SystemBet& bet, const PrizeTable& quotas, std::int64_t stakeCents);

// Adds the system's row to a balance of the tips over the same draws: its tally to the
// total and its net to the curve.
void addSystemToBalance(PrizeBalance& balance, const SystemBalance& system);

} // namespace lotto
