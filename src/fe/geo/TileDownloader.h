#pragma once

#include <QString>
#include <atomic>

#include "fe/geo/ProxySettings.h"

namespace fe::geo {

// The outcome of one tile download.
enum class DownloadResult
{
    Stored,             // a picture arrived and lies in the file
    Refused,            // the server answered for good: a client error, or a body that is no tile picture
    Failed,             // no usable answer this time: time-out, server error, cut transfer
    Unreachable,        // no connection: the host or proxy is unknown or refuses, as without a network
    Aborted,            // the stop flag ended the transfer
    CredentialsNeeded,  // the proxy asked for credentials that are not configured
};

// Time limits of one download, in seconds: a server that accepts the connection and then sends
// nothing is given up after kStallSeconds.
inline constexpr long kConnectTimeoutSeconds = 10;
inline constexpr long kStallSeconds = 10;
inline constexpr long kTotalTimeoutSeconds = 30;

// The limits a downloader applies, the program's values unless a test shortens them. The stall limit
// counts whole seconds (rounded up); the others milliseconds.
struct DownloadTimeouts
{
    long connectMs = kConnectTimeoutSeconds * 1000;
    long stallMs = kStallSeconds * 1000;
    long totalMs = kTotalTimeoutSeconds * 1000;
};
// A tile body larger than this is refused.
inline constexpr qint64 kMaxTileBytes = 16 * 1024 * 1024;

// Fetches one tile over HTTP(S) with libcurl into a file. Only a 2xx answer whose body decodes as a
// tile picture (ReadTilePicture) counts; any other answer leaves the file removed. The proxy is always set
// explicitly (none when no address is configured), so the environment's proxy variables never apply.
class TileDownloader
{
public:
    const ProxySettings& Proxy() const { return m_proxy; }
    void SetProxy(const ProxySettings& proxy) { m_proxy = proxy; }
    const DownloadTimeouts& Timeouts() const { return m_timeouts; }
    void SetTimeouts(const DownloadTimeouts& timeouts) { m_timeouts = timeouts; }

    // Downloads url into file (created or truncated). stop, when given, aborts the transfer as soon
    // as it is set.
    DownloadResult Download(const QString& file, const QString& url, const std::atomic<bool>* stop) const;

private:
    ProxySettings m_proxy;
    DownloadTimeouts m_timeouts;
};

// Whether the file holds a tile picture that decodes completely.
bool FileHoldsPicture(const QString& file);

}  // namespace fe::geo
