#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "fe/gdi/LogFont.h"
#include "fe/gdi/Resource.h"
#include "fe/gdi/Shapes.h"
#include "fe/gdi/TextAt.h"
#include "view/DrawLoc.h"
#include "view/ScaleBar.h"

// Map furniture shared by the drawers: name bands, title box, north symbol and scale bar.

namespace locmap {

bool DrawLoc::DrawNameBand(const QPoint& start, const QPoint& toward, const QString& text, int k)
{
    if (m_dc == nullptr)
        return false;
    UseOverlayFont(1);
    QSize size;
    if (!MeasureText(text, size))
        return false;
    const Point2 edge(toward.x() - start.x(), toward.y() - start.y());
    const Point2 e = edge.Unit();
    const Point2 n = Point2(-e.y, e.x).Scale(size.height() + 4);
    const double length = size.width() + 10;
    const auto pixel = [](const Point2& p) { return QPoint(int(p.x), int(p.y)); };
    const auto bandAt = [&](const Point2& from) {
        const Point2 to = from + e.Scale(length);
        return QPolygon({pixel(from), pixel(to), pixel(to + n), pixel(from + n)});
    };
    Point2 s(start.x(), start.y());
    if (!keepClear.isEmpty()) {
        const double room = std::hypot(edge.x, edge.y) - length;
        for (double shift = 0; shift <= room; shift += 4) {
            if (!bandAt(s + e.Scale(shift)).boundingRect().intersects(keepClear)) {
                s = s + e.Scale(shift);
                break;
            }
        }
    }
    SelectNullPen();
    UseOverlayBrush(1);
    fe::gdi::DrawPolygon(*m_dc, bandAt(s));
    const int escapement = -int(std::atan2(-e.y, -e.x) * 1800 / std::numbers::pi);
    SetTextColor(palette.light);
    SetTransparentBackground();
    WriteText(int(s.x + n.x + k * e.x), int(s.y + n.y + k * e.y), text, fe::gdi::TA_RIGHT | fe::gdi::TA_TOP,
              escapement);
    return true;
}

}  // namespace locmap

namespace locmap {
namespace {

QPoint Trunc(double x, double y)
{
    return QPoint(int(x), int(y));
}

}  // namespace

void DrawArrowDart(QPainter& painter, double angle, double cx, double cy, double length)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const int x = int(cx);
    const int y = int(cy);
    const double local[4][2] = {{0, -length},
                                {-0.4375 * length, 0.875 * length},
                                {0, 0.625 * length},
                                {0.4375 * length, 0.875 * length}};
    QPolygon dart;
    for (const auto& p : local)
        dart << QPoint(x + int(p[0] * c - p[1] * s), y + int(p[0] * s + p[1] * c));
    fe::gdi::DrawPolygon(painter, dart);
}

void DrawLoc::DrawTitleBox(const QString& text)
{
    if (m_dc == nullptr)
        return;
    UseOverlayFont(0);
    QSize size;
    if (!MeasureText(text, size))
        return;
    UseMarkPen(kMarkLight);
    UseOverlayBrush(1);
    fe::gdi::DrawRoundRect(*m_dc, 8, 8, size.width() + 25, size.height() + 13, 8, 8);
    SetTextColor(palette.light);
    SetTransparentBackground();
    WriteText(16, 8, text, fe::gdi::TA_LEFT | fe::gdi::TA_TOP);
}

void DrawLoc::DrawNorthSymbol(double r, double angle, const QPoint& c)
{
    if (m_dc == nullptr)
        return;
    const auto ring = [&] {
        fe::gdi::DrawEllipse(*m_dc, int(c.x() - r), int(c.y() - r), int(c.x() + r + 1), int(c.y() + r + 1));
    };
    SelectNullPen();
    UseOverlayBrush(4);
    DrawArrowDart(*m_dc, angle, c.x(), c.y(), r + 4);
    UseOverlayPen(4);
    SelectNullBrush();
    ring();
    SelectNullPen();
    UseOverlayBrush(3);
    DrawArrowDart(*m_dc, angle, c.x(), c.y(), r);
    UseOverlayPen(3);
    SelectNullBrush();
    ring();
}

void DrawLoc::DrawNorthArrowAt(double k, double angle, const QPoint& centre)
{
    DrawNorthSymbol(style.northRadius * k, angle, centre);
}

void DrawLoc::UseScaleBarFont(int height)
{
    if (m_dc == nullptr)
        return;
    fe::gdi::LogFontAry fonts;
    fonts.Add(QStringLiteral("ＭＳゴシック"), height, 0);
    m_dc->setFont(fe::gdi::ToQFont(fonts.front()));
}

void DrawLoc::DrawScaleBarAt(int row, int x, int y, int b, int d)
{
    if (m_dc == nullptr || row < 0 || row >= kScaleBarRowCount)
        return;
    const ScaleBarRow& bar = kScaleBarSteps[row];
    const int n = bar.segments;
    const int c = b / n;
    const int e = x - n * c;
    SetTextColor(QColor(Qt::black));
    SetTransparentBackground();
    SelectNullPen();
    SelectWhiteBrush();
    fe::gdi::DrawRectangle(*m_dc, e - d, y - d - d / 2, x + 2 * d + 1, y + d + 5 + 1);
    SelectBlackBrush();
    fe::gdi::DrawRectangle(*m_dc, e, y - d, x + 1 + 1, y + 1 + 1);
    SelectWhiteBrush();
    for (int i = 0; i < n; i += 2) {
        const int left = i == 0 ? e + c / 2 + 1 : e + c * i + 1;
        fe::gdi::DrawRectangle(*m_dc, left, y - d + 1, e + c * (i + 1) + 1, y + 1);
    }
    // Labels that would run into their neighbours on a short bar are left out, never the ends.
    std::vector<int> widths;
    for (int i = 0; i <= n; ++i) {
        QSize size;
        widths.push_back(MeasureText(QString::number(i * bar.step), size) ? size.width() : 0);
    }
    for (const int i : ShownScaleLabels(widths, c, std::max(2, d / 2)))
        WriteText(e + c * i, y + d / 4, QString::number(i * bar.step), fe::gdi::TA_CENTER | fe::gdi::TA_TOP);
    WriteText(x, y - d / 8, QStringLiteral(" m"), fe::gdi::TA_LEFT | fe::gdi::TA_BOTTOM);
}

void DrawLoc::DrawFrameShape(const QPoint (&corners)[4], const QString& name, bool showName,
                             const QPoint& topMiddle, const QPoint& rotation)
{
    if (m_dc == nullptr)
        return;
    UseOverlayPen(1);
    SelectNullBrush();
    DrawPolyline({corners[0], corners[1], corners[2], corners[3], corners[0]});
    if (showName && !name.isEmpty())
        DrawNameBand(corners[3], corners[0], name, 8);
    UseOverlayPen(5);
    UseOverlayBrush(0);
    const auto handle = [this](const QPoint& p) {
        fe::gdi::DrawEllipse(*m_dc, p.x() - 5, p.y() - 5, p.x() + 6, p.y() + 6);
    };
    for (const QPoint& corner : corners)
        handle(corner);
    m_dc->drawLine(topMiddle, rotation);
    handle(rotation);
    for (int k = 0; k < 4; ++k) {
        const QPoint& a = corners[k];
        const QPoint& b = corners[(k + 1) % 4];
        handle(QPoint((a.x() + b.x()) / 2, (a.y() + b.y()) / 2));
    }
    SelectNullBrush();
}

void DrawLoc::DrawLineArrowHead(double length, const QPoint& tip, const QPoint& tail)
{
    if (m_dc == nullptr)
        return;
    constexpr double kDartAngle = 0.3490658503988659;  // 20 degrees
    const Point2 u = Point2(tail.x() - tip.x(), tail.y() - tip.y()).Unit().Scale(length);
    const Point2 a = u.Rotate(kDartAngle);
    const Point2 b = u.Rotate(-kDartAngle);
    const QPolygon dart(
        {tip + Trunc(a.x, a.y), tip, tip + Trunc(b.x, b.y), tip + Trunc(0.7 * u.x, 0.7 * u.y)});
    fe::gdi::DrawPolygon(*m_dc, dart);
}

void DrawLoc::DrawTrackArrowHead(const QPoint& tip, const QPoint& tail)
{
    DrawLineArrowHead(25, tip, tail);
}

void DrawLoc::DrawAreaEllipse(const std::vector<QPoint>& points)
{
    if (m_dc == nullptr || points.empty())
        return;
    if (QPoint c; SmallSpanCentre(points, c)) {
        fe::gdi::DrawEllipse(*m_dc, c.x() - 8, c.y() - 8, c.x() + 9, c.y() + 9);
        return;
    }
    if (points.size() < 4)
        return;
    Point2 centre;
    for (size_t k = 0; k < 4; ++k)
        centre = centre + Point2(points[k].x(), points[k].y());
    centre = centre.Scale(0.25);
    const Point2 edge01(points[1].x() - points[0].x(), points[1].y() - points[0].y());
    const Point2 edge03(points[3].x() - points[0].x(), points[3].y() - points[0].y());
    const double a = std::hypot(edge01.x, edge01.y) / 2;
    const double b = std::hypot(edge03.x, edge03.y) / 2;
    const double phi = std::atan2(edge01.y, edge01.x);
    std::vector<QPoint> ring;
    for (int i = 0; i < 100; ++i) {
        const double t = 2 * std::numbers::pi * i / 100;
        ring.push_back(Trunc(centre.x + a * std::cos(t) * std::cos(phi) - b * std::sin(t) * std::sin(phi),
                             centre.y + a * std::cos(t) * std::sin(phi) + b * std::sin(t) * std::cos(phi)));
    }
    ring.push_back(ring.front());
    DrawPolyline(ring);
}

}  // namespace locmap
