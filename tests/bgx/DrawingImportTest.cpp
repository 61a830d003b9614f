// The import tool (bgx with Systems/bgxdxf.py) on drawings made by tests/bgx/data/drawings.py: the
// picture it leaves is judged by its pixels, a refusal by its exit code and message, and every run by
// the peak memory of the tool and its renderer.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include "FileBytes.h"
#include "TempFolder.h"
#include "fe/AppFolders.h"
#include "fe/PathUtil.h"
#include "model/MapImportFiles.h"

namespace {

const QString kDrawings = QStringLiteral(KELVOR_TEST_DATA_DIR "/drawings.py");

// What a run of the tool left.
struct Outcome
{
    int exitCode = -1;
    qint64 peakKb = 0;
    double seconds = 0;
    QImage picture;
    QString message;
    // The registration's drawing point of the picture's top-left corner and pixels per drawing unit.
    double x0 = 0;
    double y1 = 0;
    double scale = 0;

    QPoint Pixel(double x, double y) const { return QPoint(int((x - x0) * scale), int((y1 - y) * scale)); }

    bool DarkNear(QPoint at) const
    {
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const QPoint p = at + QPoint(dx, dy);
                if (picture.rect().contains(p) && qGray(picture.pixel(p)) < 128)
                    return true;
            }
        }
        return false;
    }

    // How many of nine points evenly along the drawing's segment from (xa, ya) to (xb, yb) have a dark
    // pixel next to them.
    int InkAlong(double xa, double ya, double xb, double yb) const
    {
        int inked = 0;
        for (int k = 1; k <= 9; ++k)
            inked += DarkNear(Pixel(xa + (xb - xa) * k / 10, ya + (yb - ya) * k / 10)) ? 1 : 0;
        return inked;
    }

    // Dark pixels in the drawing's rectangle from (xa, ya) to (xb, yb).
    int InkIn(double xa, double ya, double xb, double yb) const
    {
        const QRect area = QRect(Pixel(xa, yb), Pixel(xb, ya)).intersected(picture.rect());
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                dark += qGray(picture.pixel(x, y)) < 128 ? 1 : 0;
        }
        return dark;
    }
};

class DrawingImport : public ::testing::Test
{
protected:
    void SetUp() override { fe::DeleteFolderTree(fe::GetTempFolderPath()); }
    void TearDown() override { fe::DeleteFolderTree(fe::GetTempFolderPath()); }

    // Makes a drawing with drawings.py (`what` and its arguments after the path) and returns its path.
    QString Make(const QString& name, const QStringList& what)
    {
        const QString path = temp.file(name);
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     QStringList{kDrawings, what.front(), path} + what.mid(1));
        EXPECT_TRUE(python.waitForFinished(300000));
        EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
        return path;
    }

    // Runs the tool on the drawing, measured; `memoryMb` sets the renderer's memory bound.
    Outcome Import(const QString& drawing, const QString& memoryMb = QString())
    {
        fe::DeleteFolderTree(fe::GetTempFolderPath());
        QProcess runner;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("KELVOR_WRITABLE_FOLDER"), fe::GetWritableFolder());
        if (!memoryMb.isEmpty())
            environment.insert(QStringLiteral("KELVOR_BGX_MEMORY_MB"), memoryMb);
        runner.setProcessEnvironment(environment);
        runner.start(QStringLiteral("/usr/bin/python3"),
                     {kDrawings, QStringLiteral("run"), fe::GetExeFolder() + QStringLiteral("bgx"), drawing});
        EXPECT_TRUE(runner.waitForFinished(600000));
        Outcome outcome;
        const QStringList figures = QString::fromUtf8(runner.readAllStandardOutput()).split(u' ');
        if (figures.size() == 3) {
            outcome.exitCode = figures[0].toInt();
            outcome.peakKb = figures[1].toLongLong();
            outcome.seconds = figures[2].toDouble();
        }
        const fe::PathParts parts(drawing);
        const QString made = fe::GetTempFolderPath() + parts.name;
        outcome.picture = QImage(made + QStringLiteral(".png"));
        outcome.message = ReadBgxMessage();
        const QList<QByteArray> numbers = ReadAll(made + QStringLiteral(".mhc")).simplified().split(' ');
        if (numbers.size() == 9 && numbers[7].toDouble() != numbers[5].toDouble()) {
            outcome.x0 = numbers[5].toDouble();
            outcome.y1 = numbers[6].toDouble();
            outcome.scale = numbers[3].toDouble() / (numbers[7].toDouble() - numbers[5].toDouble());
        }
        std::printf("%s: exit %d, peak %lld MB, %.1f s\n", qPrintable(parts.name + u'.' + parts.extension),
                    outcome.exitCode, outcome.peakKb / 1024, outcome.seconds);
        return outcome;
    }

    TempFolder temp;
};

TEST_F(DrawingImport, JapaneseTextsAreDrawnWithTheirOwnGlyphsInUtf8AndShiftJisDrawings)
{
    for (const char* version : {"R2018", "R12"}) {
        SCOPED_TRACE(version);
        Outcome drawn[2];
        const char* texts[2] = {"護岸工 平面図", "道路橋 断面図"};
        for (int k = 0; k < 2; ++k) {
            const QString name = QStringLiteral("%1-%2.dxf").arg(QLatin1String(version)).arg(k);
            drawn[k] = Import(
                Make(name, {QStringLiteral("text"), QLatin1String(version), QString::fromUtf8(texts[k])}));
            ASSERT_EQ(drawn[k].exitCode, 0) << drawn[k].message.toStdString();
            ASSERT_FALSE(drawn[k].picture.isNull());
            // The text stands 10 high at (10, 20); left of x = 38 the line runs below it.
            EXPECT_GT(drawn[k].InkIn(10, 20, 38, 30), 500);
            EXPECT_EQ(drawn[k].InkAlong(0, 0, 100, 50), 9);
        }
        // Characters the font lacks would be drawn as the same empty boxes for both texts.
        EXPECT_NE(drawn[0].picture, drawn[1].picture);
    }
}

TEST_F(DrawingImport, DrawingsOtherProgramsOpenAreDrawnWithWhatTheyHold)
{
    // The drawing without a header in Shift-JIS reads as the same drawing written in UTF-8.
    const Outcome shiftJis = Import(Make(QStringLiteral("sjis.dxf"), {"r12_entities", "cp932"}));
    const Outcome utf8 = Import(Make(QStringLiteral("utf8.dxf"), {"r12_entities", "utf-8"}));
    for (const Outcome* entitiesOnly : {&shiftJis, &utf8}) {
        ASSERT_EQ(entitiesOnly->exitCode, 0) << entitiesOnly->message.toStdString();
        // Its lines lie on a layer the drawing does not define.
        for (double y : {0.0, 40.0, 80.0})
            EXPECT_EQ(entitiesOnly->InkAlong(0, y, 200, y), 9) << y;
        EXPECT_GT(entitiesOnly->InkIn(10, 50, 60, 70), 300);  // 護岸工
    }
    EXPECT_EQ(shiftJis.picture, utf8.picture);

    struct Case
    {
        const char* what;
        const char* name;
    };
    const Case cases[] = {
        {"empty_handles", "handles.dxf"},  // its entities' handles are empty
        {"proxy", "proxy.dxf"},            // two proxy entities whose graphics cannot be read or walked
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome outcome = Import(Make(QLatin1String(c.name), {QLatin1String(c.what)}));
        ASSERT_EQ(outcome.exitCode, 0) << outcome.message.toStdString();
        EXPECT_TRUE(outcome.message.isEmpty());
        EXPECT_EQ(outcome.InkAlong(0, 0, 100, 50), 9);
    }
}

TEST_F(DrawingImport, LinesAreDrawnInTheirColoursWithTheVeryLightOnesDark)
{
    const Outcome outcome = Import(Make(QStringLiteral("light.dxf"), {QStringLiteral("undefined_layer")}));
    ASSERT_EQ(outcome.exitCode, 0) << outcome.message.toStdString();
    EXPECT_EQ(outcome.InkAlong(0, 0, 200, 0), 9);      // on a layer the drawing does not define
    EXPECT_EQ(outcome.InkAlong(0, 40, 200, 40), 9);    // true colour white
    EXPECT_EQ(outcome.InkAlong(0, 80, 200, 80), 9);    // colour 254, a light grey
    EXPECT_EQ(outcome.InkAlong(0, 120, 200, 120), 9);  // yellow
    EXPECT_EQ(outcome.InkIn(10, 10, 190, 30), 0);      // between the lines the picture stays white
    // Red is dark enough on white: it stays red.
    int red = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        const QRgb pixel = outcome.picture.pixel(outcome.Pixel(100, 160) + QPoint(0, dy));
        red += qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80 ? 1 : 0;
    }
    EXPECT_GE(red, 1);
}

TEST_F(DrawingImport, DrawingsThatCannotMakeAMapAreRefusedWithAMessageAndNoPicture)
{
    const QString photo = temp.file("photo.dxf");
    WriteAll(photo,
             QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00", 14) + QByteArray(2000, '\x5A'));
    struct Case
    {
        const char* what;  // the drawings.py command, or empty for the photo renamed .dxf
        const char* says;
    };
    const Case cases[] = {
        {"fan_out", "図形が多すぎる"},               // ten blocks each inserting the next ten times
        {"huge", "座標が大きすぎます"},              // a line out to 1e300
        {"frozen", "描かれる線や文字がありません"},  // all it holds is on a frozen layer
        {"", "壊れているか、DXF形式ではありません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString drawing =
            *c.what ? Make(QLatin1String(c.what) + QStringLiteral(".dxf"), {QLatin1String(c.what)}) : photo;
        const Outcome outcome = Import(drawing);
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_TRUE(outcome.message.contains(QString::fromUtf8(c.says))) << outcome.message.toStdString();
        EXPECT_TRUE(outcome.picture.isNull());
        // Refused before anything is expanded: the fan-out costs no more than a small drawing.
        EXPECT_LT(outcome.peakKb, 300 * 1024);
    }
}

TEST_F(DrawingImport, ABigDrawingIsDrawnWithinItsMemoryBoundAndRefusedBeyondIt)
{
    const QString drawing =
        Make(QStringLiteral("lines.dxf"), {QStringLiteral("lines"), QStringLiteral("40000")});
    const Outcome drawn = Import(drawing);
    ASSERT_EQ(drawn.exitCode, 0) << drawn.message.toStdString();
    EXPECT_FALSE(drawn.picture.isNull());
    // The pictures of the entities are drawn one by one, not kept: the drawing's memory is its reading.
    EXPECT_LT(drawn.peakKb, 400 * 1024);

    const qint64 boundMb = drawn.peakKb / 1024 * 2 / 3;
    const Outcome refused = Import(drawing, QString::number(boundMb));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.message.contains(QStringLiteral("メモリ"))) << refused.message.toStdString();
    EXPECT_TRUE(refused.picture.isNull());
    EXPECT_LT(refused.peakKb, (boundMb + 64) * 1024);
}

}  // namespace
