#include "fe/geo/MapServer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace fe::geo {

void MapServer::SetCenter(const GeoPoint& centre)
{
    m_center.longitude = centre.longitude;
    m_center.latitude = centre.latitude;
    Server().RaiseNewTileFlag();
}

void MapServer::SetZoom(int zoom)
{
    m_zoom = zoom;
    Server().RaiseNewTileFlag();
}

void MapServer::DragBy(const Point2& delta)
{
    const double half = HalfWorldPixels(m_zoom);
    const double ref = m_center.refLatitude;
    const double refTerm = std::atanh(std::sin(ref * kPi / 180.0));
    double longitude = (((m_center.longitude / 180.0 + 1.0) * half - delta.x) / half - 1.0) * 180.0;
    const double wy = (refTerm - std::atanh(std::sin(m_center.latitude * kPi / 180.0))) * half / kPi;
    double latitude = std::asin(std::tanh(refTerm - (wy - delta.y) * kPi / half)) * 180.0 / kPi;
    latitude = std::clamp(latitude, -ref, ref);
    longitude = std::clamp(longitude, 0.0, 360.0);
    m_center.longitude = longitude;
    m_center.latitude = latitude;
    Server().RaiseNewTileFlag();
}

Rect2 MapServer::VisibleBounds(int width, int height) const
{
    const double half = HalfWorldPixels(m_zoom);
    const int cx = TruncToInt(Viewport().centreX);
    const int cy = TruncToInt(Viewport().centreY);
    const auto longitude = [&](double column) { return (column / half - 1.0) * 180.0; };
    const auto latitude = [&](double row) {
        return std::asin(std::tanh(std::atanh(std::sin(kLimitLatitudeRad)) - kPi / half * row)) * 180.0 / kPi;
    };
    const double west = longitude(static_cast<double>(cx) - Viewport().halfWidth);
    const double east = longitude(static_cast<double>(width) + cx - Viewport().halfWidth - 1);
    const double north = latitude(static_cast<double>(cy) - Viewport().halfHeight);
    const double south = latitude(static_cast<double>(height) + cy - Viewport().halfHeight - 1);
    return Rect2(std::min(west, east), std::min(south, north), std::max(west, east), std::max(south, north));
}

void MapServer::DrawTilesToImage(fe::img::Image& picture)
{
    if (picture.IsNull())
        return;
    QPainter* dc = picture.GetDC();
    if (!dc)
        return;
    m_drawer.DrawTiles(*dc, m_zoom, m_center, picture.Width(), picture.Height());
    picture.ReleaseDC();
}

void MapServer::DrawOverlay(fe::img::Image& picture)
{
    if (picture.IsNull())
        return;
    QPainter* dc = picture.GetDC();
    if (!dc || !m_info.Begin(dc)) {
        picture.ReleaseDC();
        return;
    }
    const int width = picture.Width();
    const int height = picture.Height();
    if (m_overlayFlags & kOverlayTileFrames)
        m_info.DrawTileFrames(Viewport(), m_zoom, m_center, width, height);
    if (m_overlayFlags & kOverlayZoneOrigins)
        m_info.DrawZoneOrigins(m_zoom, m_center, width, height);
    if (m_overlayFlags & kOverlayZoomGauge)
        m_info.DrawZoomGauge(Server().Site().zoomMin, Server().Site().zoomMax, m_zoom, width);
    if (m_overlayFlags & kOverlayCacheGauges) {
        const TileMemCache& cache = Server().MemCache();
        m_info.DrawCacheGauge(cache.Capacity(), cache.Size(0), cache.Size(1), width);
    }
    if ((m_overlayFlags & kOverlayQueueDots) && Server().HasWorker()) {
        const int queued = Server().QueueSize();
        if (queued > 0)
            m_info.DrawQueueDots(queued);
    }
    m_info.End();
    picture.ReleaseDC();
}

}  // namespace fe::geo
