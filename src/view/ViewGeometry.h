#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/geo/GeoPoint.h"

class LocationMap;
struct LocationMapTransform;

namespace locmap {

// The main view's geometry on web tiles, around the map server's centre at a zoom: client pixels to
// longitude/latitude and back, and the boxes the view hands to the document and the site-map dialog.
// The client centre is taken as doubles (width / 2, height / 2), so for odd sizes these differ by half a
// pixel from the tile viewport's integer halves.
struct WebViewGeometry
{
    fe::geo::GeoPoint centre;
    int zoom = 0;
    QSize client;

    fe::geo::GeoPoint PixelToLatLong(double x, double y) const;
    Point2 LatLongToPixel(const fe::geo::GeoPoint& point) const;
    // The longitude/latitude box {west, east, south, north} of the client area inside a 25-pixel margin
    // (the right and bottom edges at |size| − 25); false when either inner side is below 10 pixels.
    bool OverviewExtent(Rect2& box) const;
    // The largest box of the width:height ratio `aspect` centred in that inner area (the whole inner area
    // when |aspect| ≤ 0.001), as {west, east, south, north}; false when the area is too small.
    bool VisibleLatLongBox(double aspect, Rect2& box) const;
    // The same box in client pixels {left, right, bottom, top}.
    bool VisiblePixelBox(double aspect, Rect2& pixels) const;
};

// The centre after a zoom from `zoom` to `newZoom` that keeps the point under the pointer where it is.
fe::geo::GeoPoint CentreKeepingPointer(const fe::geo::GeoPoint& centre, int zoom, int newZoom, QSize client,
                                       QPoint pointer);

// The zoom that shows the longitude/latitude box in a view of the size, with the box's Mercator centre:
// one less than the deepest zoom from 18 down to 2 at which the box's tiles lie within the view's (2
// stays 2), or 1 when none does.
int ZoomToShowBox(const Rect2& box, QSize client, fe::geo::GeoPoint& centre);

// Fits a transform of a picture map to a view of width × height: kind 0 gets identity Helmert sets, kind 1
// those of its registration and its north angle; then the frame's rectangle A grown by 5 % about its centre
// fills the view at one scale. False, and nothing changed, for web maps and for a frame without area.
bool FitTransformToView(const LocationMap& map, LocationMapTransform& transform, int width, int height);

// The title of the site overview: "地図 : " and the first two characters of the tile site's title, or by
// base-map kind (2 標準, 3 淡色, 4 写真) when the title is shorter; empty for another kind.
QString OverviewTitle(const QString& siteTitle, int baseMapKind);

// The line of the linear sort is drawn and clicked while the photo ledger is visible, its numbering
// dialog is absent or hidden, and the ledger's line switch is on.
inline bool SortLineModeHolds(bool ledgerVisible, bool numberingShown, bool lineSwitch)
{
    return ledgerVisible && !numberingShown && lineSwitch;
}

// The zoom after an arrow key (+1 up, −1 down) within 0 ... 20; false when the key changes nothing that
// needs a redraw (down at 0, up from 20 or beyond, which only clamps to 20).
bool StepZoomByKey(int& zoom, int step);

}  // namespace locmap
