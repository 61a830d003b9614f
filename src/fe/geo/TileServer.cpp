#include "fe/geo/TileServer.h"

#include <QDir>
#include <QFileInfo>
#include <chrono>
#include <mutex>
#include <optional>
#include <set>

#include "fe/geo/TilePicture.h"

namespace fe::geo {

namespace {

// One prompt for proxy credentials per process.
std::atomic<bool> g_credentialsAsked{false};

// The cache folders (canonical paths) on which a worker runs, process-wide.
std::mutex g_workerFoldersLock;
std::set<QString> g_workerFolders;

// The failed tiles of one site are told apart from another's by where its tiles come from.
QString SiteIdentity(const TileSite& site)
{
    return site.baseUrl + u'\n' + site.path + u'\n' + site.extension;
}

// Tile pictures are kept in the formats QPainter draws fastest.
QImage ForDrawing(QImage picture)
{
    const QImage::Format format =
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (picture.format() != format)
        picture.convertTo(format);
    return picture;
}

}  // namespace

TileServer::TileServer() : m_failures(&m_failuresBySite[QString()]) {}

TileServer::~TileServer()
{
    Stop();
    ClearQueue();
    m_memCache.Clear();
}

bool TileServer::Open(const QString& cacheFolder, const TileSite& site, const ProxySettings& proxy)
{
    if (site.baseUrl.isEmpty() || site.path.isEmpty() || site.extension.isEmpty() ||
        site.zoomMin == site.zoomMax)
        return false;
    Stop();
    m_site = site;
    m_failures = &m_failuresBySite[SiteIdentity(site)];
    m_failures->SetDelays(m_firstRetryDelay, m_longestRetryDelay);
    // Closed until the cache folder is in place, so that a failed open never fetches or queues
    // tiles with no folder to put them in, nor shows the previous site's tiles from memory.
    m_cacheFolder.clear();
    m_tempFile.clear();
    m_connection = kOffline;
    m_memCache.Reset(100);
    QString folder = cacheFolder;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (folder.isEmpty() || (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)))
        return false;
    m_cacheFolder = folder;
    m_tempFile = folder + QStringLiteral("tmp");
    m_memCache.Reset(300);
    // Assume the network is there: missing tiles are fetched, and failures show per tile.
    m_connection = proxy.UsesProxy() ? kOnlineProxy : kOnlineLan;
    std::lock_guard lock(Lock());
    m_newTile = false;
    m_downloader.SetProxy(proxy);
    return true;
}

void TileServer::Close()
{
    Stop();
    ClearQueue();
    m_cacheFolder.clear();
    ClearNewTileFlag();
    m_connection = kOffline;
    m_memCache.Reset(100);
}

bool TileServer::Start()
{
    if (HasWorker())
        return true;
    const QString folder = QFileInfo(m_cacheFolder).canonicalFilePath();
    if (m_cacheFolder.isEmpty() || folder.isEmpty())
        return false;
    {
        std::lock_guard claim(g_workerFoldersLock);
        if (!g_workerFolders.insert(folder).second)
            return false;
    }
    m_workerFolder = folder;
    if (fe::Thread<TileServer>::Start())
        return true;
    ReleaseWorkerFolder();
    return false;
}

void TileServer::ReleaseWorkerFolder()
{
    std::lock_guard claim(g_workerFoldersLock);
    g_workerFolders.erase(m_workerFolder);
}

void TileServer::SetRetryDelays(TileFailures::Clock::duration first, TileFailures::Clock::duration longest)
{
    std::lock_guard lock(Lock());
    m_firstRetryDelay = first;
    m_longestRetryDelay = longest;
    m_failures->SetDelays(first, longest);
}

void TileServer::RecordOutcome(const TileIndex& key, DownloadResult result)
{
    if (result == DownloadResult::CredentialsNeeded)
        m_credentialsNeeded = true;
    std::lock_guard lock(Lock());
    m_failures->Record(key, result, TileFailures::Clock::now());
    // Only now does the tile stop counting as being downloaded, so that no drawing in between
    // queues it again: by now it is on disk or remembered as failed.
    m_downloading = false;
}

bool TileServer::IsOnline() const
{
    return m_connection == kOnlineLan || m_connection == kOnlineModem || m_connection == kOnlineProxy;
}

QString TileServer::TilePath(const TileIndex& key) const
{
    return m_cacheFolder + u'/' + m_site.cacheFolderName + u'/' + QString::number(key.zoom) + u'/' +
           QString::number(key.x) + u'/' + QString::number(key.y) + m_site.extension;
}

QString TileServer::MakeTileFolder(const TileIndex& key) const
{
    if (m_cacheFolder.isEmpty())
        return QString();
    QString folder = m_cacheFolder;
    for (const QString& level : {m_site.cacheFolderName, QString::number(key.zoom), QString::number(key.x)}) {
        folder += u'/' + level;
        if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder))
            return QString();
    }
    return folder;
}

const QImage* TileServer::LoadIntoMemory(const TileIndex& key, const QString& path)
{
    const QImage picture = ReadTilePicture(path);
    if (picture.isNull())
        return Placeholder(TilePlaceholder::NoTile);
    return m_memCache.Insert(key, ForDrawing(picture));
}

const QImage* TileServer::GetTile(const TileIndex& tile)
{
    if (!m_site.ZoomInRange(tile.zoom))
        return Placeholder(TilePlaceholder::ZoomOutOfRange);
    const std::int64_t rows = tile.zoom >= 0 && tile.zoom < 62 ? std::int64_t{1} << tile.zoom : 0;
    if (tile.y < 0 || tile.y >= rows)
        return Placeholder(TilePlaceholder::TileOutOfRange);
    const TileIndex key = tile.Normalized();
    if (const QImage* cached = m_memCache.Find(key))
        return cached;
    const QString path = TilePath(key);
    if (QFileInfo::exists(path))
        return LoadIntoMemory(key, path);
    if (!IsOnline())
        return Placeholder(TilePlaceholder::Offline);
    bool mayFetch = false;
    {
        std::lock_guard lock(Lock());
        if (m_failures->IsRefused(key))
            return Placeholder(TilePlaceholder::DownloadError);
        mayFetch = m_failures->MayFetch(key, TileFailures::Clock::now());
    }
    if (HasWorker() || m_missingTiles == MissingTiles::Queued)
        return nullptr;
    return mayFetch ? DownloadNow(key) : &MissingTilePicture(key);
}

const QImage& TileServer::MissingTilePicture(const TileIndex& key)
{
    std::lock_guard lock(Lock());
    const std::optional<TilePlaceholder> failed = m_failures->Shown(key.Normalized());
    return m_placeholders.Get(failed.value_or(TilePlaceholder::Downloading));
}

const QImage* TileServer::DownloadNow(const TileIndex& key)
{
    QString url;
    if (m_site.BuildUrl(url, key) != 0)
        return Placeholder(TilePlaceholder::ZoomOutOfRange);
    const QString folder = MakeTileFolder(key);
    if (folder.isEmpty())
        return Placeholder(TilePlaceholder::PathError);
    const QString path = folder + u'/' + QString::number(key.y) + m_site.extension;
    // A file of its own beside the tile, so that a failed transfer never leaves a partial tile.
    const QString partial = path + QStringLiteral(".download");
    const DownloadResult result = m_downloader.Download(partial, url, nullptr);
    RecordOutcome(key, result);
    if (result != DownloadResult::Stored) {
        QFile::remove(partial);
        return result == DownloadResult::Unreachable ? Placeholder(TilePlaceholder::Offline)
                                                     : Placeholder(TilePlaceholder::DownloadError);
    }
    if (!MoveFileNoReplace(partial, path))
        QFile::remove(partial);  // another writer stored the tile meanwhile: use that one
    if (!QFileInfo::exists(path))
        return Placeholder(TilePlaceholder::DownloadError);
    return LoadIntoMemory(key, path);
}

void TileServer::RequestTile(const TileIndex& tile)
{
    if (!IsOnline())
        return;
    const TileIndex key = tile.Normalized();
    if (QFileInfo::exists(TilePath(key)))
        return;
    const std::uint32_t hash = key.Hash();
    std::lock_guard lock(Lock());
    if ((m_downloading && m_currentRequest == key) || !m_failures->MayFetch(key, TileFailures::Clock::now()))
        return;
    for (const Request& queued : m_queue)
        if (queued.hash == hash && queued.key == key)
            return;
    m_queue.push_back({hash, key});
    WakeWorker();
}

void TileServer::Run()
{
    while (true) {
        std::optional<TileDownloader> downloader;
        TileIndex key;
        QString url;
        QString destination;
        {
            std::unique_lock lock(Lock());
            WaitForWork(lock, [this] { return !m_queue.empty(); });
            ++m_workerTurns;
            if (StopRequested())
                break;
            key = m_queue.front().key;
            m_currentRequest = key;
            m_queue.pop_front();
            if (m_site.BuildUrl(url, m_currentRequest) == 0) {
                const QString folder = MakeTileFolder(m_currentRequest);
                if (folder.isEmpty()) {
                    m_failures->RecordNoFolder(key, TileFailures::Clock::now());
                    m_newTile = true;  // redrawn with the path-error placeholder
                } else {
                    destination = folder + u'/' + QString::number(m_currentRequest.y) + m_site.extension;
                    downloader = m_downloader;
                    m_downloading = true;
                }
            }
        }
        if (downloader) {
            const DownloadResult result = downloader->Download(m_tempFile, url, &StopFlag());
            const bool moved = result == DownloadResult::Stored && MoveFileNoReplace(m_tempFile, destination);
            RecordOutcome(key, result);
            // A tile that arrived, or one that failed and now shows why, is drawn at the next redraw.
            if (moved || (result != DownloadResult::Stored && result != DownloadResult::Aborted))
                RaiseNewTileFlag();
        }
    }
    ClearQueue();
    ReleaseWorkerFolder();
    std::lock_guard lock(Lock());
    SetRunning(false);
}

void TileServer::RaiseNewTileFlag()
{
    std::lock_guard lock(Lock());
    m_newTile = true;
}

void TileServer::ClearNewTileFlag()
{
    std::lock_guard lock(Lock());
    m_newTile = false;
    m_failures->TakeRetryDue(TileFailures::Clock::now());
}

bool TileServer::TakeNewTileFlag()
{
    std::lock_guard lock(Lock());
    const bool raised = m_failures->TakeRetryDue(TileFailures::Clock::now()) || m_newTile;
    m_newTile = false;
    return raised;
}

void TileServer::ClearQueue()
{
    std::lock_guard lock(Lock());
    m_queue.clear();
}

int TileServer::QueueSize()
{
    std::lock_guard lock(Lock());
    return static_cast<int>(m_queue.size());
}

std::vector<TileIndex> TileServer::QueuedKeys()
{
    std::lock_guard lock(Lock());
    std::vector<TileIndex> keys;
    keys.reserve(m_queue.size());
    for (const Request& request : m_queue)
        keys.push_back(request.key);
    return keys;
}

bool TileServer::TakeProxyCredentialRequest()
{
    if (!m_credentialsNeeded.exchange(false))
        return false;
    return !g_credentialsAsked.exchange(true);
}

void TileServer::SetProxyCredentials(const QString& userName, const QString& password)
{
    std::lock_guard lock(Lock());
    ProxySettings proxy = m_downloader.Proxy();
    proxy.userName = userName;
    proxy.password = password;
    m_downloader.SetProxy(proxy);
}

void TileServer::SetDownloadTimeouts(const DownloadTimeouts& timeouts)
{
    std::lock_guard lock(Lock());
    m_downloader.SetTimeouts(timeouts);
}

ProxySettings TileServer::Proxy()
{
    std::lock_guard lock(Lock());
    return m_downloader.Proxy();
}

}  // namespace fe::geo
