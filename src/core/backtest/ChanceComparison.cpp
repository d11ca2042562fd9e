#include "core/backtest/ChanceComparison.h"

#include <cmath>
#include <cstdio>

namespace lotto {

namespace {

double binomial(int n, int k) {
    if (k < 0 || k > n) return 0.0;
    double c = 1.0;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i; // exact in double for these sizes
    return c;
}

const double kCombinations = binomial(45, 6); // 8,145,060

// k of the six main numbers, the extra number (or not), the rest from the 38 others.
double withExtra(int k, bool extra) {
    return binomial(6, k) * binomial(38, extra ? 5 - k : 6 - k) / kCombinations;
}

// Q(a, x) by its series (x < a + 1) or its continued fraction (modified Lentz).
double upperGammaSeries(double a, double x) {
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < 1000; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * 1e-17) break;
    }
    return 1.0 - sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

double upperGammaFraction(double a, double x) {
    constexpr double tiny = 1e-300;
    double b = x + 1.0 - a;
    double c = 1.0 / tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < 1000; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny) d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < 1e-16) break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

std::string decimalComma(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    for (char& ch : s)
        if (ch == '.') ch = ',';
    return s;
}

} // namespace

double hitProbability(int k) {
    return binomial(6, k) * binomial(39, 6 - k) / kCombinations;
}

double rankProbability(PrizeRank rank) {
    switch (rank) {
    case PrizeRank::Six:
        return withExtra(6, false);
    case PrizeRank::FiveExtra:
        return withExtra(5, true);
    case PrizeRank::Five:
        return withExtra(5, false);
    case PrizeRank::FourExtra:
        return withExtra(4, true);
    case PrizeRank::Four:
        return withExtra(4, false);
    case PrizeRank::ThreeExtra:
        return withExtra(3, true);
    case PrizeRank::Three:
        return withExtra(3, false);
    case PrizeRank::Extra:
        return withExtra(0, true) + withExtra(1, true) + withExtra(2, true);
    }
    return 0.0;
}

double regularizedUpperGamma(double a, double x) {
    if (x <= 0.0) return 1.0;
    if (std::isinf(x)) return 0.0;
    return x < a + 1.0 ? upperGammaSeries(a, x) : upperGammaFraction(a, x);
}

ChiSquareTest chiSquareOfHits(const std::array<std::int64_t, 7>& observed, std::int64_t tips) {
    std::array<double, 4> seen{}, expected{};
    for (int k = 0; k <= 6; ++k) {
        const std::size_t c = static_cast<std::size_t>(k < 3 ? k : 3);
        seen[c] += static_cast<double>(observed[static_cast<std::size_t>(k)]);
        expected[c] += static_cast<double>(tips) * hitProbability(k);
    }
    std::size_t classes = 4;
    while (classes > 1 && expected[classes - 1] < 5.0) {
        expected[classes - 2] += expected[classes - 1];
        seen[classes - 2] += seen[classes - 1];
        --classes;
    }
    ChiSquareTest test;
    test.classes = static_cast<int>(classes);
    if (classes == 1) return test;
    for (std::size_t c = 0; c < classes; ++c)
        test.statistic += (seen[c] - expected[c]) * (seen[c] - expected[c]) / expected[c];
    test.degreesOfFreedom = static_cast<int>(classes) - 1;
    test.pValue = regularizedUpperGamma(test.degreesOfFreedom / 2.0, test.statistic / 2.0);
    return test;
}

std::string chanceVerdict(const ChiSquareTest& test, const std::array<std::int64_t, 7>& observed,
                          std::int64_t tips) {
    if (test.classes < 2) return "Zu wenige Tipps für einen Vergleich mit Zufallstipps.";
    const std::string p = test.pValue < 0.005 ? "p < 0,01" : "p = " + decimalComma(test.pValue);
    if (test.pValue >= 0.05) return "Die berechneten Tipps trafen so oft wie Zufallstipps (" + p + ").";
    // A clear difference: more or fewer hits per tip than the 0,8 that chance gives.
    double hits = 0.0;
    for (int k = 0; k <= 6; ++k)
        hits += k * static_cast<double>(observed[static_cast<std::size_t>(k)]);
    const bool more = hits > 0.8 * static_cast<double>(tips);
    return std::string("Die berechneten Tipps trafen ") + (more ? "öfter" : "seltener") +
           " als Zufallstipps (" + p + ").";
}

} // namespace lotto
