// Tracks and the linear-sort line, shared by both drawers once their points are on the screen.
#include <QPainter>
#include <cmath>

#include "view/DrawLoc.h"

namespace locmap {
namespace {

std::vector<QPoint> WithoutRepeats(const std::vector<QPoint>& points)
{
    std::vector<QPoint> kept;
    kept.reserve(std::max<size_t>(points.size(), 3600));
    for (const QPoint& p : points) {
        if (kept.empty() || kept.back() != p)
            kept.push_back(p);
    }
    return kept;
}

}  // namespace

void DrawLoc::DrawTrackPoints(const std::vector<QPoint>& screen, const std::vector<Point2>& directions,
                              int current)
{
    if (m_dc == nullptr || screen.empty())
        return;
    SelectNullBrush();
    const std::vector<QPoint> line = WithoutRepeats(screen);
    const bool hasCurrent = current >= 0 && current < int(screen.size());
    UseOverlayPen(6);
    DrawPolyline(line);
    UseOverlayPen(hasCurrent ? 8 : 7);
    DrawPolyline(line);
    if (hasCurrent) {
        const size_t i = size_t(current);
        QPoint tail = screen[i];
        const auto behind = [&](size_t from, size_t to, const QPoint& origin) {
            const double theta = (directions[from] - directions[to]).Angle();
            return origin + QPoint(int(100 * std::cos(theta)), int(100 * std::sin(theta)));
        };
        if (i >= 1)
            tail = behind(i - 1, i, screen[i - 1]);
        else if (screen.size() > 1)
            tail = behind(0, 1, screen[0]);
        SelectNullPen();
        UseOverlayPen(9);
        UseOverlayBrush(9);
        DrawTrackArrowHead(screen[i], tail);
        UseOverlayBrush(10);
        DrawTrackArrowHead(screen[i], tail);
    }
    SelectNullPen();
    SelectNullBrush();
}

void DrawLoc::DrawSortLinePoints(int halfWidth, const std::vector<QPoint>& points, const QSize& pictureSize)
{
    if (m_dc == nullptr || points.empty())
        return;
    SelectNullBrush();
    const std::vector<QPoint> line = WithoutRepeats(points);
    // The band goes opaque into a layer of its own and is blended once, so that overlapping segments are not
    // blended twice.
    if (pictureSize.width() > 0 && pictureSize.height() > 0) {
        QImage band(pictureSize, QImage::Format_ARGB32_Premultiplied);
        band.fill(Qt::transparent);
        QPainter layer(&band);
        QPen pen(QColor(0, 128, 255), std::max(1, 2 * std::abs(halfWidth)));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        layer.setPen(pen);
        // A zero-length line draws nothing in Qt; a point with the round-capped pen is the dot it stands for.
        if (line.size() == 1)
            layer.drawPoint(line.front());
        for (size_t k = 1; k < line.size(); ++k)
            layer.drawLine(line[k - 1], line[k]);
        layer.end();
        m_dc->save();
        m_dc->setOpacity(0x33 / 255.0);
        m_dc->drawImage(0, 0, band);
        m_dc->restore();
    }
    UseOverlayPen(6);
    DrawPolyline(line);
    if (line.size() >= 2)
        DrawLineArrowHead(15, line.back(), line[line.size() - 2]);
    UseOverlayPen(8);
    DrawPolyline(line);
    if (line.size() >= 2) {
        UseOverlayBrush(8);
        DrawLineArrowHead(15, line.back(), line[line.size() - 2]);
    }
    SelectNullBrush();
}

}  // namespace locmap
