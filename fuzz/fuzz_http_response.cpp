// The HTTP response stream: whatever a server sends, parsing never fails, and cutting the
// stream into other pieces never changes the result.
#include "HttpClient/ResponseParser.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct Collect : lotto::ResponseListener {
    std::string events;
    void headerBegin() override { events += 'B'; }
    void headerLine(const std::string& line) override { events += 'L' + line + '\n'; }
    void headerEnd() override { events += 'E'; }
    void bodyPiece(const char* data, std::size_t size) override { body.append(data, size); }
    std::string body;
};

struct Outcome {
    std::string events;
    std::string body;
    lotto::ResponseParser::Step step;
    lotto::ResponseParser::Step atClose;
    lotto::ResponseHead head;
};

Outcome parse(std::string_view stream, std::string_view cuts) {
    lotto::ResponseParser parser;
    Collect collect;
    Outcome outcome{};
    outcome.step = lotto::ResponseParser::Step::More;
    std::size_t cut = 0;
    while (!stream.empty()) {
        // Each byte of the cut pattern is the size of the next piece (0 repeats the rest).
        std::size_t size =
            cuts.empty() ? stream.size() : static_cast<unsigned char>(cuts[cut++ % cuts.size()]);
        if (size == 0 || size > stream.size()) size = stream.size();
        outcome.step = parser.feed(stream.substr(0, size), collect);
        stream.remove_prefix(size);
        if (outcome.step != lotto::ResponseParser::Step::More) break;
    }
    outcome.atClose = parser.finish(collect);
    outcome.events = collect.events;
    outcome.body = collect.body;
    outcome.head = parser.head();
    if (parser.bodyBytes() != outcome.body.size()) std::abort();
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t cutLength = static_cast<unsigned char>(input[0]) % 16;
    const std::string_view cuts = input.substr(1, cutLength);
    const std::string_view stream = input.substr(std::min(input.size(), 1 + cutLength));

    const Outcome whole = parse(stream, {});
    const Outcome pieces = parse(stream, cuts);
    if (whole.step != pieces.step || whole.atClose != pieces.atClose || whole.events != pieces.events ||
        whole.body != pieces.body)
        std::abort();
    const lotto::ResponseHead& a = whole.head;
    const lotto::ResponseHead& b = pieces.head;
    if (a.statusCode != b.statusCode || a.reasonPhrase != b.reasonPhrase ||
        a.contentLength != b.contentLength || a.contentType != b.contentType || a.location != b.location ||
        a.lines != b.lines || a.contentRangeBegin != b.contentRangeBegin ||
        a.contentRangeEnd != b.contentRangeEnd)
        std::abort();
    if (a.statusCode < 0 || a.statusCode > 999) std::abort();
    for (const auto& line : a.lines)
        if (line.size() >= lotto::ResponseParser::maxLineLength || line.find('\n') != std::string::npos)
            std::abort();
    return 0;
}
