// The picture of a site location map: web tiles with the outlines and callouts of the project's maps,
// drawn at twice the picture's size and reduced into it.
#include <QPainter>
#include <cmath>

#include "fe/geo/MapServer.h"
#include "fe/geo/PhotoFit.h"
#include "fe/geo/ProxySettings.h"
#include "fe/img/Image.h"
#include "model/LocationMap.h"
#include "model/Project.h"
#include "report/SiteMapReport.h"
#include "view/ViewGsi.h"

namespace {

// Four times the largest picture the site map dialog lets a box take at its zoom: a stored box beyond
// this is not rendered rather than asking for gigabytes of tiles.
constexpr double kMaxTilePixels = 36'000'000;

// The picture's size fitted into the box keeping its aspect, in whole pixels.
QSize FittedSize(const QSize& picture, const QSize& box)
{
    const Point2 fit = Point2(picture.width(), picture.height()).FitInto(Point2(box.width(), box.height()));
    return {int(fit.x), int(fit.y)};
}

}  // namespace

void SiteMapReport::DrawMapOutline(locmap::ViewGsi& drawer, const LocationMap& map, double scale) const
{
    if (!map.showCallout || !map.HasCoordinates() || map.outline.size() < 4)
        return;
    std::vector<QPoint> points;
    for (size_t k = 0; k < 4; ++k)
        points.push_back(drawer.RenderedPoint(map.outline[k], scale));
    drawer.SelectNullBrush();
    drawer.UseOverlayPen(13);
    drawer.DrawOutline(points);
}

bool SiteMapReport::RenderSiteMap(fe::img::Image& target, const Project& project, const LocationMap& siteMap,
                                  double scale)
{
    const int site = siteMap.kind - LocationMap::kWebStandard;
    if (!siteMap.IsWebMap() || site >= int(settings.tileSites.size()) || target.IsNull())
        return false;
    const fe::geo::TileSite& tileSite = settings.tileSites[size_t(site)];
    const int zoom = siteMap.tileZoom;
    if (!fe::geo::TileSite::IsStorableZoom(zoom))
        return false;
    const Point2 tileSize = fe::geo::MercatorPixelSize(siteMap.box, zoom);
    if (!std::isfinite(tileSize.x) || !std::isfinite(tileSize.y) || tileSize.x < 1 || tileSize.y < 1 ||
        tileSize.x * tileSize.y > kMaxTilePixels)
        return false;
    const fe::geo::GeoPoint centre = fe::geo::MercatorCentre(siteMap.box);

    // The renderer's own server has no worker: a tile missing from the cache is downloaded at once.
    fe::img::Image tiles;
    {
        fe::geo::MapServer server;
        server.Server().SetMissingTiles(fe::geo::MissingTiles::FetchedNow);
        fe::geo::ProxySettings proxy;
        (void)proxy.ReadRegistry();
        if (!server.Server().Open(settings.tileCacheFolder, tileSite, proxy))
            return false;
        server.SetCenter(centre);
        server.SetZoom(zoom);
        if (!tiles.Create(int(std::lround(tileSize.x)), int(std::lround(tileSize.y))))
            return false;
        server.DrawTilesToImage(tiles);
        tiles.ReleaseDC();
        server.Close();
    }

    const QSize fitted = FittedSize(tiles.Picture().size(), target.Picture().size());
    if (fitted.isEmpty())
        return false;
    fe::img::Image canvas;
    if (!canvas.Create(2 * fitted.width(), 2 * fitted.height()) || !tiles.StretchTo(canvas))
        return false;
    const double r = double(canvas.Width()) / tiles.Width();

    locmap::ViewGsi drawer;
    drawer.viewport.Set(zoom, centre, canvas.Width() / 2, canvas.Height() / 2);
    drawer.style.SetScaled(2 * scale);
    drawer.siteLineWidth = 4 * scale;
    drawer.calloutTextHeight = int(44 * scale);
    drawer.SetupResources();
    if (!drawer.BeginAtZoom(canvas.GetDC(), zoom))
        return false;
    for (const LocationMap& map : project.maps.maps) {
        DrawMapOutline(drawer, map, r);
        drawer.DrawMapCallout(map, 2, false, r);
    }
    drawer.End();

    // One or two levels beyond the site's deepest tiles the picture is enlarged, and so is its furniture.
    const int beyond = zoom - tileSite.ZoomHigh();
    const int k = beyond == 1 || beyond == 2 ? 2 * beyond : 1;
    drawer.style.SetScaled(2.0 / k * scale);
    drawer.SetupResources();
    if (!drawer.BeginAtZoom(canvas.GetDC(), zoom))
        return false;
    LocationMap furniture = siteMap;
    furniture.zone = project.siteMapZone;  // the scale bar measures in the site maps' plane zone
    drawer.DrawNorthArrow(r, furniture);
    drawer.DrawScaleBar(r, furniture, zoom);
    drawer.End();
    canvas.ReleaseDC();

    target.ReleaseDC();
    target.Fill(0xFFFFFF);
    const QSize shown = FittedSize(canvas.Picture().size(), target.Picture().size());
    if (shown.isEmpty())
        return false;
    const QImage reduced = canvas.Picture().scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&target.Picture());
    painter.drawImage((target.Width() - shown.width()) / 2, (target.Height() - shown.height()) / 2, reduced);
    return true;
}
