#pragma once

#include <QImage>
#include <QString>
#include <atomic>
#include <deque>
#include <vector>

#include "fe/Thread.h"
#include "fe/geo/ProxySettings.h"
#include "fe/geo/TileDownloader.h"
#include "fe/geo/TileIndex.h"
#include "fe/geo/TileMemCache.h"
#include "fe/geo/TileSite.h"
#include "fe/geo/TileTextImage.h"

namespace fe::geo {

// Connection states, decided once per Open.
enum ConnectionState : int
{
    kConnectedOther = 0,
    kConnectFailed = 1,
    kOffline = 2,  // also the state of a closed server
    kOnlineLan = 5,
    kOnlineModem = 6,
    kOnlineProxy = 7,
};

// Tells the tile drawer which picture to show for a tile of the current site: from the memory
// cache, from the disk cache (<cache>/<site folder>/<zoom>/<column>/<row><extension>, never
// refreshed), or - when missing - nothing, after which the drawer queues the tile for the download
// worker; a server without a worker downloads at once on the caller's thread.
//
// Threads: the user-interface thread calls everything except Run; the worker runs Run. The lock
// guards the queue, the current request, the worker handle, the new-tile flag and the downloader's
// proxy record. The site and the cache folder change only while no worker exists.
class TileServer : public fe::Thread<TileServer>
{
public:
    TileServer();
    ~TileServer() override;

    // Refuses (false, nothing changed, the worker left running) a site without base URL, path or
    // extension or with a single zoom level. Otherwise stops the worker, takes the site, creates the
    // cache folder when missing (false when that fails, and the server is then closed: offline,
    // without a cache folder, memory cache emptied), resets the memory cache to capacity 300,
    // decides the connection state and takes the proxy. The queue is left as it is.
    bool Open(const QString& cacheFolder, const TileSite& site, const ProxySettings& proxy);
    // Stops the worker and returns to the closed state: empty queue and cache folder, flag 0,
    // offline, memory cache capacity 100 and empty. The site and the proxy stay.
    void Close();

    // The picture of the tile (a tile or a placeholder), or nullptr when the tile is missing and a
    // worker will fetch it once queued.
    const QImage* GetTile(const TileIndex& tile);
    // Queues a missing tile (key form) unless it is on disk or already queued. Only when online.
    void RequestTile(const TileIndex& tile);
    // The memory cache only; the caller passes a key.
    const QImage* FindCachedTile(const TileIndex& key) const { return m_memCache.Find(key); }

    QString TilePath(const TileIndex& key) const;
    // Makes <cache>/<site folder>/<zoom>/<column> level by level and returns it; empty when a level
    // cannot be made or the server has no cache folder. The cache folder itself is not made here.
    QString MakeTileFolder(const TileIndex& key) const;

    // The worker loop: pops requests first in, first out, downloads each into the temporary file
    // and moves it into the disk cache (never over an existing file), raising the new-tile flag;
    // sleeps 7 ms after every turn. Ends when the stop flag is seen, with the queue emptied.
    void Run();

    // The new-tile flag, always under the lock.
    void RaiseNewTileFlag();
    void ClearNewTileFlag();
    bool TakeNewTileFlag();  // returns the flag and clears it

    void ClearQueue();
    int QueueSize();
    std::vector<TileIndex> QueuedKeys();

    // A proxy asked for credentials that are not configured: the worker failed that download and
    // raised this request. Returns true once per process; the user-interface thread then asks the
    // user and hands the answer to SetProxyCredentials, which later downloads use.
    bool TakeProxyCredentialRequest();
    void SetProxyCredentials(const QString& userName, const QString& password);

    const TileSite& Site() const { return m_site; }
    const QString& CacheFolder() const { return m_cacheFolder; }
    const QString& TempFilePath() const { return m_tempFile; }
    int Connection() const { return m_connection; }
    bool IsOnline() const;
    TileMemCache& MemCache() { return m_memCache; }
    const TileMemCache& MemCache() const { return m_memCache; }
    const TileTextImage& Placeholders() const { return m_placeholders; }
    ProxySettings Proxy();

private:
    struct Request
    {
        std::uint32_t hash;
        TileIndex key;
    };

    const QImage* LoadIntoMemory(const TileIndex& key, const QString& path);
    const QImage* DownloadNow(const TileIndex& key);
    const QImage* Placeholder(TilePlaceholder which) const { return &m_placeholders.Get(which); }

    TileTextImage m_placeholders;
    TileIndex m_currentRequest;
    std::deque<Request> m_queue;
    QString m_cacheFolder;
    QString m_tempFile;
    bool m_newTile = false;
    TileSite m_site;
    TileDownloader m_downloader;
    int m_connection = kOffline;
    TileMemCache m_memCache;
    std::atomic<bool> m_credentialsNeeded{false};
};

// Moves a file unless the destination exists (then false, the source left in place).
bool MoveFileNoReplace(const QString& from, const QString& to);

}  // namespace fe::geo
