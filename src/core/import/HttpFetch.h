#pragma once

#include "core/import/HttpGet.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lotto {

// What one download needs from the window: the proxy and download-file fields as they
// stand now, the HTTP client, the "Lottozahlen aus dem Internet laden" button and status
// panel 0.
class FetchWindow {
public:
    virtual ~FetchWindow() = default;
    virtual std::string proxyHost() const = 0;    // ProxyHostEdit
    virtual std::string proxyPort() const = 0;    // ProxyPortEdit
    virtual std::string downloadFile() const = 0; // FileNameEdit, used as typed
    // The archive, which the download file must never be.
    virtual std::string archivePath() const = 0;
    virtual HttpGet& http() = 0;
    virtual void setButton1Enabled(bool enabled) = 0;
    // Status panel 0; shown at once, since the GET that follows is where the window paints.
    virtual void setStatus(const std::string& text) = 0;
};

// Upper bound of what is read back from a download file; the HTTP client refuses larger
// bodies, so only a file changed by someone else can be longer.
inline constexpr std::size_t kMaxDownloadBytes = 64u * 1024 * 1024;

// How a download ended: received, or the status code it failed with and whether the server
// gave it; status is the last text of status panel 0 ("Received 1234 bytes", "Failed : 404
// Not Found").
struct FetchResult {
    bool received = false;
    int failureCode = 0;
    bool serverAnswered = false;
    std::string status;
};

// HttpFetch: one blocking GET of url into the download file (created anew, kept afterwards),
// "Loading", then "Received N bytes" or "Failed : code reason" on status panel 0, then every
// line of the file (without its line end) to onLine. HTTP and network failures end as the
// status text; any other error propagates, with Button1 enabled again and the file closed.
// After a failure no line reaches onLine: what arrived may be cut short.
FetchResult httpFetch(FetchWindow& window, const std::string& url,
                      const std::function<void(std::string_view)>& onLine);

// Calls onLine for every line of text (LF or CR LF ends); with completeOnly, a last line
// without a line end is left out.
void forEachLine(std::string_view text, bool completeOnly,
                 const std::function<void(std::string_view)>& onLine);

} // namespace lotto
