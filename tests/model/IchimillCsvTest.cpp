// The ichimill track reader: header, lines, thinning, tracks and hostile files.
#include <gtest/gtest.h>

#include <QFile>
#include <clocale>
#include <string>

#include "FileBytes.h"
#include "PeakRss.h"
#include "TempFolder.h"
#include "fe/Cp932.h"
#include "model/IchimillCsv.h"

namespace {

const char kHeader[] =
    "\"端末ID\",\"日時\",\"精度\",\"緯度\",\"経度\",\"測位モード\",\"標高\",\"衛星数\",\"ステータス\"";

// One data line with the fields the reader uses; the others hold filler.
QString Line(const QString& id, const QString& when, const QString& lat, const QString& lon,
             const QString& mode = QStringLiteral("RTK fix"), const QString& status = QStringLiteral("4"),
             const QString& elevation = QStringLiteral("12.5"))
{
    return QStringLiteral("\"%1\",\"%2\",\"0.1\",\"%3\",\"%4\",\"%5\",\"%6\",\"12\",\"%7\"")
        .arg(id, when, lat, lon, mode, elevation, status);
}

// The lines as CP932 bytes joined by CR LF, with a final line end unless told otherwise.
QByteArray Csv(const QStringList& lines, bool finalLineEnd = true)
{
    QByteArray bytes;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        bool ok = false;
        bytes += fe::ToCp932(lines[k], &ok);
        EXPECT_TRUE(ok) << lines[k].toStdString();
        if (k + 1 < lines.size() || finalLineEnd)
            bytes += "\r\n";
    }
    return bytes;
}

LocusPoint At(double lon, double lat, int hour, int minute, int second)
{
    LocusPoint point;
    point.position = fe::geo::GeoPoint(lon, lat);
    point.date = {2024, 5, 9};
    point.time = {hour, minute, second};
    return point;
}

IchimillReadResult Read(const QByteArray& bytes, std::vector<LocusTrack>& tracks,
                        const IchimillLoaderParams& params = {})
{
    return ReadIchimillCsvBytes(bytes, params, tracks);
}

}  // namespace

TEST(IchimillCsv, HeaderNeedsTheQuotedTerminalIdAndNineFields)
{
    // The header's first field in CP932 bytes: 端末ID in quotes.
    const QByteArray quoted = QByteArray::fromHex("22925B9696494422") + ",b,c,d,e,f,g,h,i\r\n";
    std::vector<LocusTrack> tracks;
    EXPECT_TRUE(Read(quoted, tracks).Ok());
    EXPECT_TRUE(tracks.empty());

    const IchimillLoaderParams params;
    EXPECT_FALSE(IsIchimillHeader(u"端末ID,b,c,d,e,f,g,h,i", params));
    EXPECT_FALSE(IsIchimillHeader(u"\"端末ID\",b,c,d,e,f,g,h", params));
    EXPECT_FALSE(IsIchimillHeader(u" \"端末ID\",b,c,d,e,f,g,h,i", params));
    EXPECT_TRUE(IsIchimillHeader(QString::fromUtf8(kHeader), params));
}

TEST(IchimillCsv, DateTimeGrammarAndCalendar)
{
    struct Case
    {
        const char16_t* text;
        bool ok;
        int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    };
    const Case cases[] = {
        {u"2024-05-09 10:15:30", true, 2024, 5, 9, 10, 15, 30},
        {u"2024--05-09 10:15:30.5", true, 2024, 5, 9, 10, 15, 30},
        {u"2024-05-09 10:15:30+09:00", true, 2024, 5, 9, 10, 15, 30},
        {u"20240509   101530", false},  // one run of digits for the whole date
        {u"2024-5-9 1::2:3", true, 2024, 5, 9, 1, 2, 3},
        {u"2024-02-29 23:59:59", true, 2024, 2, 29, 23, 59, 59},
        {u"2024/05/09 10:15:30", false},
        {u"2024-05-09", false},
        {u"2024-05-09 10:15", false},
        {u"", false},
        {u"2024-13-09 10:15:30", false},
        {u"2024-00-09 10:15:30", false},
        {u"2024-05-00 10:15:30", false},
        {u"2024-05-32 10:15:30", false},
        {u"2023-02-29 10:15:30", false},
        {u"2024-04-31 10:15:30", false},
        {u"2024-05-09 24:00:00", false},
        {u"2024-05-09 10:60:00", false},
        {u"2024-05-09 10:15:60", false},
        {u"0-05-09 10:15:30", false},
        {u"99999999999999999999-05-09 10:15:30", false},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        fe::SimpleDate date;
        fe::SimpleTime time;
        ASSERT_EQ(ParseIchimillDateTime(text, date, time), c.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(date.year, c.y);
        EXPECT_EQ(date.month, c.mo);
        EXPECT_EQ(date.day, c.d);
        EXPECT_EQ(time.hour, c.h);
        EXPECT_EQ(time.minute, c.mi);
        EXPECT_EQ(time.second, c.s);
    }
}

TEST(IchimillCsv, LineModesStatusesAndNumbers)
{
    struct Case
    {
        QString line;
        bool accepted;
        bool closes;
    };
    const QString when = QStringLiteral("2024-05-09 10:15:30");
    const auto line =
        [&](const QString& mode, const QString& status, const QString& lat = QStringLiteral("35.5"),
            const QString& lon = QStringLiteral("139.5"), const QString& elev = QStringLiteral("1")) {
            return Line(QStringLiteral("T1"), when, lat, lon, mode, status, elev);
        };
    const Case cases[] = {
        {line(QStringLiteral("単独測位"), "4"), true, false},
        {line(QStringLiteral("Single"), "4"), true, false},
        {line(QStringLiteral("DGPS"), "4"), true, false},
        {line(QStringLiteral("RTK fix"), "42"), true, false},
        {line(QStringLiteral("RTK float"), "abc"), true, false},
        {line(QStringLiteral("RTK float"), ""), true, false},
        {line(QStringLiteral("未測位"), "4"), false, false},
        {line(QStringLiteral("Error"), "4"), false, false},
        {line(QStringLiteral("RTK Fix"), "4"), false, false},  // the modes are matched exactly
        {line(QStringLiteral("FIX"), "34"), false, false},     // an unknown mode never closes a track
        {line(QStringLiteral("DGPS"), "7"), false, false},
        {line(QStringLiteral("DGPS"), "34"), false, true},
        {line(QStringLiteral("DGPS"), "4", "35.5abc"), true, false},
        {line(QStringLiteral("DGPS"), "4", "abc"), false, false},
        {line(QStringLiteral("DGPS"), "4", "nan"), false, false},
        {line(QStringLiteral("DGPS"), "4", "35", "inf"), false, false},
        {line(QStringLiteral("DGPS"), "4", "35", "139", "-nan"), false, false},
        {line(QStringLiteral("DGPS"), "4", "95"), false, false},
        {line(QStringLiteral("DGPS"), "4", "-90"), true, false},
        {line(QStringLiteral("DGPS"), "4", "35", "180.0001"), false, false},
        {line(QStringLiteral("DGPS"), "4", "1e400"), false, false},
        {line(QStringLiteral("DGPS"), "4", "1.7976931348623157e308"), false, false},
        {Line("T1", "2024-13-09 10:15:30", "35", "139"), false, false},
        {QStringLiteral("\"T1\",\"2024-05-09 10:15:30\",\"0\",\"35\",\"139\",\"DGPS\",\"1\",\"12\""), false,
         false},
        {QStringLiteral(",,,,,,,,"), false, false},
    };
    const IchimillLoaderParams params;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const IchimillLine parsed = ParseIchimillLine(c.line, params);
        EXPECT_EQ(parsed.accepted, c.accepted);
        EXPECT_EQ(parsed.closesTrack, c.closes);
    }

    const IchimillLine parsed =
        ParseIchimillLine(line(QStringLiteral("DGPS"), "4", "35.5abc", "139.25", "-3.5"), params);
    EXPECT_EQ(parsed.terminalId, QStringLiteral("T1"));
    EXPECT_DOUBLE_EQ(parsed.point.position.latitude, 35.5);
    EXPECT_DOUBLE_EQ(parsed.point.position.longitude, 139.25);
    EXPECT_DOUBLE_EQ(parsed.point.elevation, -3.5);

    // Each accept flag switches its own mode off.
    struct Flag
    {
        std::uint8_t IchimillLoaderParams::*flag;
        const char16_t* mode;
    };
    for (const Flag& f : {Flag{&IchimillLoaderParams::acceptSingle, u"単独測位"},
                          Flag{&IchimillLoaderParams::acceptSingle, u"Single"},
                          Flag{&IchimillLoaderParams::acceptDgps, u"DGPS"},
                          Flag{&IchimillLoaderParams::acceptRtkFix, u"RTK fix"},
                          Flag{&IchimillLoaderParams::acceptRtkFloat, u"RTK float"}}) {
        IchimillLoaderParams off;
        off.*f.flag = 0;
        const QString mode = QString::fromUtf16(f.mode);
        SCOPED_TRACE(mode.toStdString());
        EXPECT_FALSE(ParseIchimillLine(line(mode, "4"), off).accepted);
        // A status-34 line of a refused mode does not close the track.
        EXPECT_FALSE(ParseIchimillLine(line(mode, "34"), off).closesTrack);
        EXPECT_TRUE(ParseIchimillLine(line(mode, "4"), params).accepted);
    }
}

TEST(IchimillCsv, ThinningKeepsJumpsAndIntervals)
{
    const LocusPoint last = At(139.0, 35.0, 10, 0, 0);
    struct Case
    {
        LocusPoint candidate;
        bool kept;
        const char* what;
    };
    const Case cases[] = {
        {At(139.0, 35.0 + 4.5e-6, 10, 0, 1), false, "0.5 m after 1 s"},
        {At(139.0, 35.0, 10, 0, 6), false, "standing still for 6 s"},
        {At(139.0 + 2e-6, 35.0, 10, 0, 6), true, "0.2 m after 6 s"},
        {At(139.0, 35.0 + 4.5e-6, 10, 0, 5), true, "0.5 m after exactly the interval"},
        {At(139.0 + 1.8e-4, 35.0, 10, 0, 1), true, "20 m east after 1 s"},
        {At(139.0, 35.0 + 1.8e-4, 10, 0, 1), true, "20 m north after 1 s"},
        {At(139.0, 35.0 + 4.5e-7, 11, 0, 0), false, "5 cm after an hour"},
    };
    const IchimillLoaderParams params;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(KeepTrackPoint(last, c.candidate, params), c.kept);
    }

    // The largest interval keeps only jumps.
    IchimillLoaderParams longest;
    longest.thinningInterval = 2147483647;
    EXPECT_FALSE(KeepTrackPoint(last, At(139.0, 35.0 + 5e-5, 23, 0, 0), longest));
    EXPECT_TRUE(KeepTrackPoint(last, At(139.0, 35.0 + 1e-4, 10, 0, 1), longest));
}

TEST(IchimillCsv, TracksOfOneTerminalSplitAtStatus34)
{
    const QByteArray bytes =
        Csv({QString::fromUtf8(kHeader), Line("T1", "2024-05-09 10:00:00", "35.0", "139.0"),
             Line("T1", "2024-05-09 10:00:10", "35.001", "139.001"),
             Line("T9", "2024-05-09 10:00:15", "35.0", "139.0", "DGPS", "34"),
             Line("T1", "2024-05-09 10:00:20", "35.002", "139.002"),
             Line("T1", "2024-05-09 10:00:30", "35.003", "139.003"),
             Line("T2", "2024-05-09 10:00:40", "36.0", "140.0"),
             // the last line has no line end
             Line("T1", "2024-05-09 10:00:50", "35.004", "139.004")},
            false);
    std::vector<LocusTrack> tracks(1);
    tracks[0].terminalId = QStringLiteral("earlier");
    const IchimillReadResult result = Read(bytes, tracks);
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.tracksAdded, 2);
    EXPECT_EQ(result.linesRefused, 1);
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(tracks[0].terminalId, QStringLiteral("earlier"));
    EXPECT_EQ(tracks[1].terminalId, QStringLiteral("T1"));
    EXPECT_EQ(tracks[2].terminalId, QStringLiteral("T1"));
    ASSERT_EQ(tracks[1].points.size(), 2u);
    ASSERT_EQ(tracks[2].points.size(), 3u);
    EXPECT_EQ(tracks[2].points.back().time.second, 50);
    EXPECT_EQ(tracks[1].box, Rect2(139.0, 35.0, 139.001, 35.001));
    EXPECT_EQ(tracks[1].currentPoint, -1);
}

TEST(IchimillCsv, TerminalIdsInCp932AndDecimalCommaLocale)
{
    const QString id = QStringLiteral("①号機㈱");
    const QByteArray bytes =
        Csv({QString::fromUtf8(kHeader), Line(id, "2024-05-09 23:59:58", "35.25", "139.75"),
             Line(id, "2024-05-10 00:00:08", "35.26", "139.76")});
    // The process locale does not change how numbers are read.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    std::vector<LocusTrack> tracks;
    const IchimillReadResult result = Read(bytes, tracks);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_TRUE(german) << "de_DE.UTF-8 is not installed";
    ASSERT_TRUE(result.Ok());
    ASSERT_EQ(tracks.size(), 1u);
    EXPECT_EQ(tracks[0].terminalId, id);
    ASSERT_EQ(tracks[0].points.size(), 2u);
    EXPECT_DOUBLE_EQ(tracks[0].points[0].position.latitude, 35.25);
    EXPECT_DOUBLE_EQ(tracks[0].points[1].position.longitude, 139.76);
    EXPECT_EQ(tracks[0].points[1].date.day, 10);
}

TEST(IchimillCsv, HostileFilesAreRefusedOrReadWithinBounds)
{
    const QString header = QString::fromUtf8(kHeader);
    const QString good = Line("T1", "2024-05-09 10:00:00", "35.0", "139.0");
    const QByteArray goodBytes = fe::ToCp932(good);
    struct Case
    {
        const char* what;
        QByteArray bytes;
        IchimillReadStatus status;
        int tracks;
        int refused;
    };
    const Case cases[] = {
        {"empty file", QByteArray(), IchimillReadStatus::NotTrackFile, 0, 0},
        {"only line ends", QByteArray("\r\n\r\n"), IchimillReadStatus::NotTrackFile, 0, 0},
        {"header in UTF-8", header.toUtf8() + "\r\n" + good.toUtf8() + "\r\n",
         IchimillReadStatus::NotTrackFile, 0, 0},
        {"header without quotes", Csv({QStringLiteral("端末ID,b,c,d,e,f,g,h,i"), good}),
         IchimillReadStatus::NotTrackFile, 0, 0},
        {"NUL bytes", Csv({header, good}) + QByteArray("\0\x01\x02", 3), IchimillReadStatus::NotText, 0, 0},
        {"binary after a header", Csv({header}) + QByteArray::fromHex("ff fe 81 00 9f 80 0a"),
         IchimillReadStatus::NotText, 0, 0},
        {"header only", Csv({header}), IchimillReadStatus::Read, 0, 0},
        {"header only without line end", Csv({header}, false), IchimillReadStatus::Read, 0, 0},
        {"every row refused",
         Csv({header, Line("T1", "2024/5/9 10:00:00", "35", "139"), Line("T1", "x", "35", "139")}),
         IchimillReadStatus::Read, 0, 2},
        {"broken CP932 in a row",
         Csv({header}) + QByteArray("\"T1\x81\",") + goodBytes.mid(5) + "\r\n" + goodBytes,
         IchimillReadStatus::Read, 1, 1},
        {"over-long row", Csv({header}) + QByteArray(9000, 'a') + "\r\n" + goodBytes,
         IchimillReadStatus::Read, 1, 1},
        {"thousands of fields", Csv({header}) + QByteArray(7000, ',') + "\n" + goodBytes,
         IchimillReadStatus::Read, 1, 1},
        {"a line end inside a row",
         Csv({header}) + goodBytes.left(20) + "\n" + goodBytes.mid(20) + "\n" + goodBytes,
         IchimillReadStatus::Read, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<LocusTrack> tracks(1);
        const IchimillReadResult result = Read(c.bytes, tracks);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.tracksAdded, c.tracks);
        EXPECT_EQ(tracks.size(), 1u + c.tracks);
        EXPECT_EQ(result.linesRefused, c.refused);
    }
}

TEST(IchimillCsv, FilesThatCannotBeReadOrAreTooLarge)
{
    TempFolder folder;
    std::vector<LocusTrack> tracks;
    EXPECT_EQ(ReadIchimillCsv(folder.file("missing.csv"), {}, tracks).status, IchimillReadStatus::CannotOpen);
    EXPECT_EQ(ReadIchimillCsv(folder.path(), {}, tracks).status, IchimillReadStatus::CannotOpen);

    // A sparse file just over the bound is refused before it is read.
    const QString huge = folder.file("huge.csv");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(kHeader));
        ASSERT_TRUE(file.resize(kMaxIchimillFileBytes + 1));
    }
    EXPECT_EQ(ReadIchimillCsv(huge, {}, tracks).status, IchimillReadStatus::TooLarge);

    const QString small = folder.file("track.csv");
    WriteAll(small, Csv({QString::fromUtf8(kHeader), Line("T1", "2024-05-09 10:00:00", "35.0", "139.0")}));
    EXPECT_TRUE(ReadIchimillCsv(small, {}, tracks).Ok());
    EXPECT_TRUE(tracks.size() == 1u);
}

namespace {

// Tracks of a single point each: a point, then a status-34 line that ends the track, `count` times.
QByteArray OnePointTracks(int count)
{
    QByteArray bytes = Csv({QString::fromUtf8(kHeader)});
    const QByteArray pair = Csv({Line("T1", "2024-05-09 10:00:00", "35.0", "139.0"),
                                 Line("T1", "2024-05-09 10:00:01", "35.0", "139.0", "RTK fix", "34")});
    bytes.reserve(bytes.size() + pair.size() * count);
    for (int k = 0; k < count; ++k)
        bytes += pair;
    return bytes;
}

}  // namespace

TEST(IchimillCsv, TheNumberOfTracksIsBounded)
{
    std::vector<LocusTrack> tracks;
    IchimillReadResult result = Read(OnePointTracks(kMaxIchimillTracks), tracks);
    EXPECT_EQ(result.status, IchimillReadStatus::Read);
    EXPECT_EQ(tracks.size(), size_t(kMaxIchimillTracks));
    tracks.clear();
    result = Read(OnePointTracks(kMaxIchimillTracks + 1), tracks);
    EXPECT_EQ(result.status, IchimillReadStatus::TooManyTracks);
    EXPECT_TRUE(tracks.empty());
}

// A 24 MB file of 320,000 one-point tracks is read (and refused) within a bounded memory.
TEST(IchimillCsv, AFileOfManyOnePointTracksStaysWithinItsMemory)
{
    TempFolder folder;
    const QString path = folder.file("tracks.csv");
    WriteAll(path, OnePointTracks(320'000));
    peak_rss::ExpectPeakBelow("IchimillCsv.DISABLED_ReadTheFileGiven", path, 300);
}

TEST(IchimillCsv, DISABLED_ReadTheFileGiven)
{
    peak_rss::RunAsChild([](const QString& path) {
        std::vector<LocusTrack> tracks;
        (void)ReadIchimillCsv(path, {}, tracks);
    });
}
