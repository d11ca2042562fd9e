#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lotto {

// A file operation that failed; the message is German and names the file.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An owned POSIX file descriptor with the few operations the program needs. Every failure
// throws FileError.
class File {
public:
    enum class Mode { Read, ReadWrite, CreateTruncate };

    File() = default;
    File(const std::string& path, Mode mode);
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    const std::string& path() const { return m_path; }

    std::int64_t size() const;
    // Reads up to size bytes at offset; returns the count read (less only at the end).
    std::size_t readAt(std::int64_t offset, void* data, std::size_t size) const;
    void writeAt(std::int64_t offset, const void* data, std::size_t size);
    void write(const void* data, std::size_t size); // at the current end of what was written
    void sync();
    void close();

private:
    friend class AtomicFile;
    File(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}

    int m_fd = -1;
    std::string m_path;
    std::int64_t m_writeOffset = 0;
};

// Writes a file as a whole or not at all: the bytes go into a new temporary file beside the
// target (a unique name, created exclusively, no link followed) that commit() syncs and
// renames over the target. A target that is a link is written through: the file it names
// is replaced and the link stays. The old file's permission bits are kept; a new file gets
// the usual 0666 less the umask. A target that is not a regular file (a folder, a device,
// a FIFO) is refused. Messages name the target as given, never the temporary file; without
// commit() the temporary file is removed and the target stays as it was.
class AtomicFile {
public:
    explicit AtomicFile(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(const void* data, std::size_t size);
    void commit();
    // The file that is replaced: the target with its links followed.
    const std::string& target() const { return m_target; }

    // Called by commit() when the temporary file is complete and synced, just before the
    // rename; tests stop the process there, as a crash or a power cut would.
    using BeforeRename = void (*)(const std::string& temporaryPath);
    static void setBeforeRename(BeforeRename hook);

private:
    std::string m_target;
    std::string m_temp;
    File m_file;
    bool m_committed = false;
};

// An advisory lock (flock) on a folder, held while the object lives; the system drops it
// when the process ends, however it ends. held() tells whether it was obtained: not while
// another process held it for longer than patienceMs.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder, int patienceMs = 0);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return m_held; }

private:
    int m_fd = -1;
    bool m_held = false;
};

// The temporary files of this program are named after their target: "ZahlenAT.dat" is
// written through "ZahlenAT.dat.~lotto-" plus six letters or digits.
inline constexpr std::string_view kTemporaryMarker = ".~lotto-";
// Whether fileName (no folder) is one of those names; with target, one of target's.
bool isTemporaryName(std::string_view fileName);
bool isTemporaryNameOf(std::string_view fileName, std::string_view targetName);
// A fresh unique name for a temporary file or folder beside path (folder kept).
std::string temporaryNameFor(const std::string& path);

// The file path stands for: links followed as long as they lead somewhere, then the folder
// made absolute and free of links, "." and "..". The file itself need not exist.
std::string resolvedPath(const std::string& path);
// Whether path names the file `target` (by resolved path, or the same device and inode,
// which also catches a hard link) or one of this program's temporary files beside it.
bool isFileOrItsTemporary(const std::string& path, const std::string& target);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
void createDirectories(const std::string& path);
void removeFile(const std::string& path); // missing file is no error
// Replaces target by source in one step and makes the rename durable.
void renameOverwrite(const std::string& source, const std::string& target);
// Reads the file, or its first maxBytes bytes.
std::string readWholeFile(const std::string& path, std::size_t maxBytes = SIZE_MAX);
// Writes through a temporary file beside path that is synced and renamed over it.
void writeFileAtomically(const std::string& path, std::string_view bytes);

std::string fileErrorText(int errorNumber);
// Why a file of this kind (st_mode) cannot be read or written as a file.
std::string notRegularFileText(unsigned mode);
[[noreturn]] void throwFileError(const std::string& action, const std::string& path, int errorNumber);

} // namespace lotto
