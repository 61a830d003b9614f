// Left-button editing in the main view on web tiles: selecting photos by their marks, moving a photo's
// position, turning its direction, moving a placed photo's label, and moving, resizing and turning a web
// location map's output frame or the site map's box. A drag changes the records in memory as the pointer
// moves (never saved on the way); the release commits the edit as one change of the document, saved once.
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

#include "app/doc/TavrelDoc.h"
#include "app/view/TavrelView.h"
#include "app/view/ViewHost.h"
#include "fe/geo/PhotoFit.h"
#include "model/LocationMap.h"
#include "view/FrameEditing.h"
#include "view/MouseEditing.h"

namespace {

constexpr double kHandleTolerance = 5.0;
constexpr double kRotationHandleDistance = 32.0;

bool IsFrameKind(int kind)
{
    return (kind >= locmap::kDragWhole && kind <= locmap::kDragHandleLast) || kind == locmap::kDragRotation;
}

bool IsResizeKind(int kind)
{
    return kind >= locmap::kDragCornerFirst && kind <= locmap::kDragHandleLast;
}

Point2 ToPoint2(QPoint p)
{
    return Point2(p.x(), p.y());
}

// Whether the point lies in the label box the drawer stored (either corner order).
}  // namespace

double CTavrelView::MarkRadius() const
{
    return m_gsi.style.markRadius * 1.3;
}

double CTavrelView::DirectionReach() const
{
    return m_gsi.style.arrowLength * 1.1;
}

int CTavrelView::SingleSelectedPhoto() const
{
    const std::vector<int> ids = m_host->SelectedPhotoIds();
    return ids.size() == 1 ? ids.front() : -1;
}

std::vector<CTavrelView::MarkAt> CTavrelView::MarksNear(QPoint pointer, double radius) const
{
    std::vector<MarkAt> marks;
    const Point2 p = ToPoint2(pointer);
    const auto consider = [&](int id, double lon, double lat) {
        const fe::geo::GeoPoint at(lon, lat);
        if (!at.HasPosition())
            return;
        const Point2 client = LatLongToPixel(at, m_map.Zoom());
        if (std::hypot(client.x - p.x, client.y - p.y) <= radius)
            marks.push_back({id, client});
    };
    if (m_mode == 0) {
        for (const PhotoRecord& photo : m_document->GetProject().photos.photos)
            consider(photo.id, photo.position.longitude, photo.position.latitude);
    } else if (const LocationMap* map = CurrentMap()) {
        for (const PlacedPhoto& entry : map->photos.entries)
            consider(entry.photoId, entry.x, entry.y);
    }
    return marks;
}

void CTavrelView::KeepMark(const MarkAt& mark, QPoint pointer)
{
    m_edit.photoId = mark.photoId;
    m_edit.markPoint = mark.client;
    m_edit.offset = Point2(mark.client.x - pointer.x(), mark.client.y - pointer.y());
}

bool CTavrelView::KeepPreferred(const std::vector<MarkAt>& candidates, int selected, QPoint pointer)
{
    // With several marks under the pointer the selected photo's wins, when it is among the first ten.
    if (candidates.empty())
        return false;
    KeepMark(candidates.front(), pointer);
    if (candidates.size() >= 2) {
        const size_t count = std::min<size_t>(candidates.size(), 10);
        for (size_t k = 0; k < count; ++k)
            if (candidates[k].photoId == selected) {
                m_edit.photoId = selected;
                m_edit.markPoint = candidates[k].client;
                // The offset of the mark actually held, so that it does not jump at the first move.
                m_edit.offset = Point2(candidates[k].client.x - pointer.x(), candidates[k].client.y - pointer.y());
            }
    }
    return true;
}

double CTavrelView::KeptDirection() const
{
    const Project& project = m_document->GetProject();
    if (m_mode == 0) {
        const PhotoRecord* photo = project.photos.Find(m_edit.photoId);
        return photo ? photo->direction : kUnset;
    }
    const LocationMap* map = CurrentMap();
    const PlacedPhoto* entry = map ? map->photos.FindByPhotoId(m_edit.photoId) : nullptr;
    if (!entry)
        return kUnset;
    const PhotoRecord* photo = project.photos.Find(m_edit.photoId);
    return photo ? photo->direction : entry->direction;
}

int CTavrelView::HitMarkKinds(QPoint pointer, bool hover)
{
    const int selected = SingleSelectedPhoto();
    if (selected < 0)
        return locmap::kDragNone;
    const std::vector<MarkAt> candidates = MarksNear(pointer, MarkRadius());
    if (!candidates.empty() && KeepPreferred(candidates, selected, pointer) && m_edit.photoId == selected)
        return locmap::kDragPosition;
    if (m_mode == 3 && m_gsi.style.markKind == 0) {
        if (const LocationMap* map = CurrentMap())
            for (const PlacedPhoto& entry : map->photos.entries)
                if (locmap::InLabelBox(m_gsi.LabelBox(entry.photoId), pointer.x(), pointer.y())) {
                    if (entry.photoId != selected)
                        break;
                    m_edit.photoId = selected;
                    return locmap::kDragLabel;
                }
    }
    for (const MarkAt& mark : MarksNear(pointer, DirectionReach()))
        if (mark.photoId == selected) {
            KeepMark(mark, pointer);
            if (locmap::HitsDirectionHandle(mark.client, KeptDirection(), DirectionReach(), ToPoint2(pointer)))
                return locmap::kDragDirection;
            break;
        }
    (void)hover;
    return locmap::kDragNone;
}

OutputFrame CTavrelView::PrepareWebFrame(const LocationMap& map) const
{
    const Point2 nw = LatLongToPixel(fe::geo::GeoPoint(map.box.x0, map.box.y1), m_map.Zoom());
    const Point2 se = LatLongToPixel(fe::geo::GeoPoint(map.box.x1, map.box.y0), m_map.Zoom());
    OutputFrame frame;
    locmap::frame::Set(frame, nw.x, se.x, nw.y, se.y);
    frame.angle = map.frame.angle;
    return frame;
}

Rect2 CTavrelView::SiteBoxOnScreen(const LocationMap& siteMap) const
{
    const Point2 nw = LatLongToPixel(fe::geo::GeoPoint(siteMap.box.x0, siteMap.box.y1), m_map.Zoom());
    const Point2 se = LatLongToPixel(fe::geo::GeoPoint(siteMap.box.x1, siteMap.box.y0), m_map.Zoom());
    return Rect2(nw.x, nw.y, se.x, se.y);
}

int CTavrelView::HitFrameKinds(QPoint pointer, bool shift, bool hover)
{
    if (!showMapFrames)
        return locmap::kDragNone;
    int kind = locmap::kDragNone;
    if (const LocationMap* map = CurrentMap()) {
        if (!map->IsWebMap())
            return locmap::kDragNone;
        OutputFrame frame = PrepareWebFrame(*map);
        kind = locmap::frame::HitTest(frame, kHandleTolerance, kRotationHandleDistance, ToPoint2(pointer));
        if (kind == locmap::kHandleRotate)
            kind = locmap::kDragRotation;
        if (kind == locmap::kDragWhole && !shift)
            kind = locmap::kDragNone;
        if (kind != locmap::kDragNone && !hover) {
            if (IsResizeKind(kind) || kind == locmap::kDragRotation) {
                frame.rectB = frame.rectA;
                frame.flag = 1;
            }
            EditMaps(ProjectChange::Selection, [&](LocationMap& m) { m.frame = frame; });
        }
    } else if (const LocationMap* siteMap = CurrentSiteMap()) {
        kind = locmap::HitTestRectHandles(SiteBoxOnScreen(*siteMap), kHandleTolerance, ToPoint2(pointer));
        if (kind == locmap::kDragWhole && !shift)
            kind = locmap::kDragNone;
    }
    return kind;
}

bool CTavrelView::HitTestOnButtonDown(QPoint pointer, Qt::KeyboardModifiers modifiers)
{
    m_edit = EditState();
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (SortLineMode()) {
        (void)HitTrackPoint(pointer);
        return false;
    }
    const bool marksLive = !m_host->IsSiteMapDialogVisible();
    const auto select = [&](int id) {
        if (ctrl && id >= 0)
            m_host->AddPhotoToSelection(id);
        else
            m_host->SelectPhoto(id);
    };
    const auto overlap = [&]() {
        std::vector<int> ids;
        for (const MarkAt& mark : MarksNear(pointer, MarkRadius()))
            ids.push_back(mark.photoId);
        m_host->ShowOverlapCandidates(ids);
        return ids.size() >= 2;
    };
    if (m_mode == 0) {
        if (!showShotPhotos || !marksLive) {
            (void)HitTrackPoint(pointer);
            return false;
        }
        if ((m_edit.kind = HitMarkKinds(pointer, false)) != locmap::kDragNone)
            return true;
        if (overlap())
            return true;
        const std::vector<MarkAt> marks = MarksNear(pointer, MarkRadius());
        select(marks.empty() ? -1 : marks.front().photoId);
        if (marks.empty())
            (void)HitTrackPoint(pointer);
        return true;
    }
    if (m_mode == 1 || m_mode == 2)
        return HitTestOnPicture(pointer, shift, select);
    if (m_mode != 3)
        return false;
    const bool mapMarks = showMapPhotos && marksLive && CurrentMap();
    if (mapMarks) {
        if ((m_edit.kind = HitMarkKinds(pointer, false)) != locmap::kDragNone)
            return true;
        if (overlap())
            return true;
    }
    if ((m_edit.kind = HitFrameKinds(pointer, shift, false)) != locmap::kDragNone) {
        if (const LocationMap* map = CurrentMap())
            m_edit.startBox = map->box;
        else if (const LocationMap* siteMap = CurrentSiteMap())
            m_edit.startBox = siteMap->box;
        return true;
    }
    if (!mapMarks) {
        (void)HitTrackPoint(pointer);
        return false;
    }
    const std::vector<MarkAt> marks = MarksNear(pointer, MarkRadius());
    if (!marks.empty()) {
        select(marks.front().photoId);
        return true;
    }
    SelectOrGrabLabel(pointer, m_gsi, select);
    return true;
}

void CTavrelView::SelectOrGrabLabel(QPoint pointer, const locmap::DrawLoc& drawer,
                                    const std::function<void(int)>& select)
{
    if (drawer.style.markKind == 0)
        for (const PlacedPhoto& entry : CurrentMap()->photos.entries)
            if (locmap::InLabelBox(drawer.LabelBox(entry.photoId), pointer.x(), pointer.y())) {
                if (SingleSelectedPhoto() == entry.photoId) {
                    m_edit.photoId = entry.photoId;
                    m_edit.kind = locmap::kDragLabel;
                } else {
                    select(entry.photoId);
                }
                return;
            }
    select(-1);
    (void)HitTrackPoint(pointer);
}

void CTavrelView::EditMaps(ProjectChanges kinds, const std::function<void(LocationMap&)>& edit)
{
    const int index = CurrentMapIndex();
    const bool site = index < 0 && CurrentSiteMap();
    if (index < 0 && !site)
        return;
    (void)m_document->Change(kinds, [&](Project& project) {
        edit(site ? project.siteMaps.maps.front() : project.maps.maps[size_t(index)]);
        return true;
    });
}

void CTavrelView::UpdateDrag(QPoint pointer, QPoint previous, bool shift)
{
    const Point2 p = ToPoint2(pointer);
    const int kind = m_edit.kind;
    const int zoom = m_map.Zoom();
    if (m_mode == 0) {
        if (kind != locmap::kDragPosition && kind != locmap::kDragDirection)
            return;
        const int id = m_edit.photoId;
        const fe::geo::GeoPoint at = PixelToLatLong(zoom, p.x + m_edit.offset.x, p.y + m_edit.offset.y);
        const double direction = locmap::DirectionTowards(m_edit.markPoint, p);
        (void)m_document->Change(ProjectChange::Selection, [&](Project& project) {
            PhotoRecord* photo = project.photos.Find(id);
            if (!photo)
                return false;
            if (kind == locmap::kDragPosition)
                photo->position = fe::geo::GeoPoint(at.longitude, at.latitude);
            else
                photo->direction = direction;
            return true;
        });
        return;
    }
    if (m_mode == 1 || m_mode == 2) {
        UpdatePictureDrag(pointer, previous, shift);
        return;
    }
    if (m_mode != 3)
        return;
    if (CurrentMap()) {
        const int id = m_edit.photoId;
        const Rect2 before = CurrentMap()->box;
        bool horizontal = false, vertical = false;
        EditMaps(ProjectChange::Selection, [&](LocationMap& map) {
            PlacedPhoto* entry = map.photos.FindByPhotoId(id);
            switch (kind) {
                case locmap::kDragPosition:
                    if (entry) {
                        const fe::geo::GeoPoint at = PixelToLatLong(zoom, p.x, p.y);
                        entry->x = at.longitude;
                        entry->y = at.latitude;
                    }
                    return;
                case locmap::kDragDirection:
                    if (entry) {
                        entry->direction = locmap::DirectionTowards(m_edit.markPoint, p);
                        entry->labelOffset = Point2();
                    }
                    return;
                case locmap::kDragLabel:
                    if (entry)
                        entry->labelOffset = entry->labelOffset + Point2(pointer.x() - previous.x(), pointer.y() - previous.y());
                    return;
                default:
                    break;
            }
            if (kind >= locmap::kDragWhole && kind <= locmap::kDragEdgeLast) {
                const double dx = pointer.x() - previous.x(), dy = pointer.y() - previous.y();
                map.frame.rectA = Rect2(map.frame.rectA.x0 + dx, map.frame.rectA.y0 + dy, map.frame.rectA.x1 + dx,
                                        map.frame.rectA.y1 + dy);
                StoreWebFrameBox(map);
            } else if (IsResizeKind(kind)) {
                (void)locmap::frame::MoveHandle(map.frame, kind, p);
                StoreWebFrameBox(map);
                if (!locmap::WebBoxWithinLimits(map.box, map.tileZoom))
                    map.box = before;
            } else if (kind == locmap::kDragRotation) {
                locmap::frame::AimAt(map.frame, shift, p);
                StoreWebFrameBox(map);
                map.frame.angle = locmap::WrapRadians(map.frame.angle);
            }
            if (IsResizeKind(kind) || kind == locmap::kDragRotation) {
                // A dragged edge that crossed the opposite one: the edges are exchanged and the pointer
                // holds the mirrored handle, so the rectangle stays ordered.
                Rect2& a = map.frame.rectA;
                horizontal = a.x0 > a.x1;
                vertical = a.y0 > a.y1;
                if (horizontal)
                    std::swap(a.x0, a.x1);
                if (vertical)
                    std::swap(a.y0, a.y1);
            }
        });
        m_edit.kind = locmap::MirrorDragKind(m_edit.kind, horizontal, vertical);
        if (kind == locmap::kDragDirection) {
            // The photo's own direction turns with its mark on web maps.
            const PlacedPhoto* entry = CurrentMap()->photos.FindByPhotoId(id);
            const double direction = entry ? entry->direction : kUnset;
            (void)m_document->Change(ProjectChange::Selection, [&](Project& project) {
                PhotoRecord* photo = project.photos.Find(id);
                if (photo && entry)
                    photo->direction = direction;
                return photo != nullptr;
            });
        }
        return;
    }
    if (!CurrentSiteMap())
        return;
    const fe::geo::GeoPoint at = PixelToLatLong(zoom, p.x, p.y);
    const fe::geo::GeoPoint was = PixelToLatLong(zoom, previous.x(), previous.y());
    EditMaps(ProjectChange::Selection, [&](LocationMap& site) {
        Rect2& box = site.box;
        if (kind >= locmap::kDragWhole && kind <= locmap::kDragEdgeLast) {
            const double dlon = at.longitude - was.longitude, dlat = at.latitude - was.latitude;
            box = Rect2(box.x0 + dlon, box.y0 + dlat, box.x1 + dlon, box.y1 + dlat);
            site.UpdateWebOutline();
            return;
        }
        if (!IsResizeKind(kind))
            return;
        const Rect2 before = box;
        if (kind == 6 || kind == 8 || kind == 10)
            box.x0 = at.longitude;
        if (kind == 7 || kind == 9 || kind == 11)
            box.x1 = at.longitude;
        if (kind == 6 || kind == 7 || kind == 12)
            box.y1 = at.latitude;
        if (kind == 8 || kind == 9 || kind == 13)
            box.y0 = at.latitude;
        if (!locmap::WebBoxWithinLimits(box, site.tileZoom))
            box = before;
        // The box keeps the site map's width:height of 0.7 on screen.
        Rect2 resized;
        if (locmap::ResizeRectKeepAspect(resized, kind, p.x, p.y, SiteBoxOnScreen(site), 0.7)) {
            const Rect2 kept = box;
            const fe::geo::GeoPoint a = PixelToLatLong(zoom, resized.x0, resized.y0);
            const fe::geo::GeoPoint b = PixelToLatLong(zoom, resized.x1, resized.y1);
            box = Rect2(std::min(a.longitude, b.longitude), std::min(a.latitude, b.latitude),
                        std::max(a.longitude, b.longitude), std::max(a.latitude, b.latitude));
            if (!locmap::WebBoxWithinLimits(box, site.tileZoom))
                box = kept;
        }
        site.UpdateWebOutline();
    });
    if (const LocationMap* siteMap = CurrentSiteMap())
        ExchangeCrossedEdges(siteMap->box);
}

void CTavrelView::ExchangeCrossedEdges(const Rect2& box)
{
    // The site map's box, compared on screen: the west edge right of the east edge, or the north edge below the south edge.
    const Point2 nw = LatLongToPixel(fe::geo::GeoPoint(box.x0, box.y1), m_map.Zoom());
    const Point2 se = LatLongToPixel(fe::geo::GeoPoint(box.x1, box.y0), m_map.Zoom());
    const bool horizontal = nw.x > se.x, vertical = nw.y > se.y;
    if (!horizontal && !vertical)
        return;
    EditMaps(ProjectChange::Selection, [&](LocationMap& map) {
        if (horizontal)
            std::swap(map.box.x0, map.box.x1);
        if (vertical)
            std::swap(map.box.y0, map.box.y1);
        map.UpdateWebOutline();
    });
    m_edit.kind = locmap::MirrorDragKind(m_edit.kind, horizontal, vertical);
}

void CTavrelView::StoreWebFrameBox(LocationMap& map) const
{
    OutputFrame settled = map.frame;
    locmap::frame::Settle(settled);
    const Rect2& a = settled.rectA;
    const fe::geo::GeoPoint nw = PixelToLatLong(m_map.Zoom(), std::min(a.x0, a.x1), std::min(a.y0, a.y1));
    const fe::geo::GeoPoint se = PixelToLatLong(m_map.Zoom(), std::max(a.x0, a.x1), std::max(a.y0, a.y1));
    map.box = Rect2(nw.longitude, se.latitude, se.longitude, nw.latitude);
}

bool CTavrelView::CommitDrag(QPoint pointer, bool shift)
{
    const int kind = m_edit.kind;
    const int id = m_edit.photoId;
    const int zoom = m_map.Zoom();
    const Point2 p = ToPoint2(pointer);
    if (m_mode == 0) {
        if (kind != locmap::kDragPosition && kind != locmap::kDragDirection)
            return false;
        const fe::geo::GeoPoint at = PixelToLatLong(zoom, p.x + m_edit.offset.x, p.y + m_edit.offset.y);
        const double direction = locmap::DirectionTowards(m_edit.markPoint, p);
        (void)m_document->Change(ProjectChange::Photos, [&](Project& project) {
            PhotoRecord* photo = project.photos.Find(id);
            if (!photo)
                return false;
            if (kind == locmap::kDragPosition)
                photo->position = fe::geo::GeoPoint(at.longitude, at.latitude);
            else
                photo->direction = direction;
            return true;
        });
        return true;
    }
    if (m_mode == 1 || m_mode == 2)
        return CommitPictureDrag(pointer, shift);
    if (m_mode != 3)
        return false;
    const int index = CurrentMapIndex();
    if (index < 0) {
        // The site map's box: what the drag left is kept and saved.
        if (!CurrentSiteMap() || kind == locmap::kDragNone) {
            CommitCalloutAnchor(pointer);
            return false;
        }
        (void)m_document->Change(ProjectChange::SiteMaps, [](Project&) { return true; });
        return true;
    }
    const Rect2 startBox = CurrentMap()->box;
    (void)m_document->Change(
        ProjectChanges(ProjectChange::Maps) | ProjectChange::Photos, [&](Project& project) {
            LocationMap& map = project.maps.maps[size_t(index)];
            PlacedPhoto* entry = map.photos.FindByPhotoId(id);
            PhotoRecord* photo = project.photos.Find(id);
            switch (kind) {
                case locmap::kDragPosition:
                    if (entry && photo)
                        photo->position = fe::geo::GeoPoint(entry->x, entry->y);
                    break;
                case locmap::kDragDirection:
                    if (entry && photo)
                        photo->direction = entry->direction;
                    break;
                case locmap::kDragLabel:
                    break;
                case locmap::kDragRotation:
                    locmap::frame::AimAt(map.frame, shift, p);
                    map.frame.angle = locmap::WrapRadians(map.frame.angle);
                    StoreWebFrameBox(map);
                    map.UpdateWebOutline();
                    break;
                default:
                    if (IsResizeKind(kind)) {
                        (void)locmap::frame::MoveHandle(map.frame, kind, p);
                        locmap::frame::Settle(map.frame);
                        StoreWebFrameBox(map);
                        if (!locmap::WebBoxWithinLimits(map.box, map.tileZoom))
                            map.box = startBox;
                    } else if (kind < locmap::kDragWhole || kind > locmap::kDragEdgeLast) {
                        return true;
                    }
                    map.UpdateWebOutline();
                    break;
            }
            // The callout follows the map's north edge; set before the one save.
            if (IsFrameKind(kind) && map.showCallout && map.outline.size() >= 2)
                (void)map.SetCalloutAnchorFromOutline();
            return true;
        });
    return true;
}

void CTavrelView::CommitCalloutAnchor(QPoint pointer)
{
    // A click on the site map while its dialog shows puts the callout of the map of the grid's row there.
    if (!m_host->IsSiteMapDialogVisible() || m_edit.kind != locmap::kDragNone)
        return;
    const int index = m_host->SiteMapActiveRow() - 1;
    const Project& project = m_document->GetProject();
    if (!project.maps.IsValidIndex(index) || !project.maps.maps[size_t(index)].showCallout)
        return;
    const fe::geo::GeoPoint at = PixelToLatLong(m_map.Zoom(), pointer.x(), pointer.y());
    m_host->HoldCalloutAnchoring(true);
    (void)m_document->Change(ProjectChange::Maps, [&](Project& p) {
        p.maps.maps[size_t(index)].calloutAnchor = fe::geo::GeoPoint(at.longitude, at.latitude);
        return true;
    });
    m_host->HoldCalloutAnchoring(false);
}

void CTavrelView::AppendSortLinePoint(QPoint pointer)
{
    const int zoom = m_map.Zoom();
    const int mode = m_mode;
    const Point2 mapPoint = m_picture.transform ? m_transform.mapping.RmapXY(pointer.x(), pointer.y()) : Point2();
    const bool picture = (mode == 1 || mode == 2) && m_picture.transform;
    const fe::geo::GeoPoint at = PixelToLatLong(zoom, pointer.x(), pointer.y());
    EditSortLine([&](LocationMap& map) {
        if (mode == 3)
            map.runtime.sortLineGeo.push_back(fe::geo::GeoPoint(at.longitude, at.latitude));
        else if (picture)
            map.runtime.sortLine.push_back(mapPoint);
    });
}

void CTavrelView::FinishLeftDrag(QPoint pointer, Qt::KeyboardModifiers modifiers)
{
    m_mouse.Release(0);
    const int kind = m_edit.kind;
    bool committed = false;
    if (m_document) {
        if (SortLineMode()) {
            if (m_mode == 3 || m_mode == 1 || m_mode == 2)
                AppendSortLinePoint(pointer);
        } else {
            committed = CommitDrag(pointer, modifiers & Qt::ShiftModifier);
        }
    }
    if (committed) {
        if (m_mode >= 1)
            m_host->RefreshSelectedMapThumbnail();
        if (m_edit.photoId >= 0)
            m_host->RefreshPhotoList();
    }
    (void)kind;
    m_edit = EditState();
    m_picture.smooth = 1;
    RenderAndUpdate();
    unsetCursor();
}

void CTavrelView::UpdateHover(QPoint pointer, Qt::KeyboardModifiers modifiers)
{
    if (!m_document)
        return;
    if (SortLineMode()) {
        setCursor(LineModeCursor());
        return;
    }
    const EditState kept = m_edit;
    int kind = locmap::kDragNone;
    const bool marksLive = !m_host->IsSiteMapDialogVisible();
    if (m_mode == 0 && showShotPhotos && marksLive)
        kind = HitMarkKinds(pointer, true);
    else if ((m_mode == 1 || m_mode == 2) && CurrentMap() && m_picture.transform) {
        if (showMapPhotos)
            kind = HitPictureMarkKinds(pointer);
        if (kind == locmap::kDragNone)
            kind = HitPictureFrame(pointer, modifiers & Qt::ShiftModifier, true);
    } else if (m_mode == 3) {
        if (showMapPhotos && marksLive && CurrentMap())
            kind = HitMarkKinds(pointer, true);
        if (kind == locmap::kDragNone)
            kind = HitFrameKinds(pointer, modifiers & Qt::ShiftModifier, true);
    }
    m_edit = kept;
    m_hoverKind = kind;
    setCursor(CursorOfKind(kind));
}
