#pragma once

#include "core/archive/DrawArchive.h"
#include "core/util/Dates.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lotto {

// The rebuild keeps the old archive under this name beside it until the new one holds a draw.
// The name is fixed (not a temporary name, which start-up would clear) so the copy survives
// a crash.
inline constexpr const char* kArchiveAsideSuffix = ".alt";

// The old archive of a rebuild ("Datenbank neu anlegen"), set aside while the new one is
// imported. The caller holds the program directory's writer lock throughout, so another
// start does not take the emptied archive and its copy for the remains of a killed rebuild.
class ArchiveRebuild {
public:
    // Notes whether there is an archive to set aside; nothing is changed yet.
    explicit ArchiveRebuild(std::string archivePath);
    // A copy still set aside (the caller neither kept the new archive nor put the old one
    // back, as after an error) is put back; failures leave the files for the next start.
    ~ArchiveRebuild();
    ArchiveRebuild(const ArchiveRebuild&) = delete;
    ArchiveRebuild& operator=(const ArchiveRebuild&) = delete;

    const std::string& asidePath() const { return m_aside; }
    // Whether there was an archive when the rebuild began: only then is one set aside.
    bool hadArchive() const { return m_hadArchive; }
    // Whether the copy of an interrupted rebuild is in the way of setting the archive aside.
    bool asideInTheWay() const;

    // Keeps a backup, copies the archive to asidePath() and then empties it in one step.
    // Throws FileError; the archive is emptied only once its copy has been written.
    void setAside();
    // After the import: a complete import that left a draw in the archive keeps the new
    // archive and drops the copy (true); otherwise the old archive is renamed back, byte for
    // byte as it was (false).
    bool finish(bool importComplete, std::int64_t appended);
    // Renames the old archive back over the new one (after a failed import); nothing when none
    // is set aside. Throws FileError.
    void putBack();

private:
    std::string m_archive;
    std::string m_aside;
    bool m_hadArchive = false;
    bool m_pending = false; // set aside and not yet settled
};

// The stored draws a rebuild from `start` replaces: those dated up to it, as it takes only
// later ones. None when the archive is missing or holds no draw: nothing is lost.
std::optional<std::int64_t> drawsReplacedByRebuild(const DrawArchive& archive, DayNumber start);

// Finishes what a rebuild that was killed left behind in the program directory, unless a
// rebuild is running (it holds the directory's FolderLock): an archive without a whole record
// gets the set-aside archive back; a set-aside copy that equals the archive is removed. A
// set-aside archive beside a partly rebuilt one stays for the user to decide (the next
// rebuild names it). Called at start-up; failures leave the files as they are.
void recoverInterruptedRebuild(const std::string& programDir);

} // namespace lotto
