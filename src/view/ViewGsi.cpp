#include "view/ViewGsi.h"

#include <QPainter>

#include "fe/gdi/Shapes.h"
#include "fe/img/Image.h"
#include "model/LocationMap.h"
#include "model/LocationMapList.h"
#include "model/PhotoRecord.h"
#include "view/PlacedMarks.h"

namespace locmap {

ViewGsi::ViewGsi()
{
    Reset();
}

void ViewGsi::Reset()
{
    DrawLoc::Reset();
    zoomLevel = 10;
    viewport = fe::geo::TileViewport();
    viewport.zoom = 1;
    viewport.centre = fe::geo::GeoPoint(0, 0);
    viewport.width = 1;
    viewport.height = 1;
}

bool ViewGsi::BeginAtZoom(QPainter* dc, int zoom)
{
    zoomLevel = zoom;
    return Begin(dc);
}

QPoint ViewGsi::ScreenPoint(const fe::geo::GeoPoint& point) const
{
    return viewport.ToScreen(point, 1, 1.0);
}

QPoint ViewGsi::RenderedPoint(const fe::geo::GeoPoint& point, double scale) const
{
    return TurnedPoint(viewport.ToScreen(point, 2, scale));
}

int ViewGsi::ArrowLevelOfZoom(int zoom)
{
    return zoom <= 12 ? 0 : zoom <= 14 ? 1 : 2;
}

void ViewGsi::DrawOverview(const PhotoList& photos, const LocationMapList& maps, int zoom, bool showPhotos,
                           bool showMaps)
{
    if (m_dc == nullptr)
        return;
    if (showMaps) {
        for (const LocationMap& map : maps.maps)
            DrawMapOutlineHalo(map);
    }
    const int level = ArrowLevelOfZoom(zoom);
    if (showPhotos)
        DrawOverviewMarks(photos, 0, level);
    if (showMaps) {
        for (const LocationMap& map : maps.maps)
            DrawMapOutline(map, zoom);
    }
    if (showPhotos) {
        DrawOverviewLabels(photos, 0, level);
        DrawOverviewMarks(photos, 1, 1);
        DrawOverviewLabels(photos, 1, 1);
    }
}

namespace {

bool TakesPart(const PhotoRecord& photo, int s)
{
    return SelectionOf(photo) == s && photo.HasPosition() && IsDisplayed(photo);
}

}  // namespace

void ViewGsi::DrawOverviewMarks(const PhotoList& photos, int s, int arrowLevel)
{
    if (!showMarks || m_dc == nullptr)
        return;
    SelectNullPen();
    UseMarkBrush(kMarkLight);
    for (const PhotoRecord& photo : photos.photos) {
        if (TakesPart(photo, s))
            DrawDisc(ScreenPoint(photo.position));
    }
    if (arrowLevel <= 0)
        return;
    UseMarkPen(kMarkBase);
    SelectNullBrush();
    for (const PhotoRecord& photo : photos.photos) {
        if (TakesPart(photo, s))
            DrawCentreArrow(ScreenPoint(photo.position), photo.direction, 0.0);
    }
}

void ViewGsi::DrawOverviewLabels(const PhotoList& photos, int s, int arrowLevel)
{
    if (!showMarks || m_dc == nullptr)
        return;
    if (arrowLevel > 0) {
        UseMarkPen(kMarkMarkWide + s);
        SelectNullBrush();
        for (const PhotoRecord& photo : photos.photos) {
            if (TakesPart(photo, s))
                DrawCentreArrow(ScreenPoint(photo.position), photo.direction, 0.0);
        }
    }
    SelectNullPen();
    UseMarkBrush(kMarkMark + s);
    for (const PhotoRecord& photo : photos.photos) {
        if (!TakesPart(photo, s))
            continue;
        if (!blueIcon.isNull())
            DrawBlueIcon(ScreenPoint(photo.position));
        else
            DrawDisc(ScreenPoint(photo.position));
    }
    if (arrowLevel < 2 && s == 0)
        return;
    UseMarkPen(s == 0 ? kMarkLabelFrame : kMarkSelected);
    SelectNullBrush();
    SetOpaqueBackground(s == 0 ? palette.labelFill : palette.selectedLabelFill);
    UseMarkFont(kMarkFontBold);
    SetTextColor(s == 0 ? palette.numberText : palette.selectedMark);
    for (size_t k = 0; k < photos.photos.size(); ++k) {
        const PhotoRecord& photo = photos.photos[k];
        if (!TakesPart(photo, s))
            continue;
        Rect2i box;
        DrawLabelBox(ScreenPoint(photo.position), QStringLiteral(" %1 ").arg(k + 1), box, photo.direction,
                     0.0);
    }
    SetTransparentBackground();
}

std::vector<QPoint> ViewGsi::OutlinePoints(const LocationMap& map) const
{
    std::vector<QPoint> points;
    if (!map.HasCoordinates() || map.outline.size() < 4)
        return points;
    for (size_t k = 0; k < 4; ++k)
        points.push_back(ScreenPoint(map.outline[k]));
    return points;
}

void ViewGsi::DrawMapOutlineHalo(const LocationMap& map)
{
    const std::vector<QPoint> points = OutlinePoints(map);
    if (m_dc == nullptr || points.empty())
        return;
    SelectNullBrush();
    UseOverlayPen(0);
    DrawOutline(points);
}

void ViewGsi::DrawMapOutline(const LocationMap& map, int zoom)
{
    const std::vector<QPoint> points = OutlinePoints(map);
    if (m_dc == nullptr || points.empty())
        return;
    SelectNullBrush();
    UseOverlayPen(1);
    DrawOutline(points);
    if (zoom <= 13 || map.name.isEmpty())
        return;
    if (map.kind == LocationMap::kRegisteredPicture)
        DrawNameBand(points[3], points[0], map.name + QStringLiteral(" "), 4);
    else
        DrawNameBand(points[1], points[0], map.name, 8);
    UseOverlayPen(1);
    SelectNullBrush();
}

std::vector<MarkItem> ViewGsi::CollectMarks(const LocationMap& map, const PhotoList& photos, bool rendered,
                                            double scale)
{
    const PlacedPhotoList& list = map.photos;
    std::vector<MarkItem> items;
    items.reserve(list.entries.size());
    for (int k = 0; k < list.Count(); ++k) {
        const PlacedPhoto& entry = list.entries[size_t(k)];
        const PhotoRecord* photo = photos.Find(entry.photoId);
        const fe::geo::GeoPoint position(entry.x, entry.y);
        MarkItem item = PlacedMark(list, k, photo != nullptr, style.numberKind, photos);
        item.at = rendered ? RenderedPoint(position, scale) : ScreenPoint(position);
        // A placed photo without a position has no place on the map: it is neither marked nor led to.
        item.inMarks = item.hasRecord && position.HasPosition();
        item.selected = item.hasRecord ? SelectionOf(*photo) : 0;
        item.inLeaders = position.HasPosition() && (!item.hasRecord || IsDisplayed(*photo));
        // On web maps the photo's own direction counts; a placed photo without its record keeps its own.
        item.arrowDirection = item.labelDirection = item.hasRecord ? photo->direction : entry.direction;
        items.push_back(item);
    }
    return items;
}

void ViewGsi::DrawMapPhotos(const LocationMap& map, const PhotoList& photos)
{
    if (!showMarks || m_dc == nullptr)
        return;
    std::vector<MarkItem> items = CollectMarks(map, photos, false, 1.0);
    DrawMarkLayers(items, MarkPass());
}

void ViewGsi::DrawRenderedMarks(double scale, const LocationMap& map, const PhotoList& photos)
{
    if (!showMarks || m_dc == nullptr)
        return;
    std::vector<MarkItem> items = CollectMarks(map, photos, true, scale);
    MarkPass pass;
    pass.arrowRotation = pass.labelRotation = rotated ? -targetAngle : 0.0;
    pass.selectedDiscBrush = kMarkSelected;
    DrawMarkLayers(items, pass);
}

void ViewGsi::DrawShotPositions(const PhotoList& photos)
{
    if (m_dc == nullptr)
        return;
    UseMarkPen(kMarkLight);
    UseMarkBrush(kMarkGrey);
    for (const PhotoRecord& photo : photos.photos) {
        if (!photo.HasPosition())
            continue;
        const QPoint p = ScreenPoint(photo.position);
        fe::gdi::DrawEllipse(*m_dc, p.x() - 5, p.y() - 5, p.x() + 6, p.y() + 6);
    }
}

}  // namespace locmap
