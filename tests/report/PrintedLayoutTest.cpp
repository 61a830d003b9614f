// Where the photos around and beside a map, their comment boxes, and the pictures and file-name boxes of
// the photo list lie: on the sheet as openpyxl reads the workbook (anchors and sizes in EMU), and on the
// pages LibreOffice prints. No picture or box shares area with another or with the map, none covers a
// filled cell (a photo's number), and no text reaches out of its box or over a picture.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ReportProject.h"
#include "WorkbookCheck.h"

namespace {

using report_test::ReportProject;

struct Layout
{
    const char* name;
    int mapLayout;  // 0 V, 1 H, 2 A3; -1 the photo list alone
    int placement;  // the A3 photo arrangement
    bool comments;
    int photos;
    int printedPictures;  // the map and the photos inside the print area, or the list's photos
    int printedBoxes;
    int pages;
};

const Layout kLayouts[] = {
    {"V, comments", 0, 0, true, 14, 15, 14, 1},
    {"H, comments", 1, 0, true, 14, 15, 14, 1},
    {"A3 beside in two columns, comments", 2, 1, true, 16, 15, 14, 1},
    {"A3 beside in four columns, comments", 2, 2, true, 30, 29, 28, 1},
    {"A3 around", 2, 0, false, 40, 37, 0, 1},
    {"A3 around, comments", 2, 0, true, 40, 37, 36, 1},
    {"A3 around, three-line comments", 2, 0, true, 40, 37, 36, 1},
    {"photo list", -1, 0, false, 100, 100, 0, 2},
    {"photo list with file names", -1, 0, true, 100, 100, 100, 2},
};

QString Described(const QJsonArray& list)
{
    return QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
}

// Writes the layout's workbook and copies it into the folder as <index>.xlsx.
void WriteLayout(const Layout& layout, int index, const QString& folder)
{
    ReportProject f;
    f.AddPhotos(layout.photos);
    f.AddPictureMap(QStringLiteral("配置"), layout.photos);
    ReportOutputOptions& o = f.project.outputOptions;
    o.outputCover = o.outputLedger = 0;
    if (layout.mapLayout < 0) {
        o.outputMapSheets = 0;
        o.outputPhotoList = 1;
        o.listOriginalFileName = layout.comments ? 1 : 0;
    } else {
        o.mapLayout = layout.mapLayout;
        o.photoPlacement = layout.placement;
        o.placePhotos = 1;
        o.placePhotoComments = layout.comments ? 1 : 0;
    }
    PlacedPhotoList& placed = f.project.maps.maps[0].photos;
    for (int k = 0; k < layout.photos; ++k) {
        PhotoRecord& photo = f.project.photos.photos[size_t(k)];
        // Camera names of every length, up to one no box can hold at a readable size.
        photo.sourceName = k % 3 == 0 ? QStringLiteral("DSC_%1.JPG").arg(k, 4, 10, QChar(u'0'))
                           : k % 3 == 1
                               ? QStringLiteral("IMG_20200401_0905%1_HDR.jpg").arg(k % 60, 2, 10, QChar(u'0'))
                               : QStringLiteral("現場写真_堤防右岸_上流側から撮影_その%1_修正版.jpeg").arg(k);
        if (QString(layout.name).contains(QStringLiteral("three-line")))
            placed.entries[size_t(k)].comment =
                QStringLiteral("護岸の状況 %1\r\n上流側から撮影\r\n延長 20m、高さ 3m の崩落を確認した")
                    .arg(k + 1);
    }
    ASSERT_EQ(f.Run(), LocationMapReport::kDone);
    ASSERT_TRUE(QFile::copy(f.Book(QStringLiteral("1配置.xlsx")),
                            QStringLiteral("%1/%2.xlsx").arg(folder).arg(index)));
}

TEST(PrintedLayout, PicturesAndBoxesShareNoAreaOnTheSheetOrThePage)
{
    TempFolder printed;
    QStringList books;
    for (int i = 0; i < int(std::size(kLayouts)); ++i) {
        SCOPED_TRACE(kLayouts[i].name);
        WriteLayout(kLayouts[i], i, printed.path());
        books.append(printed.file(QStringLiteral("%1.xlsx").arg(i)));
    }
    // One LibreOffice run prints every workbook.
    workbook_check::Run(
        "soffice",
        QStringList{"-env:UserInstallation=file://" + printed.file("lo-profile"), "--headless", "--norestore",
                    "--convert-to", "pdf", "--outdir", printed.path()} +
            books,
        nullptr, 540000);
    for (int i = 0; i < int(std::size(kLayouts)); ++i) {
        const Layout& layout = kLayouts[i];
        SCOPED_TRACE(layout.name);
        const QString pdf = printed.file(QStringLiteral("%1.pdf").arg(i));
        workbook_check::Keep(books[i]);
        workbook_check::Keep(pdf);
        int code = -1;
        const QString out =
            workbook_check::Run("/usr/bin/python3",
                                {QStringLiteral(KELVOR_TEST_DATA_DIR "/page_layout_check.py"), books[i],
                                 QString::fromUtf8(layout.mapLayout < 0 ? "写真一覧" : "写真位置図"), pdf},
                                &code);
        ASSERT_EQ(code, 0) << out.toStdString();
        const QJsonObject result = QJsonDocument::fromJson(out.toUtf8()).object();

        const QJsonObject sheet = result["sheet"].toObject();
        const QJsonArray drawings = sheet["drawings"].toArray();
        int pictures = 0, boxes = 0;
        for (const QJsonValue& d : drawings)
            (d["kind"].toString() == QStringLiteral("box") ? boxes : pictures) += 1;
        EXPECT_EQ(pictures, layout.photos + (layout.mapLayout < 0 ? 0 : 1));
        EXPECT_EQ(boxes, layout.comments ? layout.photos : 0);
        EXPECT_TRUE(sheet["overlaps"].toArray().isEmpty())
            << Described(sheet["overlaps"].toArray()).toStdString();
        EXPECT_TRUE(sheet["covers"].toArray().isEmpty())
            << Described(sheet["covers"].toArray()).toStdString();

        const QJsonArray pages = result["pages"].toArray();
        EXPECT_EQ(pages.size(), layout.pages);
        int printedPictures = 0, printedBoxes = 0;
        for (const QJsonValue& value : pages) {
            const QJsonObject page = value.toObject();
            printedPictures += page["pictures"].toInt();
            printedBoxes += page["boxes"].toInt();
            EXPECT_TRUE(page["overlaps"].toArray().isEmpty())
                << Described(page["overlaps"].toArray()).toStdString();
            EXPECT_TRUE(page["spilled"].toArray().isEmpty())
                << Described(page["spilled"].toArray()).toStdString();
        }
        EXPECT_EQ(printedPictures, layout.printedPictures);
        EXPECT_EQ(printedBoxes, layout.printedBoxes);
    }
}

}  // namespace
