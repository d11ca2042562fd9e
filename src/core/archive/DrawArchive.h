#pragma once

#include "core/archive/DrawRecord.h"
#include "core/util/File.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lotto {

// Sequential reader of the archive file, in blocks so memory stays flat however long the
// file is. A trailing fragment shorter than a record is never read.
class DrawArchiveReader {
public:
    explicit DrawArchiveReader(const std::string& path); // throws FileError when missing
    // The same records from an image of the file in memory, which the caller keeps alive.
    explicit DrawArchiveReader(std::span<const std::uint8_t> image);

    bool next(DrawRecord& record);
    bool atEnd() const { return m_index >= m_count; }
    // Number of the record next() returns next (records read so far).
    std::int64_t index() const { return m_index; }
    std::int64_t recordCount() const { return m_count; }
    // Positions the reader so that next() returns record `index`.
    void seek(std::int64_t index);

private:
    std::size_t readBlock(std::int64_t offset, std::uint8_t* data, std::size_t size) const;

    File m_file;
    std::span<const std::uint8_t> m_image; // used when no file is open
    std::int64_t m_count = 0;
    std::int64_t m_index = 0;
    std::vector<std::uint8_t> m_buffer;
    std::int64_t m_bufferFirst = 0;
    std::int64_t m_bufferCount = 0;
};

// The archive's name in the program directory.
inline constexpr const char* kArchiveFileName = "ZahlenAT.dat";

// The archive file "ZahlenAT.dat": N records of 16 bytes, ascending by date, at most one per
// date. Writers go through append (whole records at offset 16 x N) or rewrite (a temporary
// copy that is synced and renamed over the archive), so the file is never half-written.
class DrawArchive {
public:
    explicit DrawArchive(std::string path) : m_path(std::move(path)) {}
    // An archive image in memory, kept alive by the caller: read like the file (the fuzz
    // targets read their inputs this way); it has no path, so every write fails.
    static DrawArchive inMemory(std::span<const std::uint8_t> image);

    const std::string& path() const { return m_path; }
    bool exists() const { return m_image || fileExists(m_path); }

    std::int64_t recordCount() const; // throws FileError when missing
    std::optional<DrawRecord> lastRecord() const;
    std::vector<DrawRecord> readAll() const;

    void createEmpty() const;
    void append(const DrawRecord& record) const;
    // Writes the records produced by `produce` into a temporary file (AtomicFile) and
    // renames it over the archive. An exception before the rename leaves the archive untouched.
    void rewrite(const std::function<void(const std::function<void(const DrawRecord&)>&)>& produce) const;

    // Whether path is the archive, one of its temporary files, the rebuild's set-aside copy
    // or a kept copy, however it is spelt (a link, "./", another folder name for the same
    // place). Writers of other files check with refuseAsOutput before they write, so a tip
    // file, an export or "Tipp.txt" never replaces them; it throws FileError naming path.
    bool isArchiveFile(const std::string& path) const;
    void refuseAsOutput(const std::string& path) const;

    // Calls onRecord for every record in file order.
    template <class F> void forEach(F&& onRecord) const {
        DrawArchiveReader reader = open();
        DrawRecord record;
        while (reader.next(record))
            onRecord(record);
    }

    static std::vector<std::uint8_t> encodeAll(const std::vector<DrawRecord>& records);

    // A reader over the file, or over the image of an archive in memory.
    DrawArchiveReader open() const;

private:
    std::string m_path;
    std::optional<std::span<const std::uint8_t>> m_image;
};

} // namespace lotto
