#include "ProjectFileFixture.h"

#include <QtEndian>
#include <cstring>

namespace {

namespace V = ProjectFixtureValues;

void AppendMagicAndVersion(RecordBytes& out, std::int32_t version)
{
    out.text(QStringLiteral("TEKRO_SOFTWARE_LOCMAP_DOC")).i32(version);
}

void AppendPlacedList(RecordBytes& out, std::int32_t version)
{
    out.i32(1);  // one placed photo
    out.i32(1).dbl(135.5).dbl(34.5).dbl(45.0);
    out.dbl(0).dbl(640).dbl(0).dbl(480);  // picture frame x0, x1, y0, y1
    out.dbl(3).dbl(4);                    // label offset
    out.i32(V::kPlacedNumber).text(QStringLiteral("写真の説明"));
    if (version >= 7)
        out.text(QString::fromUtf16(V::kNumberTextV7));
    out.text(QStringLiteral("P")).text(QString()).i32(1);
}

// A web map (kind 2) over west 135, east 136, south 34, north 35, stored east first.
void AppendMap(RecordBytes& out, std::int32_t version, bool withPlacedPhoto)
{
    out.i32(2).i32(2).i32(5).i32(9).i32(0).i32(0);  // id, kind, picture format, zone, width, height
    for (int k = 1; k <= 8; ++k)
        out.dbl(k);  // reference points
    out.text(QStringLiteral("src.png"));
    out.dbl(10).dbl(20).dbl(30).dbl(40);    // rectangle A: x0, x1, y0, y1
    out.dbl(136).dbl(135).dbl(34).dbl(35);  // box: east, west, south, north
    out.i32(16).byte(0).byte(1);            // tile zoom, output flag, its copy
    out.i32(7).byte(1).i32(8).i32(2);       // reserved A to D
    out.text(QStringLiteral("地図A"));
    if (withPlacedPhoto) {
        AppendPlacedList(out, version);
    } else {
        out.i32(0).text(QStringLiteral("No.")).text(QStringLiteral("番")).i32(3);
    }
    for (const char* item : {"名1", "名2", "名3", "名4", "値1", "値2", "", "値4"})
        out.text(QString::fromUtf8(item));
    out.dbl(1).dbl(2).dbl(0.5).byte(0).dbl(3).dbl(4).byte(1);  // overlay
    if (version < 7)
        return;
    out.dbl(V::kFrameAngle).byte(0);  // frame angle, CAD output flag
    out.text(QStringLiteral("R1")).text(QStringLiteral("ため池")).text(QStringLiteral("2020/01/02"));
    out.i32(1).i32(3).text(QStringLiteral("pic.jpg"));  // one survey item: index, text
    if (version >= 8)
        out.i32(V::kReservoirValue);
    out.i32(1).i32(1).text(QStringLiteral("ひび割れ"));  // one photo row
    out.byte(0);
    out.byte(0).dbl(34.6).dbl(135.6);  // show callout, anchor latitude, longitude
    out.text(QStringLiteral("大阪府"));
    out.i32(2).text(QStringLiteral("一行目")).text(QStringLiteral("二行目"));
}

void AppendOptions(RecordBytes& out, std::int32_t version)
{
    out.i32(0).byte(1);  // output kind, cover orientation
    if (version >= 4)
        out.i32(V::kMapLayout).byte(1).i32(3).i32(3);
    out.byte(0).text(QStringLiteral("pre")).byte(0).i32(5);  // confirmed, prefix, split, pages
    if (version >= 5)
        out.i32(V::kPhotoQuality).i32(0);
    if (version >= 7)
        out.byte(0).byte(0).byte(0).byte(0).byte(1).i32(V::kPhotoPlacement).byte(1);
}

void AppendImportSettings(RecordBytes& out, std::int32_t version)
{
    out.byte(0).byte(1).text(QStringLiteral("2020/01/01")).text(QStringLiteral("2020/12/31"));
    if (version >= 3)
        out.byte(0);  // take direction
    if (version >= 7)
        out.byte(0);  // also same shot time
}

}  // namespace

RecordBytes& RecordBytes::i32(std::int32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    m_bytes.append(bytes, 4);
    return *this;
}

RecordBytes& RecordBytes::byte(std::uint8_t value)
{
    m_bytes.append(static_cast<char>(value));
    return *this;
}

RecordBytes& RecordBytes::dbl(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    qToLittleEndian(bits, bytes);
    m_bytes.append(bytes, 8);
    return *this;
}

RecordBytes& RecordBytes::text(const QString& text)
{
    i32(static_cast<std::int32_t>(text.size()));
    for (QChar unit : text) {
        char bytes[2];
        qToLittleEndian(unit.unicode(), bytes);
        m_bytes.append(bytes, 2);
    }
    return *this;
}

RecordBytes& RecordBytes::raw(const QByteArray& bytes)
{
    m_bytes.append(bytes);
    return *this;
}

QByteArray EmptyProjectFile()
{
    RecordBytes out;
    AppendMagicAndVersion(out, 8);
    out.i32(1).i32(1).i32(0);  // maps
    out.i32(1).i32(0);         // photos
    for (const char* label : {"", "所属", "報告者", "発生日時", "報告日付"})
        out.text(QString::fromUtf8(label));
    out.text(QStringLiteral("報告書"));
    for (int k = 0; k < 4; ++k)
        out.text(QString());
    out.i32(1).byte(0).i32(0).byte(0).i32(0).i32(2).byte(1).text(QString()).byte(1).i32(10);
    out.i32(1).i32(1).byte(1).byte(1).byte(1).byte(1).byte(0).i32(0).byte(0);
    out.byte(1).byte(0).text(QString()).text(QString()).byte(1).byte(1);  // import settings
    out.i32(0);                                                           // tracks
    out.i32(1).i32(1).i32(0);                                             // site maps
    out.i32(0);                                                           // site-map zone
    return out.bytes();
}

QByteArray ProjectFixtureFile(std::int32_t version)
{
    RecordBytes out;
    AppendMagicAndVersion(out, version);
    out.i32(3).i32(4).i32(1);
    AppendMap(out, version, true);
    out.i32(2).i32(1);                          // next photo id, one photo
    out.i32(1).dbl(34.5).dbl(135.5).dbl(45.0);  // id, latitude, longitude, direction
    out.text(QStringLiteral("2020/04/01"))
        .text(QStringLiteral("12:30:00"))
        .text(QStringLiteral("IMG_0001.JPG"));
    out.i32(90);
    for (const char* text :
         {"表題", "所属", "報告者", "発生日時", "報告日付", "報告書A", "土木課", "山田", "", "2020/04/02"})
        out.text(QString::fromUtf8(text));
    AppendOptions(out, version);
    if (version >= 2)
        AppendImportSettings(out, version);
    if (version >= 6) {
        out.i32(1).text(QStringLiteral("T1")).i32(1);
        out.dbl(34.5).dbl(135.5).dbl(12.5).i32(2020).i32(4).i32(1).i32(12).i32(30).i32(0);
    }
    if (version >= 7) {
        out.i32(2).i32(2).i32(1);
        AppendMap(out, version, false);
        out.i32(V::kSiteMapZone);
    }
    return out.bytes();
}
