#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <cmath>

#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "fe/AppFolders.h"
#include "fe/geo/GeoPoint.h"
#include "fe/img/Image.h"
#include "model/Project.h"
#include "report/SiteMapReport.h"
#include "report/SiteMapZoom.h"
#include "xlsx/ZipPackage.h"

namespace {

// A box around Tokyo station (west, south, east, north); at zoom 16 its picture is about 630 × 770 px.
const Rect2 kSiteBox(139.760, 35.6735, 139.7735, 35.6870);
constexpr int kZoom = 16;
const QColor kGround(0xE0, 0xE0, 0xD0);

class CountingProgress : public ReportProgress
{
public:
    struct Record
    {
        int range = -1;
        int advanced = 0;
        bool cancel = false;
    };
    explicit CountingProgress(Record& record) : m_record(record) {}
    void SetTitle(const QString&) override {}
    void SetRange(int steps) override { m_record.range = steps; }
    void SetPosition(int) override {}
    void Advance() override { ++m_record.advanced; }
    bool Cancelled() const override { return m_record.cancel; }

private:
    Record& m_record;
};

// The extensions of the workbook's pictures image1, image2, ... in order.
QStringList MediaExtensions(const QString& book)
{
    xlsx::ZipReader zip;
    std::string error;
    QStringList found;
    if (!zip.Open(book.toStdString(), error))
        return found;
    for (int i = 1; i < 10; ++i)
        for (const char* extension : {"png", "jpeg", "jpg"})
            if (zip.Has("xl/media/image" + std::to_string(i) + "." + extension))
                found << QString::fromLatin1(extension);
    return found;
}

// The program's writable folder is the test's own: its TileSiteList.txt names three local tile sites that
// answer nothing, and its tile cache holds plain tiles over the site box, so rendering needs no network.
class SiteMapReportTest : public testing::Test
{
protected:
    void SetUp() override
    {
        fe::SetWritableFolder(m_folder.path());
        QFile list(m_folder.file("TileSiteList.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write(
            "{ \"標準T\", \"http://127.0.0.1:9\", \"/std\", \".png\", 2, 18, false }\r\n"
            "{ \"淡色T\", \"http://127.0.0.1:9\", \"/pale\", \".png\", 2, 18, false }\r\n"
            "{ \"写真T\", \"http://127.0.0.1:9\", \"/photo\", \".jpg\", 2, 15, false }\r\n");
        list.close();
        for (const char* site : {"_std", "_pale", "_photo"})
            FillTiles(site, QString::fromLatin1(site) == "_photo" ? ".jpg" : ".png");
        QDir().mkpath(m_folder.file("out"));
    }

    void FillTiles(const QString& siteFolder, const QString& extension, std::initializer_list<int> zooms = {15, kZoom},
                   const QColor& ground = kGround)
    {
        QImage tile(256, 256, QImage::Format_RGB32);
        tile.fill(ground);
        for (int zoom : zooms) {
            const Point2 a = fe::geo::GeoPoint(kSiteBox.x0, kSiteBox.y1).ToWorldPixel(zoom);
            const Point2 b = fe::geo::GeoPoint(kSiteBox.x1, kSiteBox.y0).ToWorldPixel(zoom);
            for (int x = int(a.x / 256) - 2; x <= int(b.x / 256) + 2; ++x) {
                const QString folder =
                    m_folder.file(QStringLiteral("geocache/%1/%2/%3").arg(siteFolder).arg(zoom).arg(x));
                QDir().mkpath(folder);
                for (int y = int(a.y / 256) - 2; y <= int(b.y / 256) + 2; ++y)
                    ASSERT_TRUE(tile.save(QStringLiteral("%1/%2%3").arg(folder).arg(y).arg(extension)));
            }
        }
    }

    // A project with one location map over the middle of the site box and the site maps of the kinds.
    void MakeProject(std::initializer_list<int> siteKinds)
    {
        const double w = kSiteBox.x1 - kSiteBox.x0, h = kSiteBox.y1 - kSiteBox.y0;
        const Rect2 inner(kSiteBox.x0 + w / 4, kSiteBox.y0 + h / 4, kSiteBox.x1 - w / 4, kSiteBox.y1 - h / 4);
        ASSERT_TRUE(m_project.maps.AddWebMap(LocationMap::kWebStandard, inner, kZoom, false));
        m_project.maps.maps.back().name = QStringLiteral("堤A");
        for (int kind : siteKinds)
            ASSERT_TRUE(m_project.AddSiteMap(kind, kSiteBox, kZoom));
    }

    std::unique_ptr<SiteMapReport> Writer()
    {
        auto writer = std::make_unique<SiteMapReport>(nullptr, &m_project);
        writer->folder = m_folder.file("out");
        writer->fileName = QStringLiteral("現場位置図");
        writer->SetProgressFactory([this] { return std::make_unique<CountingProgress>(m_progress); });
        return writer;
    }

    QString BookPath() const { return m_folder.file("out/現場位置図.xlsx"); }

    TempFolder m_folder;
    Project m_project;
    CountingProgress::Record m_progress;
};

TEST_F(SiteMapReportTest, WritesOneSheetPerSiteMapWithTitlePictureAndTileSource)
{
    MakeProject({LocationMap::kWebStandard, LocationMap::kWebPale, LocationMap::kWebPhoto});
    m_project.siteMaps.maps[1].outputFlag = 0;  // written all the same, but not counted
    m_project.SetSiteMapZone(9);                 // the scale bar measures in zone IX
    // Tabs are named after the site maps: two keep the name every new site map gets, one has characters
    // a sheet name may not hold and is too long for one.
    m_project.siteMaps.maps[2].name =
        QStringLiteral("全景/航空写真:[2024年]* 堤防右岸から河口までの全域を含む");
    auto writer = Writer();
    ASSERT_TRUE(writer->WriteSiteMapBook()) << writer->errorText.toStdString();
    EXPECT_EQ(writer->writtenCount, 1);
    EXPECT_EQ(m_progress.range, 2);
    EXPECT_EQ(m_progress.advanced, 3);
    workbook_check::Keep(BookPath());

    const QJsonObject dump = workbook_check::Dump(BookPath());
    ASSERT_FALSE(dump.isEmpty());
    EXPECT_TRUE(dump["problems"].toArray().isEmpty());
    EXPECT_EQ(dump["sheets"].toVariant().toStringList(),
              QStringList({QStringLiteral("現場位置図"), QStringLiteral("現場位置図 (2)"),
                           QStringLiteral("全景_航空写真__2024年__ 堤防右岸から河口までの全域を")}));
    ASSERT_EQ(dump["sheets"].toArray().size(), 3);
    const char* titles[] = {"標準T", "淡色T", "写真T"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QJsonObject sheet = dump["sheet"][dump["sheets"][i].toString()].toObject();
        EXPECT_EQ(sheet["cells"]["A1"].toString(), QStringLiteral("現場位置図"));
        EXPECT_EQ(sheet["cells"]["B48"].toString(),
                  QStringLiteral("出典：地理院タイル「%1」から引用").arg(QString::fromUtf8(titles[i])));
        EXPECT_EQ(sheet["print_area"].toString(), QStringLiteral("$A$1:$B$48"));
        // Stored with the cell padding of the 8-pixel digit.
        EXPECT_DOUBLE_EQ(sheet["widths"]["A"].toDouble(), 7.625);
        EXPECT_DOUBLE_EQ(sheet["widths"]["B"].toDouble(), 81.375);
        EXPECT_DOUBLE_EQ(sheet["heights"]["1"].toDouble(), 33.0);
        EXPECT_DOUBLE_EQ(sheet["heights"]["48"].toDouble(), 16.5);
        EXPECT_EQ(sheet["orientation"].toString(), QStringLiteral("portrait"));
        EXPECT_EQ(sheet["paper"].toInt(), 9);
        const QJsonArray a1 = sheet["styles"]["A1"].toArray();
        EXPECT_EQ(a1[1].toString(), QStringLiteral("center"));
        EXPECT_EQ(a1[3].toString(), QStringLiteral("ＭＳ ゴシック"));
        EXPECT_DOUBLE_EQ(a1[4].toDouble(), 16.0);
        const QJsonArray b48 = sheet["styles"]["B48"].toArray();
        EXPECT_EQ(b48[0].toString(), QStringLiteral("right"));
        EXPECT_DOUBLE_EQ(b48[4].toDouble(), 9.0);
        // The medium box runs around A2:B47 only.
        EXPECT_EQ(sheet["styles"]["A2"].toArray()[6].toString(), QStringLiteral("medium"));
        EXPECT_EQ(sheet["styles"]["B47"].toArray()[9].toString(), QStringLiteral("medium"));
        ASSERT_EQ(sheet["images"].toArray().size(), 1);
        EXPECT_EQ(sheet["images"][0].toArray(), QJsonArray({0, 1}));  // A2
    }
    // Drawn maps as PNG, the aerial photograph as JPEG (the two drawn maps look alike here and share
    // one picture part).
    const QStringList media = MediaExtensions(BookPath());
    EXPECT_TRUE(media.contains(QStringLiteral("png")));
    EXPECT_EQ(media.count(QStringLiteral("jpeg")) + media.count(QStringLiteral("jpg")), 1);

    const workbook_check::Pdf pdf = workbook_check::ConvertToPdf(BookPath(), m_folder.file("lo"));
    EXPECT_EQ(pdf.pages, 3);
    EXPECT_FALSE(pdf.text.contains(QStringLiteral("**")));
    EXPECT_TRUE(pdf.text.contains(QStringLiteral("写真T")));
    workbook_check::Keep(pdf.path);
}

TEST_F(SiteMapReportTest, RefusesWithoutAFlaggedSiteMapAndWritesNothing)
{
    MakeProject({LocationMap::kWebStandard});
    m_project.siteMaps.maps[0].outputFlag = 0;
    auto writer = Writer();
    EXPECT_FALSE(writer->WriteSiteMapBook());
    EXPECT_EQ(writer->errorText, QStringLiteral("出力可能な現場位置図が設定されていません。"));
    EXPECT_FALSE(QFile::exists(BookPath()));

    SiteMapReport noProject(nullptr, nullptr);
    EXPECT_FALSE(noProject.WriteSiteMapBook());
    EXPECT_EQ(noProject.WriteSiteMapSheets(), 1);
}

TEST_F(SiteMapReportTest, CancelledOrBlockedRunsLeaveTheOldWorkbookWhole)
{
    MakeProject({LocationMap::kWebStandard, LocationMap::kWebPale});
    QFile old(BookPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old book");
    old.close();

    m_progress.cancel = true;
    auto writer = Writer();
    EXPECT_FALSE(writer->WriteSiteMapBook());
    EXPECT_EQ(writer->errorText, QStringLiteral("Excel出力がキャンセルされました。"));
    EXPECT_EQ(m_progress.advanced, 0) << "stopped after the first sheet";

    m_progress = {};
    ASSERT_TRUE(QFile::setPermissions(BookPath(), QFile::ReadOwner));
    auto blocked = Writer();
    EXPECT_FALSE(blocked->WriteSiteMapBook());
    EXPECT_TRUE(blocked->errorText.startsWith(QStringLiteral("Excelが出力できませんでした。")));
    EXPECT_EQ(m_progress.range, -1) << "refused before any sheet";
    QFile::setPermissions(BookPath(), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old book"));
}

// The outlines are drawn where the tiles show their places: the middle of the shown map's north edge,
// worked out from the box and the picture size alone, carries the outline's colour.
TEST_F(SiteMapReportTest, OutlinesLieOverTheirPlaceOnTheTiles)
{
    MakeProject({LocationMap::kWebPale});
    LocationMap& shown = m_project.maps.maps[0];
    shown.name.clear();  // no callout over the outline
    auto writer = Writer();
    writer->settings.SetDefaults();
    const QSize size(700, 1000);
    fe::img::Image target;
    ASSERT_TRUE(target.Create(size.width(), size.height()));
    ASSERT_TRUE(writer->RenderSiteMap(target, m_project, m_project.siteMaps.maps[0], 1.0));

    const Point2 nw = fe::geo::GeoPoint(kSiteBox.x0, kSiteBox.y1).ToWorldPixel(kZoom);
    const Point2 se = fe::geo::GeoPoint(kSiteBox.x1, kSiteBox.y0).ToWorldPixel(kZoom);
    const double f = std::min(size.width() / (se.x - nw.x), size.height() / (se.y - nw.y));
    const double left = (size.width() - (se.x - nw.x) * f) / 2, top = (size.height() - (se.y - nw.y) * f) / 2;
    const auto shownAt = [&](double lon, double lat) {
        const Point2 p = fe::geo::GeoPoint(lon, lat).ToWorldPixel(kZoom);
        return QPoint(int(left + (p.x - nw.x) * f), int(top + (p.y - nw.y) * f));
    };
    const Rect2 inner = shown.box;
    const QPoint north = shownAt((inner.x0 + inner.x1) / 2, inner.y1);
    const QPoint centre = shownAt((inner.x0 + inner.x1) / 2, (inner.y0 + inner.y1) / 2);
    const auto reddish = [&](const QPoint& p, int reach) {
        for (int dy = -reach; dy <= reach; ++dy) {
            const QColor c = target.Picture().pixelColor(p.x(), p.y() + dy);
            if (c.red() > 150 && c.green() < 120 && c.blue() < 120)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(reddish(north, 3));
    EXPECT_FALSE(reddish(centre, 3));
    // White around the map, the tiles inside it.
    EXPECT_EQ(target.Picture().pixelColor(size.width() / 2, 2), QColor(Qt::white));
    EXPECT_EQ(target.Picture().pixelColor(centre), kGround);
}

// The site map's picture must stay below 9,000,000 pixels at its zoom.
TEST(SiteMapZoom, PictureLimitAndRenderZoom)
{
    struct Size
    {
        double width, height;
        bool fits;
    };
    for (const Size& c : {Size{3000, 3000, false}, Size{2999, 3000, true}, Size{1, 1, true},
                          Size{NAN, 10, false}, Size{INFINITY, 1, false}}) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(SiteMapPictureFits(c.width, c.height), c.fits);
    }
    // The box is about 630 × 770 pixels at zoom 16, four times that at 17 and sixteen times at 18.
    EXPECT_TRUE(SiteMapZoomFits(kSiteBox, 18));
    EXPECT_FALSE(SiteMapZoomFits(kSiteBox, 19));
    struct Case
    {
        Rect2 box;
        int zoom, expected;
    };
    const Rect2 unset(kUnset, kUnset, kUnset, kUnset);
    const Rect2 point(139.76, 35.68, 139.76, 35.68);
    for (const Case& c : {Case{kSiteBox, 16, 16}, Case{kSiteBox, 18, 18}, Case{kSiteBox, 24, 18},
                          Case{Rect2(120, 20, 150, 46), 18, 7}, Case{unset, 16, -1}, Case{point, 16, -1}}) {
        SCOPED_TRACE(c.zoom);
        EXPECT_EQ(SiteMapRenderZoom(c.box, c.zoom), c.expected);
    }
}

// A box whose picture at its stored zoom would be too large (kept from a wider view, or a damaged file) is
// drawn at the deepest zoom that fits, from that zoom's tiles, without making the huge picture.
TEST_F(SiteMapReportTest, ATooLargeBoxIsRenderedAtTheDeepestZoomThatFits)
{
    const QColor deep(0x30, 0x90, 0x30);
    FillTiles(QStringLiteral("_std"), QStringLiteral(".png"), {17}, deep);
    MakeProject({LocationMap::kWebStandard});
    // Twice as wide around the same centre, kept at zoom 18: about 5,000 × 3,100 pixels.
    const double w = kSiteBox.x1 - kSiteBox.x0;
    LocationMap& siteMap = m_project.siteMaps.maps[0];
    siteMap.box = Rect2(kSiteBox.x0 - w / 2, kSiteBox.y0, kSiteBox.x1 + w / 2, kSiteBox.y1);
    siteMap.tileZoom = 18;
    ASSERT_FALSE(SiteMapZoomFits(siteMap.box, 18));
    auto writer = Writer();
    writer->settings.SetDefaults();
    fe::img::Image target;
    ASSERT_TRUE(target.Create(700, 1000));
    ASSERT_TRUE(writer->RenderSiteMap(target, m_project, siteMap, 1.0));
    EXPECT_EQ(target.Picture().pixelColor(350, 500), deep);
    EXPECT_EQ(siteMap.tileZoom, 18) << "the project keeps its zoom";
}

}  // namespace
