#include "view/DrawLoc.h"

#include <QImageReader>
#include <QPainter>

#include "fe/AppFolders.h"
#include "fe/gdi/Color.h"
#include "fe/gdi/Pen.h"
#include "fe/gdi/Shapes.h"
#include "fe/gdi/TextAt.h"
#include "fe/geo/GeoPoint.h"
#include "fe/img/Image.h"

namespace locmap {
namespace {

// 0xFFFFFFFF is not a colour word, but the white pens of the overlays are written that way; the colour
// helper reads only the low three bytes, so it comes out white.
constexpr std::uint32_t kWhitePen = 0xFFFFFFFF;

QImage LoadIcon(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull())
        return QImage();
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

DrawLoc::DrawLoc()
{
    Reset();
}

void DrawLoc::Reset()
{
    DrawDip::Reset();
    markRes = fe::gdi::Resource();
    overlayRes = fe::gdi::Resource();
    blueIcon = QImage();
    redIcon = QImage();
}

void DrawLoc::SetTurnedTarget(double angle, fe::img::Image* image)
{
    rotated = true;
    target = image;
    const double w = image != nullptr ? image->Width() : 0;
    const double h = image != nullptr ? image->Height() : 0;
    targetRect = Rect2(0, 0, w, h);
    targetCentre = Point2(w * 0.5, h * 0.5);
    targetAngle = angle;
}

void DrawLoc::ClearRotatedTarget()
{
    rotated = false;
    target = nullptr;
    targetAngle = 0.0;
}

QPoint DrawLoc::TurnedPoint(const QPoint& p) const
{
    if (!rotated)
        return p;
    const Point2 turned = (Point2(p.x(), p.y()) - targetCentre).Rotate(targetAngle) + targetCentre;
    return QPoint(fe::geo::TruncToInt(turned.x), fe::geo::TruncToInt(turned.y));
}

bool DrawLoc::Begin(QPainter* dc)
{
    if (!DrawDip::Begin(dc))
        return false;
    markRes.Realize(m_dpi);
    overlayRes.Realize(m_dpi);
    m_textColor = 0;
    m_opaque = false;
    m_textAlign = 0;
    return true;
}

void DrawLoc::BuildMarkResources()
{
    const int w = style.lineWidth;
    const int o = style.baseExtraWidth;
    const LocPalette& p = palette;
    markRes = fe::gdi::Resource();
    const std::pair<std::uint32_t, int> entries[] = {
        {p.light, 1},
        {p.mark, 1},
        {p.selectedMark, 1},
        {p.base, o + w},
        {p.mark, w},
        {p.selectedMark, w},
        {p.labelFill, 1},
        {p.selectedLabelFill, 1},
        {p.labelFrame, 1},
        {p.reserved1, 1},
        {p.reserved2, 1},
        {p.numberText, 1},
        {p.mapMark, w},
        {0x808080, 1},
        {p.selectedLabelFill, o + w},
        {p.base, w},
        {p.mapMark, w < 2 ? 1 : w / 2},
    };
    for (const auto& [color, width] : entries)
        markRes.m_colors.emplace_back(color, width);
    markRes.m_logFonts.Add(style.fontFace, style.fontHeight, 0).weight = 600;
    markRes.m_logFonts.Add(style.fontFace, style.fontHeight, 0);
}

void DrawLoc::SetupResources()
{
    BuildMarkResources();
    const int l = int(siteLineWidth);
    const LocPalette& p = palette;
    overlayRes = fe::gdi::Resource();
    const std::pair<std::uint32_t, int> entries[] = {
        {p.light, 4},
        {p.mark, 2},
        {p.selectedMark, 2},
        {style.northColor, style.northPenWidth},
        {style.northHaloColor, style.northHaloWidth},
        {p.selectedMark, 1},
        {kWhitePen, 4},
        {0xFF0000, 2},
        {196, 2},
        {kWhitePen, 1},
        {255, 1},
        {0x0A6400, l},
        {0x0A6400, 1},
        {calloutColor, l},
        {204, l},
        {kWhitePen, l + 2},
        {0x00F2FF, l + 2},
    };
    for (const auto& [color, width] : entries)
        overlayRes.m_colors.emplace_back(color, width);
    overlayRes.m_logFonts.Add(face1, face1Height, 0);
    overlayRes.m_logFonts.Add(face2, face2Height, 0);
    overlayRes.m_logFonts.Add(face2, face2Height, 150);
    overlayRes.m_logFonts.Add(face2, calloutTextHeight, 0);
}

void DrawLoc::UseMapPalette()
{
    const std::uint32_t mapMark = palette.mapMark;
    palette = LocPalette();
    palette.mapMark = mapMark;  // only the template copy changes it
}

void DrawLoc::UseOverviewPalette()
{
    UseMapPalette();
    palette.mark = palette.selectedMark = palette.numberText = 0xB05000;
    palette.labelFill = 0xFFFFFF;
}

void DrawLoc::LoadPointIcons()
{
    const QString folder = fe::GetExeFolder();
    if (folder.isEmpty()) {
        blueIcon = redIcon = QImage();
        return;
    }
    LoadPointIcons(folder);
}

void DrawLoc::LoadPointIcons(const QString& folder)
{
    blueIcon = LoadIcon(folder + QStringLiteral("Icon/photoPointBlue.png"));
    redIcon = LoadIcon(folder + QStringLiteral("Icon/photoPointRed.png"));
}

bool DrawLoc::RedIconApplies() const
{
    return !redIcon.isNull() && palette.mapMark == 204 && style.markRadius == 5 && style.sizeFactor == 1.0;
}

namespace {

// Selects entry `index` of one of a resource set's arrays into the painter; nothing for a missing entry.
template <class T, class Setter>
void Select(QPainter* dc, const std::vector<T>& entries, int index, Setter setter)
{
    if (dc != nullptr && index >= 0 && index < int(entries.size()))
        (dc->*setter)(entries[size_t(index)]);
}

using SetPen = void (QPainter::*)(const QPen&);
using SetBrush = void (QPainter::*)(const QBrush&);

}  // namespace

void DrawLoc::UseMarkPen(int index)
{
    Select(m_dc, markRes.m_pens, index, SetPen(&QPainter::setPen));
}

void DrawLoc::UseMarkBrush(int index)
{
    Select(m_dc, markRes.m_brushes, index, SetBrush(&QPainter::setBrush));
}

void DrawLoc::UseMarkFont(int index)
{
    Select(m_dc, markRes.m_fonts, index, &QPainter::setFont);
}

void DrawLoc::UseOverlayPen(int index)
{
    Select(m_dc, overlayRes.m_pens, index, SetPen(&QPainter::setPen));
}

void DrawLoc::UseOverlayBrush(int index)
{
    Select(m_dc, overlayRes.m_brushes, index, SetBrush(&QPainter::setBrush));
}

void DrawLoc::UseOverlayFont(int index)
{
    Select(m_dc, overlayRes.m_fonts, index, &QPainter::setFont);
}

void DrawLoc::SelectNullPen()
{
    if (m_dc != nullptr)
        m_dc->setPen(Qt::NoPen);
}

void DrawLoc::SelectNullBrush()
{
    if (m_dc != nullptr)
        m_dc->setBrush(Qt::NoBrush);
}

void DrawLoc::SelectWhiteBrush()
{
    if (m_dc != nullptr)
        m_dc->setBrush(Qt::white);
}

void DrawLoc::SelectBlackBrush()
{
    if (m_dc != nullptr)
        m_dc->setBrush(Qt::black);
}

void DrawLoc::SetTextColor(const QColor& color)
{
    m_textColor = fe::gdi::QColorToColorRef(color);
}

void DrawLoc::SetOpaqueBackground(std::uint32_t colorRef)
{
    m_opaque = true;
    m_backColor = colorRef;
}

bool DrawLoc::MeasureText(const QString& text, QSize& size) const
{
    if (m_dc == nullptr)
        return false;
    TextExtent(text, size);
    return size.width() > 0 && size.height() > 0;
}

QColor DrawLoc::TextColor() const
{
    return fe::gdi::ColorRefToQColor(m_textColor);
}

void DrawLoc::WriteText(int x, int y, const QString& text, unsigned align, int escapement)
{
    if (m_dc == nullptr)
        return;
    const QPen pen = m_dc->pen();
    m_dc->setPen(TextColor());
    if (m_opaque && escapement == 0)
        fe::gdi::DrawOpaqueTextAt(*m_dc, x, y, text, align, fe::gdi::ColorRefToQColor(m_backColor));
    else
        fe::gdi::DrawTextAt(*m_dc, x, y, text, align, escapement);
    m_dc->setPen(pen);
}

void DrawLoc::DrawRect(int x0, int y0, int x1, int y1)
{
    if (m_dc != nullptr)
        fe::gdi::DrawRectangle(*m_dc, std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1,
                               std::max(y0, y1) + 1);
}

void DrawLoc::TextAt(int x, int y, const QString& text, int escapement)
{
    WriteText(x, y, text, m_textAlign, escapement);
}

void DrawLoc::DrawPolyline(const std::vector<QPoint>& points)
{
    if (m_dc == nullptr || points.size() < 2)
        return;
    fe::gdi::DrawPolyline(*m_dc, QPolygon(QList<QPoint>(points.begin(), points.end())));
}

bool DrawLoc::SmallSpanCentre(const std::vector<QPoint>& points, QPoint& centre)
{
    const Rect2i box = Rect2i::BoundsOfPoints(points);
    if (points.empty() || box.x1 - box.x0 >= 16 || box.y1 - box.y0 >= 16)
        return false;
    centre = QPoint((box.x0 + box.x1) / 2, (box.y0 + box.y1) / 2);
    return true;
}

void DrawLoc::DrawOutline(const std::vector<QPoint>& points)
{
    if (m_dc == nullptr || points.empty())
        return;
    if (QPoint c; SmallSpanCentre(points, c)) {
        fe::gdi::DrawRectangle(*m_dc, c.x() - 8, c.y() - 8, c.x() + 9, c.y() + 9);
        return;
    }
    std::vector<QPoint> closed = points;
    closed.push_back(points.front());
    DrawPolyline(closed);
}

}  // namespace locmap
