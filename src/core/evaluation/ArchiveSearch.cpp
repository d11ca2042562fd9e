#include "core/evaluation/ArchiveSearch.h"

namespace lotto {

TipSearchCounts searchTipsInArchive(DrawArchiveReader& reader, DayNumber start,
                                    const std::array<std::string, tipgrid::kCells>& cells, CurrentDraw& draw,
                                    const std::function<void(int tip)>& afterCheck) {
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
            afterCheck(tip);
        }
    }
    return counts;
}

} // namespace lotto
