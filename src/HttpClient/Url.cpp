#include "HttpClient/Url.h"

#include <algorithm>
#include <cctype>

namespace lotto {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// "//host..." after a scheme: at most two slashes introduce the authority.
std::string_view skipTwoSlashes(std::string_view rest) {
    for (int i = 0; i < 2 && !rest.empty() && rest.front() == '/'; ++i)
        rest.remove_prefix(1);
    return rest;
}

} // namespace

UrlParts splitUrl(std::string_view url) {
    UrlParts parts;
    if (url.empty()) return parts;

    std::string_view rest;
    if (const auto colon = url.find("://"); colon != std::string_view::npos) {
        parts.scheme = url.substr(0, colon);
        rest = url.substr(colon + 3);
    } else if (url.front() == '/') {
        parts.scheme = "http";
        if (url.size() > 1 && url[1] != '/') {
            parts.path = url;
            return parts;
        }
        rest = skipTwoSlashes(url);
    } else if (startsWithNoCase(url, "http:")) {
        parts.scheme = "http";
        if (url.size() > 6 && url[5] != '/') {
            parts.path = url.substr(5);
            return parts;
        }
        rest = skipTwoSlashes(url.substr(5));
    } else if (startsWithNoCase(url, "mailto:")) {
        parts.scheme = "mailto";
        rest = url.substr(7);
    } else {
        rest = url;
    }

    const auto slash = rest.find('/');
    std::string_view authority = rest.substr(0, slash);
    if (slash != std::string_view::npos) parts.path = rest.substr(slash);

    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        const std::string_view userInfo = authority.substr(0, at);
        const auto colon = userInfo.find(':');
        parts.user = userInfo.substr(0, colon);
        if (colon != std::string_view::npos) parts.password = userInfo.substr(colon + 1);
        authority.remove_prefix(at + 1);
    }
    const auto colon = authority.rfind(':');
    parts.host = authority.substr(0, colon);
    if (colon != std::string_view::npos) parts.port = authority.substr(colon + 1);
    return parts;
}

std::string documentName(std::string_view path) {
    path = path.substr(0, path.find('?'));
    if (!path.empty() && path.back() == '/') path.remove_suffix(1);
    const auto slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return name.empty() ? std::string("document.htm") : std::string(name);
}

} // namespace lotto
