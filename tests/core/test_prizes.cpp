#include "core/StateFixture.h"
#include "core/archive/PrizeStore.h"
#include "core/evaluation/PrizeBalance.h"
#include "core/import/AustrianToday.h"

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

namespace {

PrizeQuota euro(PrizeRank rank, std::int64_t winners, std::int64_t cents) {
    return {rank, winners, cents, Currency::Euro};
}

} // namespace

TEST(PrizeColumns, TwoLineLayoutGivesAllEightRanks) {
    TodayFileReader reader(2010);
    reader.read("So;21.11.;aufsteigend;1;13;24;30;36;38;Zz;19;6er;2;à;1.864.444,50;5er + ZZ;2;à;108.025,80;"
                "5er;160;à;1.473,00;4er + ZZ;477;à;172,90;;;;;;");
    reader.read(
        ";;gezogen;38;24;13;36;30;1;Zz;19;4er;8.099;à;48,00;3er + ZZ;11.676;à;16,10;3er;135.104;à;5,10;"
        "ZZ;472.879;à;1,10;;;;;;");
    const PrizeTable expected{{dayNumber(2010, 11, 21),
                               {euro(PrizeRank::Six, 2, 186444450), euro(PrizeRank::FiveExtra, 2, 10802580),
                                euro(PrizeRank::Five, 160, 147300), euro(PrizeRank::FourExtra, 477, 17290),
                                euro(PrizeRank::Four, 8099, 4800), euro(PrizeRank::ThreeExtra, 11676, 1610),
                                euro(PrizeRank::Three, 135104, 510), euro(PrizeRank::Extra, 472879, 110)}}};
    EXPECT_EQ(reader.prizes(), expected);
}

TEST(PrizeColumns, YearlyLayoutTakesThePrizeOnlyLinesOfItsDraw) {
    TodayFileReader reader(2026);
    reader.read("04.01.;aufsteigend;1;4;15;16;22;38;ZZ;11;6er;1;€;1.200.000,00");
    reader.read("04.01.;;;;;;;;;;4er;3.027;€;62,70");
    reader.read("05.01.;;;;;;;;;;3er;1;€;5,00"); // another date: not this draw's
    reader.read("07.01.;aufsteigend;2;4;15;16;22;38;ZZ;11;7er;1;€;9,00;5er+ZZ;3;€;1.000;Zusatzzahl;9;€;1,1");
    const PrizeTable expected{
        {dayNumber(2026, 1, 4), {euro(PrizeRank::Six, 1, 120000000), euro(PrizeRank::Four, 3027, 6270)}},
        {dayNumber(2026, 1, 7), {euro(PrizeRank::FiveExtra, 3, 100000), euro(PrizeRank::Extra, 9, 110)}}};
    EXPECT_EQ(reader.prizes(), expected);
}

TEST(PrizeColumns, AmountsWithoutRankNamesAndSchillingSections) {
    TodayFileReader reader(1986);
    ASSERT_TRUE(reader.read("So.;07.09.;1;20;22;24;27;40;Zz:;12;1;à;6.542.159,00"));
    ASSERT_TRUE(
        reader.read("Mi.;01.09.;3;6;10;13;21;43;Zz:;7;4;à;5.442.999,00;15;à;271.997,00;415;à;14.746,00;"
                    "19.480;à;418,00;296.846;à;34,00;10;43;21;13;3;6;Zz:;7;"));
    EXPECT_TRUE(reader.prizes().empty());
    reader.read("1999 Lotto - Beträge in ATS;;;");
    reader.read("So;3.1.;aufsteigend;1;13;24;30;36;38;Zz;19;3er;2.000;à;100,00");
    EXPECT_EQ(reader.prizes().at(dayNumber(1999, 1, 3)),
              (std::vector<PrizeQuota>{{PrizeRank::Three, 2000, 10000, Currency::Schilling}}));
    // A section that names no currency: Schilling up to the end of 2001, euros from 2002.
    reader.read("2001 Lotto;;;");
    reader.read("So;30.12.;aufsteigend;1;13;24;30;36;38;Zz;19;3er;2.000;à;100,00");
    reader.read("2002 Lotto;;;");
    reader.read("Mi;2.1.;aufsteigend;1;13;24;30;36;38;Zz;19;3er;2.000;à;7,00");
    EXPECT_EQ(reader.prizes().at(dayNumber(2001, 12, 30)),
              (std::vector<PrizeQuota>{{PrizeRank::Three, 2000, 10000, Currency::Schilling}}));
    EXPECT_EQ(reader.prizes().at(dayNumber(2002, 1, 2)),
              (std::vector<PrizeQuota>{euro(PrizeRank::Three, 2000, 700)}));
    EXPECT_EQ(readPrizeRankName("6er + ZZ"), std::nullopt);
    EXPECT_EQ(readPrizeRankName("2er"), std::nullopt);
    EXPECT_EQ(readPrizeRankName("4ER +zz"), PrizeRank::FourExtra);
}

TEST(PrizeStore, ReadsBackWhatItWritesAndSkipsBadLines) {
    TempDir dir;
    const std::string path = dir.file("Quoten.csv");
    writeBytes(path, "04.01.2026;6er;1;120000000;EUR\r\n"
                     "31.02.2026;6er;1;5;EUR\n"             // no such day
                     "05.01.2026;7er;1;5;EUR\n"             // no such rank
                     "05.01.2026;4er;1;5;CHF\n"             // no such currency
                     "05.01.2026;4er;1;-5;EUR\n"            // negative
                     "05.01.2026;4er;1;5;EUR;x\n"           // a field too many
                     "04.01.2026;6er;9;9;EUR\n"             // the rank again
                     "06.01.2026;6er;1;1000000000001;EUR\n" // more than any prize: misread
                     "07.01.2026;6er;1;999999999999999;ATS\n"
                     "\x01\xff junk\n"
                     "03.01.1999;3er;2000;10000;ATS");
    PrizeTable expected{{dayNumber(1999, 1, 3), {{PrizeRank::Three, 2000, 10000, Currency::Schilling}}},
                        {dayNumber(2026, 1, 4), {euro(PrizeRank::Six, 1, 120000000)}}};
    EXPECT_EQ(readPrizeStore(path), expected);
    // A merge replaces a draw's list and keeps the others.
    mergePrizeStore(path, {{dayNumber(2026, 1, 4), {euro(PrizeRank::Four, 3027, 6270)}}});
    EXPECT_EQ(readWholeFile(path), "03.01.1999;3er;2000;10000;ATS\n04.01.2026;4er;3027;6270;EUR\n");
    mergePrizeStore(path, {{dayNumber(2026, 1, 4), {}}}); // a file without this draw's quotas
    EXPECT_EQ(readWholeFile(path), "03.01.1999;3er;2000;10000;ATS\n04.01.2026;4er;3027;6270;EUR\n");
    EXPECT_TRUE(readPrizeStore(dir.file("fehlt.csv")).empty());
}

TEST(PrizeBalanceTips, OnlyTipsWithSixNumbersArePlayed) {
    std::array<std::string, tipgrid::kCells> cells;
    for (std::size_t c = 0; c < 5; ++c) // tip 1: five numbers
        cells[c] = std::to_string(c + 1);
    for (std::size_t c = 6; c < 12; ++c)
        cells[c] = std::to_string(c + 34); // tip 2: 40 to 45
    cells[12] = "46";                      // tip 3: one number out of range
    for (std::size_t c = 13; c < 18; ++c)
        cells[c] = std::to_string(c);
    const std::vector<NumberedTip> tips = completeTips(cells);
    ASSERT_EQ(tips.size(), 1U);
    EXPECT_EQ(tips[0].tip, 1);
    EXPECT_EQ(tips[0].numbers, (std::array<int, 6>{40, 41, 42, 43, 44, 45}));
}

TEST(PrizeStore, SchillingToEuroCents) {
    EXPECT_EQ((PrizeQuota{PrizeRank::Four, 1, 500000, Currency::Schilling}.euroCents()), 36336); // 36336,42
    EXPECT_EQ((PrizeQuota{PrizeRank::Three, 1, 10000, Currency::Schilling}.euroCents()), 727);   // 726,73
    EXPECT_EQ((PrizeQuota{PrizeRank::Extra, 1, 110, Currency::Schilling}.euroCents()), 8);       // 7,99
    EXPECT_EQ((PrizeQuota{PrizeRank::Extra, 1, 110, Currency::Euro}.euroCents()), 110);
    EXPECT_EQ((PrizeQuota{PrizeRank::Six, 1, kMaxPrizeAmount, Currency::Schilling}.euroCents()), 72672834168);
    EXPECT_THROW((PrizeQuota{PrizeRank::Six, 1, INT64_MAX / 1000, Currency::Schilling}.euroCents()),
                 AmountOverflow);

    // The largest amount a results file may name, and one cent more.
    TodayFileReader reader(2026);
    reader.read(
        "So;4.1.;aufsteigend;1;13;24;30;36;38;Zz;19;6er;1;à;10.000.000.000,00;5er;1;à;10.000.000.000,01");
    EXPECT_EQ(reader.prizes().at(dayNumber(2026, 1, 4)),
              (std::vector<PrizeQuota>{euro(PrizeRank::Six, 1, kMaxPrizeAmount)}));
    EXPECT_THROW(checkedAdd(INT64_MAX, 1), AmountOverflow);
    EXPECT_EQ(checkedSub(-1, INT64_MAX), INT64_MIN);
}

TEST(PrizeRanks, EveryHitAndExtraNumberCombination) {
    using R = PrizeRank;
    const std::optional<R> none;
    // [hits][extra hit]
    const std::optional<R> paid[7][2] = {
        {none, R::Extra},        {none, R::Extra},        {none, R::Extra}, {R::Three, R::ThreeExtra},
        {R::Four, R::FourExtra}, {R::Five, R::FiveExtra}, {R::Six, R::Six}};
    for (int hits = 0; hits <= 6; ++hits)
        for (int extra = 0; extra < 2; ++extra) {
            EXPECT_EQ(prizeRank(hits, extra == 1, true), paid[hits][extra]) << hits << ' ' << extra;
            EXPECT_EQ(prizeRank(hits, extra == 1, false), hits < 3 ? none : paid[hits][extra])
                << hits << ' ' << extra;
        }
}

using PrizeBalanceTest = StateFixture<>;

TEST_F(PrizeBalanceTest, CountsRanksAndCentsPerTip) {
    archive(prizeBalanceDraws());
    writeBytes(dir.file("Quoten.csv"), kPrizeBalanceQuotas);
    writeBytes(dir.file("t.qtp"), "1,2,3,4,40,44\r\n20,21,22,30,31,32\r\n40,41,42,43,44,45\r\n1,2,3,4,5\r\n");
    state.loadTipFile(dir.file("t.qtp"));
    PrizeBalance b = state.computePrizeBalance(kLastDay, 120);
    ASSERT_EQ(b.tips, (std::vector<int>{0, 1, 2}));
    // Tip 1: 4er at 03.01.1999 (5.000 ATS), 3er + ZZ at 07.03.2010, 4er at 10.03.2010.
    EXPECT_EQ(b.perTip[0].ranks, (std::array<std::int64_t, 8>{0, 0, 0, 0, 2, 1, 0, 0}));
    EXPECT_EQ(b.perTip[0].wonCents, 36336 + 1610 + 4800);
    EXPECT_EQ(b.perTip[0].netCents(), 42746 - 480);
    EXPECT_EQ(b.perTip[1].ranks,
              (std::array<std::int64_t, 8>{0, 0, 0, 0, 0, 0, 1, 0})); // no ZZ paid at 10.03.
    EXPECT_EQ(b.perTip[2].ranks, (std::array<std::int64_t, 8>{0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(b.total.played, 12);
    EXPECT_EQ(b.total.wonCents, 42746 + 510 + 110);
    EXPECT_EQ(b.total.stakeCents, 1440);
    EXPECT_EQ(b.draws, 4); // the Friday draw is not played
    EXPECT_EQ(b.drawsWithoutQuotas, 1);
    ASSERT_EQ(b.netCurve.size(), 4U);
    EXPECT_EQ(b.netCurve[0], std::make_pair(dayNumber(1999, 1, 3), std::int64_t{36336 - 360}));
    EXPECT_EQ(b.netCurve[3].second, b.total.netCents());

    state.setWeekdayBox(WeekdayBox::Wednesdays, false);
    b = state.computePrizeBalance(kLastDay, 0);
    EXPECT_EQ(b.total.played, 6);
    EXPECT_EQ(b.perTip[0].wonCents, 36336 + 1610);

    // A period without quotas: played, nothing known to be won.
    state.setWeekdayBox(WeekdayBox::Wednesdays, true);
    state.setStatisticsStart(dayNumber(1999, 1, 4));
    b = state.computePrizeBalance(dayNumber(1999, 1, 6), 120);
    EXPECT_EQ(b.draws, 1);
    EXPECT_EQ(b.drawsWithoutQuotas, 1);
    EXPECT_EQ(b.total.wonCents, 0);
    EXPECT_EQ(b.total.netCents(), -360);
}

TEST_F(PrizeBalanceTest, HitLabelsNameTheRankAndItsQuota) {
    archive(prizeBalanceDraws());
    writeBytes(dir.file("Quoten.csv"), kPrizeBalanceQuotas);
    writeBytes(dir.file("t.qtp"), "1,2,3,4,40,44\r\n20,21,22,30,31,32\r\n40,41,42,43,44,45\r\n");
    state.loadTipFile(dir.file("t.qtp"));
    state.setTipsReady(true);
    state.setDrawDate(dayNumber(2010, 3, 7));
    state.SpeedButton5Click();
    EXPECT_EQ(state.label(hitLabel(0)).hint, "Rang 3er + ZZ: 16,10 €");
    EXPECT_EQ(state.label(hitLabel(1)).hint, "Rang 3er: 5,10 €");
    EXPECT_EQ(state.label(hitLabel(2)).hint, "Rang ZZ: 1,10 €");
    EXPECT_EQ(state.label(hitLabel(0)).text, "3 + Z");
    state.setDrawDate(dayNumber(1999, 1, 3));
    state.SpeedButton5Click();
    EXPECT_EQ(state.label(hitLabel(0)).hint, "Rang 4er: 363,36 € (5.000,00 ATS)");
    EXPECT_EQ(state.label(hitLabel(1)).hint, "kein Gewinnrang");
    state.setDrawDate(dayNumber(1999, 1, 6));
    state.SpeedButton5Click();
    EXPECT_EQ(state.label(hitLabel(0)).hint, "kein Gewinnrang");
}

TEST_F(PrizeBalanceTest, ImportedResultsFileStoresQuotasAlsoForKnownDraws) {
    const std::vector<DrawRecord> draws{draw(2026, 1, 4, {1, 4, 15, 16, 22, 38}, 11)};
    archive(draws);
    writeBytes(dir.file("lotto_2026.csv"), todayYearFile(2026, draws));
    host.openFile = dir.file("lotto_2026.csv");
    EXPECT_EQ(state.ImportFileBitBtnClick(), 0);
    EXPECT_EQ(readWholeFile(dir.file("Quoten.csv")),
              "04.01.2026;6er;1;120000000;EUR\n04.01.2026;4er;3027;6270;EUR\n");
}
