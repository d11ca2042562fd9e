#include "core/util/File.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
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
    default:
        return "E/A-Fehler " + std::to_string(errorNumber);
    }
}

void throwFileError(const std::string& action, const std::string& path, int errorNumber) {
    throw FileError(action + " „" + path + "“: " + fileErrorText(errorNumber));
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
    do {
        m_fd = ::open(path.c_str(), flags, 0644);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        throwFileError(mode == Mode::CreateTruncate ? "Die Datei kann nicht angelegt werden"
                                                    : "Die Datei kann nicht geöffnet werden",
                       path, errno);
    struct stat st {};
    if (::fstat(m_fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        throwFileError("Die Datei kann nicht geöffnet werden", path, EISDIR);
    }
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
        throwFileError("Die Datei kann nicht umbenannt werden", source, errno);
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

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string temp = path + ".tmp~";
    try {
        File file(temp, File::Mode::CreateTruncate);
        file.write(bytes.data(), bytes.size());
        file.sync();
        file.close();
        renameOverwrite(temp, path);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

} // namespace lotto
