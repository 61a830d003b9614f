#include "app/settings/MarkSample.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "fe/AppFolders.h"
#include "fe/gdi/LogFont.h"
#include "fe/gdi/TextAt.h"
#include "model/MarkSetting.h"

namespace app {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr std::uint32_t kSpecialRed = 0x0000CC;  // RGB(204,0,0) as the templates store it

struct Vec
{
    double u = 0, v = 0;
};

Vec Rotated(Vec a, double degrees)
{
    const double t = degrees * kPi / 180.0;
    return {a.u * std::cos(t) - a.v * std::sin(t), a.v * std::cos(t) + a.u * std::sin(t)};
}

QColor Rgb(std::uint32_t colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

QPen SolidPen(const QColor& color, int width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The arrow from `start` in the setting's sizes: the shaft up and to the right at 45°, the head of two
// lines at ±25° from the shaft, each line first with the outline pen, then with the line pen.
void DrawArrow(QPainter& painter, QPoint start, QPoint centre, const locmap::MarkSetting& s,
               const QPen& outline, const QPen& line)
{
    const Vec reach = Rotated({0, double(s.arrowLength)}, -45);
    const QPoint tip(int(centre.x() + reach.u), int(centre.y() - reach.v));
    Vec back{double(start.x() - tip.x()), double(start.y() - tip.y())};
    const double length = std::hypot(back.u, back.v);
    back = length <= 1e-14 ? Vec{1, 0} : Vec{back.u / length, back.v / length};
    back = {back.u * s.arrowHeadLength, back.v * s.arrowHeadLength};
    const Vec head1 = Rotated(back, 25), head2 = Rotated(back, -25);
    const QLine lines[] = {QLine(start, tip),
                           QLine(tip, QPoint(int(tip.x() + head1.u), int(tip.y() + head1.v))),
                           QLine(tip, QPoint(int(tip.x() + head2.u), int(tip.y() + head2.v)))};
    for (const QPen* pen : {&outline, &line}) {
        painter.setPen(*pen);
        for (const QLine& l : lines)
            painter.drawLine(l);
    }
}

QFont SampleFont(int size)
{
    fe::gdi::LogFont font;
    font.height = size;
    font.weight = 400;
    font.charSet = fe::gdi::kShiftJisCharSet;
    font.faceName = QStringLiteral("Meiryo UI");
    return fe::gdi::ToQFont(font);
}

void DrawLabelMark(QPainter& painter, const MarkStyle& style, const locmap::MarkSetting& s, QPoint c,
                   bool special, const QImage& photoPoint, const QPen& outline, const QPen& line)
{
    const Vec off = Rotated({0, double(s.labelDistance)}, 45);
    const QPoint anchor(int(c.x() + off.u), int(c.y() + off.v));
    if (s.leader) {
        const double dx = anchor.x() - c.x(), dy = anchor.y() - c.y();
        const double length = std::hypot(dx, dy);
        if (length > 0) {
            const double from = s.coreRadius + s.outlineWidth + 2;
            painter.setPen(SolidPen(Rgb(style.drawColor), std::max(1, s.lineWidth / 2)));
            painter.drawLine(QPoint(int(c.x() + dx / length * from), int(c.y() + dy / length * from)),
                             QPoint(int(anchor.x() - dx / length * 4), int(anchor.y() - dy / length * 4)));
        }
    }
    painter.setBrush(Qt::NoBrush);
    if (!special) {
        painter.setPen(outline);
        painter.drawEllipse(c, s.coreRadius, s.coreRadius);
    }
    if (s.arrow)
        DrawArrow(painter, c, c, s, outline, line);
    if (special && !photoPoint.isNull()) {
        painter.drawImage(QRect(c.x() - 5, c.y() - 5, 11, 11), photoPoint);
    } else {
        painter.setPen(line);
        painter.setBrush(Rgb(style.drawColor));
        painter.drawEllipse(c, s.coreRadius, s.coreRadius);
        painter.setBrush(Qt::NoBrush);
    }
    const QString label = QStringLiteral(" P-1 ");
    painter.setFont(SampleFont(s.fontSize));
    painter.setPen(Rgb(style.textColor));
    const unsigned align = fe::gdi::TA_CENTER | fe::gdi::TA_TOP;
    if (s.textBackClear)
        fe::gdi::DrawTextAt(painter, anchor.x(), anchor.y(), label, align);
    else
        fe::gdi::DrawOpaqueTextAt(painter, anchor.x(), anchor.y(), label, align, Rgb(style.textBackColor));
    const QFontMetrics metrics(painter.font());
    const int width = metrics.horizontalAdvance(label), height = metrics.height();
    const int left = anchor.x() - width / 2;
    painter.setPen(SolidPen(QColor(170, 170, 170), 1));
    painter.drawRect(QRect(QPoint(left - 1, anchor.y()), QPoint(left + width + 1, anchor.y() + height + 1)));
}

void DrawNumberMark(QPainter& painter, const MarkStyle& style, const locmap::MarkSetting& s, QPoint c,
                    const QPen& outline, const QPen& line)
{
    painter.setPen(outline);
    painter.setBrush(s.textBackClear ? QBrush(Qt::NoBrush) : QBrush(Rgb(style.outlineColor)));
    painter.drawEllipse(c, s.coreRadius, s.coreRadius);
    if (s.arrow) {
        const Vec onCircle = Rotated({0, double(s.coreRadius)}, -45);
        DrawArrow(painter, QPoint(int(c.x() + onCircle.u), int(c.y() - onCircle.v)), c, s, outline, line);
    }
    painter.setPen(line);
    painter.setBrush(s.textBackClear ? QBrush(Qt::NoBrush) : QBrush(Rgb(style.textBackColor)));
    painter.drawEllipse(c, s.coreRadius, s.coreRadius);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(SampleFont(s.fontSize));
    painter.setPen(Rgb(style.textColor));
    const int height = QFontMetrics(painter.font()).height();
    fe::gdi::DrawTextAt(painter, c.x(), c.y() - (height + 1) / 2, QStringLiteral("1"),
                        fe::gdi::TA_CENTER | fe::gdi::TA_TOP);
}

}  // namespace

void DrawMarkSample(QPainter& painter, const MarkStyle& style, int setting, int x, int y,
                    const QImage& photoPoint)
{
    const locmap::MarkSetting& s = setting == kExcelSetting ? style.excel : style.screen;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPen line = SolidPen(Rgb(style.drawColor), s.lineWidth);
    const QPen outline = SolidPen(Rgb(style.outlineColor), s.outlineWidth + s.lineWidth);
    const bool special = setting == kScreenSetting && style.drawColor == kSpecialRed && s.coreRadius == 5;
    if (style.kind == 1)
        DrawNumberMark(painter, style, s, QPoint(x, y), outline, line);
    else
        DrawLabelMark(painter, style, s, QPoint(x, y), special, photoPoint, outline, line);
    painter.restore();
}

QImage MarkSampleImage(const MarkStyle& style, int setting, QSize size, const QImage& photoPoint)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(QColor(220, 220, 220));
    QPainter painter(&image);
    DrawMarkSample(painter, style, setting, image.width() / 2, image.height() / 2, photoPoint);
    return image;
}

QImage LoadPhotoPointPicture()
{
    const QString folder = fe::GetExeFolder();
    if (folder.isEmpty())
        return QImage();
    // An icon: anything larger than a small picture is not the one shipped.
    QImageReader reader(QDir(folder).filePath(QStringLiteral("Icon/photoPointRed.png")));
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > 256 || size.height() > 256)
        return QImage();
    const QImage picture = reader.read();
    return picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace app
