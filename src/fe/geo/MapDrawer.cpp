#include "fe/geo/MapDrawer.h"

#include <QPainter>
#include <algorithm>

#include "fe/geo/TileOrder.h"

namespace fe::geo {

namespace {

constexpr int kHalfTile = kTileSize / 2;

// Enlargements and reductions of tiles copy pixels without smoothing.
class NearestScaling
{
public:
    explicit NearestScaling(QPainter& dc)
        : m_dc(dc), m_smooth(dc.testRenderHint(QPainter::SmoothPixmapTransform))
    {
        m_dc.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    ~NearestScaling() { m_dc.setRenderHint(QPainter::SmoothPixmapTransform, m_smooth); }

private:
    QPainter& m_dc;
    bool m_smooth;
};

}  // namespace

MapDrawer::~MapDrawer()
{
    Close();
}

void MapDrawer::Close()
{
    m_server.Close();
    m_scratch.Release();
}

void MapDrawer::DrawTiles(QPainter& dc, int zoom, const GeoPoint& centre, int width, int height)
{
    // In 64 bits: neither the zoom nor the site's bounds are limited here.
    const long long beyond = static_cast<long long>(zoom) - m_server.Site().ZoomHigh();
    if (beyond == 1 || beyond == 2) {
        DrawTilesOverzoomed(dc, zoom, centre, width, height, static_cast<int>(beyond));
        return;
    }
    NearestScaling nearest(dc);
    m_server.ClearQueue();
    if (m_server.Site().transparent)
        dc.fillRect(0, 0, width, height, Qt::black);

    m_viewport.Set(zoom, centre, width, height);
    const TileRange range = TileRangeAround(zoom, centre, width, height);
    const int keyZoom = std::min(zoom, kMaxKeyZoom);
    std::vector<TileIndex> missing[3];
    for (const QPoint& tile : OrderTilesCentreOut(range)) {
        const TileIndex index(keyZoom, tile.x(), tile.y());
        const QPoint origin = m_viewport.TileOrigin(index);
        if (const QImage* picture = m_server.GetTile(index)) {
            dc.drawImage(origin, *picture);
            continue;
        }
        const TileIndex key = index.Normalized();
        missing[DrawMissingTile(dc, origin.x(), origin.y(), key)].push_back(key);
    }
    for (const std::vector<TileIndex>& list : missing)
        for (const TileIndex& key : list)
            m_server.RequestTile(key);
    m_server.MemCache().SwapWhenFull();
    m_server.ClearNewTileFlag();
}

void MapDrawer::DrawTilesOverzoomed(QPainter& dc, int zoom, const GeoPoint& centre, int width, int height,
                                    int levels)
{
    const int smallWidth = width / (2 * levels);
    const int smallHeight = height / (2 * levels);
    if (smallWidth <= 1 || smallHeight <= 1)
        return;
    if ((m_scratch.Width() != smallWidth || m_scratch.Height() != smallHeight) &&
        !m_scratch.Create(smallWidth, smallHeight))
        return;
    QPainter* scratch = m_scratch.GetDC();
    if (!scratch)
        return;
    DrawTiles(*scratch, zoom - levels, centre, smallWidth, smallHeight);
    m_scratch.ReleaseDC();
    m_viewport.Set(zoom, centre, width, height);
    NearestScaling nearest(dc);
    dc.drawImage(QRect(0, 0, width, height), m_scratch.Picture());
}

MissingTileClass MapDrawer::DrawMissingTile(QPainter& dc, int x, int y, const TileIndex& key)
{
    if (key.zoom > 0) {
        const TileIndex parent(key.zoom - 1, key.x / 2, key.y / 2);
        const QImage* picture = m_server.FindCachedTile(parent);
        if (picture && !picture->isNull()) {
            const QRect quarter((key.x % 2) * kHalfTile, (key.y % 2) * kHalfTile, kHalfTile, kHalfTile);
            dc.drawImage(QRect(x, y, kTileSize, kTileSize), *picture, quarter);
            return kShownFromParent;
        }
    }
    if (key.zoom < kMaxKeyZoom && DrawFromChildren(dc, x, y, TileIndex(key.zoom + 1, 2 * key.x, 2 * key.y)))
        return kShownFromChildren;
    dc.drawImage(QPoint(x, y), m_server.MissingTilePicture(key));
    return kShownDownloading;
}

bool MapDrawer::DrawFromChildren(QPainter& dc, int x, int y, const TileIndex& firstChild)
{
    const QImage* children[4];
    for (int i = 0; i < 4; ++i) {
        const TileIndex child(firstChild.zoom, firstChild.x + i % 2, firstChild.y + i / 2);
        children[i] = m_server.FindCachedTile(child.Normalized());
        if (!children[i])
            return false;
    }
    for (int i = 0; i < 4; ++i)
        dc.drawImage(QRect(x + (i % 2) * kHalfTile, y + (i / 2) * kHalfTile, kHalfTile, kHalfTile),
                     *children[i]);
    return true;
}

}  // namespace fe::geo
