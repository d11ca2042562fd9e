#include "HttpClient/ResponseParser.h"

#include <algorithm>
#include <cctype>

namespace lotto {

namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// A server that sends a page without any header starts straight with "<HTML>".
bool startsHtml(std::string_view line) {
    return line.size() >= 6 && lowerCase(line.substr(0, 6)) == "<html>";
}

bool threeDigits(std::string_view text) {
    return text.size() == 3 && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string_view substrFrom(std::string_view text, std::size_t position) {
    return position < text.size() ? text.substr(position) : std::string_view();
}

} // namespace

ResponseParser::Step ResponseParser::feed(std::string_view bytes, ResponseListener& listener) {
    if (m_stopped) return m_stopStep;
    if (m_inBody) {
        body(bytes, listener);
        return Step::More;
    }
    m_pending.append(bytes);
    std::size_t start = 0;
    for (;;) {
        const std::string_view rest = std::string_view(m_pending).substr(start);
        if (startsHtml(rest)) {
            if (!m_headerBegun) {
                m_headerBegun = true;
                listener.headerBegin();
            }
            const std::string bodyBytes(rest);
            m_pending.clear();
            startBody(bodyBytes, listener);
            return Step::More;
        }
        const auto lineEnd = rest.find('\n');
        if (lineEnd == std::string_view::npos) {
            if (rest.size() >= maxLineLength) {
                m_stopped = true;
                return m_stopStep = Step::LineTooLong;
            }
            m_pending.erase(0, start);
            return Step::More;
        }
        if (lineEnd >= maxLineLength) {
            m_stopped = true;
            return m_stopStep = Step::LineTooLong;
        }
        m_headerBytes += lineEnd + 1;
        if (m_headerBytes > maxHeaderBytes) {
            m_stopped = true;
            return m_stopStep = Step::HeaderTooLong;
        }
        std::string_view line = rest.substr(0, lineEnd);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t next = start + lineEnd + 1;
        if (line.empty()) {
            if (!m_headerBegun) {
                m_headerBegun = true;
                listener.headerBegin();
            }
            m_headerEnded = true;
            listener.headerEnd();
            if (m_head.locationSeen) {
                m_stopped = true;
                return m_stopStep = Step::Close;
            }
            const std::string bodyBytes = m_pending.substr(next);
            m_pending.clear();
            m_inBody = true;
            if (!bodyBytes.empty()) body(bodyBytes, listener);
            return Step::More;
        }
        const Step step = headerLine(line, listener);
        if (step != Step::More) {
            m_stopped = true;
            return m_stopStep = step;
        }
        start = next;
    }
}

ResponseParser::Step ResponseParser::finish(ResponseListener& listener) {
    if (m_stopped) return m_stopStep;
    if (m_inBody || m_pending.empty()) return Step::More;
    std::string line;
    line.swap(m_pending);
    if (line.back() == '\r') line.pop_back();
    if (line.empty()) return Step::More;
    const Step step = headerLine(line, listener);
    if (step != Step::More) {
        m_stopped = true;
        m_stopStep = step;
    }
    return step;
}

ResponseParser::Step ResponseParser::headerLine(std::string_view line, ResponseListener& listener) {
    if (!m_headerBegun) {
        m_headerBegun = true;
        listener.headerBegin();
    }
    const std::string text(line);
    m_head.lines.push_back(text);
    if (line.starts_with("HTTP/1.0") || line.starts_with("HTTP/1.1")) {
        const std::string_view code = substrFrom(line, 9).substr(0, 3);
        if (!threeDigits(code)) return Step::BadStatusLine;
        m_head.statusCode = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
        m_head.reasonPhrase = substrFrom(line, 13);
    } else {
        const auto colon = line.find(':');
        const std::string name = lowerCase(line.substr(0, colon));
        std::string_view value = colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
        while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
        if (name == "location") {
            m_head.locationSeen = true;
            m_head.location = value;
        } else if (name == "content-length") {
            // At most 18 digits, so the value never overflows; anything else is ignored.
            std::int64_t length = 0;
            bool valid = !value.empty() && value.size() <= 18;
            for (std::size_t i = 0; valid && i < value.size(); ++i) {
                const char c = value[i];
                if (c < '0' || c > '9') valid = false;
                else length = length * 10 + (c - '0');
            }
            if (valid) m_head.contentLength = length;
        } else if (name == "content-range") {
            // "bytes 100-199/200"
            const std::string_view range = substrFrom(value, 6);
            const auto dash = range.find('-');
            m_head.contentRangeBegin = range.substr(0, dash);
            m_head.contentRangeEnd =
                dash == std::string_view::npos ? std::string_view() : range.substr(dash + 1, range.find('/', dash) - dash - 1);
        } else if (name == "accept-ranges") {
            m_head.acceptRanges = value;
        } else if (name == "content-type") {
            m_head.contentType = lowerCase(value);
        } else if (name == "www-authenticate") {
            m_head.wwwAuthenticate.emplace_back(value);
        }
    }
    listener.headerLine(text);
    return m_head.statusCode > 399 ? Step::Close : Step::More;
}

void ResponseParser::startBody(std::string_view bytes, ResponseListener& listener) {
    if (m_head.contentType.empty()) m_head.contentType = "text/html";
    m_inBody = true;
    listener.headerEnd();
    body(bytes, listener);
}

void ResponseParser::body(std::string_view bytes, ResponseListener& listener) {
    if (bytes.empty()) return;
    m_bodyBytes += bytes.size();
    listener.bodyPiece(bytes.data(), bytes.size());
}

} // namespace lotto
