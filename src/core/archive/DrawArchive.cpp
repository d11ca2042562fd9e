#include "core/archive/DrawArchive.h"

#include "core/archive/ArchiveBackups.h"
#include "core/archive/ArchiveRebuild.h"

#include <algorithm>
#include <array>

namespace lotto {

namespace {
constexpr std::int64_t kBlockRecords = 4096;
constexpr auto kRecordSize = static_cast<std::int64_t>(DrawRecord::kSize);
} // namespace

DrawArchiveReader::DrawArchiveReader(const std::string& path) : m_file(path, File::Mode::Read) {
    m_count = m_file.size() / kRecordSize;
}

DrawArchiveReader::DrawArchiveReader(std::span<const std::uint8_t> image) : m_image(image) {
    m_count = static_cast<std::int64_t>(image.size()) / kRecordSize;
}

std::size_t DrawArchiveReader::readBlock(std::int64_t offset, std::uint8_t* data, std::size_t size) const {
    if (m_file.isOpen()) return m_file.readAt(offset, data, size);
    const auto at = static_cast<std::size_t>(offset);
    if (at >= m_image.size()) return 0;
    const std::size_t got = std::min(size, m_image.size() - at);
    std::copy_n(m_image.data() + at, got, data);
    return got;
}

void DrawArchiveReader::seek(std::int64_t index) {
    m_index = index < 0 ? 0 : index;
}

bool DrawArchiveReader::next(DrawRecord& record) {
    if (m_index >= m_count) return false;
    if (m_index < m_bufferFirst || m_index >= m_bufferFirst + m_bufferCount) {
        const std::int64_t want = std::min(kBlockRecords, m_count - m_index);
        m_buffer.resize(static_cast<std::size_t>(want * kRecordSize));
        const std::size_t got = readBlock(m_index * kRecordSize, m_buffer.data(), m_buffer.size());
        m_bufferFirst = m_index;
        m_bufferCount = static_cast<std::int64_t>(got) / kRecordSize;
        if (m_bufferCount == 0) { // the file shrank under us
            m_count = m_index;
            return false;
        }
    }
    record = DrawRecord::decode(m_buffer.data() + (m_index - m_bufferFirst) * kRecordSize);
    ++m_index;
    return true;
}

DrawArchive DrawArchive::inMemory(std::span<const std::uint8_t> image) {
    DrawArchive archive{std::string()};
    archive.m_image = image;
    return archive;
}

DrawArchiveReader DrawArchive::open() const {
    return m_image ? DrawArchiveReader(*m_image) : DrawArchiveReader(m_path);
}

std::int64_t DrawArchive::recordCount() const {
    return open().recordCount();
}

std::optional<DrawRecord> DrawArchive::lastRecord() const {
    DrawArchiveReader reader = open();
    if (reader.recordCount() == 0) return std::nullopt;
    reader.seek(reader.recordCount() - 1);
    DrawRecord record;
    if (!reader.next(record)) return std::nullopt;
    return record;
}

std::vector<DrawRecord> DrawArchive::readAll() const {
    std::vector<DrawRecord> records;
    forEach([&](const DrawRecord& r) { records.push_back(r); });
    return records;
}

void DrawArchive::createEmpty() const {
    writeFileAtomically(m_path, {});
}

bool DrawArchive::isArchiveFile(const std::string& path) const {
    if (isFileOrItsTemporary(path, m_path)) return true;
    // The rebuild's set-aside archive and the kept copies are the way back: never overwritten.
    return !m_path.empty() &&
           (isFileOrItsTemporary(path, m_path + kArchiveAsideSuffix) || isInBackupFolder(path, m_path));
}

void DrawArchive::refuseAsOutput(const std::string& path) const {
    if (isArchiveFile(path))
        throw FileError(
            "Die Datei „" + path +
            "“ ist das Archiv der Ziehungen (oder eine Kopie davon in Arbeit) und wird nicht überschrieben");
}

void DrawArchive::append(const DrawRecord& record) const {
    File file(m_path, File::Mode::ReadWrite);
    const std::int64_t count = file.size() / kRecordSize;
    std::array<std::uint8_t, DrawRecord::kSize> bytes{};
    record.encode(bytes.data());
    file.writeAt(count * kRecordSize, bytes.data(), bytes.size());
    file.sync();
    file.close();
}

void DrawArchive::rewrite(
    const std::function<void(const std::function<void(const DrawRecord&)>&)>& produce) const {
    AtomicFile out(m_path);
    std::vector<std::uint8_t> block;
    block.reserve(static_cast<std::size_t>(kBlockRecords * kRecordSize));
    auto flush = [&] {
        out.write(block.data(), block.size());
        block.clear();
    };
    produce([&](const DrawRecord& record) {
        const std::size_t at = block.size();
        block.resize(at + DrawRecord::kSize);
        record.encode(block.data() + at);
        if (block.size() >= static_cast<std::size_t>(kBlockRecords * kRecordSize)) flush();
    });
    flush();
    out.commit();
}

std::vector<std::uint8_t> DrawArchive::encodeAll(const std::vector<DrawRecord>& records) {
    std::vector<std::uint8_t> bytes(records.size() * DrawRecord::kSize);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].encode(bytes.data() + i * DrawRecord::kSize);
    return bytes;
}

} // namespace lotto
