#pragma once

#include "core/archive/PrizeStore.h"

#include <array>
#include <cstdint>
#include <string>

namespace lotto {

// What random tips would have done: the exact odds of a tip of six numbers against a draw
// of six main numbers and an extra number out of 45, and the chi-square test of observed
// hit counts against them.

// P(exactly k of the six main numbers) = C(6,k)·C(39,6−k) / C(45,6).
double hitProbability(int k);
// P(reaching the rank): k main numbers, the extra number or not, the rest from the 38
// others. For ZZ (fewer than three hits with the extra number) at a draw that pays it.
double rankProbability(PrizeRank rank);

// The regularized upper incomplete gamma function Q(a, x) = Γ(a, x) / Γ(a), a > 0, x >= 0.
double regularizedUpperGamma(double a, double x);

struct ChiSquareTest {
    double statistic = 0.0;
    int degreesOfFreedom = 0;
    double pValue = 1.0;
    int classes = 0; // 1: nothing to compare
};

// Over the hit classes 0, 1, 2 and "3 or more": while the last class expects fewer than 5
// tips it is merged into the class before it; one class left gives 0, 0 and p = 1.
ChiSquareTest chiSquareOfHits(const std::array<std::int64_t, 7>& observed, std::int64_t tips);

// The finding in a sentence: "Die berechneten Tipps trafen so oft wie Zufallstipps (p = 0,41)."
std::string chanceVerdict(const ChiSquareTest& test, const std::array<std::int64_t, 7>& observed,
                          std::int64_t tips);

} // namespace lotto
