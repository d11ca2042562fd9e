#pragma once

#include "core/util/Dates.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lotto {

// The prize ranks of the Austrian Lotto, best first.
enum class PrizeRank : std::uint8_t { Six, FiveExtra, Five, FourExtra, Four, ThreeExtra, Three, Extra };
inline constexpr int kPrizeRanks = 8;

// "6er", "5er + ZZ", "5er", "4er + ZZ", "4er", "3er + ZZ", "3er", "ZZ".
std::string_view prizeRankName(PrizeRank rank);
std::optional<PrizeRank> prizeRankFromName(std::string_view name); // exactly one of the names above

enum class Currency : std::uint8_t { Euro, Schilling };

// One prize rank of one draw: winners and the amount per winner in cents (Euro cents or
// Groschen).
// The largest amount per winner taken from a file or page: 10 billion in cents, far above any
// jackpot, so every sum over the archive fits in 64 bits. Larger amounts are refused as misread.
inline constexpr std::int64_t kMaxPrizeAmount = 1'000'000'000'000;
struct PrizeQuota {
    PrizeRank rank = PrizeRank::Six;
    std::int64_t winners = 0;
    std::int64_t amount = 0;
    Currency currency = Currency::Euro;

    // The amount in Euro cents; Schilling at the fixed rate 13,7603 ATS = 1 €, rounded to
    // the nearest cent, half to even.
    std::int64_t euroCents() const;
    bool operator==(const PrizeQuota&) const = default;
};

// The quotas of every draw known, by day; each draw's ranks in rank order, each rank once.
using PrizeTable = std::map<DayNumber, std::vector<PrizeQuota>>;

// Adds quota to a draw's list in rank order; a rank already there keeps its first quota.
void addQuota(std::vector<PrizeQuota>& quotas, const PrizeQuota& quota);

// The quota of rank at a draw, if stored.
const PrizeQuota* findQuota(const std::vector<PrizeQuota>& quotas, PrizeRank rank);

// "Quoten.csv" in the program directory: UTF-8, one line per draw and rank,
// "dd.mm.yyyy;RANK;WINNERS;AMOUNT_IN_CENTS;EUR|ATS", ascending by date and rank.
inline constexpr const char* kPrizeStoreName = "Quoten.csv";

// Lines that do not read are skipped, never fatal.
PrizeTable parsePrizeStore(std::string_view text);
std::string formatPrizeStore(const PrizeTable& table);

// The store at path; a missing file is an empty table (other file errors throw FileError).
PrizeTable readPrizeStore(const std::string& path);

// Replaces the stored quotas of every draw in update (a draw with an empty list is left as
// it is) and writes the store through a temporary file and a rename.
void mergePrizeStore(const std::string& path, const PrizeTable& update);

} // namespace lotto
