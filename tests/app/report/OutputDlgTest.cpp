// The output settings dialog: its checks before output, what it stores in the project (saved through the
// document), what Cancel leaves, and which controls its choices enable.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/BitmapResources.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/report/OutputDlg.h"
#include "model/FixedItemNames.h"
#include "model/ProjectFile.h"

namespace {

// A saved project with three location maps, all ticked for the report.
struct OutputDocument
{
    TempFolder temp;
    CTavrelDoc doc;

    OutputDocument()
    {
        const ProjectChangeOutcome made = doc.Change(ProjectChange::Maps, [&](Project& project) {
            EXPECT_EQ(project.CreateNew(QStringLiteral("site1"), temp.path()), kProjectOk);
            for (const char* name : {"T1", "T2", "T3"}) {
                LocationMap map = project.maps.MakeNewMap();
                map.name = QString::fromUtf8(name);
                project.maps.Append(map);
            }
            project.outputOptions.splitWorkbook = 1;
            return true;
        });
        EXPECT_TRUE(made.Ok());
    }

    Project OnDisk() const
    {
        Project project;
        EXPECT_EQ(LoadProject(project, doc.GetProject().ProjectFilePath()), kProjectOk);
        return project;
    }
};

void SetOutputs(app::COutputDlg& dialog, std::initializer_list<bool> on)
{
    int k = 0;
    for (bool b : on)
        dialog.Output(k++)->setChecked(b);
}

TEST(OutputDlg, ExcelOutputChecksTheChoicesBeforeStoringThem)
{
    struct Case
    {
        const char* what;
        std::initializer_list<bool> outputs;
        bool anyMap;
        QString prefix;
        QString message;  // empty: accepted
    };
    const QString none = QStringLiteral("出力項目がありません。");
    const QString badName = QStringLiteral("ファイル名に使用できない文字が含まれています。");
    const Case cases[] = {
        {"cover alone", {true, false, false, false}, false, QString(), QString()},
        {"ledger without a map", {false, false, true, false}, false, QString(), none},
        {"nothing", {false, false, false, false}, true, QString(), none},
        {"backslash", {true, true, true, false}, true, QStringLiteral("a\\b"), badName},
        {"slash", {true, true, true, false}, true, QStringLiteral("a/b"), badName},
        {"star", {true, true, true, false}, true, QStringLiteral("*"), badName},
        {"question mark", {true, true, true, false}, true, QStringLiteral("x?"), badName},
        {"Japanese", {true, true, true, false}, true, QStringLiteral("現場A_"), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OutputDocument d;
        app::ScriptedPrompts prompts;
        app::COutputDlg dialog(d.doc, nullptr);
        SetOutputs(dialog, c.outputs);
        for (int row = 1; row <= 3; ++row)
            app::SetSpreadCellCheck(*dialog.MapGrid(), 3, row, c.anyMap ? 1 : 0);
        dialog.PrefixEdit()->setText(c.prefix);
        dialog.ExcelButton()->click();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompts.asked().empty());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            const Project stored = d.OnDisk();
            EXPECT_EQ(stored.outputOptions.fileNamePrefix, c.prefix);
            EXPECT_EQ(stored.outputOptions.splitWorkbook, 0);
            EXPECT_EQ(stored.maps.maps[0].outputFlag, c.anyMap ? 1 : 0);
        } else {
            ASSERT_EQ(prompts.asked().size(), 1u);
            EXPECT_EQ(prompts.asked()[0].text, c.message);
            EXPECT_EQ(prompts.asked()[0].icon, app::PromptIcon::Warning);
            EXPECT_NE(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(d.OnDisk().outputOptions.splitWorkbook, 1);  // nothing stored
        }
    }
}

TEST(OutputDlg, StoreSavesAndClosesWithoutOutputWhileCancelChangesNothing)
{
    OutputDocument d;
    app::ScriptedPrompts prompts;
    {
        app::COutputDlg dialog(d.doc, nullptr);
        app::SetSpreadCellCheck(*dialog.MapGrid(), 3, 2, 0);
        app::SetSpreadCellText(*dialog.HeaderGrid(), 2, 1, QStringLiteral("災害報告書"));
        dialog.LedgerCombo()->setCurrentIndex(3);
        dialog.MapLayoutGroup()->button(2)->click();
        dialog.reject();
        EXPECT_EQ(d.doc.GetProject().maps.maps[1].outputFlag, 1);
        EXPECT_EQ(d.doc.GetProject().headerValues.texts[0], QStringLiteral("報告書"));
    }
    FixedItemNames presets;
    presets.headerLabels[1].texts[1] = QStringLiteral("会社名");
    app::COutputDlg dialog(d.doc, &presets);
    app::SetSpreadCellCheck(*dialog.MapGrid(), 3, 2, 0);
    app::SetSpreadCellText(*dialog.HeaderGrid(), 2, 1, QStringLiteral("災害報告書"));
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("2"))
            button->click();
    }
    dialog.LedgerCombo()->setCurrentIndex(3);
    dialog.StoreButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(prompts.asked().empty());
    const Project stored = d.OnDisk();
    EXPECT_EQ(stored.maps.maps[1].outputFlag, 0);
    EXPECT_EQ(stored.maps.maps[0].outputFlag, 1);
    EXPECT_EQ(stored.headerValues.texts[0], QStringLiteral("災害報告書"));
    EXPECT_EQ(stored.headerLabels.texts[1], QStringLiteral("会社名"));
    EXPECT_EQ(stored.outputOptions.ledgerLayout, 3);
    EXPECT_EQ(stored.outputOptions.splitWorkbook, 0);
}

TEST(OutputDlg, ArrangementAndCommentsFollowTheirChoices)
{
    OutputDocument d;
    app::COutputDlg dialog(d.doc, nullptr);
    const struct
    {
        bool mapSheets, place;
        int layout;
        bool arrangement, comments;
    } cases[] = {
        {true, true, 2, true, true},   {true, true, 1, false, true}, {true, false, 2, false, false},
        {false, true, 2, false, false},
    };
    for (const auto& c : cases) {
        dialog.Output(1)->setChecked(c.mapSheets);
        dialog.PlacePhotosCheck()->setChecked(c.place);
        dialog.MapLayoutGroup()->button(c.layout)->click();
        EXPECT_EQ(dialog.ArrangementCombo()->isEnabled(), c.arrangement) << c.mapSheets << c.place << c.layout;
        EXPECT_EQ(dialog.PlaceCommentsCheck()->isEnabled(), c.comments) << c.mapSheets << c.place << c.layout;
    }
    // The note names the output folder as <project folder>/excel/<today>.
    EXPECT_TRUE(dialog.FolderNote()->text().startsWith(QStringLiteral("「/site1/excel/20")));
    dialog.resize(980, 640);
    dialog.show();
    QDir().mkpath(QStringLiteral("pictures"));
    EXPECT_TRUE(dialog.grab().save(QStringLiteral("pictures/output-dialog.png")));
}

// The picture a preview shows, as 32-bit pixels; null without one.
QImage Shown(const QLabel* preview)
{
    return preview->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Resource(int id)
{
    return app::LoadBitmapResource(id).toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(OutputDlg, PreviewsShowThePageOfEachChoiceDarkenedWhileItsOutputIsOff)
{
    OutputDocument d;
    app::COutputDlg dialog(d.doc, nullptr);
    SetOutputs(dialog, {true, true, true, true});
    const struct
    {
        const char* what;
        int cover, mapLayout;
        bool place;
        int arrangement, ledger;
        int coverPicture, mapPicture, ledgerPicture;
    } cases[] = {
        {"portrait, A4 portrait map, 3 rows", 0, 0, false, 0, 0, 359, 361, 357},
        {"landscape, A4 landscape with photos", 1, 1, true, 2, 1, 358, 360, 362},
        {"A3 without photos", 0, 2, false, 1, 2, 359, 381, 356},
        {"A3 around", 0, 2, true, 0, 3, 359, 451, 363},
        {"A3 one column", 0, 2, true, 1, 4, 359, 452, 414},
        {"A3 two columns", 0, 2, true, 2, 5, 359, 453, 446},
    };
    QButtonGroup* covers = dialog.Output(0)->findChild<QRadioButton*>()->group();
    for (const auto& c : cases) {
        covers->button(c.cover)->click();
        dialog.PlacePhotosCheck()->setChecked(c.place);
        dialog.MapLayoutGroup()->button(c.mapLayout)->click();
        dialog.ArrangementCombo()->setCurrentIndex(c.arrangement);
        dialog.LedgerCombo()->setCurrentIndex(c.ledger);
        const int expected[4] = {c.coverPicture, c.mapPicture, c.ledgerPicture, 415};
        for (int k = 0; k < 4; ++k) {
            ASSERT_FALSE(Resource(expected[k]).isNull()) << expected[k];
            EXPECT_EQ(Shown(dialog.Preview(k)), Resource(expected[k])) << c.what << " preview " << k;
        }
    }

    // An output switched off darkens its page: every colour byte divided by 1.5.
    SetOutputs(dialog, {true, true, false, false});
    const QImage page = Resource(446);
    const QImage dark = Shown(dialog.Preview(2));
    ASSERT_EQ(dark.size(), page.size());
    for (const QPoint at : {QPoint(0, 0), QPoint(50, 50), QPoint(page.width() - 1, page.height() / 3)}) {
        const QRgb was = page.pixel(at);
        EXPECT_EQ(dark.pixel(at), qRgb(qRed(was) * 2 / 3, qGreen(was) * 2 / 3, qBlue(was) * 2 / 3));
    }
    EXPECT_NE(Shown(dialog.Preview(3)), Resource(415));
    EXPECT_EQ(Shown(dialog.Preview(1)), Resource(453));

    // No ledger layout chosen (a damaged value): no page.
    dialog.LedgerCombo()->setCurrentIndex(-1);
    EXPECT_TRUE(dialog.Preview(2)->pixmap().isNull());
}

}  // namespace
