// The location-map report written from the shipped template: file names and sheets per map, the cover,
// the map sheet with its picture and photos, the ledger layouts, and the failures the user is told of.
// Workbooks are read back with openpyxl and printed with LibreOffice.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QPainter>

#include "DamagedJpeg.h"
#include "FileBytes.h"
#include "PeakRss.h"
#include "ReportProject.h"
#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "fe/Unset.h"
#include "report/ReportTexts.h"

namespace {

using report_test::kTemplate;
using report_test::ReportProject;

QJsonObject Dump(const QString& path)
{
    int code = 0;
    const QString out = workbook_check::Run(
        "/usr/bin/python3", {QStringLiteral(KELVOR_TEST_DATA_DIR "/report_dump.py"), path}, &code);
    return code == 0 ? QJsonDocument::fromJson(out.toUtf8()).object() : QJsonObject();
}

QJsonObject SheetOf(const QJsonObject& book, const char* name)
{
    return book.value(QStringLiteral("sheet")).toObject().value(QString::fromUtf8(name)).toObject();
}

QStringList Strings(const QJsonValue& value)
{
    QStringList list;
    for (const QJsonValue& v : value.toArray())
        list.append(v.toString());
    return list;
}

TEST(LocationMapReport, CoverAloneAndOneWorkbookPerTickedMapWithTheCoverInTheFirst)
{
    ReportProject f;
    f.project.outputOptions.outputMapSheets = f.project.outputOptions.outputLedger = 0;
    ASSERT_EQ(f.Run(), LocationMapReport::kDone);
    workbook_check::Keep(f.Book(QStringLiteral("表紙.xlsx")));
    QJsonObject book = Dump(f.Book(QStringLiteral("表紙.xlsx")));
    EXPECT_EQ(Strings(book["sheets"]), QStringList{QStringLiteral("表紙")});
    const QJsonObject cells = SheetOf(book, "表紙")["cells"].toObject();
    EXPECT_EQ(cells["B12"].toString(), QStringLiteral("報告書"));
    EXPECT_EQ(cells["B30"].toString(), QStringLiteral("所属"));
    EXPECT_TRUE(cells["D30"].toString().isEmpty());  // an empty value leaves no placeholder

    ReportProject g;
    g.AddPhotos(3);
    g.AddPictureMap(QStringLiteral("T1"), 3);
    g.AddPictureMap(QStringLiteral("T2"), 0);
    g.AddPictureMap(QStringLiteral("T/3"), 2);
    g.Tick({0, 2});
    g.project.outputOptions.outputLedger = 0;
    ASSERT_EQ(g.Run(), LocationMapReport::kDone);
    EXPECT_EQ(QDir(g.Out()).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("1T1.xlsx"), QStringLiteral("3T_3.xlsx")}));
    EXPECT_EQ(Strings(Dump(g.Book(QStringLiteral("1T1.xlsx")))["sheets"]),
              (QStringList{QStringLiteral("表紙"), QStringLiteral("写真位置図")}));
    EXPECT_EQ(Strings(Dump(g.Book(QStringLiteral("3T_3.xlsx")))["sheets"]), QStringList{QStringLiteral("写真位置図")});
}

TEST(LocationMapReport, MapSheetPictureAtItsBoxAndTheTextsOfTheMap)
{
    struct Case
    {
        int quality;
        QJsonArray px;
    };
    for (const Case& c : {Case{0, {691, 600}}, Case{1, {2360, 2050}}}) {
        SCOPED_TRACE(c.quality);
        ReportProject f;
        f.AddPhotos(2);
        f.AddPictureMap(QStringLiteral("平面図"), 2);
        f.project.outputOptions.outputCover = f.project.outputOptions.outputLedger = 0;
        f.project.outputOptions.mapQuality = c.quality;
        ASSERT_EQ(f.Run(), LocationMapReport::kDone);
        workbook_check::Keep(f.Book(QStringLiteral("1平面図.xlsx")));
        const QJsonObject sheet = SheetOf(Dump(f.Book(QStringLiteral("1平面図.xlsx"))), "写真位置図");
        const QJsonArray images = sheet["images"].toArray();
        ASSERT_EQ(images.size(), 1);
        EXPECT_EQ(images[0]["cell"].toString(), QStringLiteral("C3"));
        EXPECT_EQ(images[0]["px"].toArray(), c.px);
        EXPECT_EQ(images[0]["emu"].toArray(), (QJsonArray{6581775, 5715000}));
        const QJsonObject cells = sheet["cells"].toObject();
        EXPECT_EQ(cells["C1"].toString(), QStringLiteral("平面図"));
        EXPECT_FALSE(cells.contains("C21"));  // no source note on a picture map
        EXPECT_EQ(cells["E22"].toString(), QStringLiteral("河川"));
        EXPECT_EQ(cells["E25"].toString(), QStringLiteral("護岸崩落"));
        EXPECT_EQ(cells["E26"].toString(), QStringLiteral("延長 20m"));
        EXPECT_EQ(cells["E27"].toString(), QStringLiteral("高さ 3m"));
    }
}

TEST(LocationMapReport, WebMapSheetHWithPhotosBesideAndTheirComments)
{
    ReportProject f;
    f.AddPhotos(8);
    f.AddWebMap(QStringLiteral("第2工区"), 8);
    f.project.photos.photos.erase(f.project.photos.photos.begin() + 2);  // photo 3 is gone
    f.project.outputOptions.outputCover = f.project.outputOptions.outputLedger = 0;
    f.project.outputOptions.mapLayout = 1;
    f.project.outputOptions.placePhotos = f.project.outputOptions.placePhotoComments = 1;
    f.project.headerLabels.texts[3] = QStringLiteral("発生日時：");
    f.project.maps.maps[0].itemNames.texts[3] = QStringLiteral("概要：");
    // An entry without a number is shown as the ledger and the lists show it.
    f.project.maps.maps[0].photos.entries[1].numberText.clear();
    ASSERT_EQ(f.Run(), LocationMapReport::kDone);
    workbook_check::Keep(f.Book(QStringLiteral("1第2工区.xlsx")));
    const QJsonObject book = Dump(f.Book(QStringLiteral("1第2工区.xlsx")));
    const QJsonObject sheet = SheetOf(book, "写真位置図");
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["C32"].toString(), QString::fromUtf8(kReportWebSourceText));
    EXPECT_EQ(cells["C33"].toString(), QStringLiteral("発生日時："));
    EXPECT_EQ(cells["K33"].toString(), QStringLiteral("報告日付："));
    EXPECT_EQ(cells["C34"].toString(), QStringLiteral("概要："));
    // Seven photos beside the map: the gone one leaves its slot to the next.
    const QStringList expected = {"C3", "W2", "W9", "W16", "W23", "W30", "W37", "Y2"};
    QStringList anchors;
    for (const QJsonValue& image : sheet["images"].toArray())
        anchors.append(image["cell"].toString());
    EXPECT_EQ(anchors, expected);
    EXPECT_EQ(cells["W1"].toString(), QStringLiteral("No.1"));
    EXPECT_EQ(cells["W8"].toString(), QStringLiteral("**"));
    EXPECT_EQ(cells["Y1"].toString(), QStringLiteral("No.8"));
    const QJsonArray shapes = book["shapes"].toArray();
    ASSERT_EQ(shapes.size(), 7);
    EXPECT_EQ(shapes[0]["text"].toString(), QStringLiteral("護岸の状況 1\n上流側から撮影"));
    EXPECT_EQ(shapes[0]["fill"].toString(), QStringLiteral("FFFFFF"));
    EXPECT_EQ(shapes[0]["sz"].toString(), QStringLiteral("700"));
    // Small pictures are rendered at most 240 × 180.
    EXPECT_EQ(sheet["images"].toArray()[1].toObject()["px"].toArray(), (QJsonArray{240, 180}));
}

TEST(LocationMapReport, A3PhotosAroundTheMapOverflowFromColumnAJ)
{
    ReportProject f;
    f.AddPhotos(40);
    f.AddPictureMap(QStringLiteral("A3"), 40);
    f.project.outputOptions.outputCover = f.project.outputOptions.outputLedger = 0;
    f.project.outputOptions.mapLayout = 2;
    f.project.outputOptions.placePhotos = 1;
    f.project.maps.maps[0].photos.entries[0].numberText.clear();
    ASSERT_EQ(f.Run(), LocationMapReport::kDone);
    workbook_check::Keep(f.Book(QStringLiteral("1A3.xlsx")));
    const QJsonObject sheet = SheetOf(Dump(f.Book(QStringLiteral("1A3.xlsx"))), "写真位置図");
    const QJsonArray images = sheet["images"].toArray();
    // The numbers stand above their photos; an entry without one shows "**".
    EXPECT_EQ(sheet["cells"].toObject()["B2"].toString(), QStringLiteral("**"));
    EXPECT_EQ(sheet["cells"].toObject()["E2"].toString(), QStringLiteral("No.2"));
    ASSERT_EQ(images.size(), 41);
    EXPECT_EQ(images[0]["cell"].toString(), QStringLiteral("E9"));
    QStringList last;
    for (int k = 37; k <= 40; ++k)
        last.append(images[k]["cell"].toString());
    EXPECT_EQ(last, (QStringList{"AJ3", "AJ10", "AJ17", "AJ24"}));
}

TEST(LocationMapReport, LedgerPagesSlotsAndPrintAreas)
{
    struct Case
    {
        int layout, photos;
        int pages;
        QString printArea;
        QString secondPageCell;  // the number cell of the first slot of page 2
        QString lastAnchor;
    };
    const Case cases[] = {
        {0, 4, 2, QStringLiteral("$A$1:$H$88"), QStringLiteral("G48"), QStringLiteral("B48")},
        {0, 3, 1, QStringLiteral("$A$1:$H$44"), QString(), QStringLiteral("B32")},
        {1, 7, 2, QStringLiteral("$A$1:$J$116"), QStringLiteral("A75"), QStringLiteral("A63")},
        {2, 3, 2, QStringLiteral("$B$1:$M$78"), QStringLiteral("D66"), QStringLiteral("C44")},
        {3, 5, 1, QStringLiteral("$B$1:$S$39"), QString(), QStringLiteral("H22")},
        {4, 2, 2, QStringLiteral("$B$1:$M$78"), QStringLiteral("D74"), QStringLiteral("D44")},
        {5, 13, 2, QStringLiteral("$A$1:$L$128"), QStringLiteral("A79"), QStringLiteral("A69")},
    };
    // Every layout's workbook is printed by one LibreOffice run at the end.
    TempFolder printed;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        ReportProject f;
        f.AddPhotos(c.photos);
        f.AddPictureMap(QStringLiteral("台帳"), c.photos);
        f.project.outputOptions.outputCover = f.project.outputOptions.outputMapSheets = 0;
        f.project.outputOptions.ledgerLayout = c.layout;
        ASSERT_EQ(f.Run(), LocationMapReport::kDone);
        const QString path = f.Book(QStringLiteral("1台帳.xlsx"));
        const QJsonObject sheet = SheetOf(Dump(path), "写真台帳");
        const QJsonObject cells = sheet["cells"].toObject();
        EXPECT_EQ(sheet["print_area"].toString(), c.printArea);
        const QJsonArray images = sheet["images"].toArray();
        ASSERT_EQ(images.size(), c.photos);
        EXPECT_EQ(images.last().toObject()["cell"].toString(), c.lastAnchor);
        if (!c.secondPageCell.isEmpty()) {
            EXPECT_EQ(cells[c.secondPageCell].toString(), QStringLiteral("No.%1").arg(c.photos));
        }
        for (auto it = cells.begin(); it != cells.end(); ++it)
            EXPECT_FALSE(it.value().toString().startsWith(QStringLiteral("**"))) << it.key().toStdString();
        // A page's last comment box ends on the page's last row, closed by its bottom edge (checked on
        // the grid layouts V6 and V3×4, whose boxes start in column A, which the report dump reads).
        const int lastRow = c.printArea.section(u'$', -1).toInt();
        const QJsonObject frames = sheet["frames"].toObject();
        for (int page = 1; (c.layout == 1 || c.layout == 5) && page <= c.pages; ++page) {
            const QString last = QStringLiteral("A%1").arg(lastRow / c.pages * page);
            EXPECT_TRUE(frames[last].toString().contains(u'B')) << last.toStdString();
        }
        ASSERT_TRUE(QFile::copy(path, printed.file(QStringLiteral("ledger%1-%2.xlsx").arg(c.layout).arg(c.photos))));
    }
    QStringList books;
    for (const Case& c : cases)
        books.append(printed.file(QStringLiteral("ledger%1-%2.xlsx").arg(c.layout).arg(c.photos)));
    workbook_check::Run("soffice", QStringList{"-env:UserInstallation=file://" + printed.file("lo-profile"),
                                               "--headless", "--norestore", "--convert-to", "pdf", "--outdir",
                                               printed.path()} + books,
                        nullptr, 540000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        const QString pdf = printed.file(QStringLiteral("ledger%1-%2.pdf").arg(c.layout).arg(c.photos));
        const QString info = workbook_check::Run("pdfinfo", {pdf});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(c.pages)))) << info.toStdString();
        EXPECT_FALSE(workbook_check::Run("pdftotext", {"-enc", "UTF-8", pdf, "-"}).contains(QStringLiteral("**")));
        workbook_check::Keep(pdf);
    }
}

TEST(LocationMapReport, LedgerCommentsWrapIntoTheirLines)
{
    ReportProject f;
    f.AddPhotos(1);
    f.AddPictureMap(QStringLiteral("台帳"), 1);
    PlacedPhoto& entry = f.project.maps.maps[0].photos.entries[0];
    entry.comment = QString(21, QChar(u'あ')) + QStringLiteral("\n1\n2\n3\n4\n5\n6\n7\n8\n9");
    f.project.outputOptions.outputCover = f.project.outputOptions.outputMapSheets = 0;
    f.project.outputOptions.shotTimeFormat = 3;
    ASSERT_EQ(f.Run(), LocationMapReport::kDone);
    const QJsonObject cells = SheetOf(Dump(f.Book(QStringLiteral("1台帳.xlsx"))), "写真台帳")["cells"].toObject();
    EXPECT_EQ(cells["G5"].toString(), QStringLiteral("2020/04/01 09:05:30"));
    EXPECT_EQ(cells["F6"].toString(), QString(20, QChar(u'あ')));
    EXPECT_EQ(cells["F7"].toString(), QStringLiteral("あ"));
    EXPECT_EQ(cells["F13"].toString(), QStringLiteral("6"));  // the eighth line; the rest is dropped
}

TEST(LocationMapReport, FailuresAreToldAndNothingIsOpened)
{
    // A folder the workbook cannot be written into: the message names the file.
    ReportProject f;
    f.AddPhotos(1);
    f.AddPictureMap(QStringLiteral("T1"), 1);
    const QString out = f.Out();
    ASSERT_TRUE(QDir().mkpath(out));
    QFile::setPermissions(out, QFile::ReadOwner | QFile::ExeOwner);
    QString message;
    const bool root = QFileInfo(out).isWritable();  // permissions do not bind the super-user
    if (!root) {
        EXPECT_EQ(f.Run(&message), LocationMapReport::kFailed);
        EXPECT_TRUE(message.startsWith(QStringLiteral("Excelが出力できませんでした。"))) << message.toStdString();
        EXPECT_TRUE(message.endsWith(QStringLiteral("1T1.xlsx")));
    }
    QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // The target is a folder: the earlier map's workbook stays, the run stops at the second.
    f.AddPictureMap(QStringLiteral("T2"), 1);
    ASSERT_TRUE(QDir().mkpath(f.Book(QStringLiteral("2T2.xlsx"))));
    EXPECT_EQ(f.Run(&message), LocationMapReport::kFailed);
    EXPECT_TRUE(message.endsWith(QStringLiteral("2T2.xlsx"))) << message.toStdString();
    EXPECT_TRUE(QFileInfo(f.Book(QStringLiteral("1T1.xlsx"))).isFile());

    // A missing template is a failure with its own message, never a silent end.
    LocationMapReport missing(f.project, f.parent.file(QStringLiteral("none.xlsx")));
    EXPECT_EQ(missing.Run(f.Out()), LocationMapReport::kFailed);
    EXPECT_FALSE(missing.ResultMessage(LocationMapReport::kFailed).isEmpty());
}

// A progress window whose Cancel was pressed at once.
class CancelledProgress : public ReportProgress
{
public:
    void SetTitle(const QString&) override {}
    void SetRange(int) override {}
    void SetPosition(int) override {}
    void Advance() override {}
    bool Cancelled() const override { return true; }
};

TEST(LocationMapReport, CancellingWritesNoWorkbook)
{
    ReportProject f;
    f.AddPhotos(4);
    f.AddPictureMap(QStringLiteral("T1"), 4);
    LocationMapReport report(f.project, kTemplate);
    report.SetProgressFactory([] { return std::make_unique<CancelledProgress>(); });
    const int result = report.Run(f.Out());
    EXPECT_EQ(result, LocationMapReport::kCancelled);
    EXPECT_EQ(report.ResultMessage(result), QStringLiteral("Excel出力がキャンセルされました。"));
    EXPECT_TRUE(QDir(f.Out()).entryList(QDir::Files).isEmpty());
}

TEST(LocationMapReport, CroppedPhotosAreCutAndUnsetFramesShowTheWholePhoto)
{
    ReportProject f;
    f.AddPhotos(1);  // 320 × 240
    f.AddPictureMap(QStringLiteral("T"), 1);
    struct Case
    {
        Rect2 frame;
        int quality;
        QSize box, render;
        CExcelReportWriter::RenderResult result;
    };
    const Case cases[] = {
        // A 4:3 crop in a small box: at most 240 × 180 at any quality.
        {Rect2(40, 30, 200, 150), 0, {113, 84}, {240, 180}, CExcelReportWriter::kPhotoDrawn},
        {Rect2(40, 30, 200, 150), 2, {113, 84}, {240, 180}, CExcelReportWriter::kPhotoDrawn},
        {Rect2(0, 0, 320, 240), 1, {445, 330}, {1200, 900}, CExcelReportWriter::kPhotoDrawn},
        // A frame without width, and an unset frame, stand for the whole photo.
        {Rect2(10, 10, 10, 200), 1, {445, 330}, {1200, 900}, CExcelReportWriter::kPhotoDrawn},
        {Rect2(kUnset, kUnset, kUnset, kUnset), 0, {215, 170}, {640, 479}, CExcelReportWriter::kPhotoDrawn},
        {Rect2(kUnset, kUnset, kUnset, kUnset), 2, {445, 330}, {}, CExcelReportWriter::kUseStoredPhoto},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frame.x0 << " q" << c.quality);
        f.project.outputOptions.photoQuality = c.quality;
        LocationMapReport report(f.project, kTemplate);
        PlacedPhoto entry = f.project.maps.maps[0].photos.entries[0];
        entry.frame = c.frame;
        QImage image;
        double x = 0, y = 0, w = 0, h = 0;
        ASSERT_EQ(report.RenderPlacedPhoto(image, entry, c.box, x, y, w, h), c.result);
        if (c.result != CExcelReportWriter::kPhotoDrawn)
            continue;
        EXPECT_EQ(image.size(), c.render);
        EXPECT_LE(x + w, c.box.width() + 0.5);
        EXPECT_LE(y + h, c.box.height() + 0.5);
        // The photo's own colour fills the picture: no white band from a misplaced crop.
        const QColor corner = image.pixelColor(image.width() - 2, image.height() - 2);
        EXPECT_NE(corner, QColor(Qt::white));
    }
}

// A stored photo claiming 8192 × 8192 in 1 KB, turned a quarter and printed at high quality, is refused
// before the memory of its claimed size is taken.
TEST(LocationMapReport, APhotoClaimingAHugeSizeIsRefusedWithinItsMemory)
{
    TempFolder temp;
    const QString photo = temp.file("claiming.jpg");
    WriteAll(photo, damagedjpeg::ClaimingSize(damagedjpeg::Plain(32, 32), 8192, 8192));
    peak_rss::ExpectPeakBelow("LocationMapReport.DISABLED_RenderThePhotoGiven", photo, 300);
}

TEST(LocationMapReport, DISABLED_RenderThePhotoGiven)
{
    peak_rss::RunAsChild([](const QString& photo) {
        ReportProject f;
        f.AddPhotos(1);
        f.AddPictureMap(QStringLiteral("T"), 1);
        ASSERT_TRUE(QFile::remove(f.project.PhotoFolder() + PhotoFileName(1)));
        ASSERT_TRUE(QFile::copy(photo, f.project.PhotoFolder() + PhotoFileName(1)));
        f.project.photos.photos[0].rotation = 90;
        f.project.outputOptions.photoQuality = 2;
        LocationMapReport report(f.project, kTemplate);
        const PlacedPhoto entry = f.project.maps.maps[0].photos.entries[0];
        QImage image;
        double x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(report.RenderPlacedPhoto(image, entry, QSize(445, 330), x, y, w, h),
                  CExcelReportWriter::kRenderFailed);
    });
}

TEST(ReportTexts, CellReferencesDatesAndLines)
{
    const std::pair<int, const char*> letters[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {53, "BA"}, {702, "ZZ"},
                                                   {703, "AAA"}};
    for (const auto& [n, text] : letters) {
        EXPECT_EQ(ColumnLettersFromNumber(n), QString::fromLatin1(text));
        EXPECT_EQ(ColumnNumberFromCell(QString::fromLatin1(text) + "9"), n);
    }
    EXPECT_EQ(ColumnNumberFromCell(QStringLiteral("Q2")), 17);
    EXPECT_EQ(ColumnNumberFromCell(QStringLiteral("aj3")), 36);
    EXPECT_EQ(RowNumberFromCell(QStringLiteral("E39")), 39);

    const QString d = QStringLiteral("2020/04/01"), t = QStringLiteral("09:05:30");
    const char* const shown[] = {"", "2020/04/01", "2020/04/01 09:05", "2020/04/01 09:05:30"};
    for (int format = 0; format <= 3; ++format)
        EXPECT_EQ(ShotDateTimeText(d, t, format), QString::fromUtf8(shown[format]));
    EXPECT_EQ(ShotDateTimeText(d, t, 7), d);
    EXPECT_EQ(ShotDateTimeText(QString(), t, 2), QStringLiteral("09:05"));
    EXPECT_EQ(ShotDateTimeText(d, QStringLiteral("9:05"), 2), QStringLiteral("2020/04/01 9:05"));

    const QString emoji = QString::fromUtf8("\xF0\x9F\x93\xB7");  // one character, two UTF-16 units
    const struct
    {
        QStringList in;
        int width;
        QStringList out;
    } wraps[] = {
        {{QString(30, QChar(u'あ'))}, 41, {QString(20, QChar(u'あ')), QString(10, QChar(u'あ'))}},
        {{QString(41, 'a')}, 41, {QString(41, 'a')}},
        {{QString(42, 'a')}, 41, {QString(41, 'a'), QStringLiteral("a")}},
        {{QString(20, QChar(u'あ')) + 'a'}, 41, {QString(20, QChar(u'あ')) + 'a'}},
        {{QStringLiteral("\r"), QStringLiteral("x\r"), QString()}, 41, {QStringLiteral("x")}},
        {{QString(40, 'a') + emoji + 'b'}, 41, {QString(40, 'a'), emoji + 'b'}},
        {{QStringLiteral("ｶﾞｷﾞ") + QString(39, 'a')}, 41, {QStringLiteral("ｶﾞｷﾞ") + QString(37, 'a'), QStringLiteral("aa")}},
    };
    for (const auto& w : wraps)
        EXPECT_EQ(WrapCommentLines(w.in, w.width), w.out) << w.in.join('|').toStdString();

    EXPECT_EQ(DamageSummaryLines(QStringLiteral("a\r\n\r\nb\r\nc\r\nd\r\n")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(WithFullWidthColon(QStringLiteral("発生日時：")), QStringLiteral("発生日時："));
    EXPECT_EQ(WithFullWidthColon(QStringLiteral("発生日時")), QStringLiteral("発生日時："));
    EXPECT_EQ(FileNamePart(QStringLiteral("a/b\\c")), QStringLiteral("a_b_c"));
}

TEST(ReportTexts, SheetNamesFollowTheSpreadsheetRules)
{
    const QString fallback = QStringLiteral("現場位置図");
    const QString emoji = QString::fromUtf8("\xF0\x9F\x93\xB7");  // two UTF-16 units
    const struct
    {
        const char* what;
        QString title;
        QStringList taken;
        QString name;
    } cases[] = {
        {"a plain title", QStringLiteral("堤A 全景"), {}, QStringLiteral("堤A 全景")},
        {"forbidden characters", QStringLiteral("A/B\\C?D*E[F]G:H"), {}, QStringLiteral("A_B_C_D_E_F_G_H")},
        {"line breaks and controls", QStringLiteral("堤A\r\n護岸\x01"), {}, QStringLiteral("堤A  護岸")},
        {"apostrophes and blanks at the ends", QStringLiteral(" '引用' "), {}, QStringLiteral("引用")},
        {"too long", QString(40, QChar(u'あ')), {}, QString(31, QChar(u'あ'))},
        {"cut before a surrogate pair", QString(30, 'a') + emoji, {}, QString(30, 'a')},
        {"empty", QString(), {}, fallback},
        {"nothing usable", QStringLiteral("''"), {}, fallback},
        {"taken", fallback, {fallback}, QStringLiteral("現場位置図 (2)")},
        {"taken twice",
         fallback,
         {fallback, QStringLiteral("現場位置図 (2)")},
         QStringLiteral("現場位置図 (3)")},
        {"taken in another case", QStringLiteral("Map"), {QStringLiteral("MAP")}, QStringLiteral("Map (2)")},
        {"reserved", QStringLiteral("history"), {}, QStringLiteral("history (2)")},
        {"long and taken",
         QString(31, QChar(u'い')),
         {QString(31, QChar(u'い'))},
         QString(27, QChar(u'い')) + QStringLiteral(" (2)")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SheetNameFromTitle(c.title, c.taken, fallback), c.name) << c.what;
}

TEST(ReportTexts, PhotoSlotsBesideAndAroundTheMap)
{
    QStringList beside;
    for (int k = 0; k < 8; ++k)
        beside.append(BesideMapSlot(QStringLiteral("Q2"), 4, k));
    EXPECT_EQ(beside, (QStringList{"Q2", "Q6", "Q10", "Q14", "Q18", "Q22", "S2", "S6"}));
    EXPECT_EQ(BesideMapSlot(QStringLiteral("W2"), 7, 5), QStringLiteral("W37"));

    const std::vector<QString> around = A3PhotoSlots(0);
    ASSERT_EQ(around.size(), 36u);
    EXPECT_EQ(around[10], QStringLiteral("AF3"));
    EXPECT_EQ(around[11], QStringLiteral("B10"));
    EXPECT_EQ(around[12], QStringLiteral("AF10"));
    EXPECT_EQ(around[25], QStringLiteral("B61"));
    EXPECT_EQ(A3PhotoSlots(1).size(), 14u);
    EXPECT_EQ(A3PhotoSlots(2).size(), 28u);
    EXPECT_EQ(A3PhotoSlots(2)[7], QStringLiteral("E3"));
    EXPECT_EQ(A3OverflowSlot(0, 8), QStringLiteral("AJ59"));
    EXPECT_EQ(A3OverflowSlot(0, 9), QStringLiteral("AL3"));
    EXPECT_EQ(A3OverflowSlot(1, 7), QStringLiteral("AL3"));
}

}  // namespace
