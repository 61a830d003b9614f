#include "view/CalloutLayout.h"

#include "fe/PixelGeometry.h"
#include "fe/SegmentGeometry.h"

namespace locmap {

CalloutLayout LayOutCallout(const QPoint& p, const QPoint& c, int w, int h, int k, int viewportWidth)
{
    bool right = p.x() < k * (viewportWidth / 2);
    bool up = 6 * h < p.y();
    const Point2 d(double(p.x()) - c.x(), double(p.y()) - c.y());
    if (d.x != 0 || d.y != 0) {
        switch (SignQuadrant(Point2(d.x, -d.y))) {
            case 1:
                right = true, up = true;
                break;
            case 2:
                right = false, up = true;
                break;
            case 3:
                right = false, up = false;
                break;
            default:
                right = true, up = false;
                break;
        }
    }
    const int t = right ? int(-1.5 * h) : int(1.5 * h + w);
    const int e = p.x() - t;
    const int m = up ? p.y() - 3 * h : p.y() + 4 * h;
    CalloutLayout layout;
    layout.box = Rect2i(e - 10 * k, m - 5 * k - h, e + w + 10 * k, m + 5 * k);
    layout.textAt = QPoint(e, m - h);

    QPoint target(layout.box.x0, layout.box.y1);
    double best = PointDistance(target, p);
    const auto nearer = [&](const QPoint& textCorner) {
        const double distance = PointDistance(textCorner, p);
        if (distance >= best)
            return false;
        best = distance;
        return true;
    };
    if (nearer(QPoint(e + w, m)))
        target = QPoint(layout.box.x1, layout.box.y1);
    if (nearer(QPoint(e + w, m - h)))
        target = QPoint(layout.box.x1, layout.box.y0);
    if (nearer(QPoint(e, m - h)))
        target.setY(layout.box.y0);
    layout.target = target;
    return layout;
}

}  // namespace locmap
