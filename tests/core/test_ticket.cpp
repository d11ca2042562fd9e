#include "core/StateFixture.h"
#include "core/output/TicketLayout.h"
#include "core/shell/MainState.h"
#include "core/util/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace lotto;
using namespace lotto::test;

namespace {

// Answers the print settings dialog: the presets, changed by the test's edit, or Abort.
struct TicketHost : FakeHost {
    std::optional<TicketSettings> askTicketSettings(const TicketDialogPresets& p) override {
        presets.push_back(p);
        if (!confirm) return std::nullopt;
        TicketSettings s;
        s.top = p.top;
        s.left = p.left;
        s.sunday = p.sunday;
        s.wednesday = p.wednesday;
        if (edit) edit(s);
        return s;
    }
    void previewTicket(const TicketLayout&) override { ++previews; }

    bool confirm = true;
    std::function<void(TicketSettings&)> edit;
    std::vector<TicketDialogPresets> presets;
    int previews = 0;
};

struct Ticket : StateFixture<TicketHost> {
    void tip(int t, const std::array<const char*, 6>& fields) {
        for (int c = 0; c < 6; ++c)
            state.setCell(t * 6 + c, fields[static_cast<std::size_t>(c)]);
    }
    std::pair<int, int> at(int cell) const {
        const TicketMark& m = state.ticketLayout().numberMark(cell);
        EXPECT_TRUE(m.printed()) << m.name;
        return {m.left, m.top};
    }
    bool printed(const char* name) const { return state.ticketLayout().mark(name).printed(); }
};

TicketSettings days(bool sunday, bool wednesday, bool joker = false, bool joker2 = false,
                    bool joker3 = false) {
    TicketSettings s;
    s.sunday = sunday;
    s.wednesday = wednesday;
    s.joker = joker;
    s.joker2 = joker2;
    s.joker3 = joker3;
    return s;
}

} // namespace

TEST(TicketCost, RuleAndMoneyText) {
    const TicketPrices prices{120, 170};
    EXPECT_EQ(ticket::costText(12, days(true, false), prices), "14,40 €");
    EXPECT_EQ(ticket::costText(3, days(true, true, true), prices), "11,66 €"); // (3,60 + 1,70) x 2,2
    EXPECT_EQ(ticket::costText(12, days(false, true, false, false, true), {100, 150}), "13,50 €");
    EXPECT_EQ(ticket::costText(12, days(false, false, true, true, true), prices), "0,00 €");
    TicketSettings withTest = days(true, false);
    withTest.testImage = true;
    EXPECT_EQ(ticket::costText(12, withTest, prices), "14,40 €");
    EXPECT_EQ(formatEuro(1234.5), "1.234,50 €");
    EXPECT_EQ(formatCents(-123456789), "-1.234.567,89 €");
    EXPECT_EQ(formatGrouped(-1000), "-1.000");
    EXPECT_EQ(formatGrouped(999), "999");
}

TEST(TicketCost, DayPresetFromTodaysWeekday) {
    const TicketDialogPresets wednesday = ticket::dayPreset(dayNumber(2026, 12, 9));
    EXPECT_FALSE(wednesday.sunday);
    EXPECT_TRUE(wednesday.wednesday);
    const TicketDialogPresets thursday = ticket::dayPreset(dayNumber(2026, 12, 10));
    EXPECT_TRUE(thursday.sunday);
    EXPECT_FALSE(thursday.wednesday);
    EXPECT_TRUE(ticket::dayPreset(dayNumber(2026, 12, 12)).sunday);    // Saturday
    EXPECT_TRUE(ticket::dayPreset(dayNumber(2026, 12, 13)).wednesday); // Sunday
}

TEST_F(Ticket, NumberMarksOnTheFieldsWithTheDefaultOffsets) {
    tip(0, {"1", "45", "", "", "", ""});
    tip(1, {"7", "", "", "", "", ""});
    tip(2, {"7", "", "", "", "", ""});
    clock.todayValue = dayNumber(2026, 12, 10); // a Thursday
    state.SpeedButton12Click();
    ASSERT_EQ(host.presets.size(), 1U);
    EXPECT_EQ(host.presets[0].top, 88);
    EXPECT_EQ(host.presets[0].left, 26);
    EXPECT_TRUE(host.presets[0].sunday);
    EXPECT_FALSE(host.presets[0].wednesday);
    EXPECT_EQ(host.presets[0].tipCount, 3);
    EXPECT_EQ(host.previews, 1);
    EXPECT_EQ(at(0), std::make_pair(26, 88));
    EXPECT_EQ(at(1), std::make_pair(56, 193));
    EXPECT_EQ(at(6), std::make_pair(26, 88 + 135));
    EXPECT_EQ(at(12), std::make_pair(26 + 87, 88 + 15));
    EXPECT_FALSE(state.ticketLayout().numberMark(2).printed());
    // One day: the one-day mark; no Joker: the "no" mark.
    EXPECT_TRUE(printed(ticket::kOneDayMark));
    EXPECT_FALSE(printed(ticket::kBothDaysMark));
    EXPECT_EQ(state.ticketLayout().mark(ticket::kNoJokerMark).left, 26 + 352);
    EXPECT_EQ(state.ticketLayout().mark(ticket::kNoJokerMark).top, 88 + 302);
    EXPECT_EQ(state.ticketLayout().printedMarks().size(), 6U);
}

TEST_F(Ticket, MultiplesOfSixStandInTheLastColumnOfTheirRow) {
    tip(0, {"6", "12", "42", "", "", ""});
    tip(1, {"6", "", "", "", "", ""});
    state.SpeedButton12Click();
    EXPECT_EQ(at(0), std::make_pair(26 + 75, 88));
    EXPECT_EQ(at(1), std::make_pair(26 + 75, 88 + 15));
    EXPECT_EQ(at(2), std::make_pair(26 + 75, 88 + 6 * 15));
    EXPECT_EQ(at(6), std::make_pair(26 + 75, 88 + 120));
}

TEST_F(Ticket, EmptyTipsTakeNoSlotButTipOneKeepsItsField) {
    tip(0, {"1", "", "", "", "", ""});
    tip(2, {"1", "", "", "", "", ""});
    state.SpeedButton12Click();
    EXPECT_EQ(at(12), std::make_pair(26, 88 + 120)); // tip 3 in slot 1

    tip(0, {"", "", "", "", "", ""});
    tip(1, {"1", "", "", "", "", ""});
    tip(2, {"", "", "", "", "", ""});
    state.SpeedButton12Click();
    EXPECT_EQ(at(6), std::make_pair(26, 88 + 120)); // tip 2 in slot 1, slot 0 stays blank
    EXPECT_EQ(state.ticketLayout().printedMarks().size(), 1U + 2U);
    EXPECT_FALSE(state.ticketLayout().numberMark(0).printed()); // the earlier print's mark is gone
    EXPECT_FALSE(state.ticketLayout().numberMark(12).printed());
}

TEST_F(Ticket, TipWithAnEmptyFirstFieldGetsItsOwnSlot) {
    tip(0, {"1", "", "", "", "", ""});
    tip(1, {"", "2", "", "", "", ""});
    tip(2, {"3", "", "", "", "", ""});
    state.SpeedButton12Click();
    EXPECT_EQ(host.presets.back().tipCount, 3);
    EXPECT_EQ(at(7), std::make_pair(26 + 15, 88 + 120));
    EXPECT_EQ(at(12), std::make_pair(26 + 87 + 30, 88));
}

TEST_F(Ticket, DaysJokersAndOffsetsFromTheConfirmedDialog) {
    tip(0, {"1", "", "", "", "", ""});
    host.edit = [](TicketSettings& s) {
        s = days(true, true, true, true, true);
        s.top = 100;
        s.left = 0;
    };
    state.SpeedButton12Click();
    EXPECT_EQ(state.tippTop(), 100);
    EXPECT_EQ(state.tippLeft(), 0);
    EXPECT_EQ(at(0), std::make_pair(0, 100));
    const TicketLayout& layout = state.ticketLayout();
    EXPECT_FALSE(printed(ticket::kOneDayMark));
    EXPECT_EQ(layout.mark(ticket::kBothDaysMark).left, 118);
    EXPECT_EQ(layout.mark(ticket::kBothDaysMark).top, 372);
    for (const char* name : {ticket::kJokerMark, ticket::kJoker2Mark, ticket::kJoker3Mark})
        EXPECT_TRUE(printed(name)) << name;
    EXPECT_FALSE(printed(ticket::kNoJokerMark));

    host.edit = [](TicketSettings& s) { s = days(false, false); };
    state.SpeedButton12Click();
    EXPECT_FALSE(printed(ticket::kOneDayMark));
    EXPECT_FALSE(printed(ticket::kBothDaysMark));
}

TEST_F(Ticket, AbortKeepsOffsetsAndShowsNoPreview) {
    state.setTippOffsets(150, -4); // a stored value outside the up-downs
    host.confirm = false;
    state.SpeedButton12Click();
    EXPECT_EQ(host.presets.at(0).top, 100);
    EXPECT_EQ(host.presets.at(0).left, 0);
    EXPECT_EQ(state.tippTop(), 150);
    EXPECT_EQ(state.tippLeft(), -4);
    EXPECT_EQ(host.previews, 0);
}

TEST_F(Ticket, ScanFromTheProgramDirectoryStaysOnceTaken) {
    host.edit = [](TicketSettings& s) { s.testImage = true; };
    state.SpeedButton12Click();
    EXPECT_TRUE(state.ticketLayout().imageEnabled());
    EXPECT_EQ(state.ticketLayout().imagePath(), "");
    writeBytes(dir.file("schein.jpg"), "scan");
    state.SpeedButton12Click();
    EXPECT_EQ(state.ticketLayout().imagePath(), dir.file("schein.jpg"));
    std::filesystem::remove(dir.file("schein.jpg"));
    host.edit = nullptr;
    state.SpeedButton12Click();
    EXPECT_FALSE(state.ticketLayout().imageEnabled());
    EXPECT_EQ(state.ticketLayout().imagePath(), dir.file("schein.jpg"));
}

TEST(TicketLayoutPlace, ACellThatIsNoNumberChangesNothing) {
    TicketLayout layout;
    std::array<std::string, tipgrid::kCells> cells{};
    cells[0] = "5";
    layout.place(days(true, false), cells, "");
    cells[0] = "46";
    EXPECT_THROW(layout.place(days(true, true), cells, ""), std::runtime_error);
    EXPECT_EQ(layout.numberMark(0).left, 26 + 60);
    EXPECT_TRUE(layout.mark(ticket::kOneDayMark).printed());
}
