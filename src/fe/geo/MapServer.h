#pragma once

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/geo/MapDrawer.h"
#include "fe/geo/MapInfoDrawer.h"

namespace fe::geo {

// Overlay bits of MapServer.
enum MapOverlay : int
{
    kOverlayTileFrames = 0x01,
    kOverlayZoomGauge = 0x02,
    kOverlayCacheGauges = 0x04,
    kOverlayQueueDots = 0x08,
    kOverlayZoneOrigins = 0x10,
};

// The state of one shown web map: the zoom and centre and the overlay choice. It owns the tile
// drawer (with its tile server) and the information drawer it draws through. Changing the centre or
// zoom raises the new-tile flag, so the view redraws at its next timer tick. Used on the
// user-interface thread.
class MapServer
{
public:
    static constexpr int kDefaultZoom = 13;
    static constexpr double kDefaultLongitude = 139.74135441666667;
    static constexpr double kDefaultLatitude = 35.65809922222222;
    static constexpr int kDefaultOverlays = kOverlayZoomGauge | kOverlayQueueDots;

    MapServer() = default;

    MapDrawer& Drawer() { return m_drawer; }
    TileServer& Server() { return m_drawer.Server(); }
    const TileServer& Server() const { return m_drawer.Server(); }
    const TileViewport& Viewport() const { return m_drawer.Viewport(); }
    // Stops the worker and closes the tile server (the site and proxy stay).
    void Close() { m_drawer.Close(); }

    int Zoom() const { return m_zoom; }
    const GeoPoint& Center() const { return m_center; }
    int OverlayFlags() const { return m_overlayFlags; }
    void SetOverlayFlags(int flags) { m_overlayFlags = flags; }

    // Not clamped here; the view keeps the zoom within 0 ... 20.
    void SetCenter(const GeoPoint& centre);
    void SetZoom(int zoom);
    // Moves the centre so that the map follows a pointer moved by delta pixels. The latitude stays
    // within the Mercator limit and the longitude within 0 ... 360.
    void DragBy(const Point2& delta);

    // {west, east, south, north} of a view of the size, from the viewport of the last drawing.
    Rect2 VisibleBounds(int width, int height) const;

    // The tiles of the current zoom and centre over the whole picture.
    void DrawTilesToImage(fe::img::Image& picture);
    // The overlays of the set bits, in the order tile frames, zone origins, zoom gauge, cache gauges,
    // queue dots.
    void DrawOverlay(fe::img::Image& picture);

    // What the zoom gauge covers of a picture of the width; empty while the gauge is not drawn.
    QRect ZoomGaugeBox(int width) const
    {
        return (m_overlayFlags & kOverlayZoomGauge) ? m_info.ZoomGaugeBox(width) : QRect();
    }

    MapInfoDrawer& InfoDrawer() { return m_info; }

private:
    MapDrawer m_drawer;
    int m_zoom = kDefaultZoom;
    GeoPoint m_center{kDefaultLongitude, kDefaultLatitude};
    MapInfoDrawer m_info;
    int m_overlayFlags = kDefaultOverlays;
};

}  // namespace fe::geo
