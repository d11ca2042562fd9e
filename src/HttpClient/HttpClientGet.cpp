#include "HttpClient/HttpClientGet.h"

#include <QSslCertificate>

namespace lotto {

HttpClientGet::HttpClientGet() {
    m_client.setAgent(QStringLiteral("Mozilla/3.0 (compatible)"));
    m_client.setAccept(QStringLiteral("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*"));
    bool valid = false;
    const int timeout = qEnvironmentVariableIntValue("LOTTO_HTTP_TIMEOUT_MS", &valid);
    if (valid && timeout > 0) m_client.setIdleTimeout(timeout);
    const int total = qEnvironmentVariableIntValue("LOTTO_HTTP_TOTAL_TIMEOUT_MS", &valid);
    if (valid && total > 0) m_client.setTotalTimeout(total);
    const QString caFile = qEnvironmentVariable("LOTTO_HTTP_CA_FILE");
    if (!caFile.isEmpty()) m_client.addCaCertificates(QSslCertificate::fromPath(caFile));
}

void HttpClientGet::get(const HttpGetRequest& request, ByteSink& body) {
    // Checked before the settings change: they belong to the request under way.
    if (m_client.state() != HttpClient::State::Ready) throw HttpException(1, "HTTP component is busy");
    m_client.setUrl(QString::fromStdString(request.url));
    m_client.setProxy(QString::fromStdString(request.proxy));
    m_client.setProxyPort(QString::fromStdString(request.proxyPort));
    m_client.setBodyWriter([&body](const char* data, std::size_t size) { body.write(data, size); });
    struct ClearWriter {
        HttpClient& client;
        ~ClearWriter() { client.setBodyWriter({}); }
    } clearWriter{m_client};
    m_client.get();
}

} // namespace lotto
