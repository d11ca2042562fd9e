#pragma once

#include "core/archive/DrawArchive.h"
#include "core/import/HttpGet.h"
#include "core/shell/Host.h"
#include "core/util/Clock.h"
#include "core/util/File.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lotto::test {

// A fresh directory below the system's temporary directory, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path() const { return m_path.string() + "/"; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

DrawRecord draw(int year, int month, int day, std::vector<int> main, int extra, int slot = 0);
void writeArchive(const std::string& path, const std::vector<DrawRecord>& records);
void writeBytes(const std::string& path, const std::string& bytes);
// The real draws 1986-2026 as the bundled archive holds them.
std::vector<DrawRecord> realDraws();
std::string realArchivePath(); // the archive built from them
// A path below the project's source folder and below its build folder.
std::string sourcePath(std::string_view relative);
std::string binaryPath(std::string_view relative);
// The real German 6 aus 49 draws 1955-2026 as the import stores them (extra number 0).
std::vector<DrawRecord> realGermanDraws();
std::vector<DrawRecord> drawsUntil(const std::vector<DrawRecord>& draws, DayNumber last); // on or before last
// The Austrian operator's results file for one year, holding the given year's draws: a
// heading line, then up to 1998 "dd.mm.;round;x;n1..n6;x;extra;", from 1999 on
// "dd.mm.yyyy;round;n1..n6;extra" (no ";" after the last field), CR LF line ends.
std::string austrianYearFile(int year, const std::vector<DrawRecord>& draws);
// The operator's results files as published today, with the data README's sample lines
// among them: 1986 to 30.06.2010 (one line per draw, notes for the cancelled 28.12.1986 and
// the moved 23.12.1998), 01.07.2010 to 2017 (two lines per draw, "d.m." dates, the years
// newest first), both Windows-1252 with CR LF; one file per year from 2018, UTF-8 with a
// byte-order mark and LF.
std::string todayFile1986(const std::vector<DrawRecord>& draws);
std::string todayFile2010(const std::vector<DrawRecord>& draws);
std::string todayYearFile(int year, const std::vector<DrawRecord>& draws);

// The operator's HTML page of the last ten draws holding the given draws in their order: an
// opening line "Ziehung  vom Mi., dd.mm.yy</td>" (the markup before it on the line above; a
// Sunday draw's date on the next line, after "Ziehung  vom</td>"),
// then one "lottozahlen/n.gif" image line per number, the extra number last.
std::string austrianLastTenPage(const std::vector<DrawRecord>& draws);

// A results page of the latest draws: per draw "Ziehung vom ..., dd.mm.yy:<br><b>n1,...,n6
// ZZ:zz SZ: s</b>", the extra number written in two characters.
std::string latestDrawPage(const std::vector<DrawRecord>& draws, int superzahl);

// The prize balance's fixture: two draws in 1999 (Schilling quotas, the second without any),
// two in 2010, a Friday draw that the weekday boxes never pass; and their "Quoten.csv".
std::vector<DrawRecord> prizeBalanceDraws();
extern const char* const kPrizeBalanceQuotas;

// Serves prepared pages by their full address; any other address is a 404.
class PageServer : public HttpGet {
public:
    void get(const HttpGetRequest& request, ByteSink& body) override {
        urls.push_back(request.url);
        const auto it = pages.find(request.url);
        if (it == pages.end()) throw HttpException(404, "Not Found", true);
        body.write(it->second.data(), it->second.size());
    }
    std::map<std::string, std::string> pages;
    std::vector<std::string> urls;
};

// Records what operations ask of the window and answers from prepared values.
class FakeHost : public Host {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text, const std::string&) override {
        questions.push_back(text);
        return answerYes;
    }
    // Answered Yes unless a test says otherwise, as lotto-cli answers it.
    bool askBeforeChange(const std::string& text, const std::string&) override {
        changeQuestions.push_back(text);
        return answerChange;
    }
    std::optional<std::size_t> chooseBackup(const std::vector<ArchiveBackup>& backups) override {
        offeredBackups = backups;
        return backupAnswer;
    }
    std::string inputBox(const std::string& caption, const std::string&, const std::string& text) override {
        inputs.push_back(caption);
        proposed.push_back(text);
        return inputAnswer ? *inputAnswer : text;
    }
    std::optional<std::string> chooseSaveFile(const FileDialogState& dialog) override {
        saveDialogs.push_back(dialog);
        return saveFile;
    }
    std::optional<std::string> chooseOpenFile(const FileDialogState& dialog) override {
        openDialogs.push_back(dialog);
        return openFile;
    }
    void playSound(const std::string& file) override { sounds.push_back(file); }
    void openDocument(const std::string& target) override { opened.push_back(target); }
    bool openDocumentChecked(const std::string& target) override {
        opened.push_back(target);
        return documentsOpen;
    }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void repaint(RepaintArea area) override { repaints.push_back(area); }
    std::optional<DrawEntry> enterDraw(const DrawEntry& preset) override {
        drawPresets.push_back(preset);
        return drawAnswer;
    }

    bool addSearchHit(const TipSearchHit& hit) override {
        searchHits.push_back(hit);
        return searchHits.size() < searchHitsWanted;
    }
    void endSearchList(std::int64_t found, bool stopped) override { searchEnd = {found, stopped}; }

    std::vector<TipSearchHit> searchHits;
    std::size_t searchHitsWanted = SIZE_MAX;
    std::pair<std::int64_t, bool> searchEnd{-1, false};
    std::vector<std::string> messages, questions, changeQuestions, inputs, proposed, sounds, opened;
    std::vector<FileDialogState> saveDialogs, openDialogs;
    std::vector<ArchiveBackup> offeredBackups;
    std::optional<std::size_t> backupAnswer;
    bool answerChange = true;
    std::vector<RepaintArea> repaints;
    std::vector<DrawEntry> drawPresets;
    std::optional<DrawEntry> drawAnswer;
    bool answerYes = false;
    bool documentsOpen = true; // false: no program for the document
    std::optional<std::string> inputAnswer, saveFile, openFile;
    int busyDepth = 0;
};

// A host whose downloads come from a PageServer.
class PageHost : public FakeHost {
public:
    HttpGet& http() override { return server; }
    PageServer server;
};

class FakeClock : public Clock {
public:
    explicit FakeClock(DayNumber day = dayNumber(2026, 12, 7), std::uint32_t seedValue = 4711)
        : todayValue(day), seedValue(seedValue) {}
    DayNumber today() override { return todayValue; }
    std::uint32_t seed() override { return seedValue; }
    DayNumber todayValue;
    std::uint32_t seedValue;
};

} // namespace lotto::test
