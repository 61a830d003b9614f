#pragma once

#include <QRect>
#include <QString>

#include "fe/gdi/Draw.h"
#include "fe/gdi/Resource.h"
#include "fe/geo/GeoPoint.h"
#include "fe/geo/TileViewport.h"

namespace fe::geo {

// Palette entries of the overlays.
enum MapInfoColor : int
{
    kInfoTileFrame = 0,
    kInfoGaugeBar = 1,
    kInfoLevelOutside = 2,
    kInfoLevelInside = 3,
    kInfoCurrentInside = 4,
    kInfoCurrentOutside = 5,  // also the zone origin circles
    kInfoCacheFrame = 6,
    kInfoCacheFill = 7,
    kInfoQueueDot = 8,
    kInfoOutline = 9,
    kInfoUnused = 10,
    kInfoOverzoomLevel = 11,
    kInfoCurrentOverzoom = 12,
    kInfoColorCount = 13,
};

// Draws the information overlays over a web map: tile frames, zone origins, the zoom gauge, the
// memory-cache gauges and the queue dots. Sizes are given for 96 DPI and scaled by the target's.
class MapInfoDrawer : public fe::gdi::DrawDip
{
public:
    MapInfoDrawer();

    // 13 colours (pen i and brush i from colour i) and two fonts: "メイリオ" 16 and 20, bold.
    void InitResources();
    // Begins on the painter and realises the resources at its DPI.
    bool Begin(QPainter* dc) override;

    // The text in white at the eight points around (x, y), then in black at (x, y), in font 0.
    void DrawHaloText(int x, int y, const QString& text, unsigned align);

    // The frame and the "zoom/column/row" label of every tile of a view of the size.
    void DrawTileFrames(const TileViewport& viewport, int zoom, const GeoPoint& centre, int width,
                        int height);
    // The origins of the 19 plane rectangular zones, each a circle with its number and coordinates.
    void DrawZoneOrigins(int zoom, const GeoPoint& centre, int width, int height);
    // Levels 0 to 20 as dots at the top right; the site's levels, the two enlarged levels above them
    // and the current level in their colours, the current level's number beside it.
    void DrawZoomGauge(int siteZoomA, int siteZoomB, int zoom, int width);
    // The part of a view of the width that the zoom gauge with its labels covers, at the DPI of the last
    // drawing.
    QRect ZoomGaugeBox(int width) const;
    // Two bars showing how full each memory-cache generation is.
    void DrawCacheGauge(int capacity, int size0, int size1, int width);
    // One dot per queued download, in a row from the top left.
    void DrawQueueDots(int count);

    const fe::gdi::Resource& Res() const { return m_res; }

private:
    int ScaledX(double value) const { return static_cast<int>(value * m_dpi.scaleX); }
    int ScaledY(double value) const { return static_cast<int>(value * m_dpi.scaleY); }
    void Use(int pen, int brush);

    fe::gdi::Resource m_res;
};

// A coordinate in degrees as "%d度%d分%d秒": whole degrees (floor), minutes and seconds rounded half
// away from zero.
QString FormatDegreesMinutesSeconds(double degrees);

}  // namespace fe::geo
