// Location maps written as DXF drawings, checked with real DXF readers and with positions worked out
// independently (numpy, pyproj) by data/cad_map_check.py.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <cmath>
#include <functional>
#include <numbers>

#include "CadMapFixture.h"
#include "ExternalReaders.h"
#include "cad/CadMapOutput.h"

namespace {

const QString kMarks = QStringLiteral("写真位置");

QJsonObject Check(const CadMapFixture& fixture, const QJsonObject& description, const QString& dxf)
{
    return ReadWithScript("cad_map_check.py", {fixture.WriteDescription(description), dxf});
}

QJsonObject Summary(const QString& dxf)
{
    return ReadWithScript("dxf_summary.py", {dxf});
}

QJsonObject PhotoNote(const QString& number, const Point2& at, bool arrow, double direction = 0.0)
{
    return {{"number", number}, {"x", at.x}, {"y", at.y}, {"arrow", arrow}, {"direction", direction}};
}

QStringList Strings(const QJsonArray& list)
{
    QStringList strings;
    for (const QJsonValue& v : list)
        strings << v.toString();
    return strings;
}

std::string Text(const QJsonArray& list)
{
    return Strings(list).join('\n').toStdString();
}

QJsonArray EntitiesOf(const QJsonObject& summary, const QString& type)
{
    QJsonArray found;
    for (const QJsonValue& e : summary["entities"].toArray()) {
        if (e.toObject()["type"].toString() == type)
            found.append(e);
    }
    return found;
}

}  // namespace

// Photos with and without direction, one drawn at its surveyed position away from its mark, one
// whose placed entry lacks the direction its record has, one without a record; the frame turned far
// enough to be drawn from its corners, and too little (drawn from the map's outline).
TEST(CadMapOutput, PutsMarksFrameAndLabelsWhereTheRegistrationSays)
{
    for (double frameAngle : {0.2, 0.05}) {
        SCOPED_TRACE(frameAngle);
        CadMapFixture fixture;
        for (const char* name : {"A", "B", "C"})
            fixture.AddMap(name, 0.0);
        LocationMap& map = fixture.AddMap(QStringLiteral("現場"), frameAngle);
        fixture.Place(map, {300, 200}, 30.0, "P1");
        fixture.Place(map, {500, 400}, kUnset, "P2");
        const Point2 surveyed(650, 500);
        fixture.Place(map, {700, 300}, 237.0, "P3", &surveyed);
        fixture.Place(map, {400, 600}, 90.0, "P4", nullptr, kUnset);
        PlacedPhoto orphan;
        orphan.photoId = 999;
        orphan.x = 150;
        orphan.y = 650;
        orphan.numberText = "P5";
        map.photos.entries.push_back(orphan);
        QJsonObject p3 = PhotoNote("P3", {700, 300}, true, 237.0);
        p3["lon"] = fixture.PictureToGeo(surveyed).longitude;
        p3["lat"] = fixture.PictureToGeo(surveyed).latitude;
        const QJsonArray photos{PhotoNote("P1", {300, 200}, true, 30.0), PhotoNote("P2", {500, 400}, false),
                                p3, PhotoNote("P4", {400, 600}, false), PhotoNote("P5", {150, 650}, false)};

        ASSERT_FALSE(QFileInfo::exists(fixture.project.CadFolder()));
        CadMapOutput job(&fixture.project);
        ASSERT_TRUE(job.WriteLocationMapDxf(3, map)) << job.errorText.toStdString();
        EXPECT_TRUE(job.errorText.isEmpty());
        EXPECT_TRUE(job.reasonText.isEmpty());
        const QString dxf = fixture.project.CadFolder() + QStringLiteral("4現場.dxf");
        ASSERT_TRUE(QFileInfo(dxf).isFile());

        const QJsonObject result = Check(fixture, fixture.Describe(map, photos), dxf);
        EXPECT_TRUE(result["errors"].toArray().isEmpty()) << Text(result["errors"].toArray());
        EXPECT_TRUE(result["problems"].toArray().isEmpty()) << Text(result["problems"].toArray());
        EXPECT_NEAR(job.markUnitX, result["unitX"].toDouble(), 1e-9);
        EXPECT_NEAR(job.markUnitY, result["unitY"].toDouble(), 1e-9);

        const ToolResult gdal =
            RunTool("ogrinfo", {"--config", "DXF_ENCODING", "UTF-8", "-ro", "-al", "-q", dxf});
        ASSERT_EQ(gdal.exitCode, 0) << gdal.err.toStdString();
        EXPECT_TRUE(gdal.out.contains(QStringLiteral("Layer (String) = 写真位置")));
    }
}

// The job writes the older versions as well when asked: AC1012 draws the frame as POLYLINE with
// VERTEX records; both older versions name their layers in ASCII and store code page 932.
TEST(CadMapOutput, EveryVersionPassesTheAudit)
{
    const struct
    {
        int code;
        const char* acadver;
        const char* codepage;
        const char* frameType;
        bool modernLayers;
    } cases[] = {
        {6, "AC1021", "ANSI_932", "LWPOLYLINE", true},
        {4, "AC1014", "ANSI_932", "LWPOLYLINE", false},
        {2, "AC1012", "dos932", "POLYLINE", false},
    };
    for (const auto& c : cases) {
        for (double frameAngle : {0.2, 0.05}) {
            SCOPED_TRACE(c.acadver);
            SCOPED_TRACE(frameAngle);
            CadMapFixture fixture;
            LocationMap& map = fixture.AddMap(QStringLiteral("図"), frameAngle);
            fixture.Place(map, {300, 200}, 45.0, QStringLiteral("①"));
            fixture.Place(map, {600, 500}, kUnset, QStringLiteral("No.2"));
            CadMapOutput job(&fixture.project);
            job.versionCode = c.code;
            ASSERT_TRUE(job.WriteLocationMapDxf(0, map)) << job.errorText.toStdString();
            const QString dxf = fixture.project.CadFolder() + QStringLiteral("1図.dxf");

            const QJsonObject summary = Summary(dxf);
            QFile file(dxf);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            EXPECT_TRUE(bytes.contains(QByteArray("$ACADVER\r\n  1\r\n") + c.acadver));
            EXPECT_TRUE(summary["errors"].toArray().isEmpty()) << Text(summary["errors"].toArray());
            const QString marks = c.modernLayers ? kMarks : QStringLiteral("Photo");
            const QString frame = c.modernLayers ? QStringLiteral("平面図範囲") : QStringLiteral("Frame");
            // The reader adds layers of its own after the drawing's.
            EXPECT_EQ(Strings(summary["layerOrder"].toArray()).mid(0, 4),
                      QStringList({"0", marks, frame, "XY"}));
            EXPECT_EQ(EntitiesOf(summary, c.frameType).size(), 1);
            EXPECT_EQ(summary["codepage"].toString(), c.codepage);
            QStringList numbers;
            for (const QJsonValue& t : EntitiesOf(summary, "TEXT"))
                numbers << t.toObject()["text"].toString();
            EXPECT_EQ(numbers, QStringList({QStringLiteral("①"), QStringLiteral("No.2")}));

            const QJsonObject result =
                Check(fixture,
                      fixture.Describe(
                          map, {PhotoNote("①", {300, 200}, true, 45.0), PhotoNote("No.2", {600, 500}, false)},
                          c.modernLayers),
                      dxf);
            EXPECT_TRUE(result["problems"].toArray().isEmpty()) << Text(result["problems"].toArray());
        }
    }
}

// On a north-up picture the arrow of direction 0 runs along +y from the circle, and the number stands
// on the side opposite the arrow, aligned by the side it is on.
TEST(CadMapOutput, NumberStandsOppositeTheArrow)
{
    const double k = 2.4;
    const struct
    {
        double direction;
        Point2 shaft;  // unit vector of the shaft
        int halign, valign;
        Point2 offset;  // from the label point, in mark units
    } cases[] = {
        {0.0, {0, 1}, 1, 3, {0, -k}},    {90.0, {1, 0}, 2, 1, {-k, -1}},    {180.0, {0, -1}, 1, 1, {0, k}},
        {270.0, {-1, 0}, 0, 1, {k, -1}}, {kUnset, {0, 0}, 1, 3, {0, -1.1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.direction);
        CadMapFixture fixture(0.0, 0.0);
        LocationMap& map = fixture.AddMap(QStringLiteral("北"), 0.0);
        const PlacedPhoto& placed = fixture.Place(map, {400, 300}, c.direction, "P1");
        CadMapOutput job(&fixture.project);
        job.markStyle.drawColor = 0x0000FF;  // red
        ASSERT_TRUE(job.WriteLocationMapDxf(0, map));
        const QJsonObject summary = Summary(fixture.project.CadFolder() + QStringLiteral("1北.dxf"));
        EXPECT_EQ(summary["layers"].toObject()[kMarks].toInt(), 1);

        const double u = job.markUnitX;
        EXPECT_NEAR(u, 2.5, 1e-3);
        const QJsonArray circles = EntitiesOf(summary, "CIRCLE");
        ASSERT_EQ(circles.size(), 1);
        const QJsonArray centre = circles[0].toObject()["center"].toArray();
        const Point2 c0(centre[0].toDouble(), centre[1].toDouble());
        const QJsonArray lines = EntitiesOf(summary, "LINE");
        if (c.shaft == Point2()) {
            EXPECT_TRUE(lines.isEmpty());
        } else {
            ASSERT_EQ(lines.size(), 3);
            const QJsonObject shaft = lines[0].toObject();
            const Point2 start = c0 + c.shaft.Scale(u), end = c0 + c.shaft.Scale(5 * u);
            // The registration is a fit: the drawing's north stands within a few millidegrees of +y.
            EXPECT_NEAR(shaft["start"].toArray()[0].toDouble(), start.x, 1e-3);
            EXPECT_NEAR(shaft["start"].toArray()[1].toDouble(), start.y, 1e-3);
            EXPECT_NEAR(shaft["end"].toArray()[0].toDouble(), end.x, 1e-3);
            EXPECT_NEAR(shaft["end"].toArray()[1].toDouble(), end.y, 1e-3);
        }
        const QJsonArray texts = EntitiesOf(summary, "TEXT");
        ASSERT_EQ(texts.size(), 1);
        const QJsonObject text = texts[0].toObject();
        EXPECT_EQ(text["halign"].toInt(), c.halign);
        EXPECT_EQ(text["valign"].toInt(), c.valign);
        EXPECT_NEAR(text["height"].toDouble(), 2 * job.markUnitY, 1e-6);
        const Point2 label =
            fixture.PictureToDrawing({placed.x + placed.labelOffset.x, placed.y + placed.labelOffset.y});
        const Point2 expected = label + c.offset.Scale(u);
        EXPECT_NEAR(text["insert"].toArray()[0].toDouble(), expected.x, 0.05);
        EXPECT_NEAR(text["insert"].toArray()[1].toDouble(), expected.y, 0.05);
    }
}

// Every way a map can fail to be written: what the job reports and that no drawing is left.
TEST(CadMapOutput, ReportsMapsItCannotWrite)
{
    const QString noFile;
    const struct
    {
        const char* what;
        std::function<void(CadMapFixture&, LocationMap&)> spoil;
        bool result;
        bool reason;
        bool pathError;
    } cases[] = {
        {"not ticked", [](CadMapFixture&, LocationMap& m) { m.cadOutputFlag = 0; }, false, false, false},
        {"web map", [](CadMapFixture&, LocationMap& m) { m.kind = LocationMap::kWebStandard; }, false, false,
         false},
        {"picture without zone", [](CadMapFixture&, LocationMap& m) { m.kind = LocationMap::kPicture; },
         false, false, false},
        {"no registration", [](CadMapFixture& f, LocationMap& m) { QFile::remove(f.RegistrationPath(m)); },
         false, true, false},
        {"newer registration",
         [](CadMapFixture& f, LocationMap& m) {
             f.WriteText(f.RegistrationPath(m), "2\n2\n0\n0\n1\n1\n2\n0\n0\n1\n1\n1\n0\n");
         },
         false, true, false},
        {"registration lists of different lengths",
         [](CadMapFixture& f, LocationMap& m) {
             f.WriteText(f.RegistrationPath(m), "1\n2\n0\n0\n1\n1\n1\n0\n0\n1\n0\n");
         },
         false, true, false},
        {"registration cut short",
         [](CadMapFixture& f, LocationMap& m) { f.WriteText(f.RegistrationPath(m), "1\n2\n0\n0\n1\n"); },
         false, true, false},
        {"both plane points the same",
         [](CadMapFixture&, LocationMap& m) { m.reference.plane2 = m.reference.plane1; }, false, false,
         false},
        {"cad folder is a file",
         [](CadMapFixture& f, LocationMap&) { f.WriteText(f.project.CadFolder().chopped(1), "x"); }, false,
         false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CadMapFixture fixture;
        LocationMap& map = fixture.AddMap(QStringLiteral("地図"), 0.0);
        fixture.Place(map, {300, 200}, 30.0, "P1");
        c.spoil(fixture, map);
        CadMapOutput job(&fixture.project);
        job.errorText = "left over";
        job.reasonText = "left over";
        EXPECT_FALSE(job.WriteLocationMapDxf(0, map));
        const bool silent = !c.reason && !c.pathError && std::string(c.what) != "both plane points the same";
        const QString output = fixture.project.CadFolder() + QStringLiteral("1地図.dxf");
        if (silent) {
            EXPECT_EQ(job.errorText, QString());
        } else if (c.pathError) {
            EXPECT_TRUE(job.errorText.startsWith(output + "\nDxfLoader:")) << job.errorText.toStdString();
        } else {
            EXPECT_EQ(job.errorText, QStringLiteral("ファイルの出力に失敗しました。"));
        }
        EXPECT_EQ(job.reasonText,
                  c.reason
                      ? QStringLiteral("ケルヴォルVersion1で取り込まれた位置図ではCAD出力ができません。\n"
                                       "位置図を取込しなおす必要があります。\n\n")
                      : QString());
        EXPECT_FALSE(QFileInfo(output).isFile());
    }

    // Without a project there is no registration to read.
    CadMapFixture fixture;
    CadMapOutput job(nullptr);
    EXPECT_FALSE(job.WriteLocationMapDxf(0, fixture.AddMap("A", 0.0)));
    EXPECT_EQ(job.errorText, QStringLiteral("ファイルの出力に失敗しました。"));
    EXPECT_FALSE(job.reasonText.isEmpty());
}

// A map without any mark to draw still gets its frame and labels, and the header's extents then
// cover them instead of holding the unset value.
TEST(CadMapOutput, MapWithoutMarksTakesTheFrameAsItsExtents)
{
    CadMapFixture fixture;
    LocationMap& map = fixture.AddMap(QStringLiteral("空"), 0.2);
    PlacedPhoto unplaced;
    unplaced.photoId = 5;
    map.photos.entries.push_back(unplaced);
    CadMapOutput job(&fixture.project);
    ASSERT_TRUE(job.WriteLocationMapDxf(0, map));
    const QString dxf = fixture.project.CadFolder() + QStringLiteral("1空.dxf");
    const QJsonObject summary = Summary(dxf);
    EXPECT_TRUE(summary["errors"].toArray().isEmpty());
    EXPECT_TRUE(EntitiesOf(summary, "CIRCLE").isEmpty());
    EXPECT_EQ(EntitiesOf(summary, "MTEXT").size(), 4);
    const QJsonArray frame = EntitiesOf(summary, "LWPOLYLINE");
    ASSERT_EQ(frame.size(), 1);
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (const QJsonValue& p : frame[0].toObject()["points"].toArray()) {
        minX = std::min(minX, p.toArray()[0].toDouble());
        maxX = std::max(maxX, p.toArray()[0].toDouble());
        minY = std::min(minY, p.toArray()[1].toDouble());
        maxY = std::max(maxY, p.toArray()[1].toDouble());
    }
    // The corner labels reach a little beyond the frame.
    const QJsonArray extmin = summary["extmin"].toArray(), extmax = summary["extmax"].toArray();
    const double margin = 20 * job.markUnitY;
    EXPECT_LE(extmin[0].toDouble(), minX);
    EXPECT_GT(extmin[0].toDouble(), minX - margin);
    EXPECT_LE(extmin[1].toDouble(), minY);
    EXPECT_GT(extmin[1].toDouble(), minY - margin);
    EXPECT_GE(extmax[0].toDouble(), maxX);
    EXPECT_LT(extmax[0].toDouble(), maxX + margin);
    EXPECT_GE(extmax[1].toDouble(), maxY);
    EXPECT_LT(extmax[1].toDouble(), maxY + margin);
}

// With marks, the extents are the marks' range: each mark's centre ± one mark unit.
TEST(CadMapOutput, ExtentsAreTheRangeOfTheMarks)
{
    CadMapFixture fixture;
    LocationMap& map = fixture.AddMap(QStringLiteral("範囲"), 0.2);
    fixture.Place(map, {300, 200}, 30.0, "P1");
    fixture.Place(map, {700, 600}, 30.0, "P2");
    CadMapOutput job(&fixture.project);
    ASSERT_TRUE(job.WriteLocationMapDxf(0, map));
    const QJsonObject summary = Summary(fixture.project.CadFolder() + QStringLiteral("1範囲.dxf"));
    const QJsonArray circles = EntitiesOf(summary, "CIRCLE");
    ASSERT_EQ(circles.size(), 2);
    const QJsonArray a = circles[0].toObject()["center"].toArray(),
                     b = circles[1].toObject()["center"].toArray();
    const double x0 = std::min(a[0].toDouble(), b[0].toDouble()) - job.markUnitX;
    const double y1 = std::max(a[1].toDouble(), b[1].toDouble()) + job.markUnitY;
    EXPECT_NEAR(summary["extmin"].toArray()[0].toDouble(), x0, 1e-6);
    EXPECT_NEAR(summary["limmax"].toArray()[1].toDouble(), y1, 1e-6);
}

// A picture turned 45° in the drawing has no mark size along one drawing axis; the other size
// stands in, so circles and numbers stay visible.
TEST(CadMapOutput, VanishingMarkSizeTakesTheOther)
{
    CadMapFixture fixture(0.3, std::numbers::pi / 4);
    fixture.exactRegistration = true;
    LocationMap& map = fixture.AddMap(QStringLiteral("斜"), 0.0);
    fixture.Place(map, {300, 200}, 30.0, "P1");
    CadMapOutput job(&fixture.project);
    ASSERT_TRUE(job.WriteLocationMapDxf(0, map));
    EXPECT_NEAR(job.markUnitX, 5 * 0.5 * std::sqrt(2.0), 1e-6);
    EXPECT_EQ(job.markUnitY, job.markUnitX);
    const QJsonObject summary = Summary(fixture.project.CadFolder() + QStringLiteral("1斜.dxf"));
    EXPECT_TRUE(summary["errors"].toArray().isEmpty());
    EXPECT_NEAR(EntitiesOf(summary, "TEXT")[0].toObject()["height"].toDouble(), 2 * job.markUnitX, 1e-6);
}

// Arrows and numbers follow the shooting direction as the CAD registration draws it, within 0.1° of the
// direction worked out with pyproj and numpy: a drawing turned against the plane with the picture north
// up, the picture made from a turned drawing, and a picture turned in a drawing in plane coordinates.
TEST(CadMapOutput, ArrowsAndNumbersFollowTheRegistration)
{
    const struct
    {
        const char* what;
        double planeTurn, pictureTurn;
    } cases[] = {
        {"drawing turned, picture north up", 0.3, -0.3},
        {"picture upright in a turned drawing", 0.3, 0.0},
        {"picture turned in a plane drawing", 0.0, 0.4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CadMapFixture fixture(c.planeTurn, c.pictureTurn);
        LocationMap& map = fixture.AddMap(QStringLiteral("回転"), 0.2);
        QJsonArray photos;
        const double directions[] = {30.0, 237.4, 359.9, 90.0};
        for (int k = 0; k < 4; ++k) {
            const Point2 at(250.0 + 150 * k, 200.0 + 100 * k);
            const QString number = QStringLiteral("P%1").arg(k + 1);
            const Point2 surveyed = at + Point2(40, 30);
            const PlacedPhoto& placed =
                fixture.Place(map, at, directions[k], number, k == 1 ? &surveyed : nullptr);
            QJsonObject note = PhotoNote(number, at, true, directions[k]);
            note["label"] = QJsonArray{at.x + placed.labelOffset.x, at.y + placed.labelOffset.y};
            if (k == 1) {
                note["lon"] = fixture.PictureToGeo(surveyed).longitude;
                note["lat"] = fixture.PictureToGeo(surveyed).latitude;
            }
            photos.append(note);
        }
        CadMapOutput job(&fixture.project);
        ASSERT_TRUE(job.WriteLocationMapDxf(0, map)) << job.errorText.toStdString();
        const QJsonObject result = Check(fixture, fixture.Describe(map, photos),
                                         fixture.project.CadFolder() + QStringLiteral("1回転.dxf"));
        EXPECT_TRUE(result["errors"].toArray().isEmpty()) << Text(result["errors"].toArray());
        EXPECT_TRUE(result["problems"].toArray().isEmpty()) << Text(result["problems"].toArray());
    }
}

// A drawing in plane coordinates (north up, the picture upright in it) keeps the marks it always had,
// byte for byte: arrows turned in whole degrees from the map's north angle. The reference drawing was
// written before arrows followed the registration.
TEST(CadMapOutput, PlaneCoordinateDrawingsAreWrittenAsBefore)
{
    CadMapFixture fixture(0.0, 0.0);
    LocationMap& map = fixture.AddMap(QStringLiteral("平面"), 0.2);
    fixture.Place(map, {300, 200}, 30.0, "P1");
    fixture.Place(map, {500, 400}, 237.4, "P2");
    const Point2 surveyed(650, 500);
    fixture.Place(map, {700, 300}, 359.9, "P3", &surveyed);
    fixture.Place(map, {400, 600}, 90.0, "P4");
    fixture.Place(map, {200, 650}, kUnset, "P5");
    CadMapOutput job(&fixture.project);
    ASSERT_TRUE(job.WriteLocationMapDxf(0, map)) << job.errorText.toStdString();
    QFile written(fixture.project.CadFolder() + QStringLiteral("1平面.dxf"));
    QFile reference(QStringLiteral(KELVOR_TEST_DATA_DIR "/plane_drawing.dxf"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_TRUE(reference.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll() == reference.readAll());
}
