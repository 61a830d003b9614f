#include "fe/geo/TileDownloader.h"

#include <curl/curl.h>

#include <QFile>
#include <algorithm>
#include <memory>

#include "fe/geo/TilePicture.h"

namespace fe::geo {

namespace {

struct Transfer
{
    QFile* file = nullptr;
    qint64 received = 0;
    bool tooLarge = false;
    bool writeFailed = false;
    const std::atomic<bool>* stop = nullptr;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const qint64 bytes = static_cast<qint64>(size * count);
    transfer->received += bytes;
    if (transfer->received > kMaxTileBytes)
        transfer->tooLarge = true;
    else if (transfer->file->write(data, bytes) != bytes)
        transfer->writeFailed = true;
    if (transfer->tooLarge || transfer->writeFailed)
        return 0;  // makes libcurl end the transfer with an error
    return static_cast<size_t>(bytes);
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* transfer = static_cast<Transfer*>(user);
    return transfer->stop && transfer->stop->load() ? 1 : 0;
}

void EnsureCurlInitialised()
{
    static const bool initialised = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    (void)initialised;
}

// An answer that will not change however often the tile is asked for: a client error, except a
// request time-out, too many requests and a proxy asking for credentials, which may pass.
bool IsLastingRefusal(long status)
{
    return status >= 400 && status < 500 && status != 408 && status != 429 && status != 407;
}

// No connection was made at all: a name that does not resolve or a host that refuses, which is
// what a computer without a network meets.
bool IsUnreachable(CURLcode code)
{
    return code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_RESOLVE_PROXY ||
           code == CURLE_COULDNT_CONNECT;
}

}  // namespace

bool FileHoldsPicture(const QString& file)
{
    return !ReadTilePicture(file).isNull();
}

DownloadResult TileDownloader::Download(const QString& file, const QString& url,
                                        const std::atomic<bool>* stop) const
{
    EnsureCurlInitialised();
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return DownloadResult::Failed;

    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) {
        out.remove();
        return DownloadResult::Failed;
    }
    Transfer transfer{&out, 0, false, false, stop};
    const QByteArray urlBytes = url.toUtf8();
    QByteArray proxy;
    if (m_proxy.UsesProxy())
        proxy = (m_proxy.port.isEmpty() ? m_proxy.address : m_proxy.address + u':' + m_proxy.port).toUtf8();
    const QByteArray user = m_proxy.userName.toUtf8();
    const QByteArray password = m_proxy.password.toUtf8();

    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "test");
    curl_easy_setopt(handle, CURLOPT_PROXY, proxy.constData());  // "" means no proxy at all
    curl_easy_setopt(handle, CURLOPT_NOPROXY, "");               // and no host bypasses a set one
    if (m_proxy.UsesProxy() && !user.isEmpty()) {
        curl_easy_setopt(handle, CURLOPT_PROXYUSERNAME, user.constData());
        curl_easy_setopt(handle, CURLOPT_PROXYPASSWORD, password.constData());
        curl_easy_setopt(handle, CURLOPT_PROXYAUTH, CURLAUTH_ANY);
    }
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, m_timeouts.connectMs);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, std::max(1L, (m_timeouts.stallMs + 999) / 1000));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, m_timeouts.totalMs);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);

    const CURLcode code = curl_easy_perform(handle);
    long status = 0;
    long connectStatus = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(handle, CURLINFO_HTTP_CONNECTCODE, &connectStatus);
    const bool flushed = out.flush();
    out.close();

    DownloadResult result = DownloadResult::Failed;
    if (code == CURLE_ABORTED_BY_CALLBACK)
        result = DownloadResult::Aborted;
    else if (m_proxy.UsesProxy() && user.isEmpty() && (status == 407 || connectStatus == 407))
        result = DownloadResult::CredentialsNeeded;
    else if (transfer.tooLarge)
        result = DownloadResult::Refused;
    else if (IsUnreachable(code))
        result = DownloadResult::Unreachable;
    else if (code != CURLE_OK || transfer.writeFailed || !flushed)
        result = DownloadResult::Failed;
    else if (status >= 200 && status < 300)
        result = FileHoldsPicture(file) ? DownloadResult::Stored : DownloadResult::Refused;
    else if (IsLastingRefusal(status) || status < 400)
        result = DownloadResult::Refused;
    if (result != DownloadResult::Stored)
        QFile::remove(file);
    return result;
}

}  // namespace fe::geo
