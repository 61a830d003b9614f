// The photo list sheet ("写真一覧") of a map's workbook, read back with openpyxl: numbers, pictures, name
// boxes and the pages; and the crop frame of a ledger photo in the picture the workbook holds.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QPainter>

#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "model/Project.h"
#include "report/LocationMapReport.h"

namespace {

const QString kTemplate = QStringLiteral(KELVOR_SOURCE_DIR "/data/Systems/report.xlsx");

QJsonObject Dump(const QString& path)
{
    int code = 0;
    const QString out = workbook_check::Run(
        "/usr/bin/python3", {QStringLiteral(KELVOR_TEST_DATA_DIR "/report_dump.py"), path}, &code);
    return code == 0 ? QJsonDocument::fromJson(out.toUtf8()).object() : QJsonObject();
}

// A project with `photos` photos (64 × 48, or 400 × 300 in four coloured quarters) all placed on one
// picture map, numbered "No.k"; `gone` more entries whose photos have gone follow them. Only the sheets
// asked for are written.
struct ListProject
{
    TempFolder parent;
    Project project;

    ListProject(int photos, int gone = 0, bool quarters = false)
    {
        EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), parent.path()), kProjectOk);
        ReportOutputOptions& o = project.outputOptions;
        o = ReportOutputOptions();
        o.outputCover = o.outputMapSheets = o.outputLedger = 0;
        o.outputPhotoList = 1;
        QImage picture(quarters ? 400 : 64, quarters ? 300 : 48, QImage::Format_RGB32);
        picture.fill(QColor(90, 140, 200));
        if (quarters) {
            QPainter p(&picture);
            p.fillRect(0, 0, 200, 150, QColor(255, 0, 0));
            p.fillRect(200, 0, 200, 150, QColor(0, 255, 0));
            p.fillRect(0, 150, 200, 150, QColor(0, 0, 255));
            p.fillRect(200, 150, 200, 150, QColor(255, 255, 0));
        }
        LocationMap map = project.maps.MakeNewMap();
        map.kind = LocationMap::kPicture;
        map.name = QStringLiteral("一覧");
        map.outputFlag = 1;
        for (int k = 1; k <= photos + gone; ++k) {
            if (k <= photos) {
                PhotoRecord photo(k);
                photo.sourceName = QStringLiteral("DSC_%1.JPG").arg(k, 4, 10, QChar('0'));
                project.photos.photos.push_back(photo);
                EXPECT_TRUE(picture.save(project.PhotoFolder() + PhotoFileName(k), "JPEG", 95));
            }
            PlacedPhoto entry;
            entry.photoId = k;
            entry.x = entry.y = 10;
            entry.numberText = QStringLiteral("No.%1").arg(k);
            map.photos.entries.push_back(entry);
        }
        project.photos.nextId = photos + 1;
        project.maps.Append(map);
    }

    QString Write()
    {
        LocationMapReport report(project, kTemplate);
        EXPECT_EQ(report.Run(project.DatedExcelFolder()), LocationMapReport::kDone);
        const QString book = project.DatedExcelFolder() + report.MakeReportFileName(0);
        workbook_check::Keep(book);
        return book;
    }
};

QJsonObject ListSheet(const QJsonObject& book)
{
    return book["sheet"].toObject()[QStringLiteral("写真一覧")].toObject();
}

QStringList ImageCells(const QJsonObject& sheet)
{
    QStringList cells;
    for (const QJsonValue& image : sheet["images"].toArray())
        cells << image.toObject()["cell"].toString();
    return cells;
}

}  // namespace

TEST(PhotoListSheet, AHundredPhotosStartASecondPage)
{
    ListProject f(100);
    const QJsonObject book = Dump(f.Write());
    ASSERT_FALSE(book.isEmpty());
    EXPECT_TRUE(book["sheets"].toArray().contains(QStringLiteral("写真一覧")));
    const QJsonObject sheet = ListSheet(book);
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["B1"].toString(), QStringLiteral("No.1"));
    EXPECT_EQ(cells["B8"].toString(), QStringLiteral("No.2"));
    EXPECT_EQ(cells["E1"].toString(), QStringLiteral("No.10"));
    EXPECT_EQ(cells["AF57"].toString(), QStringLiteral("No.99"));
    EXPECT_EQ(cells["B65"].toString(), QStringLiteral("No.100"));
    EXPECT_EQ(cells.size(), 100);
    const QStringList images = ImageCells(sheet);
    ASSERT_EQ(images.size(), 100);
    EXPECT_EQ(images[0], QStringLiteral("B2"));
    EXPECT_EQ(images[9], QStringLiteral("E2"));
    EXPECT_EQ(images[99], QStringLiteral("B66"));
    EXPECT_EQ(sheet["print_area"].toString(), QStringLiteral("$B$1:$AH$128"));
    EXPECT_EQ(sheet["breaks"].toArray(), QJsonArray({64}));
    EXPECT_TRUE(book["shapes"].toArray().isEmpty());  // no name boxes unless asked for
}

TEST(PhotoListSheet, NinetyNinePhotosFillOnePageAndGoneTrailersAddNone)
{
    // 99 photos followed by entries whose photos have gone: still one page, the template's print area.
    ListProject f(99, 3);
    const QJsonObject sheet = ListSheet(Dump(f.Write()));
    EXPECT_EQ(sheet["cells"].toObject().size(), 99);
    EXPECT_EQ(ImageCells(sheet).size(), 99);
    EXPECT_EQ(sheet["print_area"].toString(), QStringLiteral("$B$1:$AH$64"));
    EXPECT_TRUE(sheet["breaks"].toArray().isEmpty());
}

TEST(PhotoListSheet, NameBoxesOnlyWithOriginalFileNames)
{
    ListProject f(10);
    f.project.outputOptions.listOriginalFileName = 1;
    const QJsonObject book = Dump(f.Write());
    const QJsonArray shapes = book["shapes"].toArray();
    ASSERT_EQ(shapes.size(), 10);
    const QJsonObject first = shapes[0].toObject();
    EXPECT_EQ(first["text"].toString(), QStringLiteral("DSC_0001.JPG"));
    EXPECT_EQ(first["sz"].toString(), QStringLiteral("800"));
    EXPECT_EQ(first["line"].toString(), QStringLiteral("none"));
    // Each box stands 0.5 mm down in its photo's number row, right of the number: the first's in C1, the
    // second's in C8, the tenth's (first of the next column) in F1.
    const char* const anchors[] = {"C1", "C8", "F1"};
    const int boxes[] = {0, 1, 9};
    for (int k = 0; k < 3; ++k) {
        const QJsonArray from = shapes[boxes[k]].toObject()["from"].toArray();
        EXPECT_EQ(from[0].toString(), QString::fromLatin1(anchors[k]));
        EXPECT_EQ(from[2].toInt(), 18000);
    }
    EXPECT_EQ(shapes[9].toObject()["text"].toString(), QStringLiteral("DSC_0010.JPG"));
}

TEST(PhotoListSheet, AMapWithoutPhotosGivesAnEmptySheet)
{
    ListProject f(0);
    const QJsonObject sheet = ListSheet(Dump(f.Write()));
    EXPECT_TRUE(sheet["cells"].toObject().isEmpty());
    EXPECT_TRUE(ImageCells(sheet).isEmpty());
}

TEST(PhotoListSheet, TheLedgerPictureIsTheFramedPartOfThePhoto)
{
    // The top-left quarter (red) of the photo as its crop frame, on the ledger sheet.
    ListProject f(1, 0, true);
    ReportOutputOptions& o = f.project.outputOptions;
    o.outputPhotoList = 0;
    o.outputLedger = 1;
    f.project.maps.maps[0].photos.entries[0].frame = Rect2(0, 0, 200, 150);
    const QString book = f.Write();
    const QString media = f.parent.file(QStringLiteral("media"));
    int code = -1;
    workbook_check::Run("/usr/bin/python3",
                        {"-c", "import sys,zipfile; z=zipfile.ZipFile(sys.argv[1]); "
                               "[z.extract(n, sys.argv[2]) for n in z.namelist() if n.startswith('xl/media/')]",
                         book, media},
                        &code);
    ASSERT_EQ(code, 0);
    const QStringList files = QDir(media + QStringLiteral("/xl/media")).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    const QImage picture(media + QStringLiteral("/xl/media/") + files[0]);
    ASSERT_FALSE(picture.isNull());
    int red = 0, other = 0;
    for (int y = 0; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4) {
            const QColor c = picture.pixelColor(x, y);
            const bool green = c.green() > 150 && c.red() < 100;
            const bool blue = c.blue() > 150 && c.red() < 100 && c.green() < 100;
            const bool yellow = c.red() > 150 && c.green() > 150 && c.blue() < 100;
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                ++red;
            else if (green || blue || yellow)
                ++other;  // a part of the photo outside its frame
        }
    EXPECT_GT(red, 100);
    EXPECT_LE(other, red / 50) << "the picture shows more than the framed quarter";
}

TEST(PhotoListSheet, PicturesStayInTheirBlocksBelowTheirNumbers)
{
    // A landscape, a portrait (turned) and a panorama: each picture within its block of three columns
    // (3 × 46 pixels) and the six rows of 4.3 mm between its number and the next photo's.
    ListProject f(3, 0, true);
    f.project.photos.photos[1].rotation = 90;
    QImage panorama(800, 200, QImage::Format_RGB32);
    panorama.fill(QColor(40, 160, 90));
    ASSERT_TRUE(panorama.save(f.project.PhotoFolder() + PhotoFileName(3), "JPEG"));
    const QJsonObject sheet = ListSheet(Dump(f.Write()));
    const QJsonArray images = sheet["images"].toArray();
    ASSERT_EQ(images.size(), 3);
    const double blockWidth = 3 * 46 * 25.4 / 96, blockHeight = 6 * 4.3;
    for (const QJsonValue& value : images) {
        const QJsonObject image = value.toObject();
        SCOPED_TRACE(image["cell"].toString().toStdString());
        const QJsonArray offset = image["offset"].toArray(), size = image["mm"].toArray();
        EXPECT_LE(offset[0].toDouble() + size[0].toDouble(), blockWidth);
        EXPECT_LE(offset[1].toDouble() + size[1].toDouble(), blockHeight);
        EXPECT_GT(size[0].toDouble(), blockWidth / 2);  // still as large as the block allows
    }
}
