#include "core/evaluation/ArchiveSearch.h"

#include "core/evaluation/PrizeBalance.h"

namespace lotto {

TipSearchHit tipSearchHit(int tip, const CurrentDraw& draw, const PrizeTable& quotas) {
    TipSearchHit hit{tip, wholeDay(draw.date), draw.hits, draw.extraHit, std::nullopt, std::nullopt};
    const auto stored = quotas.find(hit.day);
    const std::vector<PrizeQuota>* drawQuotas = stored == quotas.end() ? nullptr : &stored->second;
    hit.rank = prizeRank(hit.hits, hit.extraHit, drawQuotas && findQuota(*drawQuotas, PrizeRank::Extra));
    if (hit.rank && drawQuotas)
        if (const PrizeQuota* quota = findQuota(*drawQuotas, *hit.rank)) hit.quotaCents = quota->euroCents();
    return hit;
}

TipSearchCounts searchTipsInArchive(DrawArchiveReader& reader, DayNumber start,
                                    const std::array<std::string, tipgrid::kCells>& cells, CurrentDraw& draw,
                                    const std::function<bool(int tip)>& afterCheck) {
    TipSearchCounts counts;
    std::array<ReadTip, kSearchedTips> tips;
    for (int tip = 0; tip < kSearchedTips; ++tip) {
        std::array<std::string_view, 6> texts;
        for (std::size_t c = 0; c < 6; ++c)
            texts[c] = cells[static_cast<std::size_t>(tip * tipgrid::kCellsPerTip) + c];
        tips[static_cast<std::size_t>(tip)] = readTipTexts(texts);
    }
    DrawRecord record;
    while (reader.next(record)) {
        if (record.day() < start) continue;
        ++counts.draws;
        draw.load(record);
        for (int tip = 0; tip < kSearchedTips; ++tip) {
            zettelcheck(draw, tips[static_cast<std::size_t>(tip)]);
            if (draw.hits < counts.checksWithHits.size()) ++counts.checksWithHits[draw.hits];
            if (!afterCheck(tip)) return counts;
        }
    }
    return counts;
}

} // namespace lotto
