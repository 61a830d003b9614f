#include <QPainter>
#include <cmath>
#include <numbers>

#include "fe/Unset.h"
#include "fe/gdi/Color.h"
#include "fe/gdi/Shapes.h"
#include "fe/gdi/TextAt.h"
#include "model/PlacedPhoto.h"
#include "view/DrawLoc.h"

// The photo-mark primitives and the location-map mark layers of the drawing base.

namespace locmap {
namespace {

constexpr double kHeadAngle = 0.4363323129985824;  // 25 degrees

QPoint Truncated(const Point2& p)
{
    return QPoint(int(p.x), int(p.y));
}

// The point at length L from the centre along the arrow angle θ (0 up, growing anticlockwise on screen).
QPoint AlongArrow(const QPoint& centre, double length, double theta)
{
    return centre + QPoint(int(-length * std::sin(theta)), -int(length * std::cos(theta)));
}

// Where a label of W × H goes at the anchor for the direction, and how its text is aligned: the label lies
// opposite the arrow, on the side given by the quadrant of its offset.
struct LabelPlace
{
    QPoint textAt;
    unsigned align = 0;
    int left = 0;
    int top = 0;
    Point2 offset;  // (ox, oy)
};

LabelPlace PlaceLabel(QPoint anchor, int w, int h, double direction, double rotation, double distance)
{
    using namespace fe::gdi;
    LabelPlace place;
    if (IsUnset(direction)) {
        place.textAt = QPoint(anchor.x(), anchor.y() + h / 2);
        place.align = TA_CENTER | TA_TOP;
        place.left = anchor.x() - w / 2;
        place.top = anchor.y() + h / 2;
        return place;
    }
    const double phi = direction * std::numbers::pi / 180 - rotation;
    place.offset = Point2(-distance * std::sin(phi), distance * std::cos(phi));
    const int x = anchor.x() + int(place.offset.x);
    const int y = anchor.y() + int(place.offset.y);
    switch (place.offset.Quadrant()) {
        case 1:
            place.textAt = QPoint(x, y - h / 2), place.align = TA_LEFT | TA_TOP;
            place.left = x, place.top = y - h / 2;
            break;
        case 3:
            place.textAt = QPoint(x, y - h / 2), place.align = TA_RIGHT | TA_TOP;
            place.left = x - w, place.top = y - h / 2;
            break;
        case 4:
            place.textAt = QPoint(x, y), place.align = TA_CENTER | TA_BOTTOM;
            place.left = x - w / 2, place.top = y - h;
            break;
        default:
            place.textAt = QPoint(x, y), place.align = TA_CENTER | TA_TOP;
            place.left = x - w / 2, place.top = y;
            break;
    }
    return place;
}

}  // namespace

void DrawLoc::DrawArrowLine(const QPoint& from, const QPoint& to, double headLength)
{
    if (m_dc == nullptr)
        return;
    m_dc->drawLine(from, to);
    const Point2 u = Point2(from.x() - to.x(), from.y() - to.y()).Unit();
    m_dc->drawLine(to, to + Truncated(u.Rotate(kHeadAngle).Scale(headLength)));
    m_dc->drawLine(to, to + Truncated(u.Rotate(-kHeadAngle).Scale(headLength)));
}

void DrawLoc::DrawDirectionArrow(const QPoint& centre, double headLength, double direction, double rotation)
{
    if (IsUnset(direction))
        return;
    const double theta = rotation - direction * std::numbers::pi / 180;
    DrawArrowLine(AlongArrow(centre, style.markRadius, theta), AlongArrow(centre, style.arrowLength, theta),
                  headLength);
}

void DrawLoc::DrawCentreArrow(const QPoint& centre, double direction, double rotation)
{
    if (IsUnset(direction))
        return;
    const double theta = rotation - direction * std::numbers::pi / 180;
    DrawArrowLine(centre, AlongArrow(centre, style.arrowLength, theta), style.headLength);
}

bool DrawLoc::DrawLabelBox(const QPoint& anchor, const QString& text, Rect2i& box, double direction,
                           double rotation)
{
    QSize size;
    if (!MeasureText(text, size))
        return false;
    const int w = size.width();
    const int h = size.height();
    const LabelPlace place = PlaceLabel(anchor, w, h, direction, rotation, style.labelDistance);
    WriteText(place.textAt.x(), place.textAt.y(), text, place.align);
    box = Rect2i(place.left - 1, place.top, place.left + w, place.top + h);
    fe::gdi::DrawRectangle(*m_dc, box.x0, box.y0, box.x1 + 1, box.y1 + 1);
    return true;
}

void DrawLoc::DrawDisc(const QPoint& c)
{
    if (m_dc == nullptr)
        return;
    const int r = style.markRadius;
    fe::gdi::DrawEllipse(*m_dc, c.x() - r, c.y() - r, c.x() + r + 1, c.y() + r + 1);
}

void DrawLoc::DrawBlueIcon(const QPoint& c)
{
    if (m_dc == nullptr || blueIcon.isNull())
        return;
    m_dc->save();
    m_dc->setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_dc->drawImage(QRect(c.x() - 7, c.y() - 7, 15, 15), blueIcon);
    m_dc->restore();
}

void DrawLoc::DrawRedIcon(const QPoint& c)
{
    if (m_dc == nullptr || redIcon.isNull())
        return;
    m_dc->save();
    m_dc->setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_dc->drawImage(QRect(c.x() - 5, c.y() - 5, 11, 11), redIcon);
    m_dc->restore();
}

void DrawLoc::DrawMarkLayers(std::vector<MarkItem>& items, const MarkPass& pass)
{
    if (!showMarks || m_dc == nullptr)
        return;
    for (int s = 0; s <= 1; ++s) {
        if (style.markKind == 0) {
            DrawMarkBases(items, s, pass);
            DrawLabelledMarks(items, s, pass);
        } else if (style.markKind == 1) {
            DrawMarkBases(items, s, pass);
            DrawNumberedMarks(items, s, pass);
        }
    }
}

void DrawLoc::DrawMarkBases(const std::vector<MarkItem>& items, int s, const MarkPass& pass)
{
    if (!showMarks || m_dc == nullptr)
        return;
    SelectNullBrush();
    const int pen = s == 0 ? kMarkBase : kMarkSelectedBase;
    UseMarkPen(pen);
    if (!(style.plain && style.markKind == 1)) {
        UseMarkBrush(s == 0 ? kMarkBase : kMarkSelectedLabelFill);
        if (style.markKind == 0 && RedIconApplies())
            SelectNullPen();
    }
    for (const MarkItem& item : items) {
        if (item.inMarks && item.selected == s)
            DrawDisc(item.at);
    }
    if (!style.showArrows)
        return;
    // The ring's pen also draws the wide line under each arrow.
    UseMarkPen(pen);
    SelectNullBrush();
    for (const MarkItem& item : items) {
        if (!item.inMarks || item.selected != s)
            continue;
        if (style.markKind == 0)
            DrawCentreArrow(item.at, item.arrowDirection, pass.arrowRotation);
        else
            DrawDirectionArrow(item.at, style.headLength, item.arrowDirection, pass.arrowRotation);
    }
}

void DrawLoc::DrawLeaderLines(const std::vector<MarkItem>& items, int s)
{
    UseMarkPen(kMarkLeader);
    UseMarkFont(kMarkFontBold);
    const double f = style.sizeFactor;
    for (const MarkItem& item : items) {
        if (!item.inLeaders || item.selected != s)
            continue;
        QSize size;
        if (!MeasureText(QStringLiteral(" ") + item.number + QStringLiteral(" "), size))
            continue;
        const int w = size.width();
        const int h = size.height();
        const QPoint offset(int(item.labelOffset.x * f), int(item.labelOffset.y * f));
        const QPoint p = item.at + offset;
        if (IsUnset(item.labelDirection)) {
            m_dc->drawLine(item.at, QPoint(p.x(), p.y() + h / 2));
            continue;
        }
        const LabelPlace place = PlaceLabel(p, w, h, item.labelDirection, 0.0, style.labelDistance);
        QPoint attach;
        switch (Point2(place.offset.x + offset.x(), place.offset.y + offset.y()).Quadrant()) {
            case 1:
                attach = QPoint(place.left, place.top + h / 2);
                break;
            case 2:
                attach = QPoint(place.left + w / 2, place.top);
                break;
            case 3:
                attach = QPoint(place.left + w, place.top + h / 2);
                break;
            case 4:
                attach = QPoint(place.left + w / 2, place.top + h);
                break;
            default:
                attach = p + QPoint(int(place.offset.x), int(place.offset.y));
                break;
        }
        const Point2 a(item.at.x(), item.at.y());
        const Point2 b(attach.x(), attach.y());
        const Point2 u = (b - a).Unit();
        const Point2 start = a + u.Scale(style.markRadius + style.baseExtraWidth + 2 * f);
        const Point2 end = b - u.Scale(4 * f);
        m_dc->drawLine(Truncated(start), Truncated(end));
    }
}

void DrawLoc::DrawLabelledMarks(std::vector<MarkItem>& items, int s, const MarkPass& pass)
{
    if (!showMarks || m_dc == nullptr)
        return;
    if (style.showLeaders)
        DrawLeaderLines(items, s);
    if (style.showArrows) {
        for (const MarkItem& item : items) {
            if (!item.inMarks || item.selected != s)
                continue;
            UseMarkPen(item.hasRecord ? kMarkMapMark : kMarkLabelFrame);
            DrawCentreArrow(item.at, item.arrowDirection, pass.arrowRotation);
        }
    }
    const bool icon = RedIconApplies();
    for (const MarkItem& item : items) {
        if (!item.inMarks || item.selected != s)
            continue;
        SelectNullPen();
        UseMarkBrush(!item.hasRecord ? kMarkLabelFrame : s == 1 ? pass.selectedDiscBrush : kMarkMapMark);
        if (icon && item.hasRecord) {
            DrawRedIcon(item.at);
        } else {
            UseMarkPen(kMarkMapMark);
            DrawDisc(item.at);
        }
    }
    UseMarkPen(s == 0 ? kMarkLabelFrame : kMarkSelected);
    SelectNullBrush();
    if (style.plain)
        SetTransparentBackground();
    else
        SetOpaqueBackground(s == 0 ? palette.labelFill : palette.selectedLabelFill);
    UseMarkFont(kMarkFontBold);
    SetTextColor(palette.numberText);
    for (MarkItem& item : items) {
        if (!item.inMarks || item.selected != s)
            continue;
        const QPoint p = item.at + QPoint(int(item.labelOffset.x * style.sizeFactor),
                                          int(item.labelOffset.y * style.sizeFactor));
        Rect2i box;
        if (DrawLabelBox(p, QStringLiteral(" ") + item.number + QStringLiteral(" "), box, item.labelDirection,
                         pass.labelRotation) &&
            item.entry != nullptr)
            item.entry->labelBox = box;
    }
    SetTransparentBackground();
}

void DrawLoc::DrawNumberedMarks(const std::vector<MarkItem>& items, int s, const MarkPass& pass)
{
    if (!showMarks || m_dc == nullptr)
        return;
    UseMarkFont(kMarkFontNormal);
    SetTextColor(palette.numberText);
    SetTransparentBackground();
    for (const MarkItem& item : items) {
        if (!item.inMarks || item.selected != s)
            continue;
        if (style.showArrows) {
            SelectNullBrush();
            UseMarkPen(item.hasRecord ? kMarkMapMark : kMarkLabelFrame);
            DrawDirectionArrow(item.at, style.headLength, item.arrowDirection, pass.arrowRotation);
        }
        UseMarkPen(kMarkMapMark);
        if (s == 1)
            UseMarkBrush(kMarkSelectedLabelFill);
        else if (style.plain)
            SelectNullBrush();
        else
            UseMarkBrush(kMarkLabelFill);
        DrawDisc(item.at);
        QSize size;
        if (MeasureText(item.digits, size))
            WriteText(item.at.x(), item.at.y() - size.height() / 2, item.digits,
                      fe::gdi::TA_CENTER | fe::gdi::TA_TOP);
    }
}

}  // namespace locmap
