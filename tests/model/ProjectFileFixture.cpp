#include "ProjectFileFixture.h"

namespace {

namespace V = ProjectFixtureValues;

void AppendMagicAndVersion(Bytes& out, std::int32_t version)
{
    out.text(QStringLiteral("TEKRO_SOFTWARE_LOCMAP_DOC")).i32(version);
}

// Two placed photos: the first numbered, the second without a number (0, and no number text).
void AppendPlacedList(Bytes& out, std::int32_t version)
{
    out.count(2, "placed photos");
    out.i32(1).f64(135.5).f64(34.5).f64(45.0);
    out.f64(0).f64(640).f64(0).f64(480);  // picture frame x0, x1, y0, y1
    out.f64(3).f64(4);                    // label offset
    out.i32(V::kPlacedNumber).text(QStringLiteral("写真の説明"));
    if (version >= 7)
        out.text(QString::fromUtf16(V::kNumberTextV7));
    out.i32(2).f64(135.6).f64(34.6).f64(0.0);
    out.f64(0).f64(480).f64(0).f64(640);
    out.f64(0).f64(0);
    out.i32(0).text(QString());
    if (version >= 7)
        out.text(QString());
    out.text(QStringLiteral("P")).text(QString()).i32(1);
}

// A web map (kind 2) over west 135, east 136, south 34, north 35, stored east first.
void AppendMap(Bytes& out, std::int32_t version, bool withPlacedPhoto)
{
    out.i32(2).i32(2).i32(5).i32(9).i32(0).i32(0);  // id, kind, picture format, zone, width, height
    for (int k = 1; k <= 8; ++k)
        out.f64(k);  // reference points
    out.text(QStringLiteral("src.png"));
    out.f64(10).f64(20).f64(30).f64(40);    // rectangle A: x0, x1, y0, y1
    out.f64(136).f64(135).f64(34).f64(35);  // box: east, west, south, north
    out.i32(16).u8(0).u8(1);                // tile zoom, output flag, its copy
    out.i32(7).u8(1).i32(8).i32(2);         // reserved A to D
    out.text(QStringLiteral("地図A"));
    if (withPlacedPhoto) {
        AppendPlacedList(out, version);
    } else {
        out.count(0, "site map placed photos").text(QStringLiteral("No.")).text(QStringLiteral("番")).i32(3);
    }
    for (const char* item : {"名1", "名2", "名3", "名4", "値1", "値2", "", "値4"})
        out.text(QString::fromUtf8(item));
    out.f64(1).f64(2).f64(0.5).u8(0).f64(3).f64(4).u8(1);  // overlay
    if (version < 7)
        return;
    out.f64(V::kFrameAngle).u8(0);  // frame angle, CAD output flag
    out.text(QStringLiteral("R1")).text(QStringLiteral("ため池")).text(QStringLiteral("2020/01/02"));
    // The eight survey tables in order; table 3 has a picture and one photo row.
    out.count(8, "survey items");
    for (std::int32_t table = 0; table < 8; ++table) {
        out.i32(table).text(table == 3 ? QStringLiteral("pic.jpg") : QString());  // index, text
        if (version >= 8)
            out.i32(table == 3 ? V::kReservoirValue : 0);
        if (table == 3)
            out.count(1, "survey photo rows").i32(1).text(QStringLiteral("ひび割れ"));
        else
            out.i32(0);
    }
    out.u8(0);
    out.u8(0).f64(34.6).f64(135.6);  // show callout, anchor latitude, longitude
    out.text(QStringLiteral("大阪府"));
    out.count(2, "comment lines").text(QStringLiteral("一行目")).text(QStringLiteral("二行目"));
}

void AppendOptions(Bytes& out, std::int32_t version)
{
    out.i32(0).u8(1);  // output kind, cover orientation
    if (version >= 4)
        out.i32(V::kMapLayout).u8(1).i32(3).i32(3);
    out.u8(0).text(QStringLiteral("pre")).u8(0).i32(5);  // confirmed, prefix, split, pages
    if (version >= 5)
        out.i32(V::kPhotoQuality).i32(0);
    if (version >= 7)
        out.u8(0).u8(0).u8(0).u8(0).u8(1).i32(V::kPhotoPlacement).u8(1);
}

void AppendImportSettings(Bytes& out, std::int32_t version)
{
    out.u8(0).u8(1).text(QStringLiteral("2020/01/01")).text(QStringLiteral("2020/12/31"));
    if (version >= 3)
        out.u8(0);  // take direction
    if (version >= 7)
        out.u8(0);  // also same shot time
}

}  // namespace

Bytes EmptyProjectBytes()
{
    Bytes out;
    AppendMagicAndVersion(out, 8);
    out.i32(1).i32(1).count(0, "maps");
    out.i32(1).count(0, "photos");
    for (const char* label : {"", "所属", "報告者", "発生日時", "報告日付"})
        out.text(QString::fromUtf8(label));
    out.text(QStringLiteral("報告書"));
    for (int k = 0; k < 4; ++k)
        out.text(QString());
    out.i32(1).u8(0).i32(0).u8(0).i32(0).i32(2).u8(1).text(QString()).u8(1).i32(10);
    out.i32(1).i32(1).u8(1).u8(1).u8(1).u8(1).u8(0).i32(0).u8(0);
    out.u8(1).u8(0).text(QString()).text(QString()).u8(1).u8(1);  // import settings
    out.count(0, "tracks");
    out.i32(1).i32(1).count(0, "site maps");
    out.i32(0);  // site-map zone
    return out;
}

QByteArray EmptyProjectFile()
{
    return EmptyProjectBytes().data;
}

Bytes ProjectFixtureBytes(std::int32_t version)
{
    Bytes out;
    AppendMagicAndVersion(out, version);
    out.i32(3).i32(4).count(1, "maps");
    AppendMap(out, version, true);
    out.i32(3).count(2, "photos");              // next photo id, two photos
    out.i32(1).f64(34.5).f64(135.5).f64(45.0);  // id, latitude, longitude, direction
    out.text(QStringLiteral("2020/04/01"))
        .text(QStringLiteral("12:30:00"))
        .text(QStringLiteral("IMG_0001.JPG"));
    out.i32(90);
    out.i32(2).f64(34.6).f64(135.6).f64(0.0);
    out.text(QStringLiteral("2020/04/01"))
        .text(QStringLiteral("12:31:00"))
        .text(QStringLiteral("IMG_0002.JPG"));
    out.i32(0);
    for (const char* text :
         {"表題", "所属", "報告者", "発生日時", "報告日付", "報告書A", "土木課", "山田", "", "2020/04/02"})
        out.text(QString::fromUtf8(text));
    AppendOptions(out, version);
    if (version >= 2)
        AppendImportSettings(out, version);
    if (version >= 6) {
        out.count(1, "tracks").text(QStringLiteral("T1")).count(1, "track points");
        out.f64(34.5).f64(135.5).f64(12.5).i32(2020).i32(4).i32(1).i32(12).i32(30).i32(0);
    }
    if (version >= 7) {
        out.i32(2).i32(2).count(1, "site maps");
        AppendMap(out, version, false);
        out.i32(V::kSiteMapZone);
    }
    return out;
}

QByteArray ProjectFixtureFile(std::int32_t version)
{
    return ProjectFixtureBytes(version).data;
}
