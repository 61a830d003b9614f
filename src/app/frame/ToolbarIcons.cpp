// Pictograms of the toolbar commands, drawn on a 16 × 15 grid: pages and folders for the files, a map
// sheet with photo pins for the location-map commands, a globe for the web map, and the display switches
// as small maps showing what they switch.
#include "app/frame/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "app/frame/CommandIds.h"

namespace app {
namespace {

const QColor kInk(40, 40, 40);
const QColor kPin(214, 40, 40);
const QColor kWebMap(176, 214, 240);
const QColor kPictureMap(238, 226, 190);
const QColor kGreen(60, 150, 60);

using Drawing = std::function<void(QPainter&)>;

QPixmap Render(const Drawing& draw, int scale)
{
    QPixmap pixmap(16 * scale, 15 * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    draw(painter);
    return pixmap;
}

QIcon MakeIcon(const Drawing& draw)
{
    QIcon icon;
    for (int scale : {1, 2, 3})
        icon.addPixmap(Render(draw, scale));
    return icon;
}

void Page(QPainter& p, const QColor& fill = Qt::white)
{
    QPainterPath page;
    page.moveTo(2.5, 0.5);
    page.lineTo(9.5, 0.5);
    page.lineTo(12.5, 3.5);
    page.lineTo(12.5, 14.5);
    page.lineTo(2.5, 14.5);
    page.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawPath(page);
    p.drawLine(QPointF(9.5, 0.5), QPointF(9.5, 3.5));
    p.drawLine(QPointF(9.5, 3.5), QPointF(12.5, 3.5));
}

void MapSheet(QPainter& p, const QColor& fill)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawRect(QRectF(0.5, 1.5, 12, 12));
    p.setPen(QPen(fill.darker(130), 1));
    p.drawLine(QPointF(1, 9), QPointF(12, 5));
    p.drawLine(QPointF(5, 2), QPointF(7, 13));
}

void PhotoPin(QPainter& p, QPointF at, const QColor& colour = kPin, double r = 2.2)
{
    p.setPen(QPen(Qt::white, 0.8));
    p.setBrush(colour);
    p.drawEllipse(at, r, r);
}

void Plus(QPainter& p, QPointF at, const QColor& colour = kGreen)
{
    p.setPen(QPen(colour, 2));
    p.drawLine(at + QPointF(-3, 0), at + QPointF(3, 0));
    p.drawLine(at + QPointF(0, -3), at + QPointF(0, 3));
}

void Cross(QPainter& p, QPointF at, const QColor& colour = kPin)
{
    p.setPen(QPen(colour, 1.8));
    p.drawLine(at + QPointF(-2.5, -2.5), at + QPointF(2.5, 2.5));
    p.drawLine(at + QPointF(-2.5, 2.5), at + QPointF(2.5, -2.5));
}

void Frame(QPainter& p, const QRectF& box, const QColor& colour = QColor(20, 60, 200))
{
    p.setPen(QPen(colour, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
}

void Globe(QPainter& p)
{
    p.setPen(QPen(QColor(30, 80, 150), 1));
    p.setBrush(kWebMap);
    p.drawEllipse(QRectF(0.5, 1.5, 12, 12));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3.5, 1.5, 6, 12));
    p.drawLine(QPointF(0.5, 7.5), QPointF(12.5, 7.5));
}

void Track(QPainter& p, const QColor& colour)
{
    QPainterPath path;
    path.moveTo(1.5, 12);
    path.cubicTo(5, 12, 3, 5, 8, 6);
    path.cubicTo(12, 7, 11, 2, 14.5, 2);
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(140));
    for (QPointF dot : {QPointF(1.5, 12), QPointF(8, 6), QPointF(14.5, 2)})
        p.drawEllipse(dot, 1.4, 1.4);
}

void DirectionArrow(QPainter& p, QPointF from, QPointF to)
{
    p.setPen(QPen(kInk, 1.4));
    p.drawLine(from, to);
    p.setBrush(kInk);
    QPolygonF head;
    head << to << to + QPointF(-3.5, 1.0) << to + QPointF(-1.0, 3.5);
    p.drawPolygon(head);
}

Drawing DrawingOf(int command)
{
    switch (command) {
        case kCmdFileNew:
            return [](QPainter& p) {
                Page(p);
                Plus(p, QPointF(11.5, 10.5));
            };
        case kCmdFileOpen:
            return [](QPainter& p) {
                p.setPen(QPen(QColor(140, 100, 20), 1));
                p.setBrush(QColor(240, 200, 90));
                p.drawRect(QRectF(0.5, 3.5, 13, 10));
                p.drawRect(QRectF(0.5, 2.0, 5, 1.5));
                p.setBrush(QColor(252, 226, 130));
                QPolygonF flap;
                flap << QPointF(2.5, 6.5) << QPointF(15.5, 6.5) << QPointF(13.5, 13.5) << QPointF(0.5, 13.5);
                p.drawPolygon(flap);
            };
        case kCmdOutputReport:
            return [](QPainter& p) {
                Page(p);
                p.setPen(QPen(kGreen, 1));
                for (double y : {5.5, 8.5, 11.5})
                    p.drawLine(QPointF(4, y), QPointF(11, y));
                p.drawLine(QPointF(7.5, 5.5), QPointF(7.5, 11.5));
                p.fillRect(QRectF(4, 5.5, 3.5, 3), QColor(120, 170, 220));
            };
        case kCmdPlaceOnMap:
            return [](QPainter& p) {
                MapSheet(p, kPictureMap);
                PhotoPin(p, QPointF(5, 7));
                Plus(p, QPointF(12.5, 11.5));
            };
        case kCmdRemoveFromMap:
            return [](QPainter& p) {
                MapSheet(p, kPictureMap);
                PhotoPin(p, QPointF(5, 7));
                Cross(p, QPointF(12.5, 11.5));
            };
        case kCmdPlaceInsideMap:
            return [](QPainter& p) {
                MapSheet(p, kPictureMap);
                Frame(p, QRectF(2.5, 3.5, 8, 8));
                PhotoPin(p, QPointF(5, 6), kPin, 1.6);
                PhotoPin(p, QPointF(8.5, 9), kPin, 1.6);
            };
        case kCmdSelectAllOnMap:
            return [](QPainter& p) {
                MapSheet(p, kPictureMap);
                PhotoPin(p, QPointF(4, 5), kPin, 1.6);
                PhotoPin(p, QPointF(9, 6), kPin, 1.6);
                PhotoPin(p, QPointF(6, 10.5), kPin, 1.6);
                p.setPen(QPen(kInk, 1, Qt::DotLine));
                p.setBrush(Qt::NoBrush);
                p.drawRect(QRectF(1.5, 2.5, 10, 10.5));
            };
        case kCmdPlaceOnWebMap:
            return [](QPainter& p) {
                Globe(p);
                PhotoPin(p, QPointF(6.5, 6));
                Plus(p, QPointF(12.5, 11.5));
            };
        case kCmdClearLatLong:
            return [](QPainter& p) {
                Globe(p);
                PhotoPin(p, QPointF(6.5, 6));
                Cross(p, QPointF(12.5, 11.5));
            };
        case kCmdClearDirection:
            return [](QPainter& p) {
                DirectionArrow(p, QPointF(2, 12), QPointF(10, 4));
                Cross(p, QPointF(12.5, 11.5));
            };
        case kCmdTrack:
            return [](QPainter& p) { Track(p, QColor(0, 150, 200)); };
        case kCmdShowPhotoPositions:
            return [](QPainter& p) {
                MapSheet(p, kWebMap);
                PhotoPin(p, QPointF(6.5, 7.5), kPin, 2.6);
            };
        case kCmdShowMapFramesOnWeb:
            return [](QPainter& p) {
                MapSheet(p, kWebMap);
                Frame(p, QRectF(3, 4, 7, 6));
            };
        case kCmdShowMapPhotoPositions:
            return [](QPainter& p) {
                MapSheet(p, kPictureMap);
                PhotoPin(p, QPointF(6.5, 7.5), kPin, 2.6);
            };
        case kCmdShowMapFramesOnMap:
            return [](QPainter& p) {
                MapSheet(p, kPictureMap);
                Frame(p, QRectF(3, 4, 7, 6));
            };
        case kCmdShowGreyPhotoMarks:
            return [](QPainter& p) {
                MapSheet(p, kPictureMap);
                PhotoPin(p, QPointF(4.5, 6), QColor(140, 140, 140), 2);
                PhotoPin(p, QPointF(9, 9.5), QColor(140, 140, 140), 2);
            };
        case kCmdShowTrack:
            return [](QPainter& p) {
                MapSheet(p, kWebMap);
                Track(p, QColor(200, 60, 160));
            };
        case kCmdMarkSettings:
            return [](QPainter& p) {
                p.setPen(QPen(kInk, 1));
                p.setBrush(kPin);
                p.drawEllipse(QPointF(5.5, 9), 3.5, 3.5);
                DirectionArrow(p, QPointF(7.5, 7), QPointF(13, 1.5));
                p.setPen(Qt::white);
                QFont font = p.font();
                font.setPixelSize(5);
                p.setFont(font);
                p.drawText(QRectF(2, 5.5, 7, 7), Qt::AlignCenter, QStringLiteral("1"));
            };
        default:
            return {};
    }
}

}  // namespace

QIcon ToolbarIcon(int command)
{
    const Drawing draw = DrawingOf(command);
    return draw ? MakeIcon(draw) : QIcon();
}

QIcon ProgramIcon()
{
    return MakeIcon([](QPainter& p) {
        MapSheet(p, kWebMap);
        PhotoPin(p, QPointF(6.5, 7.5), kPin, 2.8);
        DirectionArrow(p, QPointF(8, 6), QPointF(13.5, 0.8));
    });
}

}  // namespace app
