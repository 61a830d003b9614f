// The picture of a site location map: web tiles with the outlines and callouts of the project's maps,
// drawn at twice the picture's size and reduced into it.
#include "fe/geo/PhotoFit.h"
#include "fe/img/Image.h"
#include "model/LocationMap.h"
#include "model/Project.h"
#include "report/SiteMapReport.h"
#include "report/SiteMapZoom.h"
#include "view/locmap/ImageMaker.h"

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
    if (!fe::geo::TileSite::IsStorableZoom(siteMap.tileZoom))
        return false;
    // A box kept from a wider view, or a damaged file, may be far too large for its zoom: the map is then
    // drawn at the deepest zoom whose picture stays within the site map's limit.
    const int zoom = SiteMapRenderZoom(siteMap.box, siteMap.tileZoom);
    if (zoom < 0)
        return false;
    const fe::geo::GeoPoint centre = fe::geo::MercatorCentre(siteMap.box);

    // The maker's server has no worker: a tile missing from the cache is downloaded at once.
    locmap::ImageMaker maker;
    maker.settings = settings;
    (void)maker.proxy.ReadRegistry();
    fe::img::Image tiles;
    if (!maker.DrawBoxTiles(tiles, siteMap.box, zoom, tileSite))
        return false;
    const Point2 fit = Point2(tiles.Width(), tiles.Height()).FitInto(Point2(target.Width(), target.Height()));
    fe::img::Image canvas;
    if (int(fit.x) < 1 || int(fit.y) < 1 || !canvas.Create(2 * int(fit.x), 2 * int(fit.y)) ||
        !tiles.StretchTo(canvas))
        return false;
    const double r = double(canvas.Width()) / tiles.Width();
    tiles.Release();

    locmap::ViewGsi& drawer = maker.viewGsi;
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
    drawer.style.SetScaled(2.0 / locmap::OverzoomFurnitureDivisor(zoom, tileSite) * scale);
    drawer.SetupResources();
    if (!drawer.BeginAtZoom(canvas.GetDC(), zoom))
        return false;
    LocationMap furniture = siteMap;
    furniture.zone = project.siteMapZone;  // the scale bar measures in the site maps' plane zone
    drawer.DrawNorthArrow(r, furniture);
    drawer.DrawScaleBar(r, furniture, zoom);
    drawer.End();
    canvas.ReleaseDC();

    locmap::ReduceOntoWhite(target, canvas);
    return true;
}
