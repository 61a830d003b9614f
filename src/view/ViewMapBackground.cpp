// The background picture of a picture map, straight or turned, and the blank margins of fitted pictures.
#include <QPainter>
#include <cmath>

#include "fe/geo/GeoPoint.h"
#include "fe/img/Image.h"
#include "model/LocationMap.h"
#include "view/ViewMap.h"

namespace locmap {

void ViewMap::DrawBackground(const LocationMap& map, const QImage& picture)
{
    if (rotated) {
        DrawRotatedBackground(map, picture);
        lastMapId = map.id;
        return;
    }
    if (m_dc == nullptr || transform == nullptr || picture.isNull())
        return;
    int width = 0, height = 0;
    if (map.kind == LocationMap::kPicture) {
        width = map.pictureWidth;
        height = map.pictureHeight;
    } else if (map.kind == LocationMap::kRegisteredPicture) {
        width = picture.width();
        height = picture.height();
    } else {
        return;
    }
    const fe::gdi::MapFunc2& m = transform->mapping;
    const int left = fe::geo::TruncToInt(m.X().Map(0));
    const int top = fe::geo::TruncToInt(m.Y().Map(0));
    const int right = fe::geo::TruncToInt(m.X().Map(width));
    const int bottom = fe::geo::TruncToInt(m.Y().Map(height));
    m_dc->save();
    m_dc->setRenderHint(QPainter::SmoothPixmapTransform, smooth != 0);
    // A reversed axis keeps the picture mirrored along it.
    m_dc->translate(left, top);
    m_dc->scale(right < left ? -1 : 1, bottom < top ? -1 : 1);
    m_dc->drawImage(QRect(0, 0, std::abs(right - left), std::abs(bottom - top)), picture);
    m_dc->restore();
    lastMapId = map.id;
}

void ViewMap::DrawRotatedBackground(const LocationMap& map, const QImage& picture)
{
    if (target == nullptr || target->IsNull())
        return;
    const int tw = target->Width();
    const int th = target->Height();
    QImage turned(tw, th, QImage::Format_RGB32);
    turned.fill(Qt::white);
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    fe::gdi::MapFunc2 local;
    const Rect2& a = map.frame.rectA;
    local.X().Set(Span(targetRect.x0, targetRect.x1), Span(a.x0, a.x1));
    local.Y().Set(Span(targetRect.y0, targetRect.y1), Span(a.y0, a.y1));
    const double c = std::cos(-targetAngle);
    const double s = std::sin(-targetAngle);
    for (int j = 0; j < th; ++j) {
        auto* row = reinterpret_cast<QRgb*>(turned.scanLine(j));
        for (int i = 0; i < tw; ++i) {
            const double dx = i - targetCentre.x;
            const double dy = j - targetCentre.y;
            const Point2 p =
                local.Map(Point2(targetCentre.x + dx * c - dy * s, targetCentre.y + dx * s + dy * c));
            // Compared as doubles: a point half a pixel left of the picture is outside, not column 0.
            if (!(p.x >= 0 && p.x < source.width() && p.y >= 0 && p.y < source.height()))
                continue;
            row[i] = source.pixel(int(p.x), int(p.y));
        }
    }
    if (m_dc != nullptr) {
        m_dc->save();
        m_dc->setCompositionMode(QPainter::CompositionMode_Source);
        m_dc->drawImage(0, 0, turned);
        m_dc->restore();
    } else {
        target->Picture() = turned;
    }
}

namespace {

constexpr std::uint32_t kBlank = 1;

// Replaces the run of blank pixels from the start of a line of `count` pixels stepping by `step`.
void FillRun(QImage& image, int x, int y, int dx, int dy, int count, std::uint32_t rgb)
{
    for (int k = 0; k < count; ++k, x += dx, y += dy) {
        QRgb* pixel = reinterpret_cast<QRgb*>(image.scanLine(y)) + x;
        if ((*pixel & 0xFFFFFF) != kBlank)
            return;
        *pixel = 0xFF000000u | rgb;
    }
}

bool Prepare(QImage& image)
{
    if (image.isNull())
        return false;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    return true;
}

}  // namespace

void FillBlankFromLeft(QImage& image, std::uint32_t rgb)
{
    if (Prepare(image))
        for (int y = 0; y < image.height(); ++y)
            FillRun(image, 0, y, 1, 0, image.width(), rgb);
}

void FillBlankFromRight(QImage& image, std::uint32_t rgb)
{
    if (Prepare(image))
        for (int y = 0; y < image.height(); ++y)
            FillRun(image, image.width() - 1, y, -1, 0, image.width(), rgb);
}

void FillBlankFromTop(QImage& image, std::uint32_t rgb)
{
    if (Prepare(image))
        for (int x = 0; x < image.width(); ++x)
            FillRun(image, x, 0, 0, 1, image.height(), rgb);
}

void FillBlankFromBottom(QImage& image, std::uint32_t rgb)
{
    if (Prepare(image))
        for (int x = 0; x < image.width(); ++x)
            FillRun(image, x, image.height() - 1, 0, -1, image.height(), rgb);
}

}  // namespace locmap
