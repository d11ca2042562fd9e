#pragma once

#include "core/archive/ArchiveFilter.h"
#include "core/archive/DrawArchive.h"
#include "core/statistics/ChartModel.h"

#include <array>
#include <string>

namespace lotto {

// Counting tables of the distribution charts, one pass over the archive each.
//
// A damaged file may hold number bytes outside 1..45: such bytes are not counted in any
// number table, and a draw with such a main number is left out of every digit-sum figure
// (its sum means nothing). The draw still counts as a draw in the frequency title.
struct NumberCounts {
    std::array<int, 46> counts{}; // index = number, 0 unused
    long long draws = 0;          // passing draws
    long long sumDraws = 0;       // passing draws whose six main numbers are all valid
    long long sumTotal = 0;       // digit-sum total over those
};

struct DigitSumCounts {
    std::array<int, 280>
        counts{}; // index = digit sum; six numbers 1..45, even repeated ones, sum to at most 270
    long long draws = 0;
    long long sumTotal = 0;
    int smallest = 500;
    int largest = 0;
};

NumberCounts countNumbers(const DrawArchive& archive, const ArchiveFilter& filter);
// One passing draw more (for counts kept up to date draw by draw).
void addDraw(NumberCounts& counts, const DrawRecord& record);
DigitSumCounts countDigitSums(const DrawArchive& archive, const ArchiveFilter& filter);

// Builds the finished charts. The rounded average is 0 when nothing was counted.
ChartModel numberFrequencyChart(const NumberCounts& counts);
ChartModel digitSumChart(const DigitSumCounts& counts);
// Tip distribution over cell texts in the grid's name order; the first cell that holds no
// number ends the counting.
ChartModel tipDistributionChart(const std::array<std::string, 72>& cells);

// 45 points, X = number, value axis fixed to the smallest..largest count.
ChartModel fixedNumberChart(const std::array<int, 46>& counts);

long long roundedAverage(long long total, long long count);
bool hasValidMainNumbers(const DrawRecord& record);

} // namespace lotto
