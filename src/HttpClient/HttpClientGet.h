#pragma once

#include "HttpClient/HttpClient.h"
#include "core/import/HttpGet.h"

namespace lotto {

// The imports' blocking GET on an HttpClient configured as the download driver wants it
// (browser-like user agent and accept list). Test runs shorten the idle time-out with
// LOTTO_HTTP_TIMEOUT_MS, the overall one with LOTTO_HTTP_TOTAL_TIMEOUT_MS, and trust an extra certificate
// authority from the PEM file named by LOTTO_HTTP_CA_FILE.
class HttpClientGet : public HttpGet {
public:
    HttpClientGet();

    void get(const HttpGetRequest& request, ByteSink& body) override;

    HttpClient& client() { return m_client; }

private:
    HttpClient m_client;
};

} // namespace lotto
