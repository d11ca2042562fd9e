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
    return text.size() == 3 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string_view substrFrom(std::string_view text, std::size_t position) {
    return position < text.size() ? text.substr(position) : std::string_view();
}

} // namespace

ResponseParser::Step ResponseParser::feed(std::string_view bytes, ResponseListener& listener) {
    if (m_stopped) return m_stopStep;
    if (m_inBody) return body(bytes, listener);
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
            return startBody(bodyBytes, listener);
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
            return body(bodyBytes, listener);
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
    if (m_inBody) {
        const int status = m_head.statusCode;
        const bool noBody = (status >= 100 && status < 200) || status == 204 || status == 304;
        const bool cut = m_head.chunked ? m_chunk != Chunk::Done
                                        : m_head.contentLength >= 0 &&
                                              m_bodyBytes < static_cast<std::uint64_t>(m_head.contentLength);
        return cut && !noBody ? stop(Step::Truncated) : Step::More;
    }
    if (m_pending.empty()) return Step::More;
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
        std::string_view value =
            colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
        while (!value.empty() && value.front() == ' ')
            value.remove_prefix(1);
        if (name == "location") {
            m_head.locationSeen = true;
            m_head.location = value;
        } else if (name == "content-length") {
            // At most 18 digits, so the value never overflows; anything else is ignored.
            std::int64_t length = 0;
            bool valid = !value.empty() && value.size() <= 18;
            for (std::size_t i = 0; valid && i < value.size(); ++i) {
                const char c = value[i];
                if (c < '0' || c > '9')
                    valid = false;
                else
                    length = length * 10 + (c - '0');
            }
            if (valid) m_head.contentLength = length;
        } else if (name == "content-range") {
            // "bytes 100-199/200"
            const std::string_view range = substrFrom(value, 6);
            const auto dash = range.find('-');
            m_head.contentRangeBegin = range.substr(0, dash);
            m_head.contentRangeEnd = dash == std::string_view::npos
                                         ? std::string_view()
                                         : range.substr(dash + 1, range.find('/', dash) - dash - 1);
        } else if (name == "accept-ranges") {
            m_head.acceptRanges = value;
        } else if (name == "content-type") {
            m_head.contentType = lowerCase(value);
        } else if (name == "www-authenticate") {
            m_head.wwwAuthenticate.emplace_back(value);
        } else if (name == "transfer-encoding") {
            // Only the chunked framing is undone here; a compressed body could not be read.
            std::string coding = lowerCase(value);
            while (!coding.empty() && (coding.back() == ' ' || coding.back() == '\t'))
                coding.pop_back();
            if (coding == "chunked")
                m_head.chunked = true;
            else if (coding != "identity")
                return Step::UnsupportedCoding;
        }
    }
    listener.headerLine(text);
    return m_head.statusCode > 399 ? Step::Close : Step::More;
}

ResponseParser::Step ResponseParser::startBody(std::string_view bytes, ResponseListener& listener) {
    if (m_head.contentType.empty()) m_head.contentType = "text/html";
    m_inBody = true;
    listener.headerEnd();
    return body(bytes, listener);
}

bool ResponseParser::bodyComplete() const {
    if (!m_inBody || m_stopped) return false;
    if (m_head.chunked) return m_chunk == Chunk::Done;
    return m_head.contentLength >= 0 && m_bodyBytes >= static_cast<std::uint64_t>(m_head.contentLength);
}

ResponseParser::Step ResponseParser::stop(Step step) {
    m_stopped = true;
    return m_stopStep = step;
}

ResponseParser::Step ResponseParser::body(std::string_view bytes, ResponseListener& listener) {
    if (bytes.empty()) return Step::More;
    if (m_head.chunked) return chunks(bytes, listener);
    if (m_head.contentLength >= 0) {
        // What follows the declared length belongs to no page.
        const auto declared = static_cast<std::uint64_t>(m_head.contentLength);
        if (m_bodyBytes >= declared) return Step::More;
        bytes = bytes.substr(
            0, static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), declared - m_bodyBytes)));
    }
    deliver(bytes, listener);
    return Step::More;
}

// "1a2;name=value CR LF", the data, CR LF; "0 CR LF", trailer lines, an empty line.
ResponseParser::Step ResponseParser::chunks(std::string_view bytes, ResponseListener& listener) {
    constexpr std::size_t maxChunkLine = 4096;
    while (!bytes.empty()) {
        switch (m_chunk) {
        case Chunk::Size:
        case Chunk::Trailer: {
            const std::size_t lineEnd = bytes.find('\n');
            const std::string_view part = bytes.substr(0, lineEnd);
            if (m_chunkLine.size() + part.size() > maxChunkLine) return stop(Step::BadChunk);
            m_chunkLine.append(part);
            if (lineEnd == std::string_view::npos) return Step::More;
            bytes.remove_prefix(lineEnd + 1);
            std::string_view line = m_chunkLine;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (m_chunk == Chunk::Trailer) {
                if (line.empty()) m_chunk = Chunk::Done;
                m_chunkLine.clear();
                break;
            }
            std::uint64_t size = 0;
            std::size_t digits = 0;
            for (; digits < line.size() && std::isxdigit(static_cast<unsigned char>(line[digits]));
                 ++digits) {
                const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(line[digits])));
                size = size * 16 + static_cast<std::uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
            }
            const std::string_view rest = line.substr(digits);
            if (digits == 0 || digits > 15 ||
                !(rest.empty() || rest.front() == ';' || rest.front() == ' ' || rest.front() == '\t'))
                return stop(Step::BadChunk);
            m_chunkLine.clear();
            m_chunkLeft = size;
            m_chunk = size == 0 ? Chunk::Trailer : Chunk::Data;
            break;
        }
        case Chunk::Data: {
            const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(m_chunkLeft, bytes.size()));
            deliver(bytes.substr(0, take), listener);
            bytes.remove_prefix(take);
            m_chunkLeft -= take;
            if (m_chunkLeft == 0) m_chunk = Chunk::DataEnd;
            break;
        }
        case Chunk::DataEnd:
            if (bytes.front() == '\r' && m_chunkLine.empty()) {
                m_chunkLine = "\r";
            } else if (bytes.front() == '\n') {
                m_chunkLine.clear();
                m_chunk = Chunk::Size;
            } else {
                return stop(Step::BadChunk);
            }
            bytes.remove_prefix(1);
            break;
        case Chunk::Done:
            return Step::More; // nothing after the last chunk belongs to the page
        }
    }
    return Step::More;
}

void ResponseParser::deliver(std::string_view bytes, ResponseListener& listener) {
    if (bytes.empty()) return;
    m_bodyBytes += bytes.size();
    listener.bodyPiece(bytes.data(), bytes.size());
}

} // namespace lotto
