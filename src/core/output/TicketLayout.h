#pragma once

#include "core/evaluation/TipGrid.h"
#include "core/util/Dates.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lotto {

// The answers of the print settings dialog "Druckeinstellungen für den Lottoschein".
struct TicketSettings {
    int top = 88;  // "Oben:", layout units
    int left = 26; // "Links"
    bool sunday = false;
    bool wednesday = false;
    bool joker = false;
    bool joker2 = false;
    bool joker3 = false;
    bool testImage = false; // "Schein zum Test mit anzeigen"
    bool operator==(const TicketSettings&) const = default;
};

// The prices the cost rule uses, as stored on "Berechnungs-Optionen" (their defaults are
// the settings').
struct TicketPrices {
    std::int64_t tipCents = 0;
    std::int64_t jokerCents = 0;
    bool operator==(const TicketPrices&) const = default;
};

// What the ticket print puts into the dialog before showing it; the Joker and test boxes
// keep what the user left in them. The offsets and prices are the stored ones.
struct TicketDialogPresets {
    int top = 0;
    int left = 0;
    bool sunday = false;
    bool wednesday = true;
    int tipCount = 0;
    TicketPrices prices;
};

// One text element of the print layout: a bold "x" whose top left corner sits at (left, top).
struct TicketMark {
    std::string name;
    int left = 0;
    int top = 0;
    std::string caption = "x";
    bool enabled = true;
    bool printed() const { return enabled && caption == "x"; }
};

namespace ticket {

// Layout units are pixels of 1/96 inch from the top left corner of an A4 portrait page.
inline constexpr int kUnitsPerInch = 96;
inline constexpr int kOffsetMin = 0;
inline constexpr int kOffsetMax = 100;
inline constexpr int kDefaultTop = 88;
inline constexpr int kDefaultLeft = 26;

// The paper ticket: two rows of six fields, each 6 columns x 8 rows of boxes for 1..45.
inline constexpr int kBoxPitch = 15;
inline constexpr int kFieldColumns = 6;
inline constexpr int kFieldRows = 8;
inline constexpr int kFieldDistance = kFieldColumns * kBoxPitch - 3; // 87
inline constexpr int kFieldRowDistance = kFieldRows * kBoxPitch;     // 120
inline constexpr int kFieldSlots = 12;
inline constexpr int kDayMarksTop = 272;    // below the offset top
inline constexpr int kOptionMarksTop = 302; // below the offset top

// The band at the top of the page and the image element for the scan "schein.jpg".
inline constexpr int kBandWidth = 794;
inline constexpr int kBandHeight = 493;
inline constexpr int kImageLeft = 0;
inline constexpr int kImageTop = 4;
inline constexpr int kImageWidth = 793;
inline constexpr int kImageHeight = 481;

inline constexpr const char* kScanFileName = "schein.jpg";
inline constexpr const char* kReportTitle = "Druck des Lottoscheines";

// Names of the day and option marks.
inline constexpr const char* kOneDayMark = "Samstag";
inline constexpr const char* kBothDaysMark = "Mittwoch";
inline constexpr const char* kJoker3Mark = "TicketMark37";
inline constexpr const char* kJoker2Mark = "Super6";
inline constexpr const char* kJokerMark = "Spiel77Ja";
inline constexpr const char* kNoJokerMark = "Spiel77Nein";

// The cost rule of the dialog: the price of a tip per tip, the price of a Joker game per
// Joker box, once per draw day (twice for both, nothing without a day).
std::int64_t costCents(int tipCount, const TicketSettings& settings, const TicketPrices& prices);
std::string costText(int tipCount, const TicketSettings& settings, const TicketPrices& prices); // "14,40 €"

// The draw day the dialog proposes: Wednesday from Sunday to Wednesday, else Sunday.
TicketDialogPresets dayPreset(DayNumber today);

// Tips that get printed: those with at least one number.
bool tipHasNumbers(const std::array<std::string, tipgrid::kCells>& cells, int tip);
int printedTipCount(const std::array<std::string, tipgrid::kCells>& cells);

// Where a box of a field slot lies with the given offsets (number 1..45, slot 0..11).
int numberLeft(int left, int number, int slot);
int numberTop(int top, int number, int slot);

} // namespace ticket

// The print layout of the ticket (the window's TForm4): 72 number marks named after their
// tip cells (Edit1 has TicketMark1), the day and option marks, and the image element. It
// lives as long as the window; every print places all marks anew.
class TicketLayout {
public:
    TicketLayout();

    // Places every mark for the confirmed dialog and the tip cells. A cell that is not a
    // number from 1 to 45 throws before anything is changed. The scan is taken when the
    // test box is checked and scanPath exists; a scan taken earlier stays otherwise.
    void place(const TicketSettings& settings, const std::array<std::string, tipgrid::kCells>& cells,
               const std::string& scanPath);

    const std::vector<TicketMark>& marks() const { return m_marks; }
    const TicketMark& mark(std::string_view name) const;
    const TicketMark& numberMark(int cell) const { return m_marks.at(static_cast<std::size_t>(cell)); }
    // The marks that the print shows, in layout order: numbers by tip, then days, then options.
    std::vector<TicketMark> printedMarks() const;

    bool imageEnabled() const { return m_imageEnabled; }
    // The scan loaded into the image element; empty when none was ever found.
    const std::string& imagePath() const { return m_imagePath; }

private:
    TicketMark& markNamed(std::string_view name);

    std::vector<TicketMark> m_marks;
    bool m_imageEnabled = false;
    std::string m_imagePath;
};

} // namespace lotto
