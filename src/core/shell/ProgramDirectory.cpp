#include "core/shell/ProgramDirectory.h"

#include "core/archive/ArchiveRebuild.h"
#include "core/archive/DrawArchive.h"
#include "core/util/File.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace lotto {

namespace {

const std::string kArchiveName = kArchiveFileName;

std::string_view asBytes(std::span<const unsigned char> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

void syncFolder(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throwFileError("Das Verzeichnis kann nicht geschrieben werden", dir, errno);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0) throwFileError("Das Verzeichnis kann nicht geschrieben werden", dir, error);
}

bool oldEnough(const std::filesystem::directory_entry& entry, std::chrono::seconds minAge) {
    std::error_code ec;
    const auto written = entry.last_write_time(ec);
    return !ec && std::filesystem::file_time_type::clock::now() - written >= minAge;
}

// Removes a first-start folder that never got into place: only the files a first start
// writes are removed, and the folder only when that empties it.
void removeUnfinishedFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(ec) && (name == kArchiveName || isTemporaryNameOf(name, kArchiveName)))
            std::filesystem::remove(entry.path(), ec);
    }
    std::filesystem::remove(folder, ec); // fails, harmlessly, when anything else is inside
}

} // namespace

std::string prepareProgramDirectory(std::string dir, std::span<const unsigned char> bundledArchive,
                                    const FirstStartHook& afterStep) {
    if (dir.empty()) dir = "./";
    if (dir.back() != '/') dir += '/';
    if (directoryExists(dir)) {
        clearStaleTemporaryFiles(dir);
        recoverInterruptedRebuild(dir);
        return dir;
    }
    const std::string place = dir.substr(0, dir.size() - 1); // without the trailing '/'
    const std::string parent = std::filesystem::path(place).parent_path().string();
    if (!parent.empty()) createDirectories(parent);

    std::string building;
    for (int attempt = 0; attempt < 100; ++attempt) {
        building = temporaryNameFor(place);
        if (::mkdir(building.c_str(), 0777) == 0) break;
        if (errno != EEXIST) throwFileError("Das Verzeichnis kann nicht angelegt werden", place, errno);
        building.clear();
    }
    if (building.empty()) throwFileError("Das Verzeichnis kann nicht angelegt werden", place, EEXIST);
    const auto step = [&](FirstStartStep done) {
        if (afterStep) afterStep(done);
    };
    try {
        step(FirstStartStep::FolderBuilt);
        try {
            writeFileAtomically(building + "/" + kArchiveName, asBytes(bundledArchive));
        } catch (const FileError& e) {
            // Name the file the user will look for, not the folder it was being built in.
            std::string text = e.what();
            if (const std::size_t at = text.find(building); at != std::string::npos)
                text.replace(at, building.size(), place);
            throw FileError(text);
        }
        step(FirstStartStep::ArchiveWritten);
        syncFolder(building);
        step(FirstStartStep::FolderSynced);
        if (::rename(building.c_str(), place.c_str()) != 0) {
            const int error = errno;
            // Another start was quicker: its directory stands, ours is not needed.
            if (!((error == EEXIST || error == ENOTEMPTY) && directoryExists(dir)))
                throwFileError("Das Verzeichnis kann nicht angelegt werden", place, error);
            removeUnfinishedFolder(building);
        }
        syncFolder(parent.empty() ? "." : parent);
        step(FirstStartStep::FolderInPlace);
    } catch (...) {
        removeUnfinishedFolder(building);
        throw;
    }
    return dir;
}

void installBundledArchive(const std::string& programDir, std::span<const unsigned char> bundledArchive) {
    std::string dir = programDir.empty() ? "./" : programDir;
    if (dir.back() != '/') dir += '/';
    writeFileAtomically(dir + kArchiveName, asBytes(bundledArchive));
}

void clearStaleTemporaryFiles(const std::string& programDir, std::chrono::seconds minAge) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path place = fs::path(programDir).lexically_normal();
    const fs::path dir = place.has_filename() ? place : place.parent_path();
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(ec) && !entry.is_symlink(ec) && isTemporaryName(name) &&
            oldEnough(entry, minAge))
            fs::remove(entry.path(), ec);
    }
    const std::string dirName = dir.filename().string();
    const fs::path parent = dir.parent_path().empty() ? fs::path(".") : dir.parent_path();
    for (const auto& entry : fs::directory_iterator(parent, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory(ec) && !entry.is_symlink(ec) && isTemporaryNameOf(name, dirName) &&
            oldEnough(entry, minAge))
            removeUnfinishedFolder(entry.path());
    }
}

} // namespace lotto
