#include "view/locmap/ImageMaker.h"

#include <QPainter>
#include <cmath>

#include "fe/geo/PhotoFit.h"
#include "fe/img/Image.h"
#include "fe/img/Rotate.h"
#include "model/LocationMap.h"
#include "model/Project.h"

namespace locmap {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
// The value a target is prefilled with before a picture render, so that the margins the fitted picture
// leaves can be told from its own pixels and turned white.
constexpr std::uint32_t kBlankMarker = 0x000001;
// The tile picture of a web map is drawn at the map's tile zoom before it is reduced; a box too large for
// that (a damaged project, or a huge box at zoom 18) is refused rather than downloading thousands of tiles
// into gigabytes of memory.
constexpr qint64 kMaxTilePicturePixels = 64'000'000;

// The integer size of a picture of `size` fitted into `box`, keeping its aspect.
QSize FittedSize(double width, double height, const QSize& box)
{
    const Point2 fitted = Point2(width, height).FitInto(Point2(box.width(), box.height()));
    return QSize(int(fitted.x), int(fitted.y));
}

// Reduces the part `source` of the work picture smoothly into the rectangle of the target.
void StretchInto(fe::img::Image& target, const QRect& into, const QImage& work, const QRect& source)
{
    const QImage reduced =
        work.copy(source).scaled(into.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&target.Picture());
    painter.drawImage(into.topLeft(), reduced);
}

const LocationMap* MapAt(const Project& project, int mapIndex)
{
    if (!project.maps.IsValidIndex(mapIndex))
        return nullptr;
    return &project.maps.maps[size_t(mapIndex)];
}

}  // namespace

void ApplyMarkTemplateScaled(DrawLoc& drawer, const MarkStyle& style, const MarkSetting& setting, double a,
                             double b)
{
    const double f = a * b;
    MarkDrawStyle& out = drawer.style;
    out.markKind = style.kind;
    drawer.palette.mapMark = style.drawColor;
    drawer.palette.base = style.outlineColor;
    drawer.palette.numberText = style.textColor;
    drawer.palette.labelFill = style.textBackColor;
    out.markRadius = std::int32_t(setting.coreRadius * f);
    out.baseExtraWidth = std::int32_t(setting.outlineWidth * f);
    out.arrowLength = float(setting.arrowLength * f);
    out.labelDistance = float(setting.labelDistance * f);
    out.headLength = setting.arrowHeadLength * f;
    out.fontHeight = std::int32_t(setting.fontSize * f);
    out.lineWidth = std::int32_t(std::lround(setting.lineWidth == 1 ? b : setting.lineWidth * f));
    out.sizeFactor = f / 1.5;
    out.plain = setting.textBackClear;
    out.showArrows = setting.arrow;
    out.showLeaders = setting.leader;
}

void UseOutputPalette(DrawLoc& drawer)
{
    LocPalette& p = drawer.palette;
    p.light = 0xFFFFFF;
    p.mark = 0x0000FF;
    p.selectedMark = 0x0000FF;
    p.labelFill = 0xD9FDFF;
    p.selectedLabelFill = 0xFFFFFF;
    p.labelFrame = 0xAAAAAA;
    p.reserved1 = 0x777777;
    p.reserved2 = 0xF0B000;
    p.base = 0xFFFFFF;
    p.numberText = 0x0000FF;
    drawer.calloutColor = 204;
}

int OverzoomFurnitureDivisor(int tileZoom, const fe::geo::TileSite& site)
{
    const int levels = tileZoom - site.ZoomHigh();
    return levels == 1 || levels == 2 ? 2 * levels : 1;
}

ImageMaker::ImageMaker() : settings(AppSettings::Defaults())
{
    fe::geo::BuildBuiltInTileSites(builtInSites);
    mapServer.Server().SetMissingTiles(fe::geo::MissingTiles::FetchedNow);
}

ImageMaker::~ImageMaker()
{
    background.Release();
    mapServer.Close();
}

void ImageMaker::SetMarkStyle(const MarkStyle& style)
{
    markStyle = style;
    ApplyMarkStyleScaled(2.0, 1.0);
}

void ImageMaker::ApplyMarkStyleScaled(double a, double b)
{
    ApplyMarkTemplateScaled(viewMap, markStyle, markStyle.excel, a, b);
    ApplyMarkTemplateScaled(viewGsi, markStyle, markStyle.excel, a, b);
}

bool ImageMaker::RenderImageMap(fe::img::Image& target, const Project& project, int mapIndex, double scale)
{
    const LocationMap* stored = MapAt(project, mapIndex);
    if (stored == nullptr || target.IsNull())
        return false;
    const Rect2& frameRect = stored->frame.rectA;
    const double frameWidth = std::abs(frameRect.x1 - frameRect.x0);
    const double frameHeight = std::abs(frameRect.y1 - frameRect.y0);
    if (frameWidth == 0.0 || frameHeight == 0.0)
        return false;
    if (stored->kind != LocationMap::kPicture && stored->kind != LocationMap::kRegisteredPicture)
        return false;
    const QSize fitted = FittedSize(frameWidth, frameHeight, target.Picture().size());
    if (!project.LoadMapImage(background, mapIndex)) {
        background.Release();
        return false;
    }
    fe::img::Image work;
    if (!work.Create(2 * fitted.width(), 2 * fitted.height())) {
        background.Release();
        return false;
    }

    // The copy turns with its frame and gets a transform fitted to the work picture.
    LocationMap map(*stored);
    map.UseFrameOrientation();
    if (map.kind == LocationMap::kPicture) {
        map.transform.Reset(LocationMapTransform::kNone);
    } else {
        map.transform.Reset(LocationMapTransform::kPlane);
        map.MakeHelmertPair(map.transform.forward, map.transform.inverse);
        map.transform.value = map.NorthAngle();
    }
    const Rect2 frame(std::min(frameRect.x0, frameRect.x1), std::min(frameRect.y0, frameRect.y1),
                      std::max(frameRect.x0, frameRect.x1), std::max(frameRect.y0, frameRect.y1));
    map.transform.mapping.FitRect(frame, Rect2(0, 0, work.Width(), work.Height()));

    viewMap.transform = &map.transform;
    viewMap.style.SetScaled(2 * scale);
    UseOutputPalette(viewMap);
    ApplyMarkStyleScaled(2.0, scale);
    viewMap.SetupResources();
    if (map.frame.angle != 0.0)
        viewMap.SetRotatedTarget(map.frame.angle, &work, map.kind);
    else
        viewMap.ClearRotatedTarget();
    const bool began = viewMap.Begin(work.GetDC());
    if (began) {
        viewMap.DrawBackground(map, background.Picture());
        viewMap.DrawMapPhotos(map, project.photos);
        viewMap.DrawNorthArrow(2.0, map);
        viewMap.DrawScaleBar(2.0, map);
        viewMap.End();
    }
    viewMap.ClearRotatedTarget();
    viewMap.transform = nullptr;
    work.ReleaseDC();
    background.Release();
    if (!began)
        return false;

    // The work picture reduced into the target; the margins it leaves become white.
    target.ReleaseDC();
    target.Fill(kBlankMarker);
    const QSize t = target.Picture().size();
    const QSize g = FittedSize(work.Width(), work.Height(), t);
    if (g.width() == t.width()) {
        StretchInto(target, QRect(0, (t.height() - g.height()) / 2, t.width(), g.height()), work.Picture(),
                    QRect(0, 0, work.Width() - 1, work.Height()));
        FillBlankFromTop(target.Picture(), kWhite);
        FillBlankFromBottom(target.Picture(), kWhite);
    } else {
        StretchInto(target, QRect((t.width() - g.width()) / 2, 0, g.width(), t.height()), work.Picture(),
                    work.Picture().rect());
        FillBlankFromLeft(target.Picture(), kWhite);
        FillBlankFromRight(target.Picture(), kWhite);
    }
    return true;
}

bool ImageMaker::RenderTileMap(fe::img::Image& target, const Project& project, int mapIndex, double scale)
{
    const LocationMap* stored = MapAt(project, mapIndex);
    if (stored == nullptr || target.IsNull() || !stored->IsWebMap())
        return false;
    const size_t siteIndex = size_t(stored->kind - LocationMap::kWebStandard);
    if (siteIndex >= settings.tileSites.size())
        return false;
    const fe::geo::TileSite& site = settings.tileSites[siteIndex];
    LocationMap map(*stored);
    const int zoom = map.tileZoom;

    fe::img::Image tiles;
    if (!DrawBoxTiles(tiles, map.box, zoom, site))
        return false;
    const QSize fitted = FittedSize(tiles.Width(), tiles.Height(), target.Picture().size());
    fe::img::Image work;
    if (!work.Create(2 * fitted.width(), 2 * fitted.height()))
        return false;
    const fe::geo::GeoPoint centre = fe::geo::MercatorCentre(map.box);

    const double m = double(work.Width()) / tiles.Width();
    const int k = OverzoomFurnitureDivisor(zoom, site);
    // The north arrow points up the map; the turned drawer turns it with the tiles.
    map.UseMapOrientation();
    if (map.frame.angle != 0.0) {
        RotateImageInto(tiles, map.frame.angle, work);
        viewGsi.SetRotatedTarget(map.frame.angle, &work);
    } else {
        tiles.StretchTo(work);
        viewGsi.ClearRotatedTarget();
    }
    tiles.Release();

    // Marks at twice the output sizes, then the north arrow and the scale bar, smaller over enlarged tiles.
    const auto pass = [&](double factor, auto&& drawing) {
        viewGsi.style.SetScaled(factor * scale);
        UseOutputPalette(viewGsi);
        ApplyMarkStyleScaled(factor, scale);
        viewGsi.SetupResources();
        if (!viewGsi.BeginAtZoom(work.GetDC(), zoom))
            return false;
        viewGsi.viewport.Set(zoom, centre, work.Width() / 2, work.Height() / 2);
        drawing();
        viewGsi.End();
        work.ReleaseDC();
        return true;
    };
    const bool drawn =
        pass(2.0, [&] { viewGsi.DrawRenderedMarks(m, map, project.photos); }) &&
        pass(2.0 / k, [&] {
            viewGsi.DrawNorthArrow(m, map);
            viewGsi.DrawScaleBar(m, map, zoom);
        });
    viewGsi.ClearRotatedTarget();
    work.ReleaseDC();
    if (!drawn)
        return false;

    ReduceOntoWhite(target, work);
    return true;
}

bool ImageMaker::DrawBoxTiles(fe::img::Image& tiles, const Rect2& box, int zoom, const fe::geo::TileSite& site,
                              fe::geo::MissingTiles missing)
{
    const Point2 p = fe::geo::MercatorPixelSize(box, zoom);
    if (!(p.x >= 1.0 && p.y >= 1.0) || p.x * p.y > double(kMaxTilePicturePixels))
        return false;
    if (!tiles.Create(int(p.x), int(p.y)))
        return false;
    if (missing == fe::geo::MissingTiles::Queued)
        tiles.Fill(0xC0C0C0);
    if (!mapServer.Server().Open(settings.tileCacheFolder, site, proxy))
        return false;
    mapServer.Server().SetMissingTiles(missing);
    mapServer.SetCenter(fe::geo::MercatorCentre(box));
    mapServer.SetZoom(zoom);
    mapServer.DrawTilesToImage(tiles);
    mapServer.Close();
    tiles.ReleaseDC();
    return true;
}

void ReduceOntoWhite(fe::img::Image& target, const fe::img::Image& work)
{
    target.ReleaseDC();
    target.Fill(kWhite);
    const QSize t = target.Picture().size();
    const QSize g = FittedSize(work.Width(), work.Height(), t);
    if (g.isEmpty())
        return;
    const QRect into = g.width() == t.width() ? QRect(0, (t.height() - g.height()) / 2, t.width(), g.height())
                                              : QRect((t.width() - g.width()) / 2, 0, g.width(), t.height());
    StretchInto(target, into, work.Picture(), work.Picture().rect());
}

}  // namespace locmap
