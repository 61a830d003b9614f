#pragma once

#include <QImage>
#include <QString>
#include <atomic>
#include <deque>
#include <map>
#include <vector>

#include "fe/Thread.h"
#include "fe/geo/ProxySettings.h"
#include "fe/geo/TileDownloader.h"
#include "fe/geo/TileFailures.h"
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

// What GetTile does with a tile that is in neither cache while no worker exists.
enum class MissingTiles
{
    Queued,      // nothing is shown: the drawer queues the tile and a worker started later fetches it
    FetchedNow,  // downloaded at once on the caller's thread; for off-screen renderers, which have no
                 // worker and must show every tile they can get
};

// Tells the tile drawer which picture to show for a tile of the current site: from the memory
// cache, from the disk cache (<cache>/<site folder>/<zoom>/<column>/<row><extension>, never
// refreshed), or - when missing - nothing, after which the drawer queues the tile for the download
// worker. So a drawing never waits for the network, unless the server was told to fetch missing
// tiles at once (MissingTiles::FetchedNow) and has no worker. Failed downloads are remembered per
// site for the life of the server (TileFailures): a tile refused for good shows the download-error
// placeholder and is never asked for again; one that failed for the moment is asked for again only
// after its delay, and the new-tile flag then asks for the redraw that does it. A failed tile shows
// the placeholder of its failure ("オフライン", "ダウンロードエラー", "パスエラー") until it arrives;
// "ダウンロード中" stands only for tiles that are queued and have not failed.
//
// Threads: the user-interface thread calls everything except Run; the worker runs Run. The lock
// guards the queue, the current request, the worker handle, the new-tile flag, the failed tiles and
// the downloader's proxy record. The site and the cache folder change only while no worker exists.
// At most one worker in the process runs on a cache folder, since the worker downloads into one
// temporary file beside it.
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
    // offline, memory cache capacity 100 and empty. The site, the proxy and the failed tiles stay.
    void Close();

    // Starts the download worker unless one exists. False, and no worker, when the server has no
    // cache folder, when another server's worker runs on the same cache folder, or when the thread
    // cannot be made.
    bool Start();

    void SetMissingTiles(MissingTiles policy) { m_missingTiles = policy; }
    // The delay after a tile's first passing failure and the most it grows to; the defaults are
    // TileFailures's.
    void SetRetryDelays(TileFailures::Clock::duration first, TileFailures::Clock::duration longest);

    // The picture of the tile (a tile or a placeholder), or nullptr when the tile is missing and is
    // left to the worker: the caller shows a substitute and queues it. A tile refused for good shows
    // the download-error placeholder. Only a server told to fetch at once and without a worker
    // downloads here, and shows the download-error placeholder while a failed tile waits.
    const QImage* GetTile(const TileIndex& tile);
    // Queues a missing tile (key form) unless it is on disk, already queued or being downloaded,
    // refused for good, or waiting for its retry delay. Only when online.
    void RequestTile(const TileIndex& tile);
    // What stands in for a missing tile when nothing better is in memory: the placeholder of its
    // last failure, else "ダウンロード中".
    const QImage& MissingTilePicture(const TileIndex& tile);
    // The memory cache only; the caller passes a key.
    const QImage* FindCachedTile(const TileIndex& key) const { return m_memCache.Find(key); }

    QString TilePath(const TileIndex& key) const;
    // Makes <cache>/<site folder>/<zoom>/<column> level by level and returns it; empty when a level
    // cannot be made or the server has no cache folder. The cache folder itself is not made here.
    QString MakeTileFolder(const TileIndex& key) const;

    // The worker loop: pops requests first in, first out, downloads each into the temporary file
    // and moves it into the disk cache (never over an existing file), raising the new-tile flag for
    // a tile that arrived or failed; a tile whose folder cannot be made fails with the path error. With an empty queue it sleeps
    // until a request or the stop wakes it. Ends when the stop flag is seen, with the queue emptied.
    void Run();
    // How often the worker has woken: once per request taken, and once to end.
    int WorkerTurns() const { return m_workerTurns.load(); }

    // The new-tile flag, always under the lock. Taking it also reports a retry delay that has run
    // out; a drawing, which asks for the due tiles, clears both.
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
    // Later downloads use these limits instead of the program's (tests shorten them).
    void SetDownloadTimeouts(const DownloadTimeouts& timeouts);

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
    // Remembers how the download of the key ended; the worker's request then ends.
    void RecordOutcome(const TileIndex& key, DownloadResult result);
    void ReleaseWorkerFolder();
    const QImage* Placeholder(TilePlaceholder which) const { return &m_placeholders.Get(which); }

    TileTextImage m_placeholders;
    TileIndex m_currentRequest;
    bool m_downloading = false;  // the worker is downloading the current request
    std::deque<Request> m_queue;
    QString m_cacheFolder;
    QString m_tempFile;
    bool m_newTile = false;
    TileSite m_site;
    TileDownloader m_downloader;
    int m_connection = kOffline;
    TileMemCache m_memCache;
    std::atomic<bool> m_credentialsNeeded{false};
    std::atomic<int> m_workerTurns{0};
    MissingTiles m_missingTiles = MissingTiles::Queued;
    // Failed tiles by site (base URL, path and extension), kept across opens; m_failures is the
    // current site's.
    std::map<QString, TileFailures> m_failuresBySite;
    TileFailures* m_failures = nullptr;
    TileFailures::Clock::duration m_firstRetryDelay = TileFailures::kFirstDelay;
    TileFailures::Clock::duration m_longestRetryDelay = TileFailures::kLongestDelay;
    QString m_workerFolder;  // the cache folder claimed by the running worker
};

// Moves a file unless the destination exists (then false, the source left in place).
bool MoveFileNoReplace(const QString& from, const QString& to);

}  // namespace fe::geo
