#include "core/import/HttpFetch.h"

#include "core/archive/DrawArchive.h"
#include "core/util/File.h"

namespace lotto {

namespace {

class FileSink : public ByteSink {
public:
    explicit FileSink(File& file) : m_file(file) {}
    void write(const char* data, std::size_t size) override {
        m_file.write(data, size);
        m_size += static_cast<std::int64_t>(size);
    }
    std::int64_t size() const { return m_size; }

private:
    File& m_file;
    std::int64_t m_size = 0;
};

// Button1 is enabled again however the GET ends.
class Button1Disabled {
public:
    explicit Button1Disabled(FetchWindow& window) : m_window(window) { m_window.setButton1Enabled(false); }
    ~Button1Disabled() { m_window.setButton1Enabled(true); }
    Button1Disabled(const Button1Disabled&) = delete;
    Button1Disabled& operator=(const Button1Disabled&) = delete;

private:
    FetchWindow& m_window;
};

bool isArchive(const std::string& path, const std::string& archive) {
    return !archive.empty() && DrawArchive(archive).isArchiveFile(path);
}

} // namespace

void forEachLine(std::string_view text, bool completeOnly,
                 const std::function<void(std::string_view)>& onLine) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos && completeOnly) return;
        std::string_view line =
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        onLine(line);
        if (end == std::string_view::npos) return;
        start = end + 1;
    }
}

FetchResult httpFetch(FetchWindow& window, const std::string& url,
                      const std::function<void(std::string_view)>& onLine) {
    const HttpGetRequest request{url, window.proxyHost(), window.proxyPort()};
    const std::string path = window.downloadFile();
    if (isArchive(path, window.archivePath()))
        throw FileError(
            "Die Temp-Datei für den Internetabruf „" + path +
            "“ ist das Archiv der Ziehungen (oder eine Kopie davon) und wird nicht überschrieben");
    FetchResult result;
    {
        File file(path, File::Mode::CreateTruncate);
        FileSink sink(file);
        Button1Disabled busy(window);
        window.setStatus("Loading");
        try {
            window.http().get(request, sink);
            result.received = true;
            result.status = "Received " + std::to_string(sink.size()) + " bytes";
        } catch (const HttpException& e) {
            result.failureCode = e.code();
            result.serverAnswered = e.fromServer();
            result.status = "Failed : " + std::to_string(e.code()) + " " + e.what();
        }
        window.setStatus(result.status);
        file.close();
    }
    // A failed download may have left part of a body (cut short, reset): none of it is read.
    if (!result.received || !fileExists(path)) return result;
    forEachLine(readWholeFile(path, kMaxDownloadBytes), false, onLine);
    return result;
}

} // namespace lotto
