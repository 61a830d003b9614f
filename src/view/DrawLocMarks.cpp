#include <QDataStream>
#include <QIODevice>
#include <QPainter>
#include <algorithm>
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

namespace {

// The parts of a mark that are drawn once and copied (MarkSprites::Key::part).
enum Part : int
{
    kPartDisc = 1,
    kPartArrow,
    kPartIcon,
    kPartLabel,
    kPartNumberedDisc,
};

// Whether parts drawn into a picture and copied at whole pixels give what drawing in place gives: a
// picture target without scaling or turning, blending as usual.
bool CopiedPartsMatch(const QPainter& dc)
{
    const QPaintDevice* device = dc.device();
    if (device == nullptr || device->devType() != QInternal::Image || device->devicePixelRatio() != 1.0)
        return false;
    if (dc.compositionMode() != QPainter::CompositionMode_SourceOver || dc.opacity() != 1.0)
        return false;
    const QTransform t = dc.combinedTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy());
}

}  // namespace

QByteArray DrawLoc::MarkLook() const
{
    QByteArray look;
    QDataStream out(&look, QIODevice::WriteOnly);
    for (const QPen& pen : markRes.m_pens)
        out << pen;
    for (const QBrush& brush : markRes.m_brushes)
        out << brush;
    for (const QFont& font : markRes.m_fonts)
        out << font.toString() << font.pixelSize() << font.pointSizeF();
    const MarkDrawStyle& s = style;
    out << s.markRadius << s.baseExtraWidth << s.arrowLength << s.labelDistance << s.headLength << s.sizeFactor
        << s.lineWidth << s.markKind << s.plain;
    const LocPalette& p = palette;
    out << p.light << p.mark << p.selectedMark << p.labelFill << p.selectedLabelFill << p.labelFrame
        << p.mapMark << p.base << p.numberText;
    out << int(m_dc->renderHints()) << redIcon.cacheKey() << RedIconApplies();
    out << m_dc->device()->logicalDpiX() << m_dc->device()->logicalDpiY();
    return look;
}

template <class Paint>
void DrawLoc::DrawPart(const MarkSprites::Key& key, const QPoint& at, const QRect& bounds, Paint&& paint)
{
    if (!m_copyParts) {
        paint(at);
        return;
    }
    if (!bounds.translated(at).intersects(m_visible))
        return;
    const MarkSprites::Sprite* sprite = m_sprites.Find(key);
    if (sprite == nullptr) {
        QImage image(bounds.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        if (const auto* device = dynamic_cast<const QImage*>(m_dc->device())) {
            image.setDotsPerMeterX(device->dotsPerMeterX());
            image.setDotsPerMeterY(device->dotsPerMeterY());
        }
        QPainter painter(&image);
        painter.setRenderHints(m_dc->renderHints());
        painter.setPen(m_dc->pen());
        painter.setBrush(m_dc->brush());
        painter.setFont(m_dc->font());
        painter.setBackgroundMode(m_dc->backgroundMode());
        painter.setBackground(m_dc->background());
        QPainter* target = m_dc;
        m_dc = &painter;
        paint(-bounds.topLeft());
        m_dc = target;
        painter.end();
        sprite = &m_sprites.Add(key, image, -bounds.topLeft());
    }
    if (!sprite->image.isNull())
        m_dc->drawImage(at + sprite->offset, sprite->image);
}

bool DrawLoc::TextSize(int font, const QString& number, QSize& size)
{
    if (m_copyParts) {
        if (const QSize* known = m_sprites.FindTextSize(font, number)) {
            size = *known;
            return size.width() > 0 && size.height() > 0;
        }
    }
    const bool measured = MeasureText(font == kMarkFontBold ? Spaced(number) : number, size);
    if (m_copyParts)
        m_sprites.AddTextSize(font, number, measured ? size : QSize());
    return measured;
}

QString DrawLoc::Spaced(const QString& number)
{
    return QStringLiteral(" ") + number + QStringLiteral(" ");
}

QRect DrawLoc::DiscBounds() const
{
    const int r = style.markRadius + style.baseExtraWidth + style.lineWidth + 4;
    return QRect(-r, -r, 2 * r + 1, 2 * r + 1);
}

QRect DrawLoc::ArrowBounds() const
{
    const int r = int(std::max<double>(style.arrowLength, style.markRadius) + style.headLength) +
                  style.baseExtraWidth + style.lineWidth + 4;
    return QRect(-r, -r, 2 * r + 1, 2 * r + 1);
}

void DrawLoc::DrawArrowPart(const QPoint& centre, const QPoint& from, const QPoint& to, int pen)
{
    const MarkSprites::Key key{kPartArrow, {pen, from.x(), from.y(), to.x(), to.y(), 0}, {}};
    DrawPart(key, centre, ArrowBounds(),
             [&](const QPoint& c) { DrawArrowLine(c + from, c + to, style.headLength); });
}

void DrawLoc::DrawCentreArrowPart(const QPoint& centre, double direction, double rotation, int pen)
{
    if (IsUnset(direction))
        return;
    const double theta = rotation - direction * std::numbers::pi / 180;
    DrawArrowPart(centre, QPoint(), AlongArrow(QPoint(), style.arrowLength, theta), pen);
}

void DrawLoc::DrawDirectionArrowPart(const QPoint& centre, double direction, double rotation, int pen)
{
    if (IsUnset(direction))
        return;
    const double theta = rotation - direction * std::numbers::pi / 180;
    DrawArrowPart(centre, AlongArrow(QPoint(), style.markRadius, theta),
                  AlongArrow(QPoint(), style.arrowLength, theta), pen);
}

void DrawLoc::DrawDiscPart(const QPoint& centre, int pen, int brush)
{
    DrawPart(MarkSprites::Key{kPartDisc, {pen, brush, 0, 0, 0, 0}, {}}, centre, DiscBounds(),
             [&](const QPoint& c) { DrawDisc(c); });
}

void DrawLoc::DrawMarkLayers(std::vector<MarkItem>& items, const MarkPass& pass)
{
    labelBoxes.clear();
    if (!showMarks || m_dc == nullptr)
        return;
    labelBoxes.reserve(qsizetype(items.size()));
    m_copyParts = CopiedPartsMatch(*m_dc);
    if (m_copyParts) {
        m_sprites.UseLook(MarkLook());
        const QTransform t = m_dc->combinedTransform();
        m_visible = QRect(0, 0, m_dc->device()->width(), m_dc->device()->height())
                        .translated(-int(t.dx()), -int(t.dy()));
    }
    for (int s = 0; s <= 1; ++s) {
        if (style.markKind == 0) {
            DrawMarkBases(items, s, pass);
            DrawLabelledMarks(items, s, pass);
        } else if (style.markKind == 1) {
            DrawMarkBases(items, s, pass);
            DrawNumberedMarks(items, s, pass);
        }
    }
    m_copyParts = false;
}

void DrawLoc::DrawMarkBases(const std::vector<MarkItem>& items, int s, const MarkPass& pass)
{
    if (!showMarks || m_dc == nullptr)
        return;
    SelectNullBrush();
    const int pen = s == 0 ? kMarkBase : kMarkSelectedBase;
    int discPen = pen;
    int discBrush = -1;
    UseMarkPen(pen);
    if (!(style.plain && style.markKind == 1)) {
        discBrush = s == 0 ? kMarkBase : kMarkSelectedLabelFill;
        UseMarkBrush(discBrush);
        if (style.markKind == 0 && RedIconApplies()) {
            SelectNullPen();
            discPen = -1;
        }
    }
    for (const MarkItem& item : items) {
        if (item.inMarks && item.selected == s)
            DrawDiscPart(item.at, discPen, discBrush);
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
            DrawCentreArrowPart(item.at, item.arrowDirection, pass.arrowRotation, pen);
        else
            DrawDirectionArrowPart(item.at, item.arrowDirection, pass.arrowRotation, pen);
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
        if (!TextSize(kMarkFontBold, item.number, size))
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
            const int pen = item.hasRecord ? kMarkMapMark : kMarkLabelFrame;
            UseMarkPen(pen);
            DrawCentreArrowPart(item.at, item.arrowDirection, pass.arrowRotation, pen);
        }
    }
    const bool icon = RedIconApplies();
    for (const MarkItem& item : items) {
        if (!item.inMarks || item.selected != s)
            continue;
        SelectNullPen();
        const int brush = !item.hasRecord ? kMarkLabelFrame : s == 1 ? pass.selectedDiscBrush : kMarkMapMark;
        UseMarkBrush(brush);
        if (icon && item.hasRecord) {
            DrawPart(MarkSprites::Key{kPartIcon, {}, {}}, item.at, QRect(-8, -8, 17, 17),
                     [&](const QPoint& c) { DrawRedIcon(c); });
        } else {
            UseMarkPen(kMarkMapMark);
            DrawDiscPart(item.at, kMarkMapMark, brush);
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
        QSize size;
        if (!TextSize(kMarkFontBold, item.number, size))
            continue;
        const int w = size.width();
        const int h = size.height();
        const LabelPlace place = PlaceLabel(p, w, h, item.labelDirection, pass.labelRotation, style.labelDistance);
        // The label's picture is anchored at its box's top left; the text's reference point and alignment
        // within the box follow from the side the label lies on.
        const QPoint corner(place.left, place.top);
        const QPoint textAt = place.textAt - corner;
        const MarkSprites::Key key{kPartLabel, {s, int(place.align), textAt.x(), textAt.y(), 0, 0}, item.number};
        DrawPart(key, corner, QRect(-h - 2, -h, w + 2 * h + 4, 3 * h), [&](const QPoint& c) {
            WriteText(c.x() + textAt.x(), c.y() + textAt.y(), Spaced(item.number), place.align);
            fe::gdi::DrawRectangle(*m_dc, c.x() - 1, c.y(), c.x() + w + 1, c.y() + h + 1);
        });
        if (item.photoId >= 0)
            labelBoxes.insert(item.photoId, Rect2i(place.left - 1, place.top, place.left + w, place.top + h));
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
    const int brush = s == 1 ? kMarkSelectedLabelFill : style.plain ? -1 : kMarkLabelFill;
    for (const MarkItem& item : items) {
        if (!item.inMarks || item.selected != s)
            continue;
        if (style.showArrows) {
            SelectNullBrush();
            const int pen = item.hasRecord ? kMarkMapMark : kMarkLabelFrame;
            UseMarkPen(pen);
            DrawDirectionArrowPart(item.at, item.arrowDirection, pass.arrowRotation, pen);
        }
        UseMarkPen(kMarkMapMark);
        if (brush < 0)
            SelectNullBrush();
        else
            UseMarkBrush(brush);
        QSize size;
        const bool measured = TextSize(kMarkFontNormal, item.digits, size);
        const QRect bounds =
            DiscBounds().united(QRect(-size.width() / 2 - 4, -size.height() - 4, size.width() + 8, 2 * size.height() + 8));
        DrawPart(MarkSprites::Key{kPartNumberedDisc, {s, 0, 0, 0, 0, 0}, item.digits}, item.at, bounds,
                 [&](const QPoint& c) {
                     DrawDisc(c);
                     if (measured)
                         WriteText(c.x(), c.y() - size.height() / 2, item.digits,
                                   fe::gdi::TA_CENTER | fe::gdi::TA_TOP);
                 });
    }
}

}  // namespace locmap
