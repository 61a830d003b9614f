// The main view's life: construction, settings files, start and restart, the tile timer, the download
// worker, the tile cache and painting.
#include "app/view/TavrelView.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

#include "app/doc/TavrelDoc.h"
#include "app/view/ViewContextMenu.h"
#include "app/view/ViewHost.h"
#include "fe/AppFolders.h"
#include "fe/geo/ProxySettings.h"
#include "model/AppSettings.h"
#include "view/TileCacheFolder.h"

namespace {

QString WritableFile(const char* name)
{
    return QDir(fe::GetWritableFolder()).filePath(QString::fromLatin1(name));
}

// The proxy of the tile downloads; a failed read means no proxy.
fe::geo::ProxySettings ReadProxy()
{
    fe::geo::ProxySettings proxy;
    if (proxy.ReadRegistry() != 0)
        proxy.SetEnabled(false);
    return proxy;
}

}  // namespace

CTavrelView::CTavrelView(CTavrelDoc* document, std::unique_ptr<app::ViewHost> host, QWidget* parent)
    : QWidget(parent), m_document(document), m_host(std::move(host))
{
    setObjectName(QStringLiteral("TavrelView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // The menus open from the right button's release and from the menu key, never from Qt's own event.
    setContextMenuPolicy(Qt::PreventContextMenu);
    if (!m_host)
        m_host = std::make_unique<app::ViewHost>();
    m_settings = m_document ? m_document->appSettings : nullptr;
    if (!m_settings) {
        m_ownSettings = std::make_unique<AppSettings>(AppSettings::Defaults());
        m_settings = m_ownSettings.get();
    }
    m_menuIcons = app::LoadMenuIcons();
    m_timer = new QTimer(this);
    m_timer->setInterval(kTimerMs);
    connect(m_timer, &QTimer::timeout, this, [this] { (void)OnTileTimer(); });
    if (m_document)
        connect(m_document, &CTavrelDoc::ProjectChanged, this, &CTavrelView::OnProjectChanged);
}

CTavrelView::~CTavrelView()
{
    // Waits for a download in progress; the settings are written by the program's end.
    m_map.Close();
}

void CTavrelView::LoadMarkSettings()
{
    m_markSettings.count = MarkSettingSet::kTemplateCount;
    if (!m_markSettings.Load(WritableFile("MarkSetting.bin"))) {
        m_markSettings.currentIndex = 0;
        m_markSettings.Reset();
        (void)SaveMarkSettings();
    }
}

bool CTavrelView::SaveMarkSettings() const
{
    return m_markSettings.Save(WritableFile("MarkSetting.bin"));
}

bool CTavrelView::SaveAppSettings() const
{
    return m_settings->Save(WritableFile("setting.bin"));
}

QString CTavrelView::TileCacheFolder() const
{
    return locmap::ResolveTileCacheFolder(m_settings->tileCacheFolder, fe::GetWritableFolder());
}

void CTavrelView::OnProjectChanged(ProjectChanges kinds)
{
    // Opening, creating or emptying a project: the frame restarts the view afterwards.
    if (kinds == kWholeProject) {
        ClearCurrentMaps();
        SetMode(0);
        RenderAndUpdate();
        return;
    }
    // A map that is gone leaves the view on the overview.
    if (m_currentMapId >= 0 && CurrentMap() == nullptr)
        (void)SelectLocationMap(-1);
    else
        RenderAndUpdate();
}

void CTavrelView::InitViewAfterCreate()
{
    showShotPhotos = 1;
    showMapPhotos = 1;
    ClearCurrentMaps();
    SetMode(0);
    m_timer->start();
    if (m_document) {
        const fe::geo::TileSite& site =
            m_settings->tileSites.empty() ? m_settings->currentTileSite : m_settings->tileSites.front();
        if (OpenTileServer(site)) {
            m_map.SetCenter(fe::geo::GeoPoint(kStartLongitude, kStartLatitude));
            RaiseTileFlag();
            m_map.SetZoom(kStartZoom);
            RaiseTileFlag();
            StartWorker();
        }
    }
    // The first start gives the document its overview zoom and base-map kind, which new web maps and the
    // worker's restart take.
    StoreOverviewExtent();
    m_startPending = false;
    m_gsi.LoadPointIcons();
    m_picture.LoadPointIcons();
}

bool CTavrelView::OpenTileServer(const fe::geo::TileSite& site)
{
    return m_map.Server().Open(TileCacheFolder(), site, ReadProxy());
}

void CTavrelView::StartWorker()
{
    // TileServer::Start starts none while one runs.
    (void)m_map.Server().Start();
}

bool CTavrelView::OnTileTimer()
{
    if (m_mode != 0 && m_mode != 3)
        return false;
    if (!m_map.Server().TakeNewTileFlag())
        return false;
    RenderAndUpdate();
    return true;
}

bool CTavrelView::StopTileRequests()
{
    if (!m_document)
        return false;
    m_map.Close();
    return true;
}

bool CTavrelView::RestartTileRequests()
{
    if (!m_document)
        return false;
    const int kind = m_document->overviewKind;
    if (kind < 2 || kind > 4 || size_t(kind - 2) >= m_settings->tileSites.size())
        return false;
    const fe::geo::TileSite site = m_settings->tileSites[size_t(kind - 2)];
    m_map.Close();
    if (OpenTileServer(site))
        StartWorker();
    m_map.SetOverlayFlags(m_map.OverlayFlags() | fe::geo::kOverlayQueueDots);
    return true;
}

void CTavrelView::SetMapKind(int kind, const fe::geo::TileSite& site)
{
    m_map.Close();
    if (OpenTileServer(site))
        StartWorker();
    m_map.SetOverlayFlags(m_map.OverlayFlags() | fe::geo::kOverlayQueueDots);
    if (m_document)
        m_document->overviewKind = kind;
}

int CTavrelView::ClearTileCache()
{
    const QString folder = TileCacheFolder();
    if (!QFileInfo(folder).isDir()) {
        // Nothing to delete; a running worker stores its tiles in the folder made again.
        (void)QDir().mkpath(folder);
        return 0;
    }
    if (!m_document || !locmap::MayDeleteCacheTree(folder))
        return 0;
    m_map.Close();
    // QDir::removeRecursively does not follow symbolic links out of the folder.
    const bool removed = QDir(folder).removeRecursively();
    (void)QDir().mkpath(folder);
    m_map.Server().MemCache().Clear();
    (void)RestartTileRequests();
    return removed ? 1 : 0;
}

void CTavrelView::StoreOverviewExtent()
{
    if (!m_document)
        return;
    if (m_startPending) {
        m_document->overviewZoom = kStartZoom;
        m_document->overviewKind = 2;
        return;
    }
    m_document->overviewZoom = m_map.Zoom();
    Rect2 box;
    if (Geometry(m_map.Zoom()).OverviewExtent(box))
        m_document->overviewBox = box;
}

locmap::WebViewGeometry CTavrelView::Geometry(int zoom) const
{
    return locmap::WebViewGeometry{m_map.Center(), zoom, m_client};
}

void CTavrelView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_document && m_buffer.Width() > 0 && m_buffer.Height() > 0)
        painter.drawImage(0, 0, m_buffer.Picture());
    else
        painter.fillRect(rect(), QColor::fromRgb(kBackground));
}

void CTavrelView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_client = event->size();
    if (m_startPending)
        InitViewAfterCreate();
    RenderView();
}
