#include "HttpClient/HttpRequest.h"

#include "HttpClient/Url.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace lotto {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string defaultPort(std::string_view scheme) {
    return equalsNoCase(scheme, "https") ? "443" : "80";
}

// scheme://host[:port]path as a proxy wants it on the request line.
std::string fullUrl(const std::string& scheme, const std::string& host, const std::string& port,
                    std::string_view path) {
    std::string url = (scheme.empty() ? std::string("http") : scheme) + "://" + host;
    if (!port.empty()) url += ":" + port;
    url += path;
    return url;
}

std::string pathOf(const RequestPlan& plan) {
    if (!plan.viaProxy || plan.tunnel()) return plan.target;
    // Full URL on the request line: the path starts after "scheme://authority".
    const auto authority = plan.target.find("://");
    const auto slash =
        authority == std::string::npos ? std::string::npos : plan.target.find('/', authority + 3);
    return slash == std::string::npos ? std::string() : plan.target.substr(slash);
}

} // namespace

bool RequestPlan::useTls() const {
    return equalsNoCase(scheme, "https");
}

bool RequestPlan::tunnel() const {
    return viaProxy && useTls();
}

RequestPlan planRequest(std::string_view url, std::string_view proxy, std::string_view proxyPort) {
    const UrlParts parts = splitUrl(url);
    RequestPlan plan;
    plan.scheme = parts.scheme.empty() ? std::string("http") : parts.scheme;
    plan.hostHeader = parts.host;
    plan.originPort = parts.port;
    plan.user = parts.user;
    plan.password = parts.password;
    plan.documentName = documentName(parts.path);
    plan.viaProxy = !proxy.empty();
    if (!plan.viaProxy) {
        plan.connectHost = parts.host;
        plan.connectPort = parts.port.empty() ? defaultPort(plan.scheme) : parts.port;
        plan.target = parts.path.empty() ? std::string("/") : parts.path;
    } else {
        const UrlParts proxyParts = splitUrl(proxy);
        plan.connectHost = proxyParts.host;
        plan.connectPort = proxyParts.port.empty() ? std::string(proxyPort) : proxyParts.port;
        plan.target = plan.tunnel() ? (parts.path.empty() ? std::string("/") : parts.path)
                                    : fullUrl(parts.scheme, parts.host, parts.port, parts.path);
    }
    return plan;
}

void followLocation(RequestPlan& plan, std::string_view location) {
    std::string path;
    if (location.find("://") != std::string_view::npos) {
        const UrlParts parts = splitUrl(location);
        plan.scheme = parts.scheme;
        plan.hostHeader = parts.host;
        plan.originPort = parts.port;
        if (!plan.viaProxy) {
            plan.connectHost = parts.host;
            // A target that names no port uses its scheme's, not the previous one.
            plan.connectPort = parts.port.empty() ? defaultPort(parts.scheme) : parts.port;
        }
        path = parts.path;
    } else if (!location.empty() && location.front() == '/') {
        path = location;
    } else {
        const std::string current = pathOf(plan);
        const auto slash = current.rfind('/');
        path = (slash == std::string::npos ? std::string("/") : current.substr(0, slash + 1)) +
               std::string(location);
    }
    if (plan.viaProxy && !plan.tunnel())
        plan.target = fullUrl(plan.scheme, plan.hostHeader, plan.originPort, path);
    else
        plan.target = path.empty() ? std::string("/") : path;
}

namespace {

void addProxyAuthorization(std::string& request, const RequestHeaders& headers) {
    if (!headers.proxyUsername.empty() || !headers.proxyPassword.empty())
        request.append("Proxy-Authorization: Basic ")
            .append(base64Encode(headers.proxyUsername + ":" + headers.proxyPassword))
            .append("\r\n");
}

} // namespace

std::string buildConnectRequest(const RequestPlan& plan, const RequestHeaders& headers) {
    const std::string authority = plan.hostHeader + ":" + (plan.originPort.empty() ? "443" : plan.originPort);
    std::string request = "CONNECT " + authority + " HTTP/1.0\r\n";
    if (!headers.agent.empty()) request.append("User-Agent: ").append(headers.agent).append("\r\n");
    request.append("Host: ").append(authority).append("\r\n");
    addProxyAuthorization(request, headers);
    return request.append("\r\n");
}

std::string buildGetRequest(const RequestPlan& plan, const RequestHeaders& headers) {
    std::string request;
    const auto line = [&request](std::string_view name, const std::string& value) {
        if (!value.empty()) request.append(name).append(value).append("\r\n");
    };
    request.append("GET ").append(plan.target).append(" HTTP/1.0\r\n");
    line("From: ", headers.sender);
    line("Accept: ", headers.accept);
    line("Referer: ", headers.reference);
    line("User-Agent: ", headers.agent);
    request.append("Host: ").append(plan.hostHeader).append("\r\n");
    if (headers.noCache) request.append("Pragma: no-cache\r\n");
    if (headers.modifiedSince) line("If-Modified-Since: ", formatHttpDate(*headers.modifiedSince));
    const std::string& user = plan.user.empty() ? headers.username : plan.user;
    const std::string& password = plan.user.empty() ? headers.password : plan.password;
    if (!user.empty() || !password.empty())
        line("Authorization: Basic ", base64Encode(user + ":" + password));
    // Inside a tunnel the origin would see the proxy's credentials: they went with CONNECT.
    if (plan.viaProxy && !plan.tunnel()) addProxyAuthorization(request, headers);
    line("Cookie: ", headers.cookie);
    if (!headers.rangeBegin.empty() || !headers.rangeEnd.empty())
        request.append("Range: bytes=")
            .append(headers.rangeBegin)
            .append("-")
            .append(headers.rangeEnd)
            .append("\r\n");
    request.append("\r\n");
    return request;
}

std::string formatHttpDate(std::chrono::sys_seconds time) {
    using namespace std::chrono;
    static constexpr std::string_view dayNames = "MonTueWedThuFriSatSun";
    static constexpr std::string_view monthNames = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const auto day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    const unsigned weekday = year_month_weekday{day}.weekday().iso_encoding(); // Monday = 1
    const unsigned month = static_cast<unsigned>(date.month());
    char text[64];
    std::snprintf(text, sizeof text, "%.3s, %2.2u %.3s %4.4d %2.2ld:%2.2ld:%2.2lld GMT",
                  dayNames.data() + 3 * (weekday - 1), static_cast<unsigned>(date.day()),
                  monthNames.data() + 3 * (month - 1), static_cast<int>(date.year()),
                  static_cast<long>(clock.hours().count()), static_cast<long>(clock.minutes().count()),
                  static_cast<long long>(clock.seconds().count()));
    return text;
}

std::string base64Encode(std::string_view bytes) {
    static constexpr std::string_view alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        unsigned value = 0;
        for (std::size_t k = 0; k < 3; ++k)
            value = value << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? alphabet[(value >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

} // namespace lotto
