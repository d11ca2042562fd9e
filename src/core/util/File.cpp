#include "core/util/File.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lotto {

std::string fileErrorText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return "Datei nicht gefunden";
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case EISDIR:
        return "Das ist ein Verzeichnis";
    case ENOTDIR:
        return "Ungültiger Pfad";
    case ENOSPC:
        return "Kein Speicherplatz mehr auf dem Datenträger";
    case EROFS:
        return "Der Datenträger ist schreibgeschützt";
    case EEXIST:
        return "Die Datei existiert bereits";
    case ENAMETOOLONG:
        return "Der Dateiname ist zu lang";
    case ELOOP:
        return "Zu viele Verknüpfungen (Verknüpfung auf sich selbst?)";
    case EIO:
        return "Ein-/Ausgabefehler des Datenträgers";
    case EBUSY:
        return "Die Datei ist in Benutzung";
    case ETXTBSY:
        return "Die Datei wird gerade ausgeführt";
    case ENXIO:
    case ENODEV:
        return "Das Gerät ist nicht vorhanden";
    case EFBIG:
        return "Die Datei ist zu groß";
    case EDQUOT:
        return "Das Speicherkontingent ist erschöpft";
    case EMFILE:
    case ENFILE:
        return "Zu viele geöffnete Dateien";
    case ENOMEM:
        return "Nicht genug Arbeitsspeicher";
    case EINVAL:
        return "Ungültiger Aufruf oder Dateiname";
    case EXDEV:
        return "Die Dateien liegen auf verschiedenen Datenträgern";
    case ENOTEMPTY:
        return "Das Verzeichnis ist nicht leer";
    case EAGAIN:
        return "Die Datei ist vorübergehend nicht verfügbar";
    case EINTR:
        return "Der Vorgang wurde unterbrochen";
    case ESTALE:
        return "Die Netzwerkdatei ist nicht mehr gültig";
    case EOVERFLOW:
        return "Die Datei ist zu groß für diesen Zugriff";
    case EMLINK:
        return "Zu viele Verweise auf die Datei";
    default:
        return "E/A-Fehler " + std::to_string(errorNumber);
    }
}

std::string notRegularFileText(unsigned mode) {
    if (S_ISDIR(mode)) return fileErrorText(EISDIR);
    if (S_ISFIFO(mode)) return "Das ist eine Pipe (FIFO), keine gewöhnliche Datei";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "Das ist ein Gerät, keine gewöhnliche Datei";
    if (S_ISSOCK(mode)) return "Das ist ein Socket, keine gewöhnliche Datei";
    return "Das ist keine gewöhnliche Datei";
}

void throwFileError(const std::string& action, const std::string& path, int errorNumber) {
    throw FileError(action + " „" + path + "“: " + fileErrorText(errorNumber));
}

namespace {

[[noreturn]] void throwNotRegular(const std::string& action, const std::string& path, unsigned mode) {
    throw FileError(action + " „" + path + "“: " + notRegularFileText(mode));
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows path while it is a link. Returns the path of the file it leads to, which may not
// exist yet; errorNumber is set (ELOOP) when the links do not end.
std::string followLinks(std::string path, int& errorNumber) {
    errorNumber = 0;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0) {
            errorNumber = errno;
            return path;
        }
        link.resize(static_cast<std::size_t>(n));
        if (link.empty() || link[0] != '/') link.insert(0, folderOf(path) + "/");
        path = std::move(link);
    }
    errorNumber = ELOOP;
    return path;
}

// The permission bits a newly created file gets: 0666 less the umask, read without
// changing it (umask() would, for a moment, for every thread).
mode_t newFileMode() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return 0666 & ~static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    return 0644;
}

} // namespace

std::string temporaryNameFor(const std::string& path) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string name = nameOf(path);
    if (name.size() > 200) name.resize(200); // room for the marker within NAME_MAX
    name += kTemporaryMarker;
    for (int i = 0; i < 6; ++i)
        name += kLetters[pick(device)];
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
}

bool isTemporaryName(std::string_view fileName) {
    const std::size_t marker = fileName.rfind(kTemporaryMarker);
    if (marker == std::string_view::npos || marker == 0) return false;
    const std::string_view tail = fileName.substr(marker + kTemporaryMarker.size());
    return tail.size() == 6 && std::all_of(tail.begin(), tail.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
           });
}

bool isTemporaryNameOf(std::string_view fileName, std::string_view targetName) {
    if (targetName.size() > 200) targetName = targetName.substr(0, 200);
    return isTemporaryName(fileName) && fileName.size() == targetName.size() + kTemporaryMarker.size() + 6 &&
           fileName.substr(0, targetName.size()) == targetName;
}

std::string resolvedPath(const std::string& path) {
    int error = 0;
    const std::string followed = followLinks(path, error);
    std::string folder = folderOf(followed);
    if (char* real = ::realpath(folder.c_str(), nullptr)) {
        folder = real;
        std::free(real);
    }
    std::string name = nameOf(followed);
    if (name == "." || name == ".." || name.empty()) { // a folder: resolve it as a whole
        if (char* real = ::realpath(followed.c_str(), nullptr)) {
            std::string whole = real;
            std::free(real);
            return whole;
        }
    }
    return folder == "/" ? "/" + name : folder + "/" + name;
}

bool isFileOrItsTemporary(const std::string& path, const std::string& target) {
    const std::string a = resolvedPath(path);
    const std::string b = resolvedPath(target);
    if (a == b) return true;
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
        sa.st_ino == sb.st_ino)
        return true;
    return folderOf(a) == folderOf(b) && isTemporaryNameOf(nameOf(a), nameOf(b));
}

File::File(const std::string& path, Mode mode) : m_path(path) {
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::Read:
        flags |= O_RDONLY;
        break;
    case Mode::ReadWrite:
        flags |= O_RDWR;
        break;
    case Mode::CreateTruncate:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    }
    // Opened without blocking, so a FIFO or a device in place of the file cannot hang the
    // program; only a regular file is accepted, then reads and writes block as usual.
    do {
        m_fd = ::open(path.c_str(), flags | O_NONBLOCK, 0644);
    } while (m_fd < 0 && errno == EINTR);
    const char* action = mode == Mode::CreateTruncate ? "Die Datei kann nicht angelegt werden"
                                                      : "Die Datei kann nicht geöffnet werden";
    if (m_fd < 0) throwFileError(action, path, errno);
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = errno;
        ::close(m_fd);
        m_fd = -1;
        if (st.st_mode == 0) throwFileError(action, path, error);
        throwNotRegular(action, path, st.st_mode);
    }
    const int status = ::fcntl(m_fd, F_GETFL);
    if (status >= 0) ::fcntl(m_fd, F_SETFL, status & ~O_NONBLOCK);
}

File::~File() {
    if (m_fd >= 0) ::close(m_fd);
}

File::File(File&& other) noexcept
    : m_fd(other.m_fd), m_path(std::move(other.m_path)), m_writeOffset(other.m_writeOffset) {
    other.m_fd = -1;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = other.m_fd;
        m_path = std::move(other.m_path);
        m_writeOffset = other.m_writeOffset;
        other.m_fd = -1;
    }
    return *this;
}

std::int64_t File::size() const {
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) throwFileError("Die Datei kann nicht gelesen werden", m_path, errno);
    return st.st_size;
}

std::size_t File::readAt(std::int64_t offset, void* data, std::size_t size) const {
    auto* out = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(m_fd, out + done, size - done, offset + static_cast<std::int64_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            throwFileError("Die Datei kann nicht gelesen werden", m_path, errno);
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void File::writeAt(std::int64_t offset, const void* data, std::size_t size) {
    const auto* in = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(m_fd, in + done, size - done, offset + static_cast<std::int64_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            throwFileError("Die Datei kann nicht geschrieben werden", m_path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

void File::write(const void* data, std::size_t size) {
    writeAt(m_writeOffset, data, size);
    m_writeOffset += static_cast<std::int64_t>(size);
}

void File::sync() {
    if (::fsync(m_fd) != 0) throwFileError("Die Datei kann nicht geschrieben werden", m_path, errno);
}

void File::close() {
    if (m_fd < 0) return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        throwFileError("Die Datei kann nicht geschlossen werden", m_path, errno);
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool directoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void createDirectories(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec) throwFileError("Das Verzeichnis kann nicht angelegt werden", path, ec.value());
}

void removeFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throwFileError("Die Datei kann nicht gelöscht werden", path, errno);
}

void renameOverwrite(const std::string& source, const std::string& target) {
    if (::rename(source.c_str(), target.c_str()) != 0)
        throwFileError("Die Datei kann nicht geschrieben werden", target, errno); // the user's name
    // Make the new directory entry durable as well.
    const std::string dir = std::filesystem::path(target).parent_path().string();
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string readWholeFile(const std::string& path, std::size_t maxBytes) {
    File file(path, File::Mode::Read);
    std::string bytes;
    // Sized once: growing by doubling would hold up to three times a large file at a time.
    const std::int64_t size = file.size();
    if (size > 0) bytes.reserve(std::min(static_cast<std::uint64_t>(size), std::uint64_t{maxBytes}));
    char buffer[65536];
    std::int64_t offset = 0;
    while (bytes.size() < maxBytes) {
        const std::size_t want = std::min(sizeof buffer, maxBytes - bytes.size());
        const std::size_t n = file.readAt(offset, buffer, want);
        bytes.append(buffer, n);
        offset += static_cast<std::int64_t>(n);
        if (n < want) break;
    }
    return bytes;
}

AtomicFile::AtomicFile(const std::string& path) {
    static const std::string kAction = "Die Datei kann nicht geschrieben werden";
    int error = 0;
    m_target = followLinks(path, error);
    if (error != 0) throwFileError(kAction, path, error);
    struct stat old {};
    const bool exists = ::stat(m_target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) throwFileError(kAction, path, errno);
    if (exists && !S_ISREG(old.st_mode)) throwNotRegular(kAction, path, old.st_mode);

    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        m_temp = temporaryNameFor(m_target);
        fd = ::open(m_temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST && errno != EINTR) throwFileError(kAction, path, errno);
    }
    if (fd < 0) throwFileError(kAction, path, EEXIST);
    m_file = File(fd, path);
    if (exists) {
        // Owner and group matter only when someone else's file is written (as root); a
        // refusal there leaves the file ours, which is no reason to fail.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) throwFileError(kAction, path, errno);
    } else if (::fchmod(fd, newFileMode()) != 0) {
        throwFileError(kAction, path, errno);
    }
}

AtomicFile::~AtomicFile() {
    if (m_committed || m_temp.empty()) return;
    m_file = File();
    ::unlink(m_temp.c_str());
}

void AtomicFile::write(const void* data, std::size_t size) {
    m_file.write(data, size);
}

namespace {
AtomicFile::BeforeRename beforeRename = nullptr;
} // namespace

void AtomicFile::setBeforeRename(BeforeRename hook) {
    beforeRename = hook;
}

void AtomicFile::commit() {
    const std::string shown = m_file.path();
    m_file.sync();
    m_file.close();
    if (beforeRename) beforeRename(m_temp);
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0)
        throwFileError("Die Datei kann nicht geschrieben werden", shown, errno);
    m_committed = true;
    const std::string dir = folderOf(m_target);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

FolderLock::FolderLock(const std::string& folder, int patienceMs) {
    m_fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) return;
    for (int waited = 0;; waited += 10) {
        m_held = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
        if (m_held || waited >= patienceMs) return;
        ::usleep(10000);
    }
}

FolderLock::~FolderLock() {
    if (m_fd >= 0) ::close(m_fd);
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFile file(path);
    file.write(bytes.data(), bytes.size());
    file.commit();
}

} // namespace lotto
