// The survey workbooks written from the shipped template: one per ticked map with its 27 sheets, the
// header and summary cells, the photo sheets growing page by page, and the failures the user is told of.
// Workbooks are read back with openpyxl and printed with LibreOffice.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <functional>

#include "RsBookProject.h"
#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "reservoir/RsBookReport.h"

namespace {

const QString kTemplate = QStringLiteral(KELVOR_SOURCE_DIR "/data/Systems/RsBook.xlsx");
const QString kPondBook = QStringLiteral("1池_劣化状況評価調査表.xlsx");
const QString kBankBook = QStringLiteral("3堤A_劣化状況評価調査表.xlsx");

QJsonObject Dump(const QString& path)
{
    int code = 0;
    const QString out = workbook_check::Run(
        "/usr/bin/python3", {QStringLiteral(KELVOR_SOURCE_DIR "/tests/report/data/report_dump.py"), path}, &code);
    return code == 0 ? QJsonDocument::fromJson(out.toUtf8()).object() : QJsonObject();
}

QJsonObject SheetOf(const QJsonObject& book, const QString& name)
{
    return book.value(QStringLiteral("sheet")).toObject().value(name).toObject();
}

QStringList Breaks(const QJsonObject& sheet)
{
    QStringList ids;
    for (const QJsonValue& id : sheet.value(QStringLiteral("breaks")).toArray())
        ids.append(QString::number(id.toInt()));
    return ids;
}

// The slot of each picture: "A" for the left half of the sheet (columns A to R), "S" for the right one,
// and its anchor row. A picture centred in its box is anchored in a column inside the box.
QStringList ImageSlots(const QJsonObject& sheet)
{
    QStringList places;
    for (const QJsonValue& image : sheet.value(QStringLiteral("images")).toArray()) {
        const QString cell = image.toObject().value(QStringLiteral("cell")).toString();
        const QString letters = cell.section(QRegularExpression(QStringLiteral("\\d")), 0, 0);
        const bool left = letters.size() == 1 && letters[0] <= QChar('R');
        places.append((left ? QStringLiteral("A") : QStringLiteral("S")) + cell.mid(letters.size()));
    }
    return places;
}

QString Cell(const QJsonObject& sheet, const char* cell)
{
    return sheet.value(QStringLiteral("cells")).toObject().value(QString::fromUtf8(cell)).toString();
}

QString Frame(const QJsonObject& sheet, const QString& cell)
{
    return sheet.value(QStringLiteral("frames")).toObject().value(cell).toString();
}

struct SurveyBooks : ::testing::Test
{
    TempFolder root;
    Project project;

    void SetUp() override { ASSERT_TRUE(rsbook_project::MakeProject(root.path(), project)); }
    QString Out() const { return project.DatedExcelFolder(); }
    QStringList Written() const { return QDir(Out()).entryList(QDir::Files | QDir::Hidden | QDir::System); }
};

}  // namespace

TEST_F(SurveyBooks, OneWorkbookPerTickedMapWithItsSheetsCellsAndPrintAreas)
{
    ASSERT_TRUE(QDir().mkpath(Out()));
    RsBookReport report(project, kTemplate);
    report.folder = Out();
    rsbook_project::ProgressLog progress;
    report.SetProgressFactory([&] { return std::make_unique<rsbook_project::StepProgress>(0, nullptr, &progress); });
    ASSERT_TRUE(report.WriteRsBook()) << report.errorText.toStdString();
    EXPECT_EQ(report.writtenCount, 2);
    EXPECT_EQ(Written(), (QStringList{kPondBook, kBankBook}));

    const QJsonObject bank = Dump(Out() + '/' + kBankBook);
    const QJsonObject pond = Dump(Out() + '/' + kPondBook);
    ASSERT_FALSE(bank.isEmpty());
    ASSERT_FALSE(pond.isEmpty());
    QStringList names;
    for (int k = 0; k < RsBookReport::kSheetCount; ++k)
        names.append(QString::fromUtf8(RsBookReport::Sheet(k).name).mid(1));
    EXPECT_EQ(bank.value(QStringLiteral("sheets")).toVariant().toStringList(), names);
    EXPECT_EQ(names.first(), QStringLiteral("目次"));
    EXPECT_EQ(names.last(), QStringLiteral("総括表"));

    // Every header sheet is headed; the summary gets the three texts. An empty ID and name leave one space.
    for (const char* header : {"1-1", "2-1", "3-1", "4-1-1", "4-2-1", "5-1", "6-1", "7-1"}) {
        const QString name = QString::fromUtf8(header);
        EXPECT_EQ(Cell(SheetOf(bank, name), "AB4"), QStringLiteral("T-01 堤A")) << header;
        EXPECT_EQ(Cell(SheetOf(bank, name), "AB5"), QStringLiteral("2024/05/20")) << header;
        EXPECT_EQ(Cell(SheetOf(pond, name), "AB4"), QStringLiteral(" ")) << header;
    }
    const QJsonObject summary = SheetOf(bank, QStringLiteral("総括表"));
    EXPECT_EQ(Cell(summary, "Y3"), QStringLiteral("堤A"));
    EXPECT_EQ(Cell(summary, "Y4"), QStringLiteral("T-01"));
    EXPECT_EQ(Cell(summary, "G4"), QStringLiteral("2024/05/20"));

    // Print areas and page breaks (the zero-based row above each break).
    struct Case
    {
        const char* sheet;
        const char* area;
        QStringList breaks;
    };
    const Case cases[] = {
        {"1-1", "A1:AJ42", {}},
        {"4-1表(洪水吐きコンクリート構造)", "A1:BB42", {}},
        {"健全度評価表1", "A1:BA39", {}},
        {"総括表", "A1:AJ38", {}},           // the template's own
        {"3-3(写真)", "A1:AJ97", {"50"}},    // 7 photos: a break at row 51
        {"1-2(写真)", "A1:AJ97", {"50"}},    // 7 photos: the template's break only
        {"5-2(写真)", "A1:AJ87", {"45"}},    // 3 photos (one row deleted): a break at row 46
        {"4-2-2(写真)", "A1:AJ50", {}},      // 6 photos stay on one page
        {"4-1-2(写真)", "A1:AJ50", {}},      // nothing to list
        {"2-2(写真)", "A1:AJ50", {}},
    };
    for (const Case& c : cases) {
        const QJsonObject sheet = SheetOf(bank, QString::fromUtf8(c.sheet));
        EXPECT_EQ(sheet.value(QStringLiteral("print_area")).toString().remove('$').section('!', -1),
                  QString::fromUtf8(c.area))
            << c.sheet;
        EXPECT_EQ(Breaks(sheet), c.breaks) << c.sheet;
    }
    // Twelve photos on 5-2: the print area reaches the last row of the fifth pair of page 2 (row 90).
    const QJsonObject pondTable5 = SheetOf(pond, QStringLiteral("5-2(写真)"));
    EXPECT_EQ(pondTable5.value(QStringLiteral("print_area")).toString().remove('$').section('!', -1),
              QStringLiteral("A1:AJ90"));
    EXPECT_EQ(Breaks(pondTable5), QStringList{"45"});
    // A table without drawing places no picture for it.
    EXPECT_EQ(ImageSlots(pondTable5).count(QStringLiteral("A18")), 0);

    // 表3: the turned drawing at A5 in its box, then the photos two by two under their descriptions.
    const QJsonObject table3 = SheetOf(bank, QStringLiteral("3-3(写真)"));
    EXPECT_EQ(ImageSlots(table3), (QStringList{"A5", "A25", "S25", "A34", "S34", "A43", "S43", "A52"}));
    const QJsonArray images = table3.value(QStringLiteral("images")).toArray();
    for (int k = 0; k < images.size(); ++k) {
        const QJsonObject image = images[k].toObject();
        const QJsonArray mm = image.value(QStringLiteral("mm")).toArray();
        const QJsonArray offset = image.value(QStringLiteral("offset")).toArray();
        const double boxW = k == 0 ? 160.8 : 80.0, boxH = k == 0 ? 88.4 : 40.8;
        EXPECT_LE(mm[0].toDouble(), boxW + 0.1) << k;
        EXPECT_LE(mm[1].toDouble(), boxH + 0.1) << k;
        // Anchored in the box's first row: the picture ends inside the box.
        EXPECT_LE(offset[1].toDouble() + mm[1].toDouble(), boxH + (k == 0 ? 1.1 : 1.6)) << k;
    }
    // The turned 800 × 400 drawing stands upright: twice as high as wide.
    const QJsonArray figure = images[0].toObject().value(QStringLiteral("mm")).toArray();
    EXPECT_NEAR(figure[1].toDouble() / figure[0].toDouble(), 2.0, 0.05);
    EXPECT_EQ(Cell(table3, "A24"), QStringLiteral("表3 写真1"));
    EXPECT_EQ(Cell(table3, "S42"), QStringLiteral("表3 写真6"));
    EXPECT_EQ(Cell(table3, "A51"), QStringLiteral("表3 写真7"));
    // Page 2 is framed by the writer: both halves of the half-filled pair.
    for (const char* cell : {"A51", "S51", "A52", "S52"})
        EXPECT_TRUE(Frame(table3, QString::fromUtf8(cell)).contains('T')) << cell;
    for (const char* cell : {"A59", "S59"})
        EXPECT_TRUE(Frame(table3, QString::fromUtf8(cell)).contains('B')) << cell;
    EXPECT_TRUE(Frame(table3, QStringLiteral("AJ55")).contains('R'));

    // 表5: the row whose photo was deleted takes no place; the next photo moves up into its slot.
    const QJsonObject table5 = SheetOf(bank, QStringLiteral("5-2(写真)"));
    EXPECT_EQ(ImageSlots(table5), (QStringList{"A18", "A38", "S38", "A47"}));
    EXPECT_EQ(Cell(table5, "S37"), QStringLiteral("表5 写真16"));
    EXPECT_EQ(Cell(table5, "A46"), QStringLiteral("表5 写真17"));

    // One step per sheet, titled with the map's name.
    EXPECT_EQ(progress.range, 2 * RsBookReport::kSheetCount);
    EXPECT_EQ(progress.steps, 2 * RsBookReport::kSheetCount);
    EXPECT_TRUE(progress.titles.contains(QStringLiteral("帳票出力準備中 - 堤A")));

    // LibreOffice prints the workbook: one page a sheet, two for each photo sheet that grew, no placeholder.
    const workbook_check::Pdf pdf = workbook_check::ConvertToPdf(Out() + '/' + kBankBook, root.path());
    EXPECT_EQ(pdf.pages, RsBookReport::kSheetCount + 3);
    EXPECT_FALSE(pdf.text.contains(QStringLiteral("**")));
    EXPECT_TRUE(pdf.text.contains(QStringLiteral("表3 写真7")));
    workbook_check::Keep(pdf.path);
}

TEST_F(SurveyBooks, ADrawingNamedOutsideTheImageFolderIsNeverPutIntoTheWorkbook)
{
    // A received project names drawings that lie outside its image folder: climbing out of it, and by an
    // absolute path. The files are there and readable, but the tables get no drawing.
    const QString outside = root.path() + QStringLiteral("/outside/");
    ASSERT_TRUE(QDir().mkpath(outside));
    ASSERT_TRUE(QFile::copy(project.folder + QStringLiteral("image/") + rsbook_project::kFigure,
                            outside + QStringLiteral("private.png")));
    ReservoirSheet& survey = project.maps.maps[2].reservoir;
    ASSERT_EQ(survey.reservoirName, QStringLiteral("堤A"));
    const QString climbing = QStringLiteral("../../outside/private.png");
    ASSERT_TRUE(QFileInfo(project.folder + QStringLiteral("image/") + climbing).isFile());
    survey.items[2].pictureFile = climbing;
    survey.items[5].pictureFile = outside + QStringLiteral("private.png");

    ASSERT_TRUE(QDir().mkpath(Out()));
    RsBookReport report(project, kTemplate);
    report.folder = Out();
    report.SetProgressFactory([] { return std::make_unique<rsbook_project::StepProgress>(0, nullptr); });
    ASSERT_TRUE(report.WriteRsBook()) << report.errorText.toStdString();
    const QJsonObject bank = Dump(Out() + '/' + kBankBook);
    ASSERT_FALSE(bank.isEmpty());
    // Only the photos are placed: no drawing at A5 of table 3 or at A18 of table 5.
    EXPECT_EQ(ImageSlots(SheetOf(bank, QStringLiteral("3-3(写真)"))),
              (QStringList{"A25", "S25", "A34", "S34", "A43", "S43", "A52"}));
    EXPECT_EQ(ImageSlots(SheetOf(bank, QStringLiteral("5-2(写真)"))), (QStringList{"A38", "S38", "A47"}));
}

TEST_F(SurveyBooks, AFailedPhotoKeepsItsPlaceAndThePagingGoesOn)
{
    // Photo 3 cannot be read: its frame stays empty, and the sheet still breaks after its first page.
    QFile damaged(project.PhotoFolder() + PhotoFileName(3));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("not a picture");
    damaged.close();
    // The pond's table 5 gets a thirteenth photo: a third page, which needs a break of its own.
    ASSERT_EQ(project.maps.maps.front().name, QStringLiteral("池"));
    rsbook_project::AddRows(project.maps.maps.front().reservoir.items[5], {13}, "池");
    ASSERT_TRUE(QDir().mkpath(Out()));
    RsBookReport report(project, kTemplate);
    report.folder = Out();
    ASSERT_TRUE(report.WriteRsBook()) << report.errorText.toStdString();
    const QJsonObject table3 = SheetOf(Dump(Out() + '/' + kBankBook), QStringLiteral("3-3(写真)"));
    EXPECT_EQ(ImageSlots(table3), (QStringList{"A5", "A25", "S25", "S34", "A43", "S43", "A52"}));
    EXPECT_EQ(Cell(table3, "A33"), QStringLiteral("表3 写真3"));
    EXPECT_EQ(Breaks(table3), QStringList{"50"});
    EXPECT_EQ(table3.value(QStringLiteral("print_area")).toString().remove('$').section('!', -1),
              QStringLiteral("A1:AJ97"));

    const QJsonObject pondTable5 = SheetOf(Dump(Out() + '/' + kPondBook), QStringLiteral("5-2(写真)"));
    EXPECT_EQ(Breaks(pondTable5), (QStringList{"45", "90"}));
    EXPECT_EQ(pondTable5.value(QStringLiteral("print_area")).toString().remove('$').section('!', -1),
              QStringLiteral("A1:AJ130"));
}

TEST_F(SurveyBooks, NothingTickedWritesNothing)
{
    for (LocationMap& map : project.maps.maps)
        map.reservoir.includeInBook = 0;
    RsBookReport report(project, kTemplate);
    report.folder = Out();
    EXPECT_TRUE(report.WriteRsBook());
    EXPECT_EQ(report.writtenCount, 0);
    EXPECT_TRUE(report.errorText.isEmpty());
    EXPECT_TRUE(Written().isEmpty());
}

TEST_F(SurveyBooks, FailuresAndCancelAreToldAndKeepEarlierWorkbooks)
{
    ASSERT_TRUE(QDir().mkpath(Out()));
    const QString bankPath = Out() + '/' + kBankBook;
    struct Case
    {
        const char* what;
        QString templatePath;
        int atStep;  // the progress step at which the action runs
        std::function<void(rsbook_project::StepProgress&)> action;
        QString message;         // how errorText begins
        QString named;           // the file errorText ends with
        QStringList written;     // the workbooks in the folder afterwards
    };
    const QString cannotWrite = QStringLiteral("Excelが出力できませんでした。");
    const Case cases[] = {
        {"a missing template", root.file(QStringLiteral("none.xlsx")), 0, nullptr,
         QStringLiteral("Excelのひな形ファイルを読み込めません。"), QStringLiteral("none.xlsx"), {}},
        // The second workbook's target becomes a folder before the run reaches it: the pre-check says so.
        {"a target that cannot be written", kTemplate, 5,
         [&](rsbook_project::StepProgress&) { QDir().mkpath(bankPath); }, cannotWrite, kBankBook, {kPondBook}},
        // The target becomes a folder while its sheets are written: the final write fails and is told.
        {"a final write that fails", kTemplate, RsBookReport::kSheetCount + 5,
         [&](rsbook_project::StepProgress&) { QDir().mkpath(bankPath); }, cannotWrite, kBankBook, {kPondBook}},
        // Cancel pressed while the second workbook's first photo sheet is written: that workbook is not
        // written, the first stays.
        {"a cancel", kTemplate, RsBookReport::kSheetCount + 3, [](rsbook_project::StepProgress& p) { p.cancelled = true; },
         QStringLiteral("Excel出力がキャンセルされました。"), QString(), {kPondBook}},
    };
    for (const Case& c : cases) {
        QDir(Out()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(Out()));
        RsBookReport report(project, c.templatePath);
        report.folder = Out();
        report.SetProgressFactory([&] { return std::make_unique<rsbook_project::StepProgress>(c.atStep, c.action); });
        EXPECT_FALSE(report.WriteRsBook()) << c.what;
        EXPECT_TRUE(report.errorText.startsWith(c.message)) << c.what << ": " << report.errorText.toStdString();
        EXPECT_TRUE(report.errorText.endsWith(c.named)) << c.what << ": " << report.errorText.toStdString();
        EXPECT_EQ(report.writtenCount, int(c.written.size())) << c.what;
        EXPECT_EQ(Written(), c.written) << c.what;
    }
}
