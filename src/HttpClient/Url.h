#pragma once

#include <string>
#include <string_view>

namespace lotto {

// A URL taken apart the way the client needs it. Parts that the text does not name stay
// empty; the caller supplies defaults (port 80, path "/").
struct UrlParts {
    std::string scheme;
    std::string user;
    std::string password;
    std::string host;
    std::string port;
    std::string path;

    bool operator==(const UrlParts&) const = default;
};

// Splits a request URL, a proxy setting or a redirect target. Accepts anything: text
// that is no URL yields whatever parts it happens to contain.
UrlParts splitUrl(std::string_view url);

// The name a fetched document goes by: the last path segment without query and trailing
// "/", "document.htm" for the root.
std::string documentName(std::string_view path);

} // namespace lotto
