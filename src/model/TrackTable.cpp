#include "model/TrackTable.h"

#include <QStringList>
#include <cstdint>
#include <limits>

#include "fe/NumberText.h"

namespace {

QString Fixed(double value, int decimals)
{
    char buffer[64];
    const auto [end, ec] = fe::ToCharsFixed(buffer, buffer + sizeof buffer, value, decimals);
    return ec == std::errc() ? QString::fromLatin1(buffer, end - buffer) : QString();
}

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString TrackPointDateText(const LocusPoint& point)
{
    return QString::number(point.date.year) + u'/' + TwoDigits(point.date.month) + u'/' +
           TwoDigits(point.date.day);
}

QString TrackPointTimeText(const LocusPoint& point)
{
    return TwoDigits(point.time.hour) + u':' + TwoDigits(point.time.minute) + u':' +
           TwoDigits(point.time.second);
}

QString TrackTableCopyText(const LocusTrack& track, bool planeMode, int zone)
{
    const QStringList header =
        planeMode
            ? QStringList{QStringLiteral("日付"), QStringLiteral("時刻"), QStringLiteral("平面直角座標X (m)"),
                          QStringLiteral("平面直角座標Y (m)"), QStringLiteral("標高 (m)")}
            : QStringList{QStringLiteral("日付"), QStringLiteral("時刻"), QStringLiteral("緯度 (°)"),
                          QStringLiteral("経度 (°)"), QStringLiteral("標高 (m)")};
    QString text = header.join(u'\t') + u'\n';
    for (size_t k = 0; k < track.points.size(); ++k) {
        const LocusPoint& point = track.points[k];
        text += TrackPointDateText(point) + u'\t' + TrackPointTimeText(point) + u'\t';
        if (planeMode) {
            const Point2 xy = track.GetZoneXY(static_cast<int>(k), zone);
            text += Fixed(xy.x, 2) + u'\t' + Fixed(xy.y, 2) + u'\t';
        } else {
            text += Fixed(point.position.latitude, 7) + u'\t' + Fixed(point.position.longitude, 7) + u'\t';
        }
        text += Fixed(point.elevation, 2) + u'\n';
    }
    return text;
}

int NearestPointAtTimeOfDay(const LocusTrack& track, int hour, int minute)
{
    int best = -1;
    std::uint32_t bestDistance = std::numeric_limits<std::uint32_t>::max();
    for (size_t k = 0; k < track.points.size(); ++k) {
        const LocusPoint& point = track.points[k];
        const fe::SimpleTime target{hour, minute, 0};
        const std::uint32_t distance = fe::SecondsBetween(point.date, point.time, point.date, target);
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(k);
        }
    }
    return best;
}

TimeFieldOutcome ApplyTimeField(const QString& text, int lastValid, int maximum)
{
    TimeFieldOutcome outcome;
    outcome.lastValid = lastValid;
    double value = 0.0;
    if (text.trimmed().isEmpty() || !fe::ScanDouble(text, value) || !(value >= 0.0)) {
        outcome.shown = 0;
        return outcome;
    }
    if (value > maximum) {
        outcome.shown = lastValid;
        return outcome;
    }
    outcome.shown = static_cast<int>(value);
    outcome.lastValid = outcome.shown;
    outcome.search = true;
    return outcome;
}

HourMinute StepMinute(int hour, int minute, int step)
{
    int m = minute + step;
    int h = hour;
    if (m < 0) {
        m = 59;
        h = h == 0 ? 23 : h - 1;
    } else if (m >= 60) {
        m = 0;
        h = h == 23 ? 0 : h + 1;
    }
    return {h, m};
}
