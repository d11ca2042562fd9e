#include "core/import/ImportSession.h"

#include "core/archive/DrawArchive.h"
#include "core/util/Text.h"

#include <algorithm>

namespace lotto {

std::string importCaption(const ParsedDraw& draw) {
    std::string text = formatDrawDate(draw.day) + "   ";
    for (std::size_t i = 0; i < 6; ++i)
        text += "  " + std::to_string(draw.numbers[i]);
    return text + " Z:" + std::to_string(draw.numbers[6]);
}

std::string importDigitSum(const ParsedDraw& draw) {
    long long sum = 0;
    for (std::size_t i = 0; i < 6; ++i)
        sum += draw.numbers[i];
    return "Quersumme: " + std::to_string(sum);
}

std::string importSummary(std::int64_t added, DayNumber newest) {
    if (added <= 0) return "Keine neuen Ziehungen";
    return formatGrouped(added) + (added == 1 ? " neue Ziehung" : " neue Ziehungen") + " übernommen (bis " +
           formatShortDate(newest) + ")";
}

ImportSession::ImportSession(ImportWindow& window, std::string archivePath)
    : m_window(window), m_running(window), m_archivePath(std::move(archivePath)) {
    const DrawArchive archive(m_archivePath);
    if (!archive.exists()) archive.createEmpty();
    readLastRecord();
    m_emptyAtStart = m_records == 0;
    if (m_working.date > 0) m_window.setPickerDate(m_working.day());
    m_lastStored = m_window.pickerDate();
    m_window.setLastStoredDate(m_lastStored);
}

void ImportSession::readLastRecord() {
    m_archive = File(m_archivePath, File::Mode::ReadWrite);
    // A trailing fragment shorter than a record is not a record: the next append covers it.
    m_records = m_archive.size() / static_cast<std::int64_t>(DrawRecord::kSize);
    if (m_records > 0) {
        std::array<std::uint8_t, DrawRecord::kSize> bytes{};
        if (m_archive.readAt((m_records - 1) * static_cast<std::int64_t>(DrawRecord::kSize), bytes.data(),
                             bytes.size()) == bytes.size())
            m_working = DrawRecord::decode(bytes.data());
    }
}

ImportSession::~ImportSession() {
    // Only on the error path: what was appended stays, and is made durable if possible.
    if (m_unsynced && m_archive.isOpen()) {
        try {
            m_archive.sync();
        } catch (const FileError&) {
        }
    }
}

bool ImportSession::goOn() {
    if (m_window.today() < m_window.pickerDate()) return false;
    if (!m_window.stopButtonVisible()) {
        m_stopped = true;
        return false;
    }
    return true;
}

FetchResult ImportSession::fetchPage(const std::string& url,
                                     const std::function<void(std::string_view)>& onLine) {
    FetchResult result = httpFetch(m_window, url, onLine);
    if (m_unsynced) {
        m_archive.sync();
        m_unsynced = false;
    }
    return result;
}

bool ImportSession::fetch(const std::string& url, const std::function<void(std::string_view)>& onLine) {
    const FetchResult result = fetchPage(url, onLine);
    if (!result.received && ++m_failedFetches == 1) m_failure = url + " (" + result.status + ")";
    return result.received;
}

YearFetch ImportSession::fetchYear(const std::string& url, int year,
                                   const std::function<void(std::string_view)>& onLine) {
    const FetchResult result = fetchPage(url, onLine);
    if (result.received) return YearFetch::Read;
    if (result.serverAnswered && result.failureCode == 404 && year == civilDate(m_window.today()).year)
        return YearFetch::NotYetThere;
    m_failedFetches = 0;
    m_failure = "Die Ziehungen von " + std::to_string(year) + " konnten nicht vollständig geladen werden (" +
                result.status + ").";
    m_unreadYear = year;
    return YearFetch::Failed;
}

void ImportSession::readYears(int januaryDay, const std::function<bool(int year)>& readYear) {
    const int firstYear = civilDate(m_window.pickerDate()).year;
    const int lastYear = civilDate(m_window.today()).year;
    const int total = std::max(0, lastYear - firstYear + 1);
    int done = 0;
    m_window.setProgress(done, total);
    while (goOn()) {
        const int year = civilDate(m_window.pickerDate()).year;
        if (!readYear(year)) break;
        m_window.setProgress(++done, total);
        if (year >= 9999) break;
        m_window.setPickerDate(dayNumber(year + 1, 1, januaryDay));
    }
}

std::string ImportSession::failure() const {
    if (m_failedFetches == 0) return m_failure;
    if (m_failedFetches == 1) return "Eine Seite konnte nicht geladen werden: " + m_failure + ".";
    return std::to_string(m_failedFetches) + " Seiten konnten nicht geladen werden, zuerst " + m_failure +
           ".";
}

bool ImportSession::storable(const ParsedDraw& draw) {
    return (m_germanDraws ? isGermanDraw(draw.numbers) : isAustrianDraw(draw.numbers)) &&
           draw.day <= m_window.today();
}

bool ImportSession::offer(const ParsedDraw& draw) {
    if (!storable(draw)) return false;
    m_window.showParsedDraw(importCaption(draw), importDigitSum(draw));
    m_working.date = draw.day;
    for (std::size_t i = 0; i < 7; ++i)
        m_working.numbers[i] = static_cast<std::uint8_t>(draw.numbers[i] & 0xFF);
    // Byte 15 is never written: it repeats that of the last record as the import found it.
    if (draw.day <= m_lastStored) return false;
    std::array<std::uint8_t, DrawRecord::kSize> bytes{};
    m_working.encode(bytes.data());
    m_archive.writeAt(m_records * static_cast<std::int64_t>(DrawRecord::kSize), bytes.data(), bytes.size());
    ++m_records;
    ++m_appended;
    m_unsynced = true;
    m_lastStored = draw.day;
    m_window.setLastStoredDate(m_lastStored);
    return true;
}

bool ImportSession::insertOlder(const ParsedDraw& draw) {
    if (draw.day >= m_lastStored || !storable(draw)) return false;
    DrawRecord record = m_working;
    record.date = draw.day;
    for (std::size_t i = 0; i < 7; ++i)
        record.numbers[i] = static_cast<std::uint8_t>(draw.numbers[i] & 0xFF);
    m_archive.sync();
    m_unsynced = false;
    m_archive.close();
    const DrawArchive archive(m_archivePath);
    bool stored = false;
    archive.forEach([&](const DrawRecord& r) { stored = stored || r.day() == draw.day; });
    if (!stored) {
        archive.rewrite([&](const auto& emit) {
            bool written = false;
            archive.forEach([&](const DrawRecord& r) {
                if (!written && r.day() > draw.day) {
                    emit(record);
                    written = true;
                }
                emit(r);
            });
            if (!written) emit(record);
        });
        ++m_appended;
    }
    readLastRecord();
    if (m_working.date > 0) m_lastStored = m_working.day();
    m_window.setLastStoredDate(m_lastStored);
    return !stored;
}

void ImportSession::takeDrawsAfter(DayNumber day) {
    m_lastStored = day;
    m_window.setLastStoredDate(m_lastStored);
}

void ImportSession::moveStart(int days) {
    m_window.setPickerDate(m_window.pickerDate() + days);
    m_lastStored = m_window.pickerDate();
    m_window.setLastStoredDate(m_lastStored);
}

void ImportSession::finish() {
    m_archive.sync();
    m_unsynced = false;
    m_archive.close();
    m_running.active = false;
    m_window.setImportRunning(false);
    m_window.importFinished();
}

} // namespace lotto
