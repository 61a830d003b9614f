#include "view/DrawLoc.h"

#include <QImageReader>
#include <QPainter>

#include "fe/AppFolders.h"
#include "fe/gdi/Color.h"
#include "fe/gdi/Pen.h"
#include "fe/gdi/Shapes.h"
#include "fe/gdi/TextAt.h"

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

void DrawLoc::UseMarkPen(int index)
{
    if (m_dc != nullptr && index >= 0 && index < int(markRes.m_pens.size()))
        m_dc->setPen(markRes.m_pens[size_t(index)]);
}

void DrawLoc::UseMarkBrush(int index)
{
    if (m_dc != nullptr && index >= 0 && index < int(markRes.m_brushes.size()))
        m_dc->setBrush(markRes.m_brushes[size_t(index)]);
}

void DrawLoc::UseMarkFont(int index)
{
    if (m_dc != nullptr && index >= 0 && index < int(markRes.m_fonts.size()))
        m_dc->setFont(markRes.m_fonts[size_t(index)]);
}

void DrawLoc::UseOverlayPen(int index)
{
    if (m_dc != nullptr && index >= 0 && index < int(overlayRes.m_pens.size()))
        m_dc->setPen(overlayRes.m_pens[size_t(index)]);
}

void DrawLoc::UseOverlayBrush(int index)
{
    if (m_dc != nullptr && index >= 0 && index < int(overlayRes.m_brushes.size()))
        m_dc->setBrush(overlayRes.m_brushes[size_t(index)]);
}

void DrawLoc::UseOverlayFont(int index)
{
    if (m_dc != nullptr && index >= 0 && index < int(overlayRes.m_fonts.size()))
        m_dc->setFont(overlayRes.m_fonts[size_t(index)]);
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

void DrawLoc::DrawOutline(const std::vector<QPoint>& points)
{
    if (m_dc == nullptr || points.empty())
        return;
    const Rect2i box = Rect2i::BoundsOfPoints(points);
    if (box.x1 - box.x0 < 16 && box.y1 - box.y0 < 16) {
        const int cx = (box.x0 + box.x1) / 2;
        const int cy = (box.y0 + box.y1) / 2;
        fe::gdi::DrawRectangle(*m_dc, cx - 8, cy - 8, cx + 9, cy + 9);
        return;
    }
    std::vector<QPoint> closed = points;
    closed.push_back(points.front());
    DrawPolyline(closed);
}

}  // namespace locmap
