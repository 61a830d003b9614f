// The survey output dialog: the ticks it shows and stores, the run it starts with its messages, and the
// frame's handler around it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>

#include "RsBookProject.h"
#include "TempFolder.h"
#include "app/FolderOpener.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "app/frame/ReservoirCommands.h"
#include "app/reservoir/OutputRsBookDlg.h"
#include "app/reservoir/ReservoirPhotoDlg.h"
#include "model/ProjectFile.h"

namespace {

const QString kPondBook = QStringLiteral("1池_劣化状況評価調査表.xlsx");
const QString kBankBook = QStringLiteral("3堤A_劣化状況評価調査表.xlsx");

struct SurveyOutput : ::testing::Test
{
    TempFolder root;
    CTavrelDoc doc;
    app::ScriptedPrompts prompts;
    QStringList opened;

    void SetUp() override
    {
        ASSERT_TRUE(doc.Change(ProjectChange::Maps, [&](Project& project) {
                           return rsbook_project::MakeProject(root.path(), project);
                       }).Ok());
        app::SetFolderOpener([this](const QString& folder) {
            opened.append(folder);
            return true;
        });
    }
    void TearDown() override { app::SetFolderOpener({}); }

    QString Out() const { return doc.GetProject().DatedExcelFolder(); }
    QStringList Written() const { return QDir(Out()).entryList(QDir::Files | QDir::Hidden | QDir::System); }
    std::vector<std::uint8_t> Stored() const
    {
        std::vector<std::uint8_t> ticks;
        for (const LocationMap& map : doc.GetProject().maps.maps)
            ticks.push_back(map.reservoir.includeInBook);
        return ticks;
    }
};

using Ticks = std::vector<std::uint8_t>;

}  // namespace

TEST_F(SurveyOutput, ShowsTheStoredTicksAndANewMapTicked)
{
    ASSERT_TRUE(doc.Change(ProjectChange::Maps, [](Project& project) {
                       project.maps.Append(project.maps.MakeNewMap());
                       return true;
                   }).Ok());
    app::COutputRsBookDlg dialog(doc);
    EXPECT_EQ(dialog.MapGrid()->Rows(), 4);
    EXPECT_EQ(app::GetSpreadCellText(*dialog.MapGrid(), 1, 3), QStringLiteral("3"));
    EXPECT_EQ(app::GetSpreadCellText(*dialog.MapGrid(), 2, 3), QStringLiteral("堤A"));
    EXPECT_EQ(dialog.Ticks(), (Ticks{1, 0, 1, 1}));
    dialog.AllOnButton()->click();
    EXPECT_EQ(dialog.Ticks(), (Ticks{1, 1, 1, 1}));
}

TEST_F(SurveyOutput, TicksAreStoredOnlyByAnOutputRun)
{
    {
        // Nothing ticked: the message, the dialog stays, nothing stored or written.
        app::COutputRsBookDlg dialog(doc);
        dialog.AllOffButton()->click();
        dialog.ExcelButton()->click();
        ASSERT_EQ(prompts.asked().size(), 1u);
        EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("出力可能な位置図が選択されていません。"));
        EXPECT_EQ(dialog.result(), 0);
        EXPECT_EQ(Stored(), (Ticks{1, 0, 1}));
        EXPECT_TRUE(Written().isEmpty());
    }
    {
        // Unticked, then closed: the stored flag stays.
        app::COutputRsBookDlg dialog(doc);
        app::SetSpreadCellCheck(*dialog.MapGrid(), 3, 1, 0);
        dialog.CloseButton()->click();
        EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
        EXPECT_EQ(Stored(), (Ticks{1, 0, 1}));
    }
}

TEST_F(SurveyOutput, AnOutputRunStoresTheTicksWritesAndOpensTheFolder)
{
    prompts.clear();
    for (int run = 0; run < 2; ++run) {
        // Two runs on the same day write into the same folder and replace the workbooks.
        app::COutputRsBookDlg dialog(doc);
        app::SetSpreadCellCheck(*dialog.MapGrid(), 3, 1, 0);
        dialog.ExcelButton()->click();
        EXPECT_EQ(dialog.result(), int(QDialog::Accepted)) << run;
        EXPECT_EQ(Stored(), (Ticks{0, 0, 1})) << run;
        EXPECT_EQ(Written(), QStringList{kBankBook}) << run;
        EXPECT_EQ(opened, QStringList(run + 1, Out())) << run;
    }
    EXPECT_TRUE(prompts.asked().empty());
    // The stored ticks are in the project file.
    Project reread;
    ASSERT_EQ(LoadProject(reread, doc.GetProject().ProjectFilePath()), kProjectOk);
    EXPECT_EQ(reread.maps.maps[0].reservoir.includeInBook, 0);
}

TEST_F(SurveyOutput, FailuresAndCancelAreToldAndTheFolderStaysShut)
{
    struct Case
    {
        const char* what;
        std::function<void(app::COutputRsBookDlg&)> prepare;
        QString message;      // how the message begins
        QString named;        // the file it ends with
        QStringList written;  // the workbooks in the folder afterwards
    };
    const QString missing = root.file(QStringLiteral("none.xlsx"));
    const Case cases[] = {
        {"a missing template", [&](app::COutputRsBookDlg& d) { d.SetTemplatePath(missing); },
         QStringLiteral("Excelのひな形ファイルを読み込めません。"), QStringLiteral("none.xlsx"), {}},
        {"a target that cannot be written",
         [&](app::COutputRsBookDlg&) { ASSERT_TRUE(QDir().mkpath(Out() + '/' + kBankBook)); },
         QStringLiteral("Excelが出力できませんでした。"), kBankBook, {kPondBook}},
        // Cancel pressed while the second workbook's first photo sheet is written.
        {"a cancel",
         [](app::COutputRsBookDlg& d) {
             d.SetProgressFactory([] {
                 return std::make_unique<rsbook_project::StepProgress>(
                     30, [](rsbook_project::StepProgress& p) { p.cancelled = true; });
             });
         },
         QStringLiteral("Excel出力がキャンセルされました。"), QString(), {kPondBook}},
    };
    for (const Case& c : cases) {
        QDir(Out()).removeRecursively();
        prompts.clear();
        opened.clear();
        app::COutputRsBookDlg dialog(doc);
        c.prepare(dialog);
        dialog.ExcelButton()->click();
        EXPECT_EQ(dialog.result(), int(QDialog::Accepted)) << c.what;
        ASSERT_EQ(prompts.asked().size(), 1u) << c.what;
        const QString text = prompts.asked()[0].text;
        EXPECT_TRUE(text.startsWith(c.message) && text.endsWith(c.named)) << c.what << ": " << text.toStdString();
        EXPECT_TRUE(opened.isEmpty()) << c.what;
        EXPECT_EQ(Written(), c.written) << c.what;
    }
}

// The frame's handler: busy while the dialog runs, reached from the survey dialog's output button, and a
// project without maps has nothing to output.
TEST_F(SurveyOutput, TheFrameIsBusyWhileTheDialogRuns)
{
    CMainFrame frame(&doc);
    bool busyMeanwhile = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<app::COutputRsBookDlg*>(widget); dialog && dialog->isVisible()) {
                busyMeanwhile = frame.IsBusy();
                dialog->CloseButton()->click();
            }
        }
    });
    app::OutputSurveyBooks(doc, frame, nullptr);
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_FALSE(frame.IsBusy());
    EXPECT_TRUE(prompts.asked().empty());

    // The survey dialog's output button reaches the output dialog through the frame.
    bool outputShown = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* survey = qobject_cast<app::CReservoirPhotoDlg*>(widget);
            if (!survey || !survey->isVisible())
                continue;
            QTimer::singleShot(0, [&] {
                for (QWidget* inner : QApplication::topLevelWidgets()) {
                    if (auto* dialog = qobject_cast<app::COutputRsBookDlg*>(inner); dialog && dialog->isVisible()) {
                        outputShown = frame.IsBusy();
                        dialog->CloseButton()->click();
                    }
                }
            });
            EXPECT_TRUE(survey->OutputButton()->isEnabled());
            survey->OutputButton()->click();
            survey->CloseButton()->click();
        }
    });
    EXPECT_EQ(frame.SendAppMessage(app::kMsgReservoirSurvey), 1);
    EXPECT_TRUE(outputShown);
    EXPECT_FALSE(frame.IsBusy());

    ASSERT_TRUE(doc.Change(ProjectChange::Maps, [](Project& project) {
                       project.maps.maps.clear();
                       return true;
                   }).Ok());
    EXPECT_EQ(frame.SendAppMessage(app::kMsgOutputReservoirBook), 1);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("出力対象がありません。"));
}
