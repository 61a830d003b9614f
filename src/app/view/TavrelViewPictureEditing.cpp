// Left-button editing on picture maps (modes 1 and 2): the pointer is taken into map units (picture pixels)
// through the view's fitted transform, and the tolerances with it. Marks are moved and turned on the map;
// on a map in a plane zone the release also gives the photo its new latitude/longitude or direction.
#include <cmath>

#include "app/doc/TavrelDoc.h"
#include "app/view/TavrelView.h"
#include "app/view/ViewHost.h"
#include "fe/geo/PlaneRectConverter.h"
#include "model/LocationMap.h"
#include "view/FrameEditing.h"
#include "view/MouseEditing.h"

namespace {

constexpr double kHandleTolerance = 5.0;
constexpr double kRotationHandleDistance = 32.0;
constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace

Point2 CTavrelView::MapPointOf(QPoint pointer) const
{
    return m_transform.mapping.RmapXY(pointer.x(), pointer.y());
}

Point2 CTavrelView::ClientCentreOnPicture() const
{
    if ((m_mode != 1 && m_mode != 2) || !CurrentMap() || !m_picture.transform)
        return Point2();
    return m_transform.mapping.RmapXY(ClientWidth() / 2.0, ClientHeight() / 2.0);
}

double CTavrelView::MapUnits(double pixels) const
{
    return m_transform.mapping.X().RmapLength(pixels);
}

std::vector<CTavrelView::MarkAt> CTavrelView::PictureMarksNear(QPoint pointer, double pixels) const
{
    std::vector<MarkAt> marks;
    const LocationMap* map = CurrentMap();
    if (!map || !m_picture.transform)
        return marks;
    const Point2 at = MapPointOf(pointer);
    const double radius = std::abs(MapUnits(pixels));
    for (const PlacedPhoto& entry : map->photos.entries) {
        if (IsUnset(entry.x) || IsUnset(entry.y))
            continue;
        if (std::hypot(entry.x - at.x, entry.y - at.y) < radius)
            marks.push_back({entry.photoId, m_transform.mapping.Map(Point2(entry.x, entry.y))});
    }
    return marks;
}

int CTavrelView::HitPictureMarkKinds(QPoint pointer)
{
    const int selected = SingleSelectedPhoto();
    const LocationMap* map = CurrentMap();
    if (selected < 0 || !map)
        return locmap::kDragNone;
    const Point2 at = MapPointOf(pointer);
    const auto keep = [&](const MarkAt& mark) {
        const PlacedPhoto* entry = map->photos.FindByPhotoId(mark.photoId);
        m_edit.photoId = mark.photoId;
        m_edit.markPoint = mark.client;
        m_edit.offset = Point2(entry->x - at.x, entry->y - at.y);  // map units
    };
    const std::vector<MarkAt> candidates = PictureMarksNear(pointer, MarkRadius());
    if (!candidates.empty()) {
        keep(candidates.front());
        if (candidates.size() >= 2)
            for (size_t k = 0; k < std::min<size_t>(candidates.size(), 10); ++k)
                if (candidates[k].photoId == selected)
                    keep(candidates[k]);
        if (m_edit.photoId == selected)
            return locmap::kDragPosition;
    }
    if (m_picture.style.markKind == 0)
        if (map->photos.FindByPhotoId(selected) && locmap::InLabelBox(m_picture.LabelBox(selected), pointer.x(), pointer.y())) {
            m_edit.photoId = selected;
            return locmap::kDragLabel;
        }
    const PlacedPhoto* entry = map->photos.FindByPhotoId(selected);
    if (!entry || !m_document->GetProject().photos.Find(selected))
        return locmap::kDragNone;
    for (const MarkAt& mark : PictureMarksNear(pointer, DirectionReach()))
        if (mark.photoId == selected) {
            keep(mark);
            const double turned = IsUnset(entry->direction)
                                      ? entry->direction
                                      : entry->direction - m_transform.value * kDegreesPerRadian;
            if (locmap::HitsDirectionHandle(mark.client, turned, DirectionReach(),
                                            Point2(pointer.x(), pointer.y())))
                return locmap::kDragDirection;
            break;
        }
    return locmap::kDragNone;
}

int CTavrelView::HitPictureFrame(QPoint pointer, bool shift, bool hover)
{
    const LocationMap* map = CurrentMap();
    if (!showMapFrames || !map)
        return locmap::kDragNone;
    int kind = locmap::frame::HitTest(map->frame, std::abs(MapUnits(kHandleTolerance)),
                                      std::abs(MapUnits(kRotationHandleDistance)), MapPointOf(pointer));
    if (kind == locmap::kHandleRotate)
        kind = locmap::kDragRotation;
    if (kind == locmap::kDragWhole && !shift)
        kind = locmap::kDragNone;
    if (!hover && kind >= locmap::kDragCornerFirst && kind <= locmap::kDragHandleLast)
        EditMaps(ProjectChange::Selection, [](LocationMap& m) {
            m.frame.rectB = m.frame.rectA;
            m.frame.flag = 1;
        });
    return kind;
}

bool CTavrelView::HitTestOnPicture(QPoint pointer, bool shift, const std::function<void(int)>& select)
{
    const LocationMap* map = CurrentMap();
    if (!map || !m_picture.transform)
        return false;
    const bool marks = showMapPhotos != 0;
    if (marks) {
        if ((m_edit.kind = HitPictureMarkKinds(pointer)) != locmap::kDragNone)
            return true;
        std::vector<int> ids;
        for (const MarkAt& mark : PictureMarksNear(pointer, MarkRadius()))
            ids.push_back(mark.photoId);
        m_host->ShowOverlapCandidates(ids);
        if (ids.size() >= 2)
            return true;
    }
    if ((m_edit.kind = HitPictureFrame(pointer, shift, false)) != locmap::kDragNone)
        return true;
    if (!marks) {
        (void)HitTrackPoint(pointer);
        return false;
    }
    const std::vector<MarkAt> near = PictureMarksNear(pointer, MarkRadius());
    if (!near.empty()) {
        select(near.front().photoId);
        return true;
    }
    SelectOrGrabLabel(pointer, m_picture, select);
    return true;
}

void CTavrelView::UpdatePictureDrag(QPoint pointer, QPoint previous, bool shift)
{
    if (!CurrentMap() || !m_picture.transform)
        return;
    const int kind = m_edit.kind;
    const int id = m_edit.photoId;
    const Point2 at = MapPointOf(pointer);
    const double dx = m_transform.mapping.X().RmapLength(pointer.x() - previous.x());
    const double dy = m_transform.mapping.Y().RmapLength(pointer.y() - previous.y());
    const double rotation = m_transform.value * kDegreesPerRadian;
    const double ratio = m_transform.mapping.X().Ratio();
    bool horizontal = false, vertical = false;
    EditMaps(ProjectChange::Selection, [&](LocationMap& map) {
        PlacedPhoto* entry = map.photos.FindByPhotoId(id);
        Rect2& a = map.frame.rectA;
        if (kind >= locmap::kDragWhole && kind <= locmap::kDragEdgeLast) {
            a = Rect2(a.x0 + dx, a.y0 + dy, a.x1 + dx, a.y1 + dy);
        } else if (kind >= locmap::kDragCornerFirst && kind <= locmap::kDragHandleLast) {
            (void)locmap::frame::MoveHandle(map.frame, kind, at);
        } else if (kind == locmap::kDragRotation) {
            locmap::frame::AimAt(map.frame, shift, at);
        } else if (kind == locmap::kDragPosition && entry) {
            entry->x = at.x + m_edit.offset.x;
            entry->y = at.y + m_edit.offset.y;
        } else if (kind == locmap::kDragDirection && entry) {
            entry->direction = locmap::DirectionTowards(m_edit.markPoint, Point2(pointer.x(), pointer.y()), rotation);
            entry->labelOffset = Point2();
        } else if (kind == locmap::kDragLabel && entry) {
            entry->labelOffset = entry->labelOffset + Point2(dx * ratio, dy * ratio);
        }
        if ((kind >= locmap::kDragCornerFirst && kind <= locmap::kDragHandleLast) || kind == locmap::kDragRotation) {
            horizontal = a.x0 > a.x1;
            vertical = a.y0 > a.y1;
            if (horizontal)
                std::swap(a.x0, a.x1);
            if (vertical)
                std::swap(a.y0, a.y1);
        }
    });
    m_edit.kind = locmap::MirrorDragKind(m_edit.kind, horizontal, vertical);
}

bool CTavrelView::CommitPictureDrag(QPoint pointer, bool shift)
{
    const int index = CurrentMapIndex();
    if (index < 0 || !m_picture.transform)
        return false;
    const int kind = m_edit.kind;
    const int id = m_edit.photoId;
    const int mode = m_mode;
    const Point2 at = MapPointOf(pointer);
    (void)m_document->Change(
        ProjectChanges(ProjectChange::Maps) | ProjectChange::Photos, [&](Project& project) {
            LocationMap& map = project.maps.maps[size_t(index)];
            PlacedPhoto* entry = map.photos.FindByPhotoId(id);
            PhotoRecord* photo = project.photos.Find(id);
            const bool frameKind = (kind >= locmap::kDragWhole && kind <= locmap::kDragHandleLast) ||
                                   kind == locmap::kDragRotation;
            if (kind >= locmap::kDragCornerFirst && kind <= locmap::kDragHandleLast) {
                (void)locmap::frame::MoveHandle(map.frame, kind, at);
                locmap::frame::Settle(map.frame);
            } else if (kind == locmap::kDragRotation) {
                locmap::frame::AimAt(map.frame, shift, at);
                map.frame.angle = locmap::WrapRadians(map.frame.angle);
            } else if (kind == locmap::kDragPosition && mode == 2 && entry && photo && map.HasPlaneZone()) {
                // The map point through the registration into the plane zone, then latitude/longitude.
                fe::geo::GeoPoint position;
                fe::geo::PlaneRectConverter(map.zone).ToGeoPoint(
                    position, m_transform.forward.Map(Point2(entry->x, entry->y)));
                photo->position = fe::geo::GeoPoint(position.longitude, position.latitude);
            } else if (kind == locmap::kDragDirection && mode == 2 && entry && photo) {
                photo->direction = entry->direction;
            }
            if (frameKind) {
                map.UpdatePlaneOutline();
                if (mode == 2 && map.showCallout && map.outline.size() >= 2)
                    (void)map.SetCalloutAnchorFromOutline();
            }
            return true;
        });
    return true;
}
