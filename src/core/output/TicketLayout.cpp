#include "core/output/TicketLayout.h"

#include "core/util/Text.h"

#include <filesystem>
#include <stdexcept>
#include <utility>

namespace lotto {

namespace ticket {

std::int64_t costCents(int tipCount, const TicketSettings& settings, const TicketPrices& prices) {
    std::int64_t amount = tipCount * prices.tipCents;
    for (const bool game : {settings.joker, settings.joker2, settings.joker3})
        if (game) amount += prices.jokerCents;
    if (!settings.sunday && !settings.wednesday) return 0;
    // Both draw days are charged 2,2 times one day, as the ticket dialog always has; rounded to
    // the cent, half up.
    if (settings.sunday && settings.wednesday) return (amount * 22 + 5) / 10;
    return amount;
}

std::string costText(int tipCount, const TicketSettings& settings, const TicketPrices& prices) {
    return formatCents(costCents(tipCount, settings, prices));
}

TicketDialogPresets dayPreset(DayNumber today) {
    TicketDialogPresets presets;
    const int day = weekday(today); // Sunday = 1 ... Saturday = 7
    presets.wednesday = day <= 4;
    presets.sunday = !presets.wednesday;
    return presets;
}

bool tipHasNumbers(const std::array<std::string, tipgrid::kCells>& cells, int tip) {
    for (int field = 0; field < tipgrid::kCellsPerTip; ++field)
        if (!cells.at(static_cast<std::size_t>(tip * tipgrid::kCellsPerTip + field)).empty()) return true;
    return false;
}

int printedTipCount(const std::array<std::string, tipgrid::kCells>& cells) {
    int count = 0;
    for (int tip = 0; tip < tipgrid::kTips; ++tip)
        if (tipHasNumbers(cells, tip)) ++count;
    return count;
}

int numberLeft(int left, int number, int slot) {
    return left + kBoxPitch * ((number - 1) % kFieldColumns) + kFieldDistance * (slot / 2);
}

int numberTop(int top, int number, int slot) {
    return top + kBoxPitch * ((number - 1) / kFieldColumns) + kFieldRowDistance * (slot % 2);
}

} // namespace ticket

TicketLayout::TicketLayout() {
    for (int cell = 0; cell < tipgrid::kCells; ++cell)
        m_marks.push_back({"TicketMark" + std::to_string(tipgrid::editNumber(cell))});
    for (const char* name : {ticket::kOneDayMark, ticket::kBothDaysMark, ticket::kJoker3Mark,
                             ticket::kJoker2Mark, ticket::kJokerMark, ticket::kNoJokerMark})
        m_marks.push_back({name});
}

const TicketMark& TicketLayout::mark(std::string_view name) const {
    for (const TicketMark& m : m_marks)
        if (m.name == name) return m;
    throw std::out_of_range("no ticket mark " + std::string(name));
}

TicketMark& TicketLayout::markNamed(std::string_view name) {
    return const_cast<TicketMark&>(std::as_const(*this).mark(name));
}

std::vector<TicketMark> TicketLayout::printedMarks() const {
    std::vector<TicketMark> printed;
    for (const TicketMark& m : m_marks)
        if (m.printed()) printed.push_back(m);
    return printed;
}

void TicketLayout::place(const TicketSettings& settings,
                         const std::array<std::string, tipgrid::kCells>& cells, const std::string& scanPath) {
    // The cell rule lets only 1..45 into a cell; anything else is refused before the
    // layout is touched, so no half-placed print can reach the preview.
    std::array<int, tipgrid::kCells> numbers{};
    for (int cell = 0; cell < tipgrid::kCells; ++cell) {
        const std::string& text = cells.at(static_cast<std::size_t>(cell));
        if (text.empty()) continue;
        const auto number = toInt(text);
        if (!number || *number < 1 || *number > 45)
            throw std::runtime_error("'" + text + "' ist keine gültige Zahl von 1 bis 45");
        numbers.at(static_cast<std::size_t>(cell)) = *number;
    }

    const int top = settings.top;
    const int left = settings.left;
    const bool oneDay = settings.sunday != settings.wednesday;
    const bool bothDays = settings.sunday && settings.wednesday;
    auto place = [&](const char* name, int markLeft, int markTop, bool enabled) {
        TicketMark& m = markNamed(name);
        m.left = markLeft;
        m.top = markTop;
        m.caption = "x";
        m.enabled = enabled;
    };
    place(ticket::kOneDayMark, left + 103, top + ticket::kDayMarksTop, oneDay);
    place(ticket::kBothDaysMark, left + 118, top + ticket::kDayMarksTop, bothDays);
    const int optionsTop = top + ticket::kOptionMarksTop;
    place(ticket::kJoker3Mark, left + 262, optionsTop, settings.joker3);
    place(ticket::kJoker2Mark, left + 292, optionsTop, settings.joker2);
    place(ticket::kJokerMark, left + 322, optionsTop, settings.joker);
    place(ticket::kNoJokerMark, left + 352, optionsTop,
          !settings.joker && !settings.joker2 && !settings.joker3);

    m_imageEnabled = settings.testImage;
    if (m_imageEnabled && !scanPath.empty()) {
        std::error_code error;
        if (std::filesystem::is_regular_file(scanPath, error)) m_imagePath = scanPath;
    }

    // Tip 1 fills slot 0; every later tip with a number takes the next slot, so each tip
    // keeps a field of its own even when its first cell is empty.
    int slot = 0;
    for (int tip = 0; tip < tipgrid::kTips; ++tip) {
        if (tip > 0 && ticket::tipHasNumbers(cells, tip)) ++slot;
        for (int field = 0; field < tipgrid::kCellsPerTip; ++field) {
            const int cell = tip * tipgrid::kCellsPerTip + field;
            TicketMark& m = m_marks.at(static_cast<std::size_t>(cell));
            const int number = numbers.at(static_cast<std::size_t>(cell));
            if (number == 0) {
                m.caption.clear();
                continue;
            }
            m.left = ticket::numberLeft(left, number, slot);
            m.top = ticket::numberTop(top, number, slot);
            m.caption = "x";
        }
    }
}

} // namespace lotto
