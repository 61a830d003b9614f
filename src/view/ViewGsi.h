#pragma once

#include <QPoint>
#include <vector>

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/geo/GeoPoint.h"
#include "fe/geo/TileViewport.h"
#include "view/DrawLoc.h"

class LocationMap;
struct LocationMapList;
struct PhotoList;

namespace fe::img {
class Image;
}

namespace locmap {

// The drawer of everything over web map tiles: the site overview (photos and map outlines), location maps on
// tiles and site location maps, on screen and off screen. The tiles are drawn into the target beforehand;
// this adds the vector drawing.
class ViewGsi : public DrawLoc
{
public:
    ViewGsi();

    // As DrawLoc::Reset, zoom 10 and the default viewport. The turned state stays: its owner sets and clears
    // it.
    void Reset() override;
    // Stores the tile zoom, then begins as DrawLoc::Begin.
    bool BeginAtZoom(QPainter* dc, int zoom);
    // Off-screen drawing into a target turned by the angle: marks are turned about the target's centre.
    void SetRotatedTarget(double angle, fe::img::Image* target);
    void ClearRotatedTarget();

    // The screen point of a longitude/latitude on screen, and off screen at the render scale (turned about
    // the target's centre while the drawer is turned).
    QPoint ScreenPoint(const fe::geo::GeoPoint& point) const;
    QPoint RenderedPoint(const fe::geo::GeoPoint& point, double scale) const;

    // The site overview: map outlines with their names and the photo marks, in layers.
    void DrawOverview(const PhotoList& photos, const LocationMapList& maps, int zoom, bool showPhotos,
                      bool showMaps);
    // Base discs and base arrows of the photos whose selection bit is s.
    void DrawOverviewMarks(const PhotoList& photos, int s, int arrowLevel);
    // Arrows, icons or discs, and numbered labels of the photos whose selection bit is s.
    void DrawOverviewLabels(const PhotoList& photos, int s, int arrowLevel);
    static int ArrowLevelOfZoom(int zoom);

    // The outline of a map with coordinates on the overview: its white halo, and its line with the name band
    // from zoom 14 on.
    void DrawMapOutlineHalo(const LocationMap& map);
    void DrawMapOutline(const LocationMap& map, int zoom);

    // The photo marks of a web location map on screen, and off screen at the render scale.
    void DrawMapPhotos(LocationMap& map, const PhotoList& photos);
    void DrawRenderedMarks(double scale, LocationMap& map, const PhotoList& photos);
    // A grey dot at every positioned photo.
    void DrawShotPositions(const PhotoList& photos);

    bool rotated = false;
    fe::img::Image* target = nullptr;  // not owned
    Rect2 targetRect;
    Point2 targetCentre;
    double targetAngle = 0.0;
    int zoomLevel = 10;
    fe::geo::TileViewport viewport;

protected:
    // The first four outline points on screen; empty for kind 0 or fewer than four points.
    std::vector<QPoint> OutlinePoints(const LocationMap& map) const;
    std::vector<MarkItem> CollectMarks(LocationMap& map, const PhotoList& photos, bool rendered,
                                       double scale);
};

}  // namespace locmap
