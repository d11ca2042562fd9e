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
    int m_fd = -1;
    std::string m_path;
    std::int64_t m_writeOffset = 0;
};

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
[[noreturn]] void throwFileError(const std::string& action, const std::string& path, int errorNumber);

} // namespace lotto
