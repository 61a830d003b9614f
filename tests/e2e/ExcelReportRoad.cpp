// Photo location maps and photo ledgers to Excel: "写真位置図 / 写真台帳 出力" opened by the file menu, by
// Ctrl+P and by the work-flow pane's button; the first two cancelled, the third filled as a user does and
// run. The workbooks in <project>/excel/YYYYMMDD/ are read with openpyxl and printed with LibreOffice; the
// output folder is opened; after a restart the stored choices and the rest of the project are still there.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QLabel>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include "ExcelReportFixture.h"
#include "RoadDriver.h"
#include "WorkbookCheck.h"
#include "app/controls/ExpButton.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/MainFrame.h"
#include "app/panes/FlowPane.h"
#include "app/report/OutputDlg.h"
#include "model/Project.h"
#include "model/ProjectFile.h"

namespace {

const QString kDialogTitle = QStringLiteral("写真位置図 / 写真台帳 出力");
const QString kTitle = QStringLiteral("堤A護岸 災害報告書");
const QString kReporter = QStringLiteral("山田 太郎");
const QString kPrefix = QStringLiteral("R6_");

// Clicks the widget's middle; a check box or radio button on its mark, since a wide one takes clicks on
// its mark and text only.
void Click(QWidget* widget)
{
    ASSERT_TRUE(widget);
    ASSERT_TRUE(widget->isEnabled()) << widget->metaObject()->className();
    const bool marked = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
    const QPoint at = marked ? QPoint(std::min(8, widget->width() / 2), widget->height() / 2) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

// Types the text into the widget: Latin letters as keys, the rest committed by the input method, as a
// Japanese text arrives from it.
void TypeText(QWidget* widget, const QString& text)
{
    QString latin;
    const auto flush = [&] {
        QTest::keyClicks(widget, latin);
        latin.clear();
    };
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
            latin.append(c);
            continue;
        }
        flush();
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(widget, &commit);
    }
    flush();
}

// Opens the grid's cell for typing with a double click, replaces its text and ends the edit with Enter.
void TypeIntoCell(app::CSpread7U* grid, int col, int row, const QString& text)
{
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, col - 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid->EditMode(); }, 3000)) << "the cell did not open for typing";
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    TypeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !grid->EditMode(); }, 3000)) << "the edit did not end";
}

// Moves a closed combo box down by `steps` items with the keyboard, as a user does.
void StepDown(QComboBox* combo, int steps)
{
    combo->setFocus(Qt::MouseFocusReason);
    for (int k = 0; k < steps; ++k)
        QTest::keyClick(combo, Qt::Key_Down);
}

// The output dialog once it shows on the screen; null for another dialog.
app::COutputDlg* Shown(road::Road& road, QDialog* dialog)
{
    auto* output = qobject_cast<app::COutputDlg*>(dialog);
    EXPECT_TRUE(output) << "not the output dialog: " << dialog->metaObject()->className();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog, 5000));
    road.Idle(300);
    return output;
}

QPushButton* ButtonByText(QWidget* owner, const QString& text)
{
    for (QPushButton* button : owner->findChildren<QPushButton*>())
        if (road::PlainText(button->text()) == text)
            return button;
    return nullptr;
}

QJsonObject Judge(const QString& book)
{
    int code = 0;
    const QString out = workbook_check::Run(
        "/usr/bin/python3", {QStringLiteral(KELVOR_SOURCE_DIR "/tests/e2e/excel_report_check.py"), book}, &code);
    EXPECT_EQ(code, 0) << out.toStdString();
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

// The page of the workbook's PDF (converted into <work>/pdf) as a picture in the road's screenshots folder.
QImage RenderPage(const road::Road& road, const QString& book, int page, const QString& name)
{
    const QString pdf = QDir(road.Work()).filePath(QStringLiteral("pdf/") + QFileInfo(book).completeBaseName() +
                                                   QStringLiteral(".pdf"));
    const QString picture = road.ShotsFolder() + u'/' + name;
    workbook_check::Run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                                     QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                     QString::number(page), QStringLiteral("-singlefile"), pdf, picture});
    return QImage(picture + QStringLiteral(".png"));
}

// Pixels of the picture within a few steps of the colour in each channel.
int PixelsNear(const QImage& picture, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) <= 6 && std::abs(c.green() - colour.green()) <= 6 &&
                     std::abs(c.blue() - colour.blue()) <= 6;
        }
    return count;
}

}  // namespace

TEST(Roads, ExcelReport)
{
    road::Road road(QStringLiteral("excel-report"));
    Project made;
    ASSERT_TRUE(excel_road::MakeProject(road.Work(), made));
    const QString projectFile = made.ProjectFilePath();
    const QString outputFolder = made.DatedExcelFolder();
    // The web map's western tiles are in the cache already, the rest come from the road's server.
    road.PrefillTiles(excel_road::WebCentreLatitude(), excel_road::kWebBox.x0, excel_road::kTileZoom);

    road.Start({projectFile});
    ASSERT_TRUE(road.Running());
    const Project opened = road.Document().GetProject();
    ASSERT_EQ(opened.photos.photos.size(), size_t(list_export::kPhotoCount));
    ASSERT_EQ(opened.maps.Count(), 2);
    road.Shot(QStringLiteral("project-open"));
    const auto fileBytes = [&] {
        QFile file(projectFile);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = fileBytes();
    ASSERT_FALSE(before.isEmpty());

    // 1. The file menu: the dialog shows the project's choices; Esc leaves it open, a prefix typed and
    // キャンセル store nothing.
    bool seen = false;
    road.WhenDialog(kDialogTitle, [&](QDialog* dialog) {
        seen = true;
        app::COutputDlg* output = Shown(road, dialog);
        ASSERT_TRUE(output);
        EXPECT_EQ(app::GetSpreadCellText(*output->MapGrid(), 2, 1), QStringLiteral("堤A"));
        EXPECT_EQ(app::GetSpreadCellText(*output->MapGrid(), 2, 2), QStringLiteral("全景"));
        EXPECT_TRUE(output->FolderNote()->text().contains(
            QStringLiteral("/現場/excel/") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))));
        road.Shot(QStringLiteral("output-dialog-from-menu"));
        QTest::keyClick(dialog, Qt::Key_Escape);
        road.Idle(200);
        EXPECT_TRUE(dialog->isVisible()) << "Esc closed the output dialog";
        Click(output->PrefixEdit());
        QTest::keyClicks(output->PrefixEdit(), QStringLiteral("X_"));
        Click(ButtonByText(dialog, QStringLiteral("キャンセル")));
    });
    road.ChooseMenu({QStringLiteral("ファイル"), kDialogTitle});
    ASSERT_TRUE(road.WaitUntil([&] { return seen && !QApplication::activeModalWidget(); }, 20000));
    EXPECT_TRUE(road.Document().GetProject().outputOptions.fileNamePrefix.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(outputFolder));

    // 2. Ctrl+P: the same dialog, cancelled.
    seen = false;
    road.WhenDialog(kDialogTitle, [&](QDialog* dialog) {
        seen = true;
        ASSERT_TRUE(Shown(road, dialog));
        road.Shot(QStringLiteral("output-dialog-from-ctrl-p"));
        Click(ButtonByText(dialog, QStringLiteral("キャンセル")));
    });
    // The virtual display runs no window manager, which on a desktop gives the main window the focus
    // back when a dialog closes; the road does it.
    road.Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&road.Frame(), 5000));
    road.PressKeys(QKeySequence(Qt::CTRL | Qt::Key_P));
    ASSERT_TRUE(road.WaitUntil([&] { return seen && !QApplication::activeModalWidget(); }, 20000))
        << "Ctrl+P did not open the output dialog";
    EXPECT_EQ(fileBytes(), before) << "a cancelled output dialog changed the project file";

    // 3. The work-flow pane: stage 3. 出力, its button; the choices filled and " Excel出力".
    auto* flow = road.Frame().findChild<app::CPaneFlowDlg*>();
    ASSERT_TRUE(flow);
    Click(flow->Header(2));
    ASSERT_TRUE(road.WaitUntil([&] { return flow->CurrentStage() == 2; }, 3000));
    app::CExpButton* step = flow->Step(kDialogTitle);
    ASSERT_TRUE(step);
    ASSERT_TRUE(road.WaitUntil([&] { return step->isVisible(); }, 3000));
    road.Idle(300);
    road.Shot(QStringLiteral("flow-pane-output-stage"));

    seen = false;
    road.WhenDialog(kDialogTitle, [&](QDialog* dialog) {
        seen = true;
        app::COutputDlg* output = Shown(road, dialog);
        ASSERT_TRUE(output);
        TypeIntoCell(output->HeaderGrid(), 2, 1, kTitle);
        TypeIntoCell(output->HeaderGrid(), 2, 3, kReporter);
        Click(output->MapLayoutGroup()->button(2));  // 横(A3)
        Click(output->PlacePhotosCheck());
        Click(output->PlaceCommentsCheck());
        StepDown(output->ArrangementCombo(), 2);  // 両サイド2列
        StepDown(output->LedgerCombo(), 1);       // A4(縦) 2列×3行
        for (QAbstractButton* radio : output->Output(2)->findChildren<QAbstractButton*>())
            if (radio->text() == QStringLiteral("年/月/日 時:分:秒"))
                Click(radio);
        Click(output->PrefixEdit());
        QTest::keyClicks(output->PrefixEdit(), kPrefix);
        road.Idle(300);
        road.Shot(QStringLiteral("output-dialog-filled"));
        const app::ReportChoices choices = output->Choices();
        EXPECT_EQ(choices.values.texts[0], kTitle);
        EXPECT_EQ(choices.values.texts[2], kReporter);
        EXPECT_EQ(choices.options.placePhotos, 1);
        EXPECT_EQ(choices.options.placePhotoComments, 1);
        EXPECT_EQ(choices.options.shotTimeFormat, 3);
        EXPECT_EQ(choices.options.photoPlacement, 2);
        EXPECT_EQ(choices.options.ledgerLayout, 1);
        Click(output->ExcelButton());
    });
    road.WhenDialog(QStringLiteral("帳票出力準備中"), [&](QDialog*) { road.Shot(QStringLiteral("report-progress")); });
    Click(step);
    ASSERT_TRUE(road.WaitUntil([&] { return seen && road.OpenedFolders().size() == 1; }, 120000))
        << "the output did not end with its folder opened";
    road.Idle(300);
    road.Shot(QStringLiteral("after-output"));
    EXPECT_EQ(road.OpenedFolders(), QStringList{outputFolder});
    road.CheckPrompts();

    // The workbooks, one for each map, the cover in the first.
    const QStringList books = QDir(outputFolder).entryList({QStringLiteral("*.xlsx")}, QDir::Files, QDir::Name);
    EXPECT_EQ(books, (QStringList{kPrefix + QStringLiteral("1堤A.xlsx"), kPrefix + QStringLiteral("2全景.xlsx")}));
    for (const QString& book : books)
        workbook_check::Keep(outputFolder + book);
    ASSERT_EQ(books.size(), 2);

    // openpyxl: the sheets of each workbook, their cells filled, no placeholder left ("**" alone is the
    // number of the entry without one, beside the map, on its ledger and list), every photo and map picture
    // present, inside its page and covering no text and no other picture.
    struct Expected
    {
        QStringList sheets;
        int mapSheetPictures;  // the map and the photos beside it
        int photos;            // on the ledger and on the list
        int unnumbered;
    };
    const int plan = excel_road::kPlanEntries;
    const Expected expected[] = {
        {{QStringLiteral("表紙"), QStringLiteral("写真位置図"), QStringLiteral("写真台帳"), QStringLiteral("写真一覧")},
         1 + plan, plan, 1},
        {{QStringLiteral("写真位置図"), QStringLiteral("写真台帳"), QStringLiteral("写真一覧")}, 1 + 3, 3, 0},
    };
    for (int b = 0; b < 2; ++b) {
        SCOPED_TRACE(books[b].toStdString());
        const QJsonObject judged = Judge(outputFolder + books[b]);
        QStringList sheets;
        for (const QJsonValue& name : judged["sheets"].toArray())
            sheets.append(name.toString());
        EXPECT_EQ(sheets, expected[b].sheets);
        for (const QString& name : sheets) {
            SCOPED_TRACE(name.toStdString());
            const QJsonObject sheet = judged["sheet"].toObject()[name].toObject();
            const bool photoSheet = name == QStringLiteral("写真台帳") || name == QStringLiteral("写真一覧");
            EXPECT_GT(sheet["filled"].toInt(), 2);
            const QJsonObject stars = sheet["stars"].toObject();
            // The numbers stand above the photos beside the map, on the ledger and on the list.
            const bool numbered = photoSheet || name == QStringLiteral("写真位置図");
            EXPECT_EQ(stars.size(), numbered ? expected[b].unnumbered : 0)
                << QJsonDocument(stars).toJson().toStdString();
            for (auto star = stars.begin(); star != stars.end(); ++star)
                EXPECT_EQ(star.value().toString(), QStringLiteral("**")) << star.key().toStdString();
            const QJsonArray images = sheet["images"].toArray();
            const int wanted = name == QStringLiteral("写真位置図") ? expected[b].mapSheetPictures
                               : photoSheet                        ? expected[b].photos
                                                                   : 0;
            EXPECT_EQ(images.size(), wanted);
            for (const QJsonValue& value : images) {
                const QJsonObject image = value.toObject();
                const std::string where = image["cell"].toString().toStdString();
                EXPECT_GT(image["px"].toArray()[0].toInt(), 0) << where;
                EXPECT_TRUE(image["in_print_area"].toBool()) << where;
                EXPECT_TRUE(image["covers"].toArray().isEmpty())
                    << where << " covers " << QJsonDocument(image["covers"].toArray()).toJson().toStdString();
                EXPECT_TRUE(image["overlaps"].toArray().isEmpty()) << where;
                EXPECT_FALSE(image["crosses_break"].toBool()) << where;
            }
        }
    }
    // The web map's tiles: those not in the cache came from the road's server at the map's zoom.
    const QStringList requests = road.TileRequests();
    EXPECT_TRUE(requests.filter(QStringLiteral("/xyz/std/%1/").arg(excel_road::kTileZoom)).size() > 0)
        << requests.join(u' ').toStdString();

    // LibreOffice: the pages the layout implies. 堤A: the cover, the A3 map sheet, the ledger of 13
    // photos six a page and the photo list; 全景: the map sheet, one ledger page and the list.
    const int pages[] = {1 + 1 + 3 + 1, 1 + 1 + 1};
    for (int b = 0; b < 2; ++b) {
        SCOPED_TRACE(books[b].toStdString());
        const workbook_check::Pdf pdf = workbook_check::ConvertToPdf(outputFolder + books[b], road.Work());
        EXPECT_EQ(pdf.pages, pages[b]);
        // No placeholder "**<item>" printed.
        EXPECT_FALSE(pdf.text.contains(QRegularExpression(QStringLiteral("\\*\\*[^\\s*]"))));
        if (b == 0) {
            EXPECT_TRUE(pdf.text.contains(kTitle));
            EXPECT_TRUE(pdf.text.contains(kReporter));
        }
        workbook_check::Keep(pdf.path);
    }
    // The map sheets as pictures, for the eye: 堤A's plan with the photos on both sides; 全景 over tiles
    // partly from the cache (drawn green) and partly from the server (drawn beige); and 堤A's first
    // ledger page.
    const QImage planPage = RenderPage(road, books[0], 2, QStringLiteral("page-map-sheet-plan"));
    const QImage webPage = RenderPage(road, books[1], 1, QStringLiteral("page-map-sheet-web"));
    const QImage ledgerPage = RenderPage(road, books[0], 3, QStringLiteral("page-ledger"));
    ASSERT_FALSE(planPage.isNull() || webPage.isNull() || ledgerPage.isNull()) << "the pages were not rendered";
    EXPECT_GT(PixelsNear(planPage, QColor(120, 170, 230)), 500) << "no river of the plan";
    EXPECT_GT(PixelsNear(webPage, QColor(226, 238, 226)), 500) << "no tile of the cache";
    EXPECT_GT(PixelsNear(webPage, QColor(238, 234, 222)), 500) << "no tile of the server";

    // The program closes and opens the project again: the choices stored and everything else are there.
    road.Close();
    road.Start({projectFile});
    ASSERT_TRUE(road.Running());
    const Project& again = road.Document().GetProject();
    EXPECT_EQ(again.headerValues.texts[0], kTitle);
    EXPECT_EQ(again.headerValues.texts[2], kReporter);
    EXPECT_EQ(again.outputOptions.fileNamePrefix, kPrefix);
    EXPECT_EQ(again.outputOptions.mapLayout, 2);
    EXPECT_EQ(again.outputOptions.placePhotos, 1);
    EXPECT_EQ(again.outputOptions.placePhotoComments, 1);
    EXPECT_EQ(again.outputOptions.photoPlacement, 2);
    EXPECT_EQ(again.outputOptions.ledgerLayout, 1);
    EXPECT_EQ(again.outputOptions.shotTimeFormat, 3);
    EXPECT_EQ(again.headerLabels, opened.headerLabels);
    ASSERT_EQ(again.photos.photos.size(), opened.photos.photos.size());
    for (size_t k = 0; k < opened.photos.photos.size(); ++k)
        EXPECT_EQ(again.photos.photos[k].id, opened.photos.photos[k].id);
    ASSERT_EQ(again.maps.Count(), opened.maps.Count());
    for (int m = 0; m < opened.maps.Count(); ++m) {
        const LocationMap& before = opened.maps.maps[size_t(m)];
        const LocationMap& after = again.maps.maps[size_t(m)];
        EXPECT_EQ(after.name, before.name);
        EXPECT_EQ(after.kind, before.kind);
        EXPECT_EQ(after.outputFlag, 1);
        EXPECT_EQ(after.photos.entries.size(), before.photos.entries.size());
        EXPECT_EQ(after.itemValues.texts, before.itemValues.texts);
    }
    // The dialog shows them again.
    seen = false;
    road.WhenDialog(kDialogTitle, [&](QDialog* dialog) {
        seen = true;
        app::COutputDlg* output = Shown(road, dialog);
        ASSERT_TRUE(output);
        EXPECT_EQ(app::GetSpreadCellText(*output->HeaderGrid(), 2, 1), kTitle);
        EXPECT_EQ(output->PrefixEdit()->text(), kPrefix);
        EXPECT_EQ(output->LedgerCombo()->currentIndex(), 1);
        EXPECT_TRUE(output->MapLayoutGroup()->button(2)->isChecked());
        road.Shot(QStringLiteral("output-dialog-after-restart"));
        Click(ButtonByText(dialog, QStringLiteral("キャンセル")));
    });
    road.ChooseMenu({QStringLiteral("ファイル"), kDialogTitle});
    ASSERT_TRUE(road.WaitUntil([&] { return seen && !QApplication::activeModalWidget(); }, 20000));
    road.Close();
}
