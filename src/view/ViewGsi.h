#pragma once

#include <QPoint>
#include <vector>

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/geo/GeoPoint.h"
#include "fe/geo/TileViewport.h"
#include "view/DrawLoc.h"

class LocationMap;
class LocusTrack;
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
    void SetRotatedTarget(double angle, fe::img::Image* image) { SetTurnedTarget(angle, image); }

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
    void DrawMapPhotos(const LocationMap& map, const PhotoList& photos);
    void DrawRenderedMarks(double scale, const LocationMap& map, const PhotoList& photos);
    // A grey dot at every positioned photo.
    void DrawShotPositions(const PhotoList& photos);

    // Furniture on screen. The output frame and the site-map box are drawn when one of their corners' x
    // values lies in the view's x span or one of their y values in its y span (view = screen pixels).
    void DrawOutputFrame(const LocationMap& map, const Rect2& view, int zoom);
    void DrawSiteMapBox(const LocationMap& siteMap, const Rect2& view, int zoom);
    void DrawScreenNorthArrow(const LocationMap& map);
    // The bar over the view from the west to the east longitude; needs the map's plane zone.
    void DrawScreenScaleBar(const LocationMap& map, int zoom, double west, double east);
    // Furniture off screen, placed from the map's box at the render scale; the drawing zoom is the zoom the
    // picture was drawn at.
    void DrawNorthArrow(double scale, LocationMap& map);
    void DrawScaleBar(double scale, const LocationMap& map, int drawingZoom);

    // The site location map: areas with their halos and the overview marks, then the callouts.
    void DrawSiteMapAreas(const PhotoList& photos, const LocationMapList& siteMaps, int highlighted, int zoom,
                          bool showPhotos, bool showAreas);
    // The ellipse of a site area with the current pen (the halo or the line), when the map shows its callout.
    void DrawSiteArea(const LocationMap& map);
    void DrawSiteMapCallout(const LocationMap& map, bool highlighted);
    // The callout of a map: its name in a box beside the anchor, with an arrow to it. k scales the sizes,
    // scale the positions (as TileViewport::ToScreen).
    void DrawMapCallout(const LocationMap& map, int k, bool highlighted, double scale);

    // Tracks overlapping the view box {west, east, south, north}; those with a current point on top.
    void DrawTracks(const std::vector<LocusTrack>& tracks, const Rect2& viewBox);
    void DrawTrack(const LocusTrack& track);
    // The line drawn for the linear sort with its translucent band of the contact width.
    void DrawSortLine(const LocationMap& map);

    int zoomLevel = 10;
    fe::geo::TileViewport viewport;

protected:
    // The first four outline points on screen; empty for kind 0 or fewer than four points.
    std::vector<QPoint> OutlinePoints(const LocationMap& map) const;
    std::vector<MarkItem> CollectMarks(const LocationMap& map, const PhotoList& photos, bool rendered,
                                       double scale);
};

}  // namespace locmap
