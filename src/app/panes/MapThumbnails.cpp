#include "app/panes/MapThumbnails.h"

#include <QPainter>
#include <cmath>

#include "fe/geo/PhotoFit.h"
#include "fe/img/Image.h"
#include "model/AppSettings.h"
#include "model/Project.h"
#include "view/locmap/ImageMaker.h"

namespace app {

QSize ThumbnailDrawSize(QSize frame)
{
    // The factors count in twentieths from whole numbers, so that no step drifts.
    for (int k = 2; k <= 19; ++k) {
        const int width = frame.width() * k / 20;
        const int height = frame.height() * k / 20;
        if (qint64(width) * height > 200000)
            return {width, height};
    }
    return {frame.width() * 19 / 20, frame.height() * 19 / 20};
}

QRgb ThumbnailPixel(QRgb pixel)
{
    const int r = qRed(pixel);
    const int g = qGreen(pixel);
    const int b = qBlue(pixel);
    const bool kept = (r == 0 && g == 0 && b == 0) || (r == 192 && g == 192 && b == 192) ||
                      (r == 255 && g == 255 && b == 255);
    if (kept)
        return pixel;
    return qRgb(b * 15 / 16, g * 7 / 8, r * 7 / 8);
}

void RotateThumbnailInto(const QImage& source, double angle, QImage& target)
{
    const int sw = source.width();
    const int sh = source.height();
    const int tw = target.width();
    const int th = target.height();
    if (sw <= 0 || sh <= 0 || tw <= 0 || th <= 0)
        return;
    const bool byHeight = double(tw) / sw > double(th) / sh;
    const double g = byHeight ? double(sh) / th : double(sw) / tw;
    const double a = -angle;
    const double c = std::cos(a);
    const double s = std::sin(a);
    for (int i = 0; i < th; ++i) {
        for (int j = 0; j < tw; ++j) {
            const double u = (j - tw / 2.0) * g;
            const double v = (i - th / 2.0) * g;
            const double x = u * c - v * s + sw / 2.0;
            const double y = u * s + v * c + sh / 2.0;
            const bool inside = x >= 0 && y >= 0 && x < sw && y < sh;
            target.setPixel(j, i, inside ? source.pixel(int(x), int(y)) : qRgb(255, 255, 255));
        }
    }
}

namespace {

// The most pixels a web map's tiles are drawn at before they are reduced into its thumbnail.
constexpr double kThumbnailSourcePixels = 2048.0 * 2048.0;

// The map's zoom, or the first level out from it at which the box's picture has at most
// kThumbnailSourcePixels.
int ThumbnailTileZoom(const Rect2& box, int zoom)
{
    for (; zoom > 0; --zoom) {
        const Point2 size = fe::geo::MercatorPixelSize(box, zoom);
        if (size.x * size.y <= kThumbnailSourcePixels)
            break;
    }
    return zoom;
}

// `picture` reduced smoothly into `size`, keeping its proportions, centred on grey RGB(192,192,192).
QImage FitOnGrey(const QImage& picture, QSize size)
{
    QImage thumbnail(size, QImage::Format_RGB32);
    thumbnail.fill(qRgb(192, 192, 192));
    const QImage reduced = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&thumbnail);
    painter.drawImage((size.width() - reduced.width()) / 2, (size.height() - reduced.height()) / 2, reduced);
    painter.end();
    return thumbnail;
}

}  // namespace

QImage PictureMapThumbnail(const Project& project, int mapIndex, QSize size)
{
    if (!project.maps.IsValidIndex(mapIndex))
        return QImage();
    // The picture is read at the size it is reduced from: the drawing size of its output frame, or of a
    // large picture when the frame has no size.
    const Rect2& frame = project.maps.maps[size_t(mapIndex)].frame.rectA;
    QSize frameSize(int(std::fabs(frame.x1 - frame.x0)), int(std::fabs(frame.y1 - frame.y0)));
    if (frameSize.width() < 1 || frameSize.height() < 1)
        frameSize = QSize(4000, 3000);
    fe::img::Image picture;
    if (!project.LoadMapImage(picture, mapIndex, ThumbnailDrawSize(frameSize)))
        return QImage();
    const QImage& drawn = picture.Picture();
    if (drawn.isNull() || size.isEmpty())
        return QImage();
    QImage thumbnail = FitOnGrey(drawn, size);
    for (int y = 0; y < thumbnail.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(thumbnail.scanLine(y));
        for (int x = 0; x < thumbnail.width(); ++x)
            line[x] = ThumbnailPixel(line[x]);
    }
    return thumbnail;
}

QImage WebMapThumbnail(const Project& project, int mapIndex, QSize size, const AppSettings* settings)
{
    if (!project.maps.IsValidIndex(mapIndex) || size.isEmpty())
        return QImage();
    const LocationMap& map = project.maps.maps[size_t(mapIndex)];
    if (!map.IsWebMap())
        return QImage();
    locmap::ImageMaker maker;
    if (settings) {
        // The tiles the view showed are in the program's own cache, fetched from its own sites.
        maker.settings.tileCacheFolder = settings->tileCacheFolder;
        maker.settings.tileSites = settings->tileSites;
    }
    if (maker.proxy.ReadRegistry() != 0)
        maker.proxy.SetEnabled(false);
    const size_t site = size_t(map.kind - LocationMap::kWebStandard);
    // Only tiles already in the cache are drawn: a thumbnail never waits for the network, and the map's own
    // tiles are there once the view has shown it. A box too large at the map's zoom is drawn some levels
    // out, so that the picture reduced into the thumbnail stays small.
    const int zoom = ThumbnailTileZoom(map.box, map.tileZoom);
    fe::img::Image tiles;
    if (site >= maker.settings.tileSites.size() ||
        !maker.DrawBoxTiles(tiles, map.box, zoom, maker.settings.tileSites[site], fe::geo::MissingTiles::Queued))
        return QImage();
    // Turned frames fill the thumbnail; a frame within a tenth of a degree of upright keeps its margins.
    if (std::fabs(map.frame.angle) < 0.1 * M_PI / 180.0)
        return FitOnGrey(tiles.Picture(), size);
    QImage thumbnail(size, QImage::Format_RGB32);
    RotateThumbnailInto(tiles.Picture(), map.frame.angle, thumbnail);
    return thumbnail;
}

}  // namespace app
