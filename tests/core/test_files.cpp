#include "core/TestSupport.h"
#include "core/shell/ProgramDirectory.h"
#include "core/util/File.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lotto;
using namespace lotto::test;
namespace fs = std::filesystem;

namespace {

unsigned modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

std::size_t entriesIn(const std::string& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

} // namespace

TEST(AtomicWrite, TemporaryNameCannotBeRedirected) {
    TempDir dir;
    const std::string target = dir.file("tipps.qtp");
    writeBytes(dir.file("fremd"), "fremd");
    // A link planted where a fixed temporary name would be, and one under the new pattern.
    fs::create_symlink(dir.file("fremd"), target + ".tmp~");
    fs::create_symlink(dir.file("fremd"), target + ".~lotto-AAAAAA");
    writeFileAtomically(target, "neu");
    EXPECT_EQ(readWholeFile(target), "neu");
    EXPECT_EQ(readWholeFile(dir.file("fremd")), "fremd");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(entriesIn(dir.path()), 4U); // no temporary file left
}

TEST(AtomicWrite, KeepsPermissionsAndWritesThroughLinks) {
    TempDir dir;
    const std::string target = dir.file("privat.qtp");
    writeBytes(target, "alt");
    ::chmod(target.c_str(), 0600);
    fs::create_symlink("privat.qtp", dir.file("link.qtp"));
    writeFileAtomically(dir.file("link.qtp"), "neu");
    EXPECT_TRUE(fs::is_symlink(dir.file("link.qtp")));
    EXPECT_EQ(readWholeFile(target), "neu");
    EXPECT_EQ(modeOf(target), 0600U);
}

TEST(AtomicWrite, RefusesWhatIsNotARegularFile) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", dir.file("null"));
    fs::create_directory(dir.file("ordner"));
    for (const char* name : {"fifo", "null", "ordner"}) {
        try {
            writeFileAtomically(dir.file(name), "x");
            ADD_FAILURE() << name;
        } catch (const FileError& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find("„" + dir.file(name) + "“"), std::string::npos) << text;
            EXPECT_EQ(text.find("~lotto"), std::string::npos) << text;
        }
    }
    EXPECT_TRUE(fs::is_fifo(dir.file("fifo")));
    EXPECT_TRUE(fs::is_symlink(dir.file("null")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(entriesIn(dir.path()), 3U);
}

TEST(InputFiles, FifoAndDevicesAreRefusedWithoutBlocking) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("ZahlenAT.dat").c_str(), 0600), 0);
    EXPECT_THROW(DrawArchive(dir.file("ZahlenAT.dat")).recordCount(), FileError);
    EXPECT_THROW(readWholeFile(dir.file("ZahlenAT.dat")), FileError);
    EXPECT_THROW(readWholeFile("/dev/zero"), FileError);
}

TEST(InputFiles, ErrorTextsAreGerman) {
    TempDir dir;
    fs::create_symlink("a", dir.file("b"));
    fs::create_symlink("b", dir.file("a"));
    try {
        readWholeFile(dir.file("a"));
        ADD_FAILURE();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("Zu viele Verknüpfungen"), std::string::npos) << e.what();
    }
    for (int error : {EIO, EBUSY, EFBIG, EDQUOT, EMFILE, EXDEV, ENOTEMPTY, EINVAL})
        EXPECT_EQ(fileErrorText(error).find("E/A-Fehler"), std::string::npos) << error;
}

TEST(ArchivePath, TheArchiveIsRecognisedHoweverItIsSpelt) {
    TempDir dir;
    const DrawArchive archive(dir.file("ZahlenAT.dat"));
    writeBytes(archive.path(), "");
    fs::create_symlink(archive.path(), dir.file("link.qtp"));
    fs::create_hard_link(archive.path(), dir.file("hart.qtp"));
    EXPECT_TRUE(archive.isArchiveFile(dir.path() + "./ZahlenAT.dat"));
    fs::create_directory(dir.file("sub"));
    EXPECT_TRUE(archive.isArchiveFile(dir.path() + "sub/../ZahlenAT.dat"));
    EXPECT_TRUE(archive.isArchiveFile(dir.file("link.qtp")));
    EXPECT_TRUE(archive.isArchiveFile(dir.file("hart.qtp")));
    EXPECT_TRUE(archive.isArchiveFile(dir.file("ZahlenAT.dat.~lotto-x1Y2z3")));
    EXPECT_FALSE(archive.isArchiveFile(dir.file("ZahlenAT.dat.qtp")));
    EXPECT_FALSE(archive.isArchiveFile(dir.file("ZahlenAT.dat.~lotto-x1Y2z")));
    EXPECT_THROW(archive.refuseAsOutput(dir.file("link.qtp")), FileError);
}

TEST(ProgramDirectoryFirstStart, KilledAtEveryStepLeavesNothingOrAWholeDirectory) {
    const std::vector<unsigned char> bundled{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    for (int killAt = 1; killAt <= kFirstStartSteps; ++killAt) {
        TempDir dir;
        const std::string programDir = dir.file("programm");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) { // the first start, killed after step killAt
            prepareProgramDirectory(programDir, bundled, [&](FirstStartStep step) {
                if (static_cast<int>(step) == killAt) ::_exit(0);
            });
            ::_exit(1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << killAt;
        if (killAt < kFirstStartSteps)
            EXPECT_FALSE(fs::exists(programDir)) << killAt;
        else
            EXPECT_EQ(readWholeFile(programDir + "/ZahlenAT.dat").size(), 16U);

        // The next start completes the directory and, once they are old, clears the leftovers.
        prepareProgramDirectory(programDir, bundled);
        EXPECT_EQ(readWholeFile(programDir + "/ZahlenAT.dat").size(), 16U) << killAt;
        clearStaleTemporaryFiles(programDir, std::chrono::seconds(0));
        EXPECT_EQ(entriesIn(dir.path()), 1U) << killAt;
        EXPECT_EQ(entriesIn(programDir), 1U) << killAt;
    }
}

TEST(ProgramDirectoryFirstStart, StaleTemporaryFilesAreClearedOnlyWhenOld) {
    TempDir dir;
    writeBytes(dir.file("ZahlenAT.dat.~lotto-abc123"), "alt");
    writeBytes(dir.file("ZahlenAT.dat.~lotto-abc"), "fremd");
    writeBytes(dir.file("ZahlenAT.dat.tmp~"), "fremd");
    clearStaleTemporaryFiles(dir.path());
    EXPECT_EQ(entriesIn(dir.path()), 3U); // young: perhaps another run is writing it
    clearStaleTemporaryFiles(dir.path(), std::chrono::seconds(0));
    EXPECT_EQ(entriesIn(dir.path()), 2U);
    EXPECT_FALSE(fs::exists(dir.file("ZahlenAT.dat.~lotto-abc123")));
}

TEST(ProgramDirectoryFirstStart, BundledArchiveIsInstalledOverTheOldOne) {
    TempDir dir;
    writeBytes(dir.file("ZahlenAT.dat"), "alt");
    installBundledArchive(dir.path(), std::vector<unsigned char>{'n', 'e', 'u'});
    EXPECT_EQ(readWholeFile(dir.file("ZahlenAT.dat")), "neu");
    EXPECT_EQ(entriesIn(dir.path()), 1U);
}
