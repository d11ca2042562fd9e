#include "core/archive/ArchiveRebuild.h"

#include "core/archive/ArchiveBackups.h"
#include "core/util/File.h"

#include <sys/stat.h>

namespace lotto {

ArchiveRebuild::ArchiveRebuild(std::string archivePath)
    : m_archive(std::move(archivePath)), m_aside(m_archive + kArchiveAsideSuffix),
      m_hadArchive(fileExists(m_archive)) {}

ArchiveRebuild::~ArchiveRebuild() {
    if (!m_pending) return;
    try {
        renameOverwrite(m_aside, m_archive);
    } catch (const FileError&) {
        // recoverInterruptedRebuild finishes it at the next start.
    }
}

bool ArchiveRebuild::asideInTheWay() const {
    return m_hadArchive && fileExists(m_aside);
}

void ArchiveRebuild::setAside() {
    keepBackup(m_archive);
    writeFileAtomically(m_aside, readWholeFile(m_archive));
    m_pending = true;
    DrawArchive(m_archive).createEmpty();
}

bool ArchiveRebuild::finish(bool importComplete, std::int64_t appended) {
    const auto newArchiveEmpty = [&] {
        return !fileExists(m_archive) || DrawArchive(m_archive).recordCount() == 0;
    };
    if (importComplete && (appended > 0 || !newArchiveEmpty())) {
        m_pending = false;
        removeFile(m_aside);
        return true;
    }
    putBack();
    return false;
}

void ArchiveRebuild::putBack() {
    if (!m_pending) return;
    renameOverwrite(m_aside, m_archive);
    m_pending = false;
}

std::optional<std::int64_t> drawsReplacedByRebuild(const DrawArchive& archive, DayNumber start) {
    if (!archive.exists() || archive.recordCount() == 0) return std::nullopt;
    std::int64_t replaced = 0;
    archive.forEach([&](const DrawRecord& record) {
        if (record.day() <= start) ++replaced;
    });
    return replaced;
}

void recoverInterruptedRebuild(const std::string& programDir) {
    std::string dir = programDir.empty() ? "./" : programDir;
    if (dir.back() != '/') dir += '/';
    const std::string archive = dir + kArchiveFileName;
    const std::string aside = archive + kArchiveAsideSuffix;
    struct stat st {};
    if (::lstat(aside.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    const FolderLock lock(dir);
    if (!lock.held()) return; // a rebuild is under way
    try {
        const auto recordBytes = static_cast<std::int64_t>(DrawRecord::kSize);
        const std::int64_t archiveSize = fileExists(archive) ? File(archive, File::Mode::Read).size() : 0;
        if (archiveSize < recordBytes) {
            // Killed after the archive was emptied and before a draw arrived: the old one is
            // the archive.
            renameOverwrite(aside, archive);
        } else if (archiveSize == File(aside, File::Mode::Read).size() &&
                   readWholeFile(archive) == readWholeFile(aside)) {
            removeFile(aside); // killed before the archive was emptied
        }
    } catch (const FileError&) {
        // The files stay; the next rebuild names the set-aside archive.
    }
}

} // namespace lotto
