#include "core/system/SystemCheck.h"

#include "core/evaluation/CurrentDraw.h"
#include "core/util/CheckedMath.h"

#include <algorithm>

namespace lotto {

namespace {

bool contains(const std::vector<int>& numbers, int n) {
    return std::binary_search(numbers.begin(), numbers.end(), n);
}

void countRank(RankCounts& counts, int hits, bool extraHit, bool paysExtraOnly, std::int64_t tips) {
    if (tips == 0) return;
    if (const auto rank = prizeRank(hits, extraHit, paysExtraOnly))
        counts[static_cast<std::size_t>(*rank)] += tips;
}

} // namespace

RankCounts countSystemRanks(const SystemBet& bet, const SystemDraw& draw) {
    RankCounts counts{};
    int bankerHits = 0;
    int choiceHits = 0;
    for (const int n : draw.main) {
        bankerHits += contains(bet.bankers, n) ? 1 : 0;
        choiceHits += contains(bet.choices, n) ? 1 : 0;
    }
    const bool extraBanker = contains(bet.bankers, draw.extra);
    const bool extraChoice = contains(bet.choices, draw.extra);
    const int take = 6 - bet.bankerCount();
    const int others = bet.choiceCount() - choiceHits - (extraChoice ? 1 : 0); // neither drawn nor extra
    for (int j = 0; j <= std::min(choiceHits, take); ++j) {
        const std::int64_t withHits = binomial(choiceHits, j);
        if (extraChoice) {
            countRank(counts, bankerHits + j, true, draw.paysExtraOnly,
                      withHits * binomial(others, take - j - 1));
            countRank(counts, bankerHits + j, false, draw.paysExtraOnly,
                      withHits * binomial(others, take - j));
        } else {
            countRank(counts, bankerHits + j, extraBanker, draw.paysExtraOnly,
                      withHits * binomial(others, take - j));
        }
    }
    return counts;
}

std::optional<PrizeRank> tipRank(const SystemTip& tip, const SystemDraw& draw) {
    const bool extraHit = std::find(tip.begin(), tip.end(), draw.extra) != tip.end();
    return prizeRank(countHits(tip, draw.main), extraHit, draw.paysExtraOnly);
}

RankCounts countSystemRanksByWalking(const std::vector<SystemTip>& tips, const SystemDraw& draw) {
    RankCounts counts{};
    for (const SystemTip& tip : tips)
        if (const auto rank = tipRank(tip, draw)) ++counts[static_cast<std::size_t>(*rank)];
    return counts;
}

std::int64_t systemWonCents(const RankCounts& counts, const std::vector<PrizeQuota>& quotas) {
    std::int64_t won = 0;
    for (const PrizeQuota& quota : quotas)
        won = checkedAdd(won, checkedMul(counts[static_cast<std::size_t>(quota.rank)], quota.euroCents()));
    return won;
}

SystemBalance computeSystemBalance(DrawArchiveReader& reader, const ArchiveFilter& filter, DayNumber to,
                                   const SystemBet& bet, const PrizeTable& quotas, std::int64_t stakeCents) {
    SystemBalance balance;
    const std::int64_t stakePerDraw = checkedMul(systemTipCount(bet), stakeCents);
    std::int64_t net = 0;
    forEachPlayedDraw(reader, filter, to, quotas, [&](const DrawRecord& record, const auto& drawQuotas) {
        SystemDraw draw;
        std::copy_n(record.numbers.begin(), 6, draw.main.begin());
        draw.extra = record.extra();
        draw.paysExtraOnly = findQuota(drawQuotas, PrizeRank::Extra) != nullptr;
        const RankCounts counts = countSystemRanks(bet, draw);
        const std::int64_t won = systemWonCents(counts, drawQuotas);
        PrizeTally& tally = balance.tally;
        ++tally.played;
        for (std::size_t r = 0; r < counts.size(); ++r)
            tally.ranks[r] += counts[r];
        tally.wonCents = checkedAdd(tally.wonCents, won);
        tally.stakeCents = checkedAdd(tally.stakeCents, stakePerDraw);
        net = checkedAdd(net, checkedSub(won, stakePerDraw));
        balance.netAfterDraw.emplace_back(record.day(), net);
    });
    return balance;
}

void addSystemToBalance(PrizeBalance& balance, const SystemBalance& system) {
    balance.total.add(system.tally);
    // Both walked the same draws; a balance of no tips still lists every draw played.
    for (std::size_t i = 0; i < balance.netCurve.size() && i < system.netAfterDraw.size(); ++i)
        balance.netCurve[i].second = checkedAdd(balance.netCurve[i].second, system.netAfterDraw[i].second);
}

} // namespace lotto
