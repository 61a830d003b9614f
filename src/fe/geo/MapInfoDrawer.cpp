#include "fe/geo/MapInfoDrawer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "fe/gdi/Color.h"
#include "fe/gdi/Shapes.h"
#include "fe/gdi/TextAt.h"
#include "fe/geo/PlaneRectConverter.h"
#include "fe/geo/TileIndex.h"

namespace fe::geo {

namespace {

using fe::gdi::MakeColorRef;

constexpr int kNoPen = -1;
constexpr int kNoBrush = -1;
constexpr int kTopLevel = 20;

const std::uint32_t kPalette[kInfoColorCount] = {
    MakeColorRef(50, 50, 50),  MakeColorRef(60, 60, 60),    MakeColorRef(150, 50, 50),
    MakeColorRef(30, 150, 30), MakeColorRef(80, 255, 80),   MakeColorRef(255, 100, 100),
    MakeColorRef(40, 170, 0),  MakeColorRef(240, 210, 0),   MakeColorRef(255, 30, 0),
    MakeColorRef(45, 45, 45),  MakeColorRef(150, 150, 150), MakeColorRef(129, 120, 0),
    MakeColorRef(255, 242, 0),
};

// half + the offset truncated, clamped far outside any view: at a deep zoom a point lies further
// away than an int reaches, and the shapes drawn around it must not overflow either.
int OnView(int half, double offset)
{
    constexpr long long kFarAway = 1LL << 29;
    return static_cast<int>(
        std::clamp<long long>(half + static_cast<long long>(TruncToInt(offset)), -kFarAway, kFarAway));
}

}  // namespace

QString FormatDegreesMinutesSeconds(double degrees)
{
    const double whole = std::floor(degrees);
    const double a = (degrees - whole) * 60.0;
    const double minutes = std::round(a);
    const double seconds = std::round((a - minutes) * 60.0);
    return QStringLiteral("%1度%2分%3秒")
        .arg(static_cast<int>(whole))
        .arg(static_cast<int>(minutes))
        .arg(static_cast<int>(seconds));
}

MapInfoDrawer::MapInfoDrawer()
{
    InitResources();
}

void MapInfoDrawer::InitResources()
{
    m_res.m_colors.clear();
    m_res.m_logFonts.clear();
    m_res.m_pens.clear();
    m_res.m_brushes.clear();
    m_res.m_fonts.clear();
    for (const std::uint32_t colour : kPalette)
        m_res.m_colors.emplace_back(colour, 1);
    m_res.m_logFonts.Add(QStringLiteral("メイリオ"), 16, 0).weight = 700;
    m_res.m_logFonts.Add(QStringLiteral("メイリオ"), 20, 0).weight = 700;
}

bool MapInfoDrawer::Begin(QPainter* dc)
{
    if (!DrawDip::Begin(dc))
        return false;
    m_res.Realize(m_dpi);
    return true;
}

void MapInfoDrawer::Use(int pen, int brush)
{
    m_dc->setPen(pen == kNoPen ? QPen(Qt::NoPen) : m_res.m_pens[pen]);
    m_dc->setBrush(brush == kNoBrush ? QBrush(Qt::NoBrush) : m_res.m_brushes[brush]);
}

void MapInfoDrawer::DrawHaloText(int x, int y, const QString& text, unsigned align)
{
    m_dc->setFont(m_res.m_fonts[0]);
    m_dc->setPen(Qt::white);
    const QPoint around[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
    for (const QPoint& step : around)
        fe::gdi::DrawTextAt(*m_dc, x + step.x(), y + step.y(), text, align);
    m_dc->setPen(Qt::black);
    fe::gdi::DrawTextAt(*m_dc, x, y, text, align);
}

void MapInfoDrawer::DrawTileFrames(const TileViewport& viewport, int zoom, const GeoPoint& centre, int width,
                                   int height)
{
    const TileRange range = TileRangeAround(zoom, centre, width, height);
    const int labelZoom = std::min(zoom, kMaxKeyZoom);
    for (int row = range.y0; row <= range.y1; ++row) {
        for (int column = range.x0; column <= range.x1; ++column) {
            const QPoint p = viewport.TileOrigin(TileIndex(labelZoom, column, row));
            Use(kInfoTileFrame, kNoBrush);
            fe::gdi::DrawRectangle(*m_dc, p.x(), p.y(), p.x() + 257, p.y() + 257);
            DrawHaloText(p.x() + 8, p.y() + 8, QStringLiteral("%1/%2/%3").arg(labelZoom).arg(column).arg(row),
                         fe::gdi::TA_LEFT | fe::gdi::TA_TOP);
        }
    }
}

void MapInfoDrawer::DrawZoneOrigins(int zoom, const GeoPoint& centre, int width, int height)
{
    const Point2 middle = centre.ToWorldPixel(zoom);
    const unsigned centred = fe::gdi::TA_CENTER | fe::gdi::TA_TOP;
    for (int zone = 1; zone <= PlaneRectConverter::kZoneCount; ++zone) {
        const GeoPoint origin = PlaneRectConverter::ZoneOrigin(zone);
        const Point2 pixel = origin.ToWorldPixel(zoom);
        const int x = OnView(width / 2, pixel.x - middle.x);
        const int y = OnView(height / 2, pixel.y - middle.y);
        Use(kInfoOutline, kInfoCurrentOutside);
        fe::gdi::DrawEllipse(*m_dc, x - 5, y - 5, x + 6, y + 6);
        DrawHaloText(x + 2, y + 8, QString::number(zone), centred);
        DrawHaloText(x + 2, y + 24, FormatDegreesMinutesSeconds(origin.longitude), centred);
        DrawHaloText(x + 2, y + 40, FormatDegreesMinutesSeconds(origin.latitude), centred);
    }
}

void MapInfoDrawer::DrawZoomGauge(int siteZoomA, int siteZoomB, int zoom, int width)
{
    // Levels far beyond the gauge are drawn as if just beyond it, so that no sum below overflows.
    const auto nearGauge = [](int level) { return std::clamp(level, -3, kTopLevel + 3); };
    const int low = nearGauge(std::min(siteZoomA, siteZoomB));
    const int high = nearGauge(std::max(siteZoomA, siteZoomB));
    const int d = ScaledY(10);
    const int e = ScaledX(10);
    const int f = d / 5;
    const int pitch = d + f;
    const int m = ScaledY(25);
    const int a = width - 3 * e;

    DrawHaloText(a + e / 2, ScaledY(3), QStringLiteral("  zoom"), fe::gdi::TA_CENTER | fe::gdi::TA_TOP);
    const int barWidth = e + 2 * f + 1;
    Use(kNoPen, kInfoGaugeBar);
    fe::gdi::DrawRoundRect(*m_dc, a, m + d / 3 - 2 * f, a + barWidth, m + 21 * d - d / 3 + 22 * f, barWidth,
                           barWidth);

    const auto dot = [&](int level, int brush) {
        const int top = m + (kTopLevel - level) * pitch;
        Use(kInfoOutline, brush);
        fe::gdi::DrawEllipse(*m_dc, a + f, top, a + f + e + 1, top + d + 1);
    };
    for (int level = 0; level <= kTopLevel; ++level) {
        const bool inside = level >= low && level <= high;
        if (level == zoom)
            dot(level, inside ? kInfoCurrentInside : kInfoCurrentOutside);
        else
            dot(level, inside ? kInfoLevelInside : kInfoLevelOutside);
    }
    for (const int level : {high + 1, high + 2})
        dot(level, level == zoom ? kInfoCurrentOverzoom : kInfoOverzoomLevel);

    DrawHaloText(a - f, m + (kTopLevel - nearGauge(zoom)) * pitch, QStringLiteral("%1 ").arg(zoom),
                 fe::gdi::TA_RIGHT | fe::gdi::TA_TOP);
}

QRect MapInfoDrawer::ZoomGaugeBox(int width) const
{
    const int d = ScaledY(10);
    const int e = ScaledX(10);
    const int f = d / 5;
    const int a = width - 3 * e;
    // Left of the bar stand the current level's number and half of the centred "zoom".
    return QRect(QPoint(a - ScaledX(40), 0), QPoint(width, ScaledY(25) + 21 * d + 22 * f));
}

void MapInfoDrawer::DrawCacheGauge(int capacity, int size0, int size1, int width)
{
    const int l = ScaledX(44);
    const int a = width - l;
    const int m = ScaledY(265);
    DrawHaloText(a + ScaledY(5), m + ScaledY(3), QStringLiteral("cache"), fe::gdi::TA_LEFT | fe::gdi::TA_TOP);
    const int t = ScaledX(10);
    const int barHeight = ScaledY(30);
    const int top = m + ScaledY(3) + ScaledY(20);
    const int sizes[2] = {size0, size1};
    const int centres[2] = {a + l / 3, a + 2 * l / 3};
    for (int i = 0; i < 2; ++i) {
        const int left = centres[i] - t / 2;
        Use(kInfoOutline, kInfoCacheFrame);
        fe::gdi::DrawRectangle(*m_dc, left - 1, top - 1, left + t + 1, top + barHeight + 1);
        if (sizes[i] <= 0 || capacity <= 0)
            continue;
        const int filled =
            static_cast<int>(static_cast<double>(barHeight) * std::min(sizes[i], capacity) / capacity);
        m_dc->fillRect(QRect(left, top + barHeight - filled, t, filled), m_res.m_brushes[kInfoCacheFill]);
    }
}

void MapInfoDrawer::DrawQueueDots(int count)
{
    const int size = ScaledX(6) + 1;
    const int step = ScaledX(2) + ScaledX(6);
    const int top = ScaledX(10);
    Use(kInfoOutline, kInfoQueueDot);
    for (int k = 0; k < count; ++k) {
        const int x = ScaledX(10) + k * step;
        fe::gdi::DrawEllipse(*m_dc, x, top, x + size, ScaledX(16) + 1);
    }
}

}  // namespace fe::geo
