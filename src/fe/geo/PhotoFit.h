#pragma once

#include <vector>

#include "fe/Rect2.h"
#include "fe/geo/GeoPoint.h"

namespace fe::geo {

// Longitude/latitude boxes are Rect2 {west, east, south, north}.

// The centre of the box in Mercator space (computed at zoom 10): the mean longitude, and the
// latitude halfway between south and north in Mercator y, not the mean latitude.
GeoPoint MercatorCentre(const Rect2& box);

// The box's width and height in pixels at the zoom (not rounded).
Point2 MercatorPixelSize(const Rect2& box, int zoom);

// Photo positions are passed as one GeoPoint per photo, in photo-list order, so that indices match
// the photo list; a photo without a position has an unset longitude or latitude.
using PhotoPositions = std::vector<GeoPoint>;

bool AnyPhotoHasPosition(const PhotoPositions& photos);

// The {west, east, south, north} box of the positioned photos first..last (last lowered to the last
// index); unset in all four values when none is positioned, the list is empty or first > last.
Rect2 PhotoPositionBounds(const PhotoPositions& photos, unsigned first, unsigned last);

// The centre and the zoom that show the positioned photos first..last in a view of the size: the
// deepest zoom from 18 down to 2 at which their tiles lie within the view's tiles, less one (never
// below 2). False without a positioned photo (outputs untouched) or when nothing fits.
// The same for a {west, east, south, north} box; false, and nothing changed, for a box with an unset
// value or when no zoom from 18 down to 2 fits.
bool FitZoomToBox(const Rect2& box, GeoPoint& centre, int& zoom, int viewWidth, int viewHeight);

bool FitZoomToPhotos(const PhotoPositions& photos, GeoPoint& centre, int& zoom, int viewWidth, int viewHeight,
                     unsigned first, unsigned last);

}  // namespace fe::geo
