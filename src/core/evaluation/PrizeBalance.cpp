#include "core/evaluation/PrizeBalance.h"

#include "core/evaluation/CurrentDraw.h"
#include "core/util/CheckedMath.h"
#include "core/util/Text.h"

#include <algorithm>

namespace lotto {

std::optional<PrizeRank> prizeRank(int hits, bool extraHit, bool drawPaysExtraOnly) {
    switch (hits) {
    case 6:
        return PrizeRank::Six;
    case 5:
        return extraHit ? PrizeRank::FiveExtra : PrizeRank::Five;
    case 4:
        return extraHit ? PrizeRank::FourExtra : PrizeRank::Four;
    case 3:
        return extraHit ? PrizeRank::ThreeExtra : PrizeRank::Three;
    default:
        if (hits >= 0 && hits < 3 && extraHit && drawPaysExtraOnly) return PrizeRank::Extra;
        return std::nullopt;
    }
}

TipAtDraw scoreTip(const std::array<int, 6>& numbers, const DrawRecord& record, bool drawPaysExtraOnly) {
    const std::array<int, 6> main{record.numbers[0], record.numbers[1], record.numbers[2],
                                  record.numbers[3], record.numbers[4], record.numbers[5]};
    const int hits = countHits(numbers, main);
    const bool extraHit = std::find(numbers.begin(), numbers.end(), record.extra()) != numbers.end();
    return {hits, prizeRank(hits, extraHit, drawPaysExtraOnly)};
}

std::string prizeHint(std::optional<PrizeRank> rank, const std::vector<PrizeQuota>* quotas) {
    if (!rank) return "kein Gewinnrang";
    std::string hint = "Rang " + std::string(prizeRankName(*rank)) + ": ";
    const PrizeQuota* quota = quotas ? findQuota(*quotas, *rank) : nullptr;
    if (!quota) return hint + "keine Quote gespeichert";
    hint += formatCents(quota->euroCents());
    if (quota->currency == Currency::Schilling) {
        std::string ats = formatCents(quota->amount);
        ats.replace(ats.size() - 3, 3, "ATS"); // "€" is three bytes
        hint += " (" + ats + ")";
    }
    return hint;
}

void PrizeTally::add(const PrizeTally& other) {
    played += other.played;
    for (std::size_t r = 0; r < ranks.size(); ++r)
        ranks[r] += other.ranks[r];
    wonCents = checkedAdd(wonCents, other.wonCents);
    stakeCents = checkedAdd(stakeCents, other.stakeCents);
}

std::vector<NumberedTip> completeTips(const std::array<std::string, tipgrid::kCells>& cells) {
    std::vector<NumberedTip> tips;
    for (int tip = 0; tip < tipgrid::kTips; ++tip) {
        NumberedTip numbers{tip, {}};
        bool complete = true;
        for (std::size_t c = 0; c < 6 && complete; ++c) {
            const auto n = toInt(cells[static_cast<std::size_t>(tip) * 6 + c]);
            complete = n && isLottoNumber(*n);
            if (complete) numbers.numbers[c] = *n;
        }
        if (complete) tips.push_back(numbers);
    }
    return tips;
}

void forEachPlayedDraw(DrawArchiveReader& reader, const ArchiveFilter& filter, DayNumber to,
                       const PrizeTable& quotas,
                       const std::function<void(const DrawRecord&, const std::vector<PrizeQuota>&)>& onDraw) {
    static const std::vector<PrizeQuota> kNone;
    DrawRecord record;
    while (reader.next(record)) {
        const DayNumber day = record.day();
        if (day > to || !filter.passes(record)) continue;
        const auto stored = quotas.find(day);
        onDraw(record, stored == quotas.end() ? kNone : stored->second);
    }
}

PrizeBalance computePrizeBalance(DrawArchiveReader& reader, const ArchiveFilter& filter, DayNumber to,
                                 const std::vector<NumberedTip>& tips, const PrizeTable& quotas,
                                 std::int64_t stakeCents) {
    PrizeBalance balance;
    for (const NumberedTip& tip : tips)
        balance.tips.push_back(tip.tip);
    balance.perTip.resize(tips.size());
    std::int64_t net = 0;
    forEachPlayedDraw(reader, filter, to, quotas, [&](const DrawRecord& record, const auto& drawQuotas) {
        ++balance.draws;
        if (drawQuotas.empty()) ++balance.drawsWithoutQuotas;
        const bool paysExtraOnly = findQuota(drawQuotas, PrizeRank::Extra) != nullptr;
        for (std::size_t t = 0; t < tips.size(); ++t) {
            PrizeTally& tally = balance.perTip[t];
            ++tally.played;
            tally.stakeCents = checkedAdd(tally.stakeCents, stakeCents);
            net = checkedSub(net, stakeCents);
            const auto rank = scoreTip(tips[t].numbers, record, paysExtraOnly).rank;
            if (!rank) continue;
            ++tally.ranks[static_cast<std::size_t>(*rank)];
            if (const PrizeQuota* quota = findQuota(drawQuotas, *rank)) {
                tally.wonCents = checkedAdd(tally.wonCents, quota->euroCents());
                net = checkedAdd(net, quota->euroCents());
            }
        }
        balance.netCurve.emplace_back(record.day(), net);
    });
    for (const PrizeTally& tally : balance.perTip)
        balance.total.add(tally);
    return balance;
}

} // namespace lotto
