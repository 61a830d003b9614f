#include "view/ViewPhotoLink.h"

#include <QPainter>
#include <cstdlib>

#include "fe/Failure.h"
#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/geo/GeoPoint.h"
#include "fe/img/Rotate.h"

namespace locmap {

ViewPhotoLink::ViewPhotoLink()
{
    Reset();
}

void ViewPhotoLink::Reset()
{
    DrawDip::Reset();
    mapping.Reset();
    res = fe::gdi::Resource();
    zoomFactor = 1.0;
}

void ViewPhotoLink::SetupResources()
{
    res.m_colors.emplace_back(0xFFFFFFFF, 1);
    res.m_colors.emplace_back(204, 1);
    res.m_colors.emplace_back(204, 2);
}

bool ViewPhotoLink::Begin(QPainter* dc)
{
    if (!DrawDip::Begin(dc))
        return false;
    res.Realize(m_dpi);
    return true;
}

void ViewPhotoLink::DrawImage(const QImage& picture)
{
    if (m_dc == nullptr || picture.isNull())
        return;
    const int x0 = fe::geo::TruncToInt(mapping.X().Map(0));
    const int y0 = fe::geo::TruncToInt(mapping.Y().Map(0));
    const int x1 = fe::geo::TruncToInt(mapping.X().Map(picture.width()));
    const int y1 = fe::geo::TruncToInt(mapping.Y().Map(picture.height()));
    m_dc->save();
    m_dc->setRenderHint(QPainter::SmoothPixmapTransform, smooth != 0);
    m_dc->drawImage(QRect(x0, y0, std::abs(x1 - x0), std::abs(y1 - y0)), picture);
    m_dc->restore();
}

bool ViewPhotoLink::FitImage(const QImage& picture, QSize target)
{
    if (picture.isNull() || target.isEmpty())
        return false;
    mapping.FitRect(Rect2(0.0, 0.0, picture.width(), picture.height()),
                    Rect2(0.0, 0.0, target.width(), target.height()));
    if (zoomFactor != 1.0)
        mapping.ZoomAbout(zoomFactor, Point2(target.width() / 2.0, target.height() / 2.0));
    return true;
}

QImage ViewPhotoLink::TurnedPhoto(const QImage& photo, int rotation)
{
    if (rotation == 0)
        return photo;
    if (rotation != 90 && rotation != 180 && rotation != 270)
        return QImage();
    QImage turned;
    try {
        PlgImage(turned, photo, rotation);
    } catch (const fe::Failure&) {
        return QImage();
    }
    return turned;
}

}  // namespace locmap
