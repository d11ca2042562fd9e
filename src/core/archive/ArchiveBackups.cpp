#include "core/archive/ArchiveBackups.h"

#include "core/archive/DrawArchive.h"
#include "core/util/File.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>

namespace lotto {

namespace {

constexpr std::string_view kBackupPrefix = "Sicherung-";
constexpr std::string_view kBackupSuffix = ".dat";
constexpr std::size_t kNumberDigits = 6;

// The number of a copy's file name, or 0 for any other file in the folder.
long backupNumber(std::string_view name) {
    if (name.size() != kBackupPrefix.size() + kNumberDigits + kBackupSuffix.size() ||
        name.substr(0, kBackupPrefix.size()) != kBackupPrefix || !name.ends_with(kBackupSuffix))
        return 0;
    long number = 0;
    for (const char c : name.substr(kBackupPrefix.size(), kNumberDigits)) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number;
}

struct Numbered {
    long number;
    std::string path;
};

// The copies in the folder, highest number (newest) first.
std::vector<Numbered> numberedBackups(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<Numbered> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const long number = backupNumber(entry.path().filename().string());
        if (number > 0 && entry.is_regular_file(ec)) found.push_back({number, entry.path().string()});
    }
    std::sort(found.begin(), found.end(),
              [](const Numbered& a, const Numbered& b) { return a.number > b.number; });
    return found;
}

std::string backupName(long number) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%06ld", number);
    return std::string(kBackupPrefix) + digits + std::string(kBackupSuffix);
}

std::int64_t wholeRecordBytes(std::size_t size) {
    return static_cast<std::int64_t>(size - size % DrawRecord::kSize);
}

} // namespace

std::string backupFolder(const std::string& archivePath) {
    const std::filesystem::path parent = std::filesystem::path(archivePath).parent_path();
    return (parent.empty() ? std::string(kBackupFolderName) : (parent / kBackupFolderName).string());
}

bool isInBackupFolder(const std::string& path, const std::string& archivePath) {
    if (archivePath.empty()) return false;
    const std::string folder = backupFolder(archivePath);
    if (resolvedPath(path).starts_with(resolvedPath(folder) + "/")) return true;
    for (const Numbered& backup : numberedBackups(folder)) // a hard link to a copy
        if (isFileOrItsTemporary(path, backup.path)) return true;
    return false;
}

void keepBackup(const std::string& archivePath) {
    if (!fileExists(archivePath)) return;
    const std::string bytes = readWholeFile(archivePath);
    if (wholeRecordBytes(bytes.size()) == 0) return;
    const std::string folder = backupFolder(archivePath);
    createDirectories(folder);
    const std::vector<Numbered> kept = numberedBackups(folder);
    if (!kept.empty() && readWholeFile(kept.front().path) == bytes) return;
    writeFileAtomically(folder + "/" + backupName(kept.empty() ? 1 : kept.front().number + 1), bytes);
    for (std::size_t i = kBackupsKept - 1; i < kept.size(); ++i)
        removeFile(kept[i].path);
}

std::vector<ArchiveBackup> listBackups(const std::string& archivePath) {
    std::vector<ArchiveBackup> backups;
    for (const Numbered& found : numberedBackups(backupFolder(archivePath))) {
        ArchiveBackup backup;
        backup.path = found.path;
        struct stat st {};
        if (::stat(found.path.c_str(), &st) == 0) backup.takenAt = st.st_mtime;
        try {
            const DrawArchive copy(found.path);
            backup.draws = copy.recordCount();
            if (const auto last = copy.lastRecord()) backup.newest = last->day();
        } catch (const FileError&) {
            continue; // unreadable: not offered
        }
        backups.push_back(std::move(backup));
    }
    return backups;
}

void restoreBackup(const std::string& archivePath, const ArchiveBackup& backup) {
    std::string bytes = readWholeFile(backup.path); // read first: keeping a copy may remove this one
    bytes.resize(static_cast<std::size_t>(wholeRecordBytes(bytes.size())));
    if (bytes.empty())
        throw FileError("Die Sicherung „" + backup.path +
                        "“ enthält keine Ziehung und wird nicht eingespielt");
    keepBackup(archivePath);
    writeFileAtomically(archivePath, bytes);
}

std::string formatBackupTime(std::int64_t takenAt) {
    const std::time_t time = static_cast<std::time_t>(takenAt);
    std::tm local{};
    ::localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d.%m.%Y %H:%M:%S", &local);
    return text;
}

} // namespace lotto
