#pragma once

#include "core/util/Dates.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lotto {

// Copies of the archive kept before every rewrite (rebuild, delete, a draw entered before the
// newest, the bundled archive, a restore), so any such step can be undone: the folder
// "Sicherungen" beside the archive holds the newest kBackupsKept of them, "Sicherung-NNNNNN.dat"
// numbered upwards, each written as a whole through a temporary file.
inline constexpr const char* kBackupFolderName = "Sicherungen";
inline constexpr std::size_t kBackupsKept = 5;

struct ArchiveBackup {
    std::string path;
    std::int64_t takenAt = 0; // seconds since 1970: when the copy was written
    std::int64_t draws = 0;
    std::optional<DayNumber> newest; // the newest draw's day
};

std::string backupFolder(const std::string& archivePath);
// Whether path lies in the backup folder (by resolved path, so links and "./" do not hide it).
bool isInBackupFolder(const std::string& path, const std::string& archivePath);

// Keeps a copy of the archive as it is now and removes the oldest beyond kBackupsKept. A
// missing archive, one without a whole draw, or one equal to the newest copy adds none.
// Throws FileError, before the archive is touched by its caller.
void keepBackup(const std::string& archivePath);

// The kept copies, newest first.
std::vector<ArchiveBackup> listBackups(const std::string& archivePath);

// Puts the copy back as the archive in one step, after the archive as it was has been kept
// as a copy itself. A copy without a whole draw is refused (FileError).
void restoreBackup(const std::string& archivePath, const ArchiveBackup& backup);

// "dd.mm.yyyy HH:MM:SS" in local time.
std::string formatBackupTime(std::int64_t takenAt);

} // namespace lotto
