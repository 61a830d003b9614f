#pragma once

// A track file of the ichimill service with the damage real files carry, the photos to place on its
// tracks, and the positions an independent interpolation over the rows that must be kept gives.
// Shared by the reader's tests and the track dialog's tests.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "fe/Cp932.h"

namespace track_scenario {

inline const QString kTerminal = QStringLiteral("①号機㈱");

inline QString Row(const QString& id, const QString& when, const QString& lat, const QString& lon,
                   const QString& mode, const QString& status)
{
    return QStringLiteral("\"%1\",\"%2\",\"0.02\",\"%3\",\"%4\",\"%5\",\"41.250\",\"14\",\"%6\"")
        .arg(id, when, lat, lon, mode, status);
}

// CP932 bytes, CR LF line ends, the last line without one.
inline QByteArray CsvBytes()
{
    const QString t = kTerminal;
    const QStringList lines = {
        QStringLiteral("\"端末ID\",\"日時\",\"精度\",\"緯度\",\"経度\",\"測位モード\",\"標高\",\"衛星数\","
                       "\"ステータス\""),
        Row(t, "2024-03-09 23:59:40", "35.0000000", "139.0000000", "RTK fix", "4"),  // kept: first of track 1
        QStringLiteral("\"%1\",\"2024-03-09 23:59:41\",\"0.02\",\"35.1\",\"139.1\",\"RTK fix\"")
            .arg(t),                                                        // too few
        Row(t, "2024-03-09 23:59:42", "35.1", "139.1", "RTK fixed", "4"),   // unknown mode
        Row(t, "2024-03-09 23:59:43", "35.1", "139.1", "RTK fix", "7"),     // status 7
        Row(t, "2024-13-09 23:59:44", "35.1", "139.1", "RTK fix", "4"),     // month 13
        Row(t, "2024-03-09 23:59:45", "nan", "139.1", "RTK fix", "4"),      // not a number
        Row(t, "2024-03-09 23:59:46", "95.0", "139.1", "RTK fix", "4"),     // latitude 95
        Row("T2", "2024-03-09 23:59:47", "36.0", "140.0", "RTK fix", "4"),  // a second terminal
        Row(t, "2024-03-09 23:59:50.5+09:00", "35.0005000", "139.0005000", "DGPS", "42"),  // kept: a jump
        Row(t, "2024-03-09 23:59:52", "35.0005002", "139.0005002", "DGPS", "4"),      // dropped: below 1e-6°
        Row(t, "2024-03-10 00:00:10", "35.0010000", "139.0010000", "単独測位", "4"),  // kept, after midnight
        Row(t, "2024-03-10 00:00:15", "35.1", "139.1", "RTK fix", "34"),              // ends track 1
        Row(t, "2024-03-10 02:29:00", "35.0020000", "139.0020000", "RTK float", "4"),  // kept: track 2
        Row(t, "2024-03-10 02:31:00", "35.0040000", "139.0060000", "RTK fix", "abc"),  // kept, no line end
    };
    QByteArray bytes;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        bytes += fe::ToCp932(lines[k]);
        if (k + 1 < lines.size())
            bytes += "\r\n";
    }
    return bytes;
}

struct KeptRow
{
    QDateTime when;  // as written, read as UTC so that no zone rule touches it
    double lon;
    double lat;
};

inline QDateTime Utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

// The rows each track must keep, in order.
inline std::vector<std::vector<KeptRow>> KeptTracks()
{
    return {{{Utc(2024, 3, 9, 23, 59, 40), 139.0, 35.0},
             {Utc(2024, 3, 9, 23, 59, 50), 139.0005, 35.0005},
             {Utc(2024, 3, 10, 0, 0, 10), 139.001, 35.001}},
            {{Utc(2024, 3, 10, 2, 29, 0), 139.002, 35.002}, {Utc(2024, 3, 10, 2, 31, 0), 139.006, 35.004}}};
}

struct Photo
{
    QString date;
    QString time;
};

// Photos inside, at both ends of and outside the tracks' spans, and two without a usable shot time;
// 02:30 on 10 March 2024 does not exist in New York (clocks went from 2:00 to 3:00).
inline std::vector<Photo> Photos()
{
    return {{"2024/03/09", "23:59:45"},
            {"2024/03/10", "00:00:00"},
            {"2024/03/09", "23:59:40"},
            {"2024/03/10", "00:00:10"},
            {"2024/03/09", "23:59:39"},
            {"2024/03/10", "00:00:11"},
            {"2024/03/10", "02:30:00"},
            {"2024/03/10", "02:29:00"},
            {"2024/03/10", ""},
            {"2024/13/40", "23:59:45"},
            {"", ""}};
}

// Where a photo must end up when placed on a track: interpolated linearly in time between the kept rows
// around its shot time; nothing when the time is outside the track or not a real moment.
inline std::optional<std::pair<double, double>> Expected(const std::vector<KeptRow>& track,
                                                         const Photo& photo)
{
    const QDate date = QDate::fromString(photo.date, QStringLiteral("yyyy/MM/dd"));
    const QTime time = QTime::fromString(photo.time, QStringLiteral("hh:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    const QDateTime when(date, time, Qt::UTC);
    for (size_t k = 0; k + 1 < track.size(); ++k) {
        const KeptRow& a = track[k];
        const KeptRow& b = track[k + 1];
        if (when < a.when || when > b.when)
            continue;
        const double f =
            static_cast<double>(a.when.secsTo(when)) / static_cast<double>(a.when.secsTo(b.when));
        return std::make_pair(a.lon + (b.lon - a.lon) * f, a.lat + (b.lat - a.lat) * f);
    }
    return std::nullopt;
}

// The position every photo starts with.
inline constexpr double kStartLon = 130.5;
inline constexpr double kStartLat = 33.5;

}  // namespace track_scenario
