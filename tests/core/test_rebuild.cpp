#include "core/TestSupport.h"
#include "core/archive/ArchiveRebuild.h"
#include "core/archive/DrawArchive.h"
#include "core/util/File.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

using namespace lotto;
using namespace lotto::test;
namespace fs = std::filesystem;

// The old archive comes back byte for byte unless the new one was kept: also when the rebuild
// ends by an error before it was settled.
TEST(ArchiveRebuild, OldArchiveIsPutBackUnlessTheNewOneIsKept) {
    TempDir dir;
    const std::string archive = dir.file("ZahlenAT.dat");
    writeArchive(archive,
                 {draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7), draw(2002, 1, 9, {8, 9, 10, 11, 12, 13}, 14)});
    const std::string old = readWholeFile(archive);
    try {
        ArchiveRebuild rebuild(archive);
        rebuild.setAside();
        EXPECT_EQ(readWholeFile(archive), "");
        EXPECT_EQ(readWholeFile(archive + ".alt"), old);
        throw std::runtime_error("Abbruch");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(readWholeFile(archive), old);
    EXPECT_FALSE(fs::exists(archive + ".alt"));

    ArchiveRebuild empty(archive);
    empty.setAside();
    EXPECT_FALSE(empty.finish(true, 0)); // complete, but without a draw
    EXPECT_EQ(readWholeFile(archive), old);

    ArchiveRebuild kept(archive);
    kept.setAside();
    writeArchive(archive, {draw(2002, 1, 13, {1, 2, 3, 4, 5, 6}, 7)});
    EXPECT_TRUE(kept.finish(true, 1));
    EXPECT_EQ(DrawArchive(archive).recordCount(), 1);
    EXPECT_FALSE(fs::exists(archive + ".alt"));
}

TEST(ArchiveRebuild, InterruptedRebuildGetsItsSetAsideArchiveBackOnlyWithoutAWholeRecord) {
    TempDir dir;
    const std::string archive = dir.file("ZahlenAT.dat");
    const std::string aside = archive + ".alt";
    const std::string old(48, 'o');
    const std::string rebuilt(16, 'n'); // one whole record: the rebuild had begun to fill it
    writeBytes(archive, rebuilt);
    writeBytes(aside, old);
    recoverInterruptedRebuild(dir.path());
    EXPECT_EQ(readWholeFile(archive), rebuilt);
    EXPECT_EQ(readWholeFile(aside), old);

    writeBytes(archive, rebuilt.substr(0, 15));
    recoverInterruptedRebuild(dir.path());
    EXPECT_EQ(readWholeFile(archive), old);
    EXPECT_FALSE(fs::exists(aside));

    writeBytes(aside, old);
    recoverInterruptedRebuild(dir.path());
    EXPECT_FALSE(fs::exists(aside)); // equal to the archive: killed before it was emptied
}
