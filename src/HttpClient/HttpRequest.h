#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace lotto {

// Where one request goes and what its request line names. Built from the URL and the
// proxy setting, changed by redirects.
struct RequestPlan {
    std::string scheme;      // of the URL; "https" asks for TLS on a direct connection
    std::string connectHost; // the origin, or the proxy
    std::string connectPort;
    std::string hostHeader; // the origin's host, also through a proxy
    std::string originPort; // the origin's port as the URL names it (may be empty)
    std::string target;     // path, or the full URL when a proxy forwards plain http
    std::string user;       // credentials named in the URL
    std::string password;
    std::string documentName;
    bool viaProxy = false;

    bool useTls() const;
    // https through a proxy: a CONNECT tunnel to the origin, TLS inside it, the path on the
    // request line as on a direct connection.
    bool tunnel() const;
};

// The URL's host and port, or with a proxy its full URL on the request line and the
// proxy's host and port (the proxy port defaulting to proxyPort).
RequestPlan planRequest(std::string_view url, std::string_view proxy, std::string_view proxyPort);

// Points the plan at a "location" header's target: a path replaces the path, a full URL
// the origin too (through a proxy the connection stays with the proxy), any other text
// is taken relative to the current path.
void followLocation(RequestPlan& plan, std::string_view location);

// What the caller sets for every request; empty values are not sent.
struct RequestHeaders {
    std::string sender;
    std::string accept;
    std::string reference;
    std::string agent;
    std::string cookie;
    std::string username;
    std::string password;
    std::string proxyUsername;
    std::string proxyPassword;
    std::string rangeBegin;
    std::string rangeEnd;
    bool noCache = false;
    std::optional<std::chrono::sys_seconds> modifiedSince;
};

// "CONNECT host:port HTTP/1.0" asking the proxy for a tunnel to the origin (port 443 unless
// the URL names one), with the proxy credentials when they are set.
std::string buildConnectRequest(const RequestPlan& plan, const RequestHeaders& headers);

// The whole GET request, header lines in their fixed order, each ending with CR LF.
// Credentials in the URL take the place of username and password.
std::string buildGetRequest(const RequestPlan& plan, const RequestHeaders& headers);

// "Tue, 05 Mar 2024 07:08:09 GMT"
std::string formatHttpDate(std::chrono::sys_seconds time);

std::string base64Encode(std::string_view bytes);

} // namespace lotto
