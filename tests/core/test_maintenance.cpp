#include "core/StateFixture.h"
#include "core/archive/ArchiveBackups.h"
#include "core/archive/ArchiveMaintenance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lotto;
using namespace lotto::test;
namespace fs = std::filesystem;

namespace {

// Sunday, Wednesday, Sunday; the slot byte 0 as in Austrian data.
const std::vector<DrawRecord> kDraws{draw(2002, 1, 6, {2, 8, 15, 22, 30, 44}, 5),
                                     draw(2002, 1, 9, {1, 7, 12, 25, 33, 41}, 19),
                                     draw(2002, 1, 13, {4, 10, 18, 27, 36, 42}, 3)};

std::string encoded(const std::vector<DrawRecord>& records) {
    const auto bytes = DrawArchive::encodeAll(records);
    return {bytes.begin(), bytes.end()};
}

struct Maintenance : StateFixture<> {
    const std::string path = dir.file("ZahlenAT.dat");
    void SetUp() override { archive(kDraws); }
    std::string bytes() const { return readWholeFile(path); }
    ino_t inode() const {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_ino;
    }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            if (entry.is_regular_file()) names.push_back(entry.path().filename().string()); // not the backups
        std::sort(names.begin(), names.end());
        return names;
    }
    void show(int year, int month, int day) {
        state.setDrawDate(dayNumber(year, month, day));
        state.SpeedButton5Click();
    }
};

} // namespace

TEST_F(Maintenance, EntryAfterTheLastDrawIsAppendedInPlaceSortedWithTheSlotCarried) {
    host.drawAnswer = DrawEntry{dayNumber(2002, 1, 16), {40, 3, 17, 9, 45, 1}, 8};
    const ino_t before = inode();
    state.BitBtn8Click();
    ASSERT_EQ(host.drawPresets.size(), 1U);
    EXPECT_EQ(host.drawPresets[0], (DrawEntry{dayNumber(2002, 1, 13), {4, 10, 18, 27, 36, 42}, 3}));
    std::vector<DrawRecord> expected = kDraws;
    expected.push_back(draw(2002, 1, 16, {1, 3, 9, 17, 40, 45}, 8, 0));
    EXPECT_EQ(bytes(), encoded(expected));
    EXPECT_EQ(inode(), before); // written in place, no temporary copy renamed over it
    EXPECT_EQ(files(), std::vector<std::string>{"ZahlenAT.dat"});
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text, "Mi 16.01.02    1  3  9  17  40  45 Z:8");
    EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 16));
}

TEST_F(Maintenance, EntryOnAnExistingDateReplacesItAndAnEarlierOneBecomesRecordZero) {
    const DrawRecord replacement = draw(2002, 1, 9, {5, 6, 7, 8, 9, 10}, 11);
    host.drawAnswer = DrawEntry{dayNumber(2002, 1, 9), {5, 6, 7, 8, 9, 10}, 11};
    state.BitBtn8Click();
    EXPECT_EQ(bytes(), encoded({kDraws[0], replacement, kDraws[2]}));
    EXPECT_EQ(files(), std::vector<std::string>{"ZahlenAT.dat"});
    // The evaluation that follows shows the newest draw.
    EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 13));

    const DrawRecord first = draw(2001, 12, 30, {1, 2, 3, 4, 5, 6}, 7);
    host.drawAnswer = DrawEntry{dayNumber(2001, 12, 30), {1, 2, 3, 4, 5, 6}, 7};
    state.BitBtn8Click();
    EXPECT_EQ(bytes(), encoded({first, kDraws[0], replacement, kDraws[2]}));
    EXPECT_EQ(files(), std::vector<std::string>{"ZahlenAT.dat"});

    const DrawRecord newest = draw(2002, 1, 13, {11, 12, 13, 14, 15, 16}, 17);
    host.drawAnswer = DrawEntry{dayNumber(2002, 1, 13), {11, 12, 13, 14, 15, 16}, 17};
    state.BitBtn8Click();
    EXPECT_EQ(bytes(), encoded({first, kDraws[0], replacement, newest}));
}

TEST_F(Maintenance, EntryWithRepeatedOrOutOfRangeNumbersWritesNothing) {
    host.drawAnswer = DrawEntry{dayNumber(2002, 1, 16), {1, 2, 3, 17, 5, 17}, 8};
    state.BitBtn8Click();
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_NE(host.messages[0].find("die 17 ist mehrfach eingegeben"), std::string::npos) << host.messages[0];
    EXPECT_EQ(bytes(), encoded(kDraws));

    EXPECT_FALSE(entryProblem({0, {1, 2, 3, 4, 5, 45}, 7}, 0));
    EXPECT_TRUE(entryProblem({0, {0, 2, 3, 4, 5, 6}, 1}, 0));
    EXPECT_TRUE(entryProblem({0, {1, 2, 3, 4, 5, 46}, 1}, 0));
    EXPECT_TRUE(entryProblem({0, {1, 2, 3, 4, 5, 6}, 0}, 0));
    EXPECT_TRUE(entryProblem({0, {1, 2, 3, 4, 5, 6}, 46}, 0));
    EXPECT_FALSE(entryProblem({0, {1, 2, 3, 4, 5, 6}, 7}, 0));
    EXPECT_EQ(entryProblem({0, {1, 2, 3, 4, 5, 6}, 6}, 0),
              "Die Zusatzzahl 6 ist schon eine der sechs Zahlen der Ziehung. Es wurde nichts gespeichert.");
    EXPECT_FALSE(entryProblem({100, {1, 2, 3, 4, 5, 6}, 7}, 100)); // today
    EXPECT_EQ(entryProblem({dayNumber(2026, 12, 9), {1, 2, 3, 4, 5, 6}, 7}, dayNumber(2026, 12, 8)),
              "Die Ziehung vom 09.12.2026 liegt in der Zukunft (heute ist der 08.12.2026). Es wurde nichts "
              "gespeichert.");
}

TEST_F(Maintenance, EntryOnAnotherDayThanSundayOrWednesdayIsAskedAbout) {
    host.drawAnswer = DrawEntry{dayNumber(2002, 1, 18), {1, 2, 3, 4, 5, 6}, 7}; // a Friday
    host.answerChange = false;
    state.BitBtn8Click();
    EXPECT_EQ(host.changeQuestions, std::vector<std::string>{"Ziehung an einem Freitag eintragen?"});
    EXPECT_EQ(bytes(), encoded(kDraws));
    host.answerChange = true;
    state.BitBtn8Click();
    EXPECT_EQ(DrawArchive(path).readAll().back(), draw(2002, 1, 18, {1, 2, 3, 4, 5, 6}, 7));
}

TEST_F(Maintenance, AppendOverwritesATrailingFragment) {
    writeBytes(path, encoded(kDraws) + "\x01\x02\x03\x04\x05");
    host.drawAnswer = DrawEntry{dayNumber(2002, 1, 16), {1, 2, 3, 4, 5, 6}, 7};
    state.BitBtn8Click();
    std::vector<DrawRecord> expected = kDraws;
    expected.push_back(draw(2002, 1, 16, {1, 2, 3, 4, 5, 6}, 7));
    EXPECT_EQ(bytes(), encoded(expected));
}

TEST_F(Maintenance, DeleteAsksFirstWithNoKeepingTheDraw) {
    show(2002, 1, 9);
    host.answerChange = false;
    state.BitBtn4Click();
    EXPECT_EQ(host.changeQuestions, std::vector<std::string>{"Ziehung vom 09.01.2002 löschen?"});
    EXPECT_EQ(bytes(), encoded(kDraws));
    EXPECT_FALSE(fs::exists(dir.file("Sicherungen")));
}

TEST_F(Maintenance, DeleteRemovesTheShownDrawAndShowsTheNext) {
    show(2002, 1, 9);
    state.BitBtn4Click();
    EXPECT_EQ(bytes(), encoded({kDraws[0], kDraws[2]}));
    EXPECT_EQ(files(), std::vector<std::string>{"ZahlenAT.dat"});
    EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 13));
    EXPECT_EQ(host.busyDepth, 0);

    // A shown draw no longer in the archive: the archive stays as it is.
    changeBufferedDraw([](CurrentDraw& draw) { draw.date = dayNumber(2002, 1, 9); });
    const ino_t before = inode();
    state.BitBtn4Click();
    EXPECT_EQ(bytes(), encoded({kDraws[0], kDraws[2]}));
    EXPECT_EQ(inode(), before);

    fs::remove(path);
    EXPECT_THROW(state.BitBtn4Click(), FileError);
    EXPECT_EQ(files(), std::vector<std::string>{});
}

TEST_F(Maintenance, ExportFromTheChosenDateAsWindowsText) {
    EXPECT_EQ(exportLine(draw(2002, 10, 9, {3, 11, 19, 27, 33, 41}, 8, 0)),
              "09.10.2002,3,11,19,27,33,41,8,0;\r\n");

    host.saveFile = dir.file("export.txt");
    state.setDrawDate(dayNumber(2002, 1, 9));
    state.BitBtn3Click();
    ASSERT_EQ(host.saveDialogs.size(), 1U);
    EXPECT_EQ(host.saveDialogs[0].fileName, dir.path() + "Zahlen.txt");
    EXPECT_EQ(host.saveDialogs[0].filter, "Textdatei|*.txt");
    EXPECT_EQ(readWholeFile(*host.saveFile),
              "09.01.2002,1,7,12,25,33,41,19,0;\r\n13.01.2002,4,10,18,27,36,42,3,0;\r\n");

    state.setDrawDate(dayNumber(2002, 1, 14)); // after the last draw
    state.BitBtn3Click();
    EXPECT_EQ(readWholeFile(*host.saveFile), "");
    EXPECT_EQ(files(), (std::vector<std::string>{"ZahlenAT.dat", "export.txt"}));

    host.saveFile = dir.path() + "./ZahlenAT.dat";
    EXPECT_THROW(state.BitBtn3Click(), FileError);
    EXPECT_EQ(bytes(), encoded(kDraws));
}

TEST_F(Maintenance, RewriteStoppedBeforeTheRenameLeavesTheOldArchive) {
    show(2002, 1, 9);
    for (int operation = 0; operation < 2; ++operation) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) { // the process dies with the new copy written but not yet renamed
            AtomicFile::setBeforeRename([](const std::string& temporary) {
                if (temporary.find("/Sicherungen/") == std::string::npos) ::_exit(0); // the copy kept first
            });
            host.drawAnswer = DrawEntry{dayNumber(2002, 1, 2), {1, 2, 3, 4, 5, 6}, 7};
            if (operation == 0)
                state.BitBtn4Click();
            else
                state.BitBtn8Click();
            ::_exit(1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << operation;
        EXPECT_EQ(bytes(), encoded(kDraws)) << operation;
        EXPECT_EQ(files().size(), 2U) << operation; // the archive and the abandoned copy
        for (const std::string& name : files())
            if (name != "ZahlenAT.dat") fs::remove(dir.file(name));
    }
}

TEST_F(Maintenance, EveryRewriteKeepsACopyTheNewestFiveAndRestorePutsOneBack) {
    std::vector<std::string> states{bytes()};
    for (int k = 1; k <= 7; ++k) { // each replaces the Wednesday draw: a rewrite
        host.drawAnswer = DrawEntry{dayNumber(2002, 1, 9), {1, 2, 3, 4, 5, 6}, 10 + k};
        state.BitBtn8Click();
        states.push_back(bytes());
    }
    host.drawAnswer = DrawEntry{dayNumber(2002, 1, 16), {1, 2, 3, 4, 5, 6}, 7}; // appended: no copy
    state.BitBtn8Click();
    states.back() = bytes();
    std::vector<ArchiveBackup> kept = listBackups(path);
    ASSERT_EQ(kept.size(), 5U);
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(readWholeFile(kept[i].path), states[6 - i]) << i;
    EXPECT_EQ(kept[0].draws, 3);
    EXPECT_EQ(kept[0].newest, dayNumber(2002, 1, 13));

    host.answerChange = false;
    host.backupAnswer = 1;
    EXPECT_FALSE(state.RestoreBackupClick());
    EXPECT_EQ(bytes(), states[7]);
    ASSERT_EQ(host.changeQuestions.size(), 1U);
    EXPECT_EQ(host.changeQuestions[0],
              "Das Archiv wird durch die Sicherung vom " + formatBackupTime(kept[1].takenAt) +
                  " (3 Ziehungen bis 13.01.2002) ersetzt; 4 gespeicherte Ziehungen werden "
                  "ersetzt. Das jetzige Archiv wird vorher gesichert.");
    host.answerChange = true;
    EXPECT_TRUE(state.RestoreBackupClick());
    EXPECT_EQ(bytes(), states[5]);
    kept = listBackups(path);
    ASSERT_EQ(kept.size(), 5U);
    EXPECT_EQ(readWholeFile(kept[0].path), states[7]); // the archive before the restore
    EXPECT_EQ(readWholeFile(kept[4].path), states[3]);
    EXPECT_EQ(state.label(WindowLabel::DrawCaption).text.substr(0, 11), "So 13.01.02");

    host.backupAnswer = 5;
    EXPECT_FALSE(state.RestoreBackupClick());
    EXPECT_EQ(host.messages, std::vector<std::string>{"Es gibt keine Sicherung Nr. 6 (vorhanden: 5)."});
}

TEST_F(Maintenance, ASecondWriterIsRefusedWhileReadersGoOn) {
    show(2002, 1, 9);
    {
        const FolderLock otherProgram(dir.path()); // another process's writer, as flock sees it
        host.drawAnswer = DrawEntry{dayNumber(2002, 1, 9), {1, 2, 3, 4, 5, 6}, 7};
        try {
            state.BitBtn8Click();
            ADD_FAILURE() << "not refused";
        } catch (const FileError& e) {
            EXPECT_STREQ(e.what(), MainState::kWriterBusyMessage);
        }
        EXPECT_THROW(state.BitBtn4Click(), FileError);
        EXPECT_EQ(bytes(), encoded(kDraws));
        state.SpeedButton6Click(); // reading needs no lock
        EXPECT_EQ(state.drawDate(), dayNumber(2002, 1, 6));
    }
    state.BitBtn8Click();
    EXPECT_EQ(DrawArchive(path).readAll()[1], draw(2002, 1, 9, {1, 2, 3, 4, 5, 6}, 7));
}

TEST_F(Maintenance, ThePrizeStoreAndTheDownloadFileNeverReplaceTheArchiveOrItsCopies) {
    fs::create_symlink("ZahlenAT.dat", dir.file("Quoten.csv"));
    state.storePrizes({{dayNumber(2002, 1, 9), {{PrizeRank::Three, 1, 500, Currency::Euro}}}});
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_NE(host.messages[0].find("wird nicht überschrieben"), std::string::npos) << host.messages[0];
    EXPECT_EQ(bytes(), encoded(kDraws));

    keepBackup(path);
    writeBytes(path + ".alt", bytes());
    for (const std::string& target : {path + ".alt", listBackups(path).at(0).path}) {
        state.setFileNameEdit(target);
        EXPECT_THROW(state.HttpFetch("http://127.0.0.1:9/"), FileError) << target;
        EXPECT_EQ(readWholeFile(target), encoded(kDraws));
    }
}
