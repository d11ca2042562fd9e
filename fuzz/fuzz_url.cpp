// URL splitting, redirect targets and the request built from them: any text is taken
// apart without failing, and no part of it can add a line to the request.
#include "HttpClient/HttpRequest.h"
#include "HttpClient/Url.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // "url\nproxy\nlocation": three texts from one input.
    const auto first = input.find('\n');
    const std::string_view url = input.substr(0, first);
    const std::string_view rest =
        first == std::string_view::npos ? std::string_view() : input.substr(first + 1);
    const auto second = rest.find('\n');
    const std::string_view proxy = rest.substr(0, second);
    const std::string_view location =
        second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);

    const lotto::UrlParts parts = lotto::splitUrl(url);
    // Every part but an implied scheme is cut from the text.
    const std::size_t total =
        parts.user.size() + parts.password.size() + parts.host.size() + parts.port.size() + parts.path.size();
    if (total > url.size()) std::abort();
    if (lotto::documentName(parts.path).empty()) std::abort();

    lotto::RequestPlan plan = lotto::planRequest(url, proxy, "80");
    lotto::followLocation(plan, location);
    if (!plan.viaProxy && plan.target.empty()) std::abort();
    const std::string request = lotto::buildGetRequest(plan, lotto::RequestHeaders{});
    if (!request.starts_with("GET ") || !request.ends_with("\r\n\r\n")) std::abort();
    return 0;
}
