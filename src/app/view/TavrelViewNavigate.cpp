// Which map the main view shows and at which scale: selecting and fitting maps, zoom by keys and wheel,
// middle-button panning, the status-bar coordinates and the pixel <-> latitude/longitude conversions.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "app/doc/TavrelDoc.h"
#include "app/view/TavrelView.h"
#include "app/view/ViewHost.h"
#include "fe/geo/PhotoFit.h"
#include "model/AppSettings.h"

namespace {

constexpr int kMaxZoom = 20;
constexpr double kWheelFactor = 1.1;
constexpr double kWheelFactorOut = 0.9090909090909091;

// The longitude/latitude box of points; all four unset for none.
Rect2 BoundsOfGeoPoints(const std::vector<fe::geo::GeoPoint>& points)
{
    std::vector<Point2> plain;
    plain.reserve(points.size());
    for (const fe::geo::GeoPoint& p : points)
        plain.emplace_back(p.longitude, p.latitude);
    return BoundingBoxOfPoints(plain);
}

}  // namespace

const LocationMap* CTavrelView::CurrentMap() const
{
    const int index = CurrentMapIndex();
    return index < 0 ? nullptr : &m_document->GetProject().maps.maps[size_t(index)];
}

int CTavrelView::CurrentMapIndex() const
{
    if (!m_document || m_currentMapId < 0)
        return -1;
    const LocationMapList& maps = m_document->GetProject().maps;
    for (int k = 0; k < maps.Count(); ++k)
        if (maps.maps[size_t(k)].id == m_currentMapId)
            return k;
    return -1;
}

const LocationMap* CTavrelView::CurrentSiteMap() const
{
    if (!m_document || !m_showSiteMap)
        return nullptr;
    const LocationMapList& siteMaps = m_document->GetProject().siteMaps;
    return siteMaps.Count() > 0 ? &siteMaps.maps.front() : nullptr;
}

void CTavrelView::ClearCurrentMaps()
{
    m_currentMapId = -1;
    m_showSiteMap = false;
    m_background.Release();
    // The drawer never keeps pointing at the transform of a map that is no longer shown.
    m_picture.transform = nullptr;
}

void CTavrelView::SetMode(int mode)
{
    m_mode = mode;
    const LocationMap* map = CurrentMap();
    m_host->ViewModeChanged(mode, map != nullptr, map ? map->zone : 0);
}

bool CTavrelView::SelectLocationMap(int index)
{
    Rect2 returnBox;
    returnBox.Unset();
    const LocationMap* leaving = CurrentMap();
    if (leaving && index < 0 && (m_mode == 2 || m_mode == 3))
        returnBox = BoundsOfGeoPoints(leaving->outline);
    const int oldMode = m_mode;
    ClearCurrentMaps();
    if (!m_document || index >= m_document->GetProject().maps.Count())
        return false;
    int mode = m_mode;
    if (index < 0) {
        mode = 0;
    } else {
        const LocationMap& map = m_document->GetProject().maps.maps[size_t(index)];
        m_currentMapId = map.id;
        if (map.kind == LocationMap::kPicture)
            mode = 1;
        else if (map.kind == LocationMap::kRegisteredPicture)
            mode = 2;
        else if (map.IsWebMap())
            mode = 3;
        m_mode = mode;
        if (mode == 3)
            FitCurrentMap();
        if (map.IsPictureMap() && m_document->GetProject().LoadMapImage(m_background, index) &&
            locmap::FitTransformToView(map, m_transform, m_buffer.IsNull() ? ClientWidth() : m_buffer.Width(),
                                       m_buffer.IsNull() ? ClientHeight() : m_buffer.Height())) {
            m_picture.transform = &m_transform;
            m_picture.mapKind = map.kind;
        }
    }
    SetMode(mode);
    if (mode != 0 || oldMode != 0)
        m_host->ShowOverlapCandidates({});
    if (mode == 0 && !returnBox.IsUnset()) {
        fe::geo::GeoPoint centre;
        const int zoom = locmap::ZoomToShowBox(returnBox, m_client, centre);
        m_map.SetCenter(centre);
        RaiseTileFlag();
        m_map.SetZoom(zoom);
        RaiseTileFlag();
    }
    RenderAndUpdate();
    return true;
}

bool CTavrelView::SelectSiteMap(int index)
{
    if (!m_host->IsSiteMapDialogVisible())
        return false;
    ClearCurrentMaps();
    if (!m_document || index >= m_document->GetProject().siteMaps.Count())
        return false;
    if (index >= 0 && m_document->GetProject().siteMaps.Count() > 0) {
        // The site-map dialog always shows the first site map, whichever row was asked for.
        m_showSiteMap = true;
        SetMode(3);
        FitCurrentMap();
    } else {
        SetMode(0);
    }
    RenderAndUpdate();
    return true;
}

void CTavrelView::FitCurrentMap()
{
    if (m_mode <= 0)
        return;
    if (m_mode == 1 || m_mode == 2) {
        const LocationMap* map = CurrentMap();
        if (map && m_picture.transform &&
            locmap::FitTransformToView(*map, m_transform, ClientWidth(), ClientHeight()))
            RenderAndUpdate();
        return;
    }
    const LocationMap* map = CurrentMap();
    if (!map)
        map = CurrentSiteMap();
    if (!map)
        return;
    const int kind = map->IsWebMap() ? map->kind : LocationMap::kWebPhoto;
    const size_t site = size_t(kind - LocationMap::kWebStandard);
    if (site < m_settings->tileSites.size())
        SetMapKind(map->kind, m_settings->tileSites[site]);
    m_map.SetCenter(fe::geo::MercatorCentre(map->box));
    RaiseTileFlag();
    m_map.SetZoom(map->tileZoom);
    RaiseTileFlag();
}

void CTavrelView::FitToPhotos(int first)
{
    if (!m_document || m_mode != 0 || first < 0)
        return;
    const std::vector<fe::geo::GeoPoint> positions = m_document->GetProject().photos.Positions();
    if (size_t(first) >= positions.size())
        return;
    fe::geo::GeoPoint centre = m_map.Center();
    int zoom = m_map.Zoom();
    if (!fe::geo::FitZoomToPhotos(positions, centre, zoom, ClientWidth(), ClientHeight(), unsigned(first),
                                  unsigned(positions.size() - 1)))
        return;
    m_map.SetCenter(centre);
    RaiseTileFlag();
    m_map.SetZoom(zoom);
    RaiseTileFlag();
    RenderAndUpdate();
}

bool CTavrelView::GetVisibleLatLongBox(Rect2& box, int& kind, int& zoom, double aspect) const
{
    if (!m_document || m_startPending)
        return false;
    kind = m_document->overviewKind;
    zoom = m_map.Zoom();
    return Geometry(zoom).VisibleLatLongBox(aspect, box);
}

fe::geo::GeoPoint CTavrelView::PixelToLatLong(int zoom, double x, double y) const
{
    return Geometry(zoom).PixelToLatLong(x, y);
}

Point2 CTavrelView::LatLongToPixel(const fe::geo::GeoPoint& point, int zoom) const
{
    return Geometry(zoom).LatLongToPixel(point);
}

void CTavrelView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        ShowViewContextMenu();
        event->accept();
        return;
    }
    const int step = event->key() == Qt::Key_Up ? 1 : event->key() == Qt::Key_Down ? -1 : 0;
    if (step == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    int zoom = m_map.Zoom();
    const bool changed = locmap::StepZoomByKey(zoom, step);
    if (zoom != m_map.Zoom())
        m_map.SetZoom(zoom);
    if (changed) {
        RaiseTileFlag();
        RenderAndUpdate();
    }
    event->accept();
}

void CTavrelView::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (!m_document)
        return;
    // Fine-grained wheels and touchpads send small steps: they are gathered into whole notches.
    m_wheelRest += event->angleDelta().y();
    const int notches = m_wheelRest / QWheelEvent::DefaultDeltasPerStep;
    if (notches == 0)
        return;
    m_wheelRest -= notches * QWheelEvent::DefaultDeltasPerStep;
    QPoint pointer = event->position().toPoint();
    if (!rect().contains(pointer))
        pointer = rect().center();
    ZoomByWheel(notches, pointer);
}

void CTavrelView::ZoomByWheel(int delta, QPoint pointer)
{
    if (delta == 0)
        return;
    if (m_mode == 1 || m_mode == 2) {
        if (!CurrentMap() || !m_picture.transform)
            return;
        m_transform.mapping.ZoomAbout(delta > 0 ? kWheelFactor : kWheelFactorOut, Point2(pointer.x(), pointer.y()));
    } else {
        const int zoom = m_map.Zoom();
        if (delta > 0 && zoom >= kMaxZoom) {
            if (zoom > kMaxZoom)
                m_map.SetZoom(kMaxZoom);
            return;
        }
        if (delta < 0 && zoom <= 0)
            return;
        const int newZoom = zoom + (delta > 0 ? 1 : -1);
        const fe::geo::GeoPoint centre =
            locmap::CentreKeepingPointer(m_map.Center(), zoom, newZoom, m_client, pointer);
        m_map.SetZoom(newZoom);
        m_map.SetCenter(centre);
        RaiseTileFlag();
    }
    RenderAndUpdate();
}

void CTavrelView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::RightButton)
        m_mouse.Press(2, p.x(), p.y());
    if (event->button() == Qt::LeftButton) {
        m_mouse.Press(0, p.x(), p.y());
        m_edit = EditState();
        m_picture.smooth = (m_mode == 1 || m_mode == 2) ? 0 : 1;
        if (m_document && HitTestOnButtonDown(p, event->modifiers()))
            RenderAndUpdate();
    }
    if (event->button() == Qt::MiddleButton) {
        m_mouse.Press(1, p.x(), p.y());
        // Fast stretching while a picture moves.
        m_picture.smooth = (m_mode == 1 || m_mode == 2) ? 0 : 1;
    }
    event->accept();
}

void CTavrelView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_mouse.IsDown(0)) {
        FinishLeftDrag(event->position().toPoint(), event->modifiers());
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        // One click, one menu: opened at the release, as the press never opens one here.
        m_mouse.Release(2);
        event->accept();
        ShowViewContextMenu();
        return;
    }
    if (event->button() == Qt::MiddleButton && m_mouse.IsDown(1)) {
        m_mouse.Release(1);
        m_picture.smooth = 1;
        if (m_mode == 1 || m_mode == 2) {
            RenderAndUpdate();
        } else if (m_mode == 0 && m_document) {
            Rect2 box;
            if (Geometry(m_map.Zoom()).OverviewExtent(box))
                m_document->overviewBox = box;
        }
    }
    event->accept();
}

void CTavrelView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    m_mouse.Move(p.x(), p.y());
    if (m_mouse.IsDown(0) && m_document && m_edit.kind != 0)
        UpdateDrag(p, m_mouse.At(0).previous, event->modifiers() & Qt::ShiftModifier);
    else if (!m_mouse.IsDown(0) && !m_mouse.IsDown(1) && !m_mouse.IsDown(2))
        UpdateHover(p, event->modifiers());
    if (m_mouse.IsDown(1) && !m_mouse.IsDown(0) && m_document) {
        const QPoint delta = m_mouse.Delta(1);
        if (m_mode == 0 || m_mode == 3) {
            m_map.DragBy(Point2(delta.x(), delta.y()));
            RenderAndUpdate();
        } else if (CurrentMap() && m_picture.transform) {
            m_transform.mapping.X().Move(delta.x());
            m_transform.mapping.Y().Move(delta.y());
            RenderAndUpdate();
        }
    }
    ShowPointerCoordinates(p);
    event->accept();
}

void CTavrelView::leaveEvent(QEvent* event)
{
    // A drag that leaves the window ends as a release at the last point it reached, so nothing dragged
    // is lost and the records are committed whole.
    if (m_mouse.IsDown(0))
        FinishLeftDrag(m_mouse.At(0).current, Qt::NoModifier);
    m_mouse.ReleaseAll();
    QWidget::leaveEvent(event);
}

void CTavrelView::ShowPointerCoordinates(QPoint pointer)
{
    if (!m_document)
        return;
    if (m_mode == 0 || m_mode == 3) {
        const fe::geo::GeoPoint at = PixelToLatLong(m_map.Zoom(), pointer.x(), pointer.y());
        // The map shown keeps its plane zone in the coordinate-system text, as on a change of mode.
        const LocationMap* map = CurrentMap();
        m_host->SetStatusLatLong(at.latitude, at.longitude, map ? map->zone : 0);
        return;
    }
    const LocationMap* map = CurrentMap();
    if (!map || !m_picture.transform)
        return;
    const Point2 picture = m_transform.mapping.RmapXY(pointer.x(), pointer.y());
    if (m_mode == 1) {
        m_host->SetStatusPixel(fe::geo::TruncToInt(picture.x), fe::geo::TruncToInt(picture.y));
        return;
    }
    const Point2 plane = m_transform.forward.Map(picture);
    m_host->SetStatusPlaneXY(map->zone, plane.y, plane.x);
}
