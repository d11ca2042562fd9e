#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace lotto {

// A request that ended with a status of 400 or more, or that could not be made at all
// (name lookup, connect, time-out, too many redirects): its code and reason phrase, as
// the download status shows them ("Failed : 404 Not Found").
class HttpException : public std::runtime_error {
public:
    HttpException(int code, const std::string& reason, bool fromServer = false)
        : std::runtime_error(reason), m_code(code), m_fromServer(fromServer) {}
    int code() const { return m_code; }
    // The server answered with this status; the failures of the connection show as 404 too.
    bool fromServer() const { return m_fromServer; }

private:
    int m_code;
    bool m_fromServer;
};

// Where a response body goes, piece by piece as it arrives.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const char* data, std::size_t size) = 0;
};

// What the download driver hands to the HTTP client for one GET.
struct HttpGetRequest {
    std::string url;
    std::string proxy;     // proxy host (may itself be a URL); empty for a direct connection
    std::string proxyPort; // used when the proxy names no port
};

// The blocking GET as the imports see it. It keeps the face's events running while it
// waits (so the stop button and repaints work), writes the body into the sink and throws
// HttpException as the client raises it; other errors propagate as they are.
class HttpGet {
public:
    virtual ~HttpGet() = default;
    virtual void get(const HttpGetRequest& request, ByteSink& body) = 0;
};

// For faces without a network client (tests of other operations): every GET fails.
class NoHttpGet : public HttpGet {
public:
    void get(const HttpGetRequest&, ByteSink&) override {
        throw HttpException(404, "can't resolve hostname to IP address");
    }
};

} // namespace lotto
