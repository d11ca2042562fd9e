#include "core/TestSupport.h"
#include "core/archive/ArchiveFilter.h"
#include "core/archive/DrawArchive.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

using namespace lotto;
using namespace lotto::test;

TEST(DrawRecord, LittleEndianLayout) {
    DrawRecord r = draw(2002, 10, 9, {3, 11, 19, 27, 33, 41}, 8, 0);
    std::array<std::uint8_t, 16> bytes{};
    r.encode(bytes.data());
    // 37538.0 as IEEE-754 double is 0x40E2544000000000, stored low byte first.
    const std::array<std::uint8_t, 16> expected{0x00, 0x00, 0x00, 0x00, 0x40, 0x54, 0xE2, 0x40,
                                                3,    11,   19,   27,   33,   41,   8,    0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(DrawRecord::decode(bytes.data()), r);
    EXPECT_EQ(r.day(), 37538);
    EXPECT_EQ(r.mainSum(), 134);
}

TEST(DrawArchive, EmptyFileAndTrailingFragment) {
    TempDir dir;
    const std::string path = dir.file("ZahlenAT.dat");
    writeBytes(path, "");
    DrawArchive archive(path);
    EXPECT_EQ(archive.recordCount(), 0);
    EXPECT_FALSE(archive.lastRecord());
    EXPECT_TRUE(archive.readAll().empty());

    const std::vector<DrawRecord> three{draw(2002, 1, 2, {1, 2, 3, 4, 5, 6}, 7),
                                        draw(2002, 1, 6, {8, 9, 10, 11, 12, 13}, 14),
                                        draw(2002, 1, 9, {20, 21, 22, 23, 24, 25}, 26)};
    auto bytes = DrawArchive::encodeAll(three);
    writeBytes(path, std::string(bytes.begin(), bytes.end()) + "\x01\x02\x03\x04\x05");
    EXPECT_EQ(archive.recordCount(), 3);
    EXPECT_EQ(archive.readAll(), three);
    EXPECT_EQ(*archive.lastRecord(), three[2]);

    // An append lands at 16 x N and overwrites the fragment instead of shifting behind it.
    archive.append(draw(2002, 1, 13, {30, 31, 32, 33, 34, 35}, 36));
    EXPECT_EQ(std::filesystem::file_size(path), 64U);
    EXPECT_EQ(archive.readAll().back(), draw(2002, 1, 13, {30, 31, 32, 33, 34, 35}, 36));
}

TEST(DrawArchive, MissingFileFailsWithGermanMessage) {
    TempDir dir;
    DrawArchive archive(dir.file("ZahlenAT.dat"));
    EXPECT_FALSE(archive.exists());
    try {
        archive.readAll();
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("Datei nicht gefunden"), std::string::npos) << e.what();
    }
}

TEST(DrawArchive, RewriteReplacesAtomicallyAndLeavesTheOldFileOnError) {
    TempDir dir;
    const std::string path = dir.file("ZahlenAT.dat");
    const std::vector<DrawRecord> records{draw(2002, 1, 2, {1, 2, 3, 4, 5, 6}, 7),
                                          draw(2002, 1, 6, {8, 9, 10, 11, 12, 13}, 14)};
    writeArchive(path, records);
    DrawArchive archive(path);

    const auto onlyTheArchive = [&] {
        return std::distance(std::filesystem::directory_iterator(dir.path()), {}) == 1;
    };
    EXPECT_THROW(archive.rewrite([&](const auto& put) {
        put(records[0]);
        throw FileError("simulated");
    }),
                 FileError);
    EXPECT_EQ(archive.readAll(), records);
    EXPECT_TRUE(onlyTheArchive());

    archive.rewrite([&](const auto& put) { put(records[1]); });
    EXPECT_EQ(archive.readAll(), std::vector<DrawRecord>{records[1]});
    EXPECT_TRUE(onlyTheArchive());
}

TEST(DrawArchive, ReaderStreamsLongFilesInBlocks) {
    TempDir dir;
    std::vector<DrawRecord> records;
    for (int i = 0; i < 10000; ++i) {
        DrawRecord r = draw(1990, 1, 1, {1, 2, 3, 4, 5, 6}, 7);
        r.date += i;
        r.numbers[0] = static_cast<std::uint8_t>(i % 45 + 1);
        records.push_back(r);
    }
    writeArchive(dir.file("a.dat"), records);
    DrawArchiveReader reader(dir.file("a.dat"));
    DrawRecord r;
    std::size_t i = 0;
    while (reader.next(r))
        ASSERT_EQ(r, records[i++]);
    EXPECT_EQ(i, records.size());
    reader.seek(9999);
    ASSERT_TRUE(reader.next(r));
    EXPECT_EQ(r, records[9999]);
    reader.seek(5);
    ASSERT_TRUE(reader.next(r));
    EXPECT_EQ(r, records[5]);
}

TEST(DrawArchive, ImageInMemoryReadsLikeTheFile) {
    std::vector<DrawRecord> records;
    for (int i = 0; i < 4097; ++i) { // one past a block
        DrawRecord r = draw(1990, 1, 1, {1, 2, 3, 4, 5, 6}, 7);
        r.date += i;
        records.push_back(r);
    }
    std::vector<std::uint8_t> image = DrawArchive::encodeAll(records);
    image.insert(image.end(), {1, 2, 3}); // a trailing fragment is never read
    const DrawArchive archive = DrawArchive::inMemory(image);
    EXPECT_EQ(archive.readAll(), records);
    EXPECT_EQ(archive.recordCount(), 4097);
    EXPECT_EQ(archive.lastRecord(), records.back());
    EXPECT_THROW(archive.append(records[0]), FileError);
    EXPECT_FALSE(DrawArchive::inMemory(std::span<const std::uint8_t>(image.data(), 15)).lastRecord());
}

TEST(ArchiveFilter, StartDateAndWeekdays) {
    const DrawRecord sunday = draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7);
    const DrawRecord wednesday = draw(2002, 1, 9, {1, 2, 3, 4, 5, 6}, 7);
    const DrawRecord saturday = draw(2002, 1, 5, {1, 2, 3, 4, 5, 6}, 7);
    ArchiveFilter filter{dayNumber(2002, 1, 6), true, true};
    EXPECT_TRUE(filter.passes(sunday)); // exactly on the start date
    EXPECT_TRUE(filter.passes(wednesday));
    filter.startDate = dayNumber(2002, 1, 7);
    EXPECT_FALSE(filter.passes(sunday)); // the day before the start date
    filter.startDate = 0;
    EXPECT_FALSE(filter.passes(saturday)); // never, whatever the boxes
    filter.sundays = false;
    EXPECT_FALSE(filter.passes(sunday));
    EXPECT_TRUE(filter.passes(wednesday));
    filter.wednesdays = false;
    EXPECT_FALSE(filter.passes(wednesday));

    DrawRecord broken = sunday;
    broken.date = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(ArchiveFilter{}.passes(broken));
}
