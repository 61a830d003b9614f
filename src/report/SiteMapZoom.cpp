#include "report/SiteMapZoom.h"

#include <algorithm>
#include <cmath>

#include "fe/geo/PhotoFit.h"

bool SiteMapPictureFits(double width, double height)
{
    return std::isfinite(width) && std::isfinite(height) && width * height < kSiteMapPixelLimit;
}

bool SiteMapZoomFits(const Rect2& box, int zoom)
{
    const Point2 size = fe::geo::MercatorPixelSize(box, zoom);
    return SiteMapPictureFits(size.x, size.y);
}

int SiteMapRenderZoom(const Rect2& box, int zoom)
{
    for (int z = std::min(zoom, 30); z >= 0; --z) {
        const Point2 size = fe::geo::MercatorPixelSize(box, z);
        if (!std::isfinite(size.x) || !std::isfinite(size.y) || size.x < 1 || size.y < 1)
            return -1;
        if (SiteMapPictureFits(size.x, size.y))
            return z;
    }
    return -1;
}
