// Site location maps over web tiles: the site areas and the callouts of their maps.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "fe/PixelGeometry.h"
#include "model/LocationMap.h"
#include "model/LocationMapList.h"
#include "view/CalloutLayout.h"
#include "view/ViewGsi.h"

namespace locmap {
namespace {

bool HasArea(const LocationMap& map)
{
    return map.showCallout && map.HasCoordinates() && map.outline.size() >= 4;
}

}  // namespace

void ViewGsi::DrawSiteMapAreas(const PhotoList& photos, const LocationMapList& siteMaps, int highlighted,
                               int zoom, bool showPhotos, bool showAreas)
{
    if (m_dc == nullptr)
        return;
    if (showAreas) {
        SelectNullBrush();
        for (int i = 0; i < siteMaps.Count(); ++i) {
            UseOverlayPen(i == highlighted ? 16 : 0);
            DrawSiteArea(siteMaps.maps[size_t(i)]);
        }
    }
    const int level = ArrowLevelOfZoom(zoom);
    if (showPhotos)
        DrawOverviewMarks(photos, 0, level);
    if (showAreas) {
        SelectNullBrush();
        UseOverlayPen(13);
        for (const LocationMap& map : siteMaps.maps)
            DrawSiteArea(map);
    }
    if (showPhotos) {
        DrawOverviewLabels(photos, 0, level);
        DrawOverviewMarks(photos, 1, 1);
        DrawOverviewLabels(photos, 1, 1);
    }
}

void ViewGsi::DrawSiteArea(const LocationMap& map)
{
    if (m_dc == nullptr || !HasArea(map))
        return;
    std::vector<QPoint> points;
    for (size_t k = 0; k < 4; ++k)
        points.push_back(ScreenPoint(map.outline[k]));
    DrawAreaEllipse(points);
}

void ViewGsi::DrawSiteMapCallout(const LocationMap& map, bool highlighted)
{
    DrawMapCallout(map, 1, highlighted, 1.0);
}

void ViewGsi::DrawMapCallout(const LocationMap& map, int k, bool highlighted, double scale)
{
    if (m_dc == nullptr || !map.showCallout || !map.calloutAnchor.HasPosition() || !map.HasCoordinates() ||
        map.name.isEmpty())
        return;
    const QFont previousFont = m_dc->font();
    UseOverlayFont(3);
    QSize size;
    if (!MeasureText(map.name, size)) {
        m_dc->setFont(previousFont);
        return;
    }
    const QPoint p = viewport.ToScreen(map.calloutAnchor, k, scale);
    QPoint c = p;
    if (!map.outline.empty()) {
        // The centre of the outline's box in Web-Mercator pixels.
        double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
        for (const fe::geo::GeoPoint& point : map.outline) {
            const Point2 w = point.ToWorldPixel(viewport.zoom);
            x0 = std::min(x0, w.x), x1 = std::max(x1, w.x), y0 = std::min(y0, w.y), y1 = std::max(y1, w.y);
        }
        fe::geo::GeoPoint centre;
        centre.SetFromWorldPixel((x0 + x1) / 2, (y0 + y1) / 2, viewport.zoom);
        c = viewport.ToScreen(centre, k, scale);
    }
    const CalloutLayout layout = LayOutCallout(p, c, size.width(), size.height(), k, viewport.width);
    const std::uint32_t previousColor = m_textColor;
    const unsigned previousAlign = m_textAlign;
    const bool previousOpaque = m_opaque;
    SetTextColor(calloutColor);
    SetTextAlign(0);
    SetTransparentBackground();
    UseOverlayPen(13);
    DrawArrowLine(layout.target, p, 0.15 * PointDistance(layout.target, p));
    if (highlighted)
        UseOverlayBrush(16);
    else
        SelectWhiteBrush();
    DrawRect(layout.box.x0, layout.box.y0, layout.box.x1, layout.box.y1);
    TextAt(layout.textAt.x(), layout.textAt.y(), map.name);
    m_textColor = previousColor;
    m_textAlign = previousAlign;
    m_opaque = previousOpaque;
    m_dc->setFont(previousFont);
    SelectNullPen();
    SelectNullBrush();
}

}  // namespace locmap
