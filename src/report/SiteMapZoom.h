#pragma once

#include "fe/Rect2.h"

// The tile zoom of a site location map: its picture at that zoom stays below 9,000,000 pixels, so that the
// map can be rendered and printed whole.
inline constexpr double kSiteMapPixelLimit = 9'000'000;

// True when a picture of width × height pixels stays below the limit.
bool SiteMapPictureFits(double width, double height);
// True when the {west, east, south, north} box's Web-Mercator picture at the zoom stays below the limit.
bool SiteMapZoomFits(const Rect2& box, int zoom);
// The deepest zoom from `zoom` down to 0 at which the box's picture stays below the limit; -1 for a box
// without size or with an unusable value.
int SiteMapRenderZoom(const Rect2& box, int zoom);
