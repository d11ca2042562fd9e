#pragma once

#include "core/archive/DrawRecord.h"
#include "core/import/HttpFetch.h"
#include "core/util/File.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace lotto {

// One draw as a results page gives it: its day, six main numbers and the extra number.
struct ParsedDraw {
    DayNumber day = 0;
    std::array<int, 7> numbers{};
};

// Six distinct main numbers 1..45 and an extra number 1..45 that is none of them: what an
// Austrian results line must hold to be a draw line (anything else is skipped, never stored
// by its low eight bits).
inline bool isAustrianDraw(const std::array<int, 7>& numbers) {
    std::array<bool, 46> seen{};
    for (std::size_t i = 0; i < 7; ++i) {
        const int n = numbers[i];
        if (!isLottoNumber(n) || seen[static_cast<std::size_t>(n)]) return false;
        seen[static_cast<std::size_t>(n)] = true;
    }
    return true;
}

// A German 6 aus 49 draw: six distinct main numbers 1..49 and an extra number 1..49 that is
// none of them, or 0 where the page lists none (since 2013 only six numbers and a Superzahl).
inline bool isGermanDraw(const std::array<int, 7>& numbers) {
    std::array<bool, 50> seen{};
    for (std::size_t i = 0; i < 7; ++i) {
        const int n = numbers[i];
        if (i == 6 && n == 0) return true;
        if (n < 1 || n > 49 || seen[static_cast<std::size_t>(n)]) return false;
        seen[static_cast<std::size_t>(n)] = true;
    }
    return true;
}

// What an archive import reads from and writes to the window besides the download.
class ImportWindow : public FetchWindow {
public:
    virtual DayNumber today() = 0;
    virtual DayNumber pickerDate() const = 0; // DateTimePicker1
    virtual void setPickerDate(DayNumber day) = 0;
    virtual void setLastStoredDate(DayNumber day) = 0;
    // Running: BitBtn1 and SpeedButton10 disabled, SpeedButton8 shown; not running: the reverse.
    virtual void setImportRunning(bool running) = 0;
    // False once SpeedButton8 has been clicked.
    virtual bool stopButtonVisible() const = 0;
    // Label29 and Label13 for the draw being read.
    virtual void showParsedDraw(const std::string& caption, const std::string& digitSum) = 0;
    // Years (or pages) done out of those to fetch, for the progress bar.
    virtual void setProgress(int done, int total) = 0;
    // The closing steps after the archive is closed: Label29 to Label35, the evaluation for
    // the chosen date and the check of all tips.
    virtual void importFinished() = 0;
};

// "DDD dd.mm.yy", three blanks, the six numbers each after two blanks, " Z:" and the extra.
std::string importCaption(const ParsedDraw& draw);
std::string importDigitSum(const ParsedDraw& draw); // "Quersumme: " + sum of the six

// What an import tells when it is done: "3 neue Ziehungen übernommen (bis 21.08.2026)",
// "1 neue Ziehung übernommen (bis …)" or "Keine neuen Ziehungen".
std::string importSummary(std::int64_t added, DayNumber newest);

// How the file of one year arrived, for the sources read year by year.
enum class YearFetch {
    Read,        // complete: its draws may be taken
    NotYetThere, // the current year's file answered 404: nothing new yet
    Failed,      // the import ends before this year (ImportSession::failure says why)
};

// The frame of every archive import. Construction runs the opening steps: start buttons
// disabled, stop button shown, the archive opened (created empty when missing) and read to
// its last record, DateTimePicker1 set to that record's date, LastStoredDate taken from the
// picker. finish() runs the closing steps. A session that ends without finish() (an error
// escaped) restores the buttons and closes the archive, which keeps what was appended.
class ImportSession {
public:
    ImportSession(ImportWindow& window, std::string archivePath);
    ~ImportSession();
    ImportSession(const ImportSession&) = delete;
    ImportSession& operator=(const ImportSession&) = delete;

    ImportWindow& window() { return m_window; }
    // Today on or after DateTimePicker1 and no stop request.
    bool goOn();
    // HttpFetch of url with onLine as the page's parser. A failed download is kept for the
    // report at the end (failure()); the import goes on as its source's rules say.
    bool fetch(const std::string& url, const std::function<void(std::string_view)>& onLine);
    // The fetch of one year's file. A year that does not arrive whole ends the import there:
    // later years appended past it would leave a gap the append rule never fills, while
    // stopping lets the next update start with that year again. The current year's file
    // that the server answers with 404 is not published yet, which is no failure (a
    // connection that failed is one, though the client reports it as 404 too).
    YearFetch fetchYear(const std::string& url, int year,
                        const std::function<void(std::string_view)>& onLine);
    // The loop of the sources read a year at a time: the years from that of DateTimePicker1
    // to the current one while goOn() (a stop request ends it between years), the progress
    // counted in years. readYear fetches and offers one year's draws and returns false when
    // the year did not arrive whole (fetchYear said Failed): that ends the run before the year
    // counts as done. After each year read, the picker moves to the given day of January of
    // the next year.
    void readYears(int januaryDay, const std::function<bool(int year)>& readYear);
    // A draw that may be stored: an Austrian draw (isAustrianDraw), or with germanDraws() a
    // German one (isGermanDraw), dated no later than today.
    bool storable(const ParsedDraw& draw);
    // The German history import stores the German game's draws as they are.
    void germanDraws() { m_germanDraws = true; }
    // Shows the draw and applies the append rule: written as a whole record at the end of
    // the archive when its day is later than LastStoredDate. A draw that is not storable is
    // neither shown nor written. Returns whether it was written.
    bool offer(const ParsedDraw& draw);
    // For a draw offer() dropped as older than LastStoredDate: inserted in date order by a
    // rewrite of the archive (a whole new file renamed over it), unless a draw on its day is
    // stored already. Appending then goes on at the new end. Returns whether it was written.
    bool insertOlder(const ParsedDraw& draw);
    // An empty archive takes every draw after day, whatever DateTimePicker1 says.
    void takeDrawsAfter(DayNumber day);
    bool archiveWasEmpty() const { return m_emptyAtStart; }
    // Moves DateTimePicker1 forward by days and takes LastStoredDate from it again, so that
    // only draws later than that are appended.
    void moveStart(int days);
    void finish();

    std::int64_t appended() const { return m_appended; } // inserted draws included
    DayNumber lastStoredDate() const { return m_lastStored; }
    // Why the import is not complete: the failed downloads, or the year it ended before;
    // empty when everything was read.
    std::string failure() const;
    std::optional<int> unreadYear() const { return m_unreadYear; } // the year it ended before
    // The stop button ended the loop before everything was read.
    bool stopped() const { return m_stopped; }

private:
    void readLastRecord();
    FetchResult fetchPage(const std::string& url, const std::function<void(std::string_view)>& onLine);

    struct Running {
        explicit Running(ImportWindow& window) : window(window) { window.setImportRunning(true); }
        ~Running() {
            if (active) window.setImportRunning(false);
        }
        ImportWindow& window;
        bool active = true;
    };

    ImportWindow& m_window;
    Running m_running;
    std::string m_archivePath;
    File m_archive;
    std::int64_t m_records = 0; // whole records in the file; the next one goes at 16 x this
    DrawRecord m_working;
    DayNumber m_lastStored = 0;
    std::int64_t m_appended = 0;
    bool m_unsynced = false;
    bool m_emptyAtStart = false;
    bool m_germanDraws = false;
    bool m_stopped = false;
    std::string m_failure; // the first failed download, or the year the import ended before
    int m_failedFetches = 0;
    std::optional<int> m_unreadYear;
};

} // namespace lotto
