#include "view/ViewMap.h"

#include <QPainter>
#include <numbers>

#include "fe/gdi/Shapes.h"
#include "fe/geo/GeoPoint.h"
#include "fe/geo/MapHelmart.h"
#include "fe/geo/PlaneRectConverter.h"
#include "fe/img/Image.h"
#include "model/LocationMap.h"
#include "model/PhotoRecord.h"
#include "view/PlacedMarks.h"

namespace locmap {

ViewMap::ViewMap()
{
    Reset();
}

void ViewMap::Reset()
{
    DrawLoc::Reset();
    clientWidth = 0;
    clientHeight = 0;
}

void ViewMap::SetRotatedTarget(double angle, fe::img::Image* image, int kind)
{
    SetTurnedTarget(angle, image);
    mapKind = kind;
}

QPoint ViewMap::ScreenPoint(double x, double y) const
{
    if (transform == nullptr)
        return QPoint();
    return TurnedPoint(transform->ToScreen(x, y));
}

void ViewMap::DrawMapPhotos(const LocationMap& map, const PhotoList& photos)
{
    if (!showMarks || m_dc == nullptr || transform == nullptr || !map.IsPictureMap())
        return;
    const PlacedPhotoList& list = map.photos;
    const bool turnedKind0 = rotated && mapKind == LocationMap::kPicture;
    std::vector<MarkItem> items;
    items.reserve(list.entries.size());
    for (int k = 0; k < list.Count(); ++k) {
        const PlacedPhoto& entry = list.entries[size_t(k)];
        const PhotoRecord* photo = photos.Find(entry.photoId);
        MarkItem item = PlacedMark(list, k, photo != nullptr, style.numberKind, photos);
        item.at = ScreenPoint(entry.x, entry.y);
        item.inMarks = !IsUnset(entry.x) && !IsUnset(entry.y) && (!item.hasRecord || IsDisplayed(*photo));
        item.inLeaders = item.inMarks;
        item.selected = item.hasRecord ? SelectionOf(*photo) : 0;
        item.labelDirection = entry.direction;
        // A kind-0 picture drawn turned has no north of its own: its arrows turn with the target.
        item.arrowDirection = turnedKind0 && !IsUnset(entry.direction)
                                  ? entry.direction + targetAngle * 180 / std::numbers::pi
                                  : entry.direction;
        items.push_back(item);
    }
    MarkPass pass;
    pass.arrowRotation = transform->value;
    // The labels of a turned kind-0 picture turn with its arrows, so that each stays opposite its arrow.
    pass.labelRotation = turnedKind0 ? -targetAngle : transform->value;
    DrawMarkLayers(items, pass);
}

void ViewMap::DrawShotPositions(const PhotoList& photos, const LocationMap& map)
{
    if (m_dc == nullptr || transform == nullptr || !map.HasPlaneZone())
        return;
    fe::geo::MapHelmart forward;
    fe::geo::MapHelmart inverse;
    if (!map.MakeHelmertPair(forward, inverse))
        return;
    const fe::geo::PlaneRectConverter converter(map.zone);
    UseMarkPen(kMarkLight);
    UseMarkBrush(kMarkGrey);
    for (const PhotoRecord& photo : photos.photos) {
        if (!photo.HasPosition())
            continue;
        const Point2 pixel = inverse.Map(converter.ToPlaneXY(photo.position));
        const QPoint p = ScreenPoint(pixel.x, pixel.y);
        fe::gdi::DrawEllipse(*m_dc, p.x() - 5, p.y() - 5, p.x() + 6, p.y() + 6);
    }
}

}  // namespace locmap
