#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <cmath>

#include "TempFolder.h"
#include "fe/geo/MhcRegistration.h"

using fe::geo::MapHelmart;
using fe::geo::MhcRegistration;

namespace {

// A registration as the import tool writes it: drawing points D, related to the picture-frame
// points F by a similarity followed by the mirror in y that the reader applies.
struct Registration
{
    std::vector<Point2> frame;    // first list
    std::vector<Point2> drawing;  // second list, written y first
    int version = 1;
    int flag2 = 0;

    QStringList Lines() const
    {
        QStringList lines{QString::number(version), QString::number(frame.size())};
        for (const Point2& p : frame) {
            lines << QString::number(p.x, 'f', 6) << QString::number(p.y, 'f', 6);
        }
        lines << QString::number(drawing.size());
        for (const Point2& p : drawing) {
            lines << QString::number(p.y, 'f', 6) << QString::number(p.x, 'f', 6);
        }
        lines << QStringLiteral("1") << QString::number(flag2);
        return lines;
    }
};

// With `mirrored` false the frame points are the plain similarity of the drawing points.
Registration MakeRegistration(bool mirrored = true)
{
    MapHelmart drawingToFlipped;
    drawingToFlipped.a = 0.05 * std::cos(0.4);
    drawingToFlipped.b = 0.05 * std::sin(0.4);
    drawingToFlipped.c = 310;
    drawingToFlipped.d = -120;
    Registration r;
    r.drawing = {{-12000, 3500}, {-4000, 9100}, {-9000, 14800}, {-15500, 8000}};
    std::vector<Point2> flipped;
    for (const Point2& d : r.drawing) {
        flipped.push_back(drawingToFlipped.Map(d));
    }
    // The mirror about the middle of the first two points' y is its own inverse.
    const double mirror = mirrored ? flipped[0].y + flipped[1].y : 0.0;
    for (const Point2& g : flipped) {
        r.frame.emplace_back(g.x, mirrored ? mirror - g.y : g.y);
    }
    return r;
}

QString WriteFile(const TempFolder& folder, const QStringList& lines, const QString& ending = "\r\n")
{
    const QString name = folder.file(QStringLiteral("mapCAD.mhc"));
    QFile file(name);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join(ending).toUtf8() + ending.toUtf8());
    return name;
}

void ExpectReset(const MhcRegistration& reg, const char* what)
{
    EXPECT_TRUE(reg.FirstList().empty()) << what;
    EXPECT_TRUE(reg.SecondList().empty()) << what;
    EXPECT_TRUE(reg.Forward().IsIdentity()) << what;
    EXPECT_TRUE(reg.FlipIsIdentity()) << what;
    EXPECT_EQ(reg.Transform(3, 4), Point2(3, 4)) << what;
}

TEST(MhcRegistration, MapsDrawingPointsOntoThePictureFrame)
{
    TempFolder folder;
    const Registration r = MakeRegistration();
    for (int version : {0, 1}) {
        Registration v = r;
        v.version = version;
        MhcRegistration reg;
        ASSERT_TRUE(reg.Read(WriteFile(folder, v.Lines()))) << version;
        EXPECT_FALSE(reg.FlipIsIdentity());
        for (size_t i = 0; i < r.frame.size(); ++i) {
            const Point2 p = reg.Transform(r.drawing[i].x, r.drawing[i].y);
            EXPECT_NEAR(p.x, r.frame[i].x, 1e-5);
            EXPECT_NEAR(p.y, r.frame[i].y, 1e-5);
        }
        EXPECT_EQ(reg.Flag1(), 1);
        EXPECT_EQ(reg.Flag2(), 0);
    }
    // LF line ends and a last line without a line end read the same.
    MhcRegistration reg;
    EXPECT_TRUE(reg.Read(WriteFile(folder, r.Lines(), "\n")));
    const QString name = folder.file(QStringLiteral("noend.mhc"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(r.Lines().join("\r\n").toUtf8());
    file.close();
    EXPECT_TRUE(reg.Read(name));
    EXPECT_EQ(reg.SecondList().size(), 4u);
}

// With flag 2 set the first list is fitted as it stands, yet Transform still mirrors the result.
TEST(MhcRegistration, SecondFlagSkipsTheMirrorOfTheFirstListOnly)
{
    TempFolder folder;
    Registration r = MakeRegistration(false);
    r.flag2 = 1;
    MhcRegistration reg;
    ASSERT_TRUE(reg.Read(WriteFile(folder, r.Lines())));
    const double mirror = r.frame[0].y + r.frame[1].y;
    const Point2 p = reg.Transform(r.drawing[2].x, r.drawing[2].y);
    EXPECT_NEAR(p.x, r.frame[2].x, 1e-5);
    EXPECT_NEAR(p.y, mirror - r.frame[2].y, 1e-5);
}

TEST(MhcRegistration, RefusedFilesLeaveTheIdentity)
{
    TempFolder folder;
    const Registration good = MakeRegistration();
    Registration version2 = good;
    version2.version = 2;
    Registration onePoint = good;
    onePoint.frame.resize(1);
    onePoint.drawing.resize(1);
    Registration coincident = good;
    coincident.drawing.assign(4, Point2(5, 5));
    Registration empty = good;
    empty.frame.clear();
    empty.drawing.clear();
    QStringList uneven = good.Lines();
    uneven[1] = QStringLiteral("3");
    uneven.removeAt(6);
    uneven.removeAt(6);
    QStringList notANumber = good.Lines();
    notANumber[4] = QStringLiteral("abc");

    struct Case
    {
        const char* what;
        QStringList lines;
    };
    const Case cases[] = {
        {"version 2", version2.Lines()},
        {"one point per list", onePoint.Lines()},
        {"coincident drawing points", coincident.Lines()},
        {"no points", empty.Lines()},
        {"lists of different length", uneven},
        {"value that is not a number", notANumber},
    };
    for (const Case& c : cases) {
        MhcRegistration reg;
        ASSERT_TRUE(reg.Read(WriteFile(folder, good.Lines())));
        EXPECT_FALSE(reg.Read(WriteFile(folder, c.lines))) << c.what;
        ExpectReset(reg, c.what);
    }

    MhcRegistration reg;
    EXPECT_FALSE(reg.Read(folder.file(QStringLiteral("missingCAD.mhc"))));
    ExpectReset(reg, "missing file");
}

// A file cut off anywhere before its last value is refused, never read with stale values.
TEST(MhcRegistration, TruncatedFilesAreRefused)
{
    TempFolder folder;
    const QStringList lines = MakeRegistration().Lines();
    for (qsizetype kept = 0; kept < lines.size(); ++kept) {
        MhcRegistration reg;
        EXPECT_FALSE(reg.Read(WriteFile(folder, lines.mid(0, kept)))) << kept << " lines";
        ExpectReset(reg, "truncated");
    }
}

// First points on one vertical line give no rectangle to mirror in: the flip stays the identity
// and every transformed point is a number.
TEST(MhcRegistration, FirstPointsInALineKeepTheIdentityFlip)
{
    TempFolder folder;
    Registration r;
    r.frame = {{100, 50}, {100, 250}, {300, 150}};
    r.drawing = {{0, 0}, {0, 20}, {-10, 10}};
    MhcRegistration reg;
    ASSERT_TRUE(reg.Read(WriteFile(folder, r.Lines())));
    EXPECT_TRUE(reg.FlipIsIdentity());
    const Point2 p = reg.Transform(-10, 10);
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

}  // namespace
