#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lotto {

// What a response reports while it is parsed. Every handler may be left out.
class ResponseListener {
public:
    virtual ~ResponseListener() = default;
    virtual void headerBegin() {}
    virtual void headerLine(const std::string& /*line*/) {}
    virtual void headerEnd() {}
    virtual void bodyPiece(const char* /*data*/, std::size_t /*size*/) {}
};

// The response header as far as it has arrived.
struct ResponseHead {
    int statusCode = 0;
    std::string reasonPhrase;
    std::int64_t contentLength = -1;
    std::string contentType; // lower-cased
    std::string acceptRanges;
    std::string contentRangeBegin;
    std::string contentRangeEnd;
    std::vector<std::string> lines;
    std::vector<std::string> wwwAuthenticate;
    std::string location; // the last "location" header, when locationSeen
    bool locationSeen = false;
    bool chunked = false; // "Transfer-Encoding: chunked": the body comes in sized chunks
};

// Parses the response stream of one connection. Bytes go in as they arrive, in pieces of
// any size; the result does not depend on where the pieces are cut. Never touches a
// socket: the caller closes the connection when told to.
class ResponseParser {
public:
    static constexpr std::size_t maxLineLength = 8192;
    // All header lines together, line ends included; a server that never ends its header
    // of short lines is cut off here instead of filling the memory.
    static constexpr std::size_t maxHeaderBytes = 65536;

    enum class Step {
        More,              // keep reading
        Close,             // close now: an error status, or the header of a redirect is complete
        LineTooLong,       // a header line of maxLineLength bytes or more
        HeaderTooLong,     // more than maxHeaderBytes of header lines
        BadStatusLine,     // "HTTP/1.x" without a three-digit status code
        UnsupportedCoding, // a transfer coding other than chunked (compressed)
        BadChunk,          // a chunked body whose chunk sizes or line ends do not read
        Truncated          // at the close: less body than Content-Length declared, or a chunked
                           // body without its last chunk
    };

    Step feed(std::string_view bytes, ResponseListener& listener);
    // The server closed the connection: a last header line without line end still counts;
    // a body cut short is Truncated.
    Step finish(ResponseListener& listener);

    const ResponseHead& head() const { return m_head; }
    bool inBody() const { return m_inBody; }
    // A status line, an end of header or a body without header has arrived.
    bool sawResponse() const { return m_head.statusCode != 0 || m_inBody || m_headerEnded; }
    // Body bytes as handed on: a chunked body decoded, nothing beyond Content-Length.
    std::uint64_t bodyBytes() const { return m_bodyBytes; }
    // The last chunk or the declared length has arrived: nothing more belongs to the page.
    bool bodyComplete() const;

private:
    enum class Chunk { Size, Data, DataEnd, Trailer, Done };

    Step headerLine(std::string_view line, ResponseListener& listener);
    Step startBody(std::string_view bytes, ResponseListener& listener);
    Step body(std::string_view bytes, ResponseListener& listener);
    Step chunks(std::string_view bytes, ResponseListener& listener);
    void deliver(std::string_view bytes, ResponseListener& listener);
    Step stop(Step step);

    ResponseHead m_head;
    std::string m_pending; // header bytes after the last line end
    bool m_headerBegun = false;
    bool m_headerEnded = false;
    bool m_inBody = false;
    bool m_stopped = false;
    Step m_stopStep = Step::More;
    std::uint64_t m_bodyBytes = 0;
    std::size_t m_headerBytes = 0;
    Chunk m_chunk = Chunk::Size;
    std::uint64_t m_chunkLeft = 0;
    std::string m_chunkLine; // the size or trailer line read so far
};

} // namespace lotto
