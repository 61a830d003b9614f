// The ledger inside the main frame: opened by its message, its row becoming the selection, and its
// uncommitted edits surviving the frame's refills, a project switch and the frame's close.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "LedgerDocument.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/LedgerCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/Profile.h"
#include "app/frame/ReportCommands.h"
#include "app/ledger/ReportLocPhotoDlg.h"
#include "app/progress/SubProgressDlg.h"
#include "model/AppSettings.h"

using namespace app;
using namespace ledger_test;
using Dlg = CReportLocPhotoDlg;

namespace {

struct LedgerFrame
{
    LedgerDocument d;
    ScriptedPrompts prompts;
    AppSettings settings;
    std::unique_ptr<CMainFrame> frame;
    std::vector<int> rows;

    LedgerFrame()
    {
        QFile::remove(ProfilePath());
        d.doc.appSettings = &settings;
        frame = std::make_unique<CMainFrame>(&d.doc);
        frame->PaneLinks().selectedPhotoRows = [this] { return rows; };
        frame->PaneLinks().selectPhotoRows = [this](const std::vector<int>& r) { rows = r; };
        frame->PaneLinks().currentMapIndex = [] { return 0; };
        EXPECT_EQ(frame->SendAppMessage(kMsgOpenLedgerDlg), 1);
    }
    Dlg* ledger() const { return CLedgerCommands::Of(*frame)->Dialog(); }
    // Leaves text in a comment cell without committing it: pasted (read back only later).
    void paste(int row, const QString& text)
    {
        QApplication::clipboard()->setText(text);
        CSpread7U& grid = *ledger()->Grid();
        grid.setFocus();
        grid.SetActiveCell(Dlg::kColComment, row);
        QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(GetSpreadCellText(grid, Dlg::kColComment, row), text);
    }
};

}  // namespace

TEST(LedgerFrame, OpensOnTheCurrentMapAndItsRowBecomesTheSelection)
{
    LedgerFrame f;
    ASSERT_NE(f.ledger(), nullptr);
    EXPECT_TRUE(f.ledger()->isVisible());
    EXPECT_EQ(f.ledger()->windowTitle(), QStringLiteral("写真台帳 堤防 (12枚)"));
    EXPECT_TRUE(f.frame->CurrentState().ledgerDialogVisible);
    EXPECT_EQ(f.rows, std::vector<int>({1}));  // row 1 is photo 1
    f.ledger()->SetCurrentRow(3);
    EXPECT_EQ(f.rows, std::vector<int>({3}));
    EXPECT_TRUE(f.d.photo(3)->flags & PhotoRecord::kFlagSelected);
    EXPECT_FALSE(f.d.photo(1)->flags & PhotoRecord::kFlagSelected);
    // A selection made in the photo pane moves the row without choosing again.
    f.rows = {2, 6};
    (void)f.frame->SendAppMessage(kMsgPhotoSelectionChanged);
    EXPECT_EQ(f.ledger()->CurrentRow(), 2);
    EXPECT_EQ(f.rows, std::vector<int>({2, 6}));
    // "閉じる" deletes it through the frame.
    QTest::mouseClick(f.ledger()->ControlButton(Dlg::kCtlClose), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.ledger(), nullptr);
    EXPECT_FALSE(f.frame->CurrentState().ledgerDialogExists);
}

TEST(LedgerFrame, PendingEditsSurviveARefillAndKeepAMovedMark)
{
    LedgerFrame f;
    // An open cell editor and a pasted comment, neither read back yet.
    CSpread7U& grid = *f.ledger()->Grid();
    grid.setFocus();
    grid.SetActiveCell(Dlg::kColComment, 1);
    grid.SetEditMode(true);
    auto* editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("入力中"));
    f.paste(2, QStringLiteral("貼付"));
    // The view moves a mark and the frame refills the ledger after its own change.
    ASSERT_TRUE(f.d.doc.Change(ProjectChange::PlacedPhotos, [](Project& p) {
        p.maps.maps[0].photos.entries[1].x = 555;
        return true;
    }).Ok());
    f.frame->PaneLinks().refillLedger();
    const Project saved = f.d.Saved();
    EXPECT_EQ(saved.maps.maps[0].photos.FindByPhotoId(1)->comment, QStringLiteral("入力中"));
    EXPECT_EQ(saved.maps.maps[0].photos.FindByPhotoId(2)->comment, QStringLiteral("貼付"));
    EXPECT_EQ(saved.maps.maps[0].photos.FindByPhotoId(2)->x, 555);
    EXPECT_EQ(GetSpreadCellText(grid, Dlg::kColComment, 2), QStringLiteral("貼付"));
}

TEST(LedgerFrame, PendingEditsSurviveAProjectSwitch)
{
    LedgerFrame f;
    const QString path = f.d.project().ProjectFilePath();
    f.paste(4, QStringLiteral("切替前"));
    f.frame->ResetToEmptyProject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.ledger(), nullptr);  // the ledger belonged to the project that went
    Project read;
    ASSERT_EQ(LoadProject(read, path), kProjectOk);
    EXPECT_EQ(read.maps.maps[0].photos.FindByPhotoId(4)->comment, QStringLiteral("切替前"));
}

TEST(LedgerFrame, PendingEditsSurviveTheClose)
{
    LedgerFrame f;
    f.paste(6, QStringLiteral("終了前"));
    f.frame->close();
    EXPECT_EQ(f.d.Saved().maps.maps[0].photos.FindByPhotoId(5)->comment, QStringLiteral("終了前"));
}

TEST(LedgerFrame, TheLedgerWaitsWhileItsListIsWritten)
{
    LedgerFrame f;
    f.ledger()->SetCurrentRow(2);
    const std::vector<int> order = [&] {
        std::vector<int> ids;
        for (const PlacedPhoto& e : f.d.map().photos.entries)
            ids.push_back(e.photoId);
        return ids;
    }();
    bool ledgerEnabled = true, cancelled = false;
    // Once the progress window shows, the ledger takes no reorder; then the export is cancelled.
    QTimer::singleShot(0, [&] {
        ledgerEnabled = f.ledger()->isEnabled();
        QTest::mouseClick(f.ledger()->ControlButton(Dlg::kCtlUp), Qt::LeftButton);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* progress = qobject_cast<CSubProgressDlg*>(widget)) {
                progress->cancelButton()->click();
                cancelled = true;
            }
        }
    });
    f.prompts.QueueFiles({f.d.temp.file(QStringLiteral("台帳.xlsx"))});
    QTest::mouseClick(f.ledger()->ControlButton(Dlg::kCtlExcel), Qt::LeftButton);
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(ledgerEnabled);
    std::vector<int> after;
    for (const PlacedPhoto& e : f.d.map().photos.entries)
        after.push_back(e.photoId);
    EXPECT_EQ(after, order);
    EXPECT_TRUE(f.ledger()->isEnabled());
}

TEST(LedgerFrame, TheReportRunHidesItAfterSavingItsPendingEdits)
{
    LedgerFrame f;
    ASSERT_TRUE(f.d.doc.Change(ProjectChange::Settings, [](Project& p) {
        p.outputOptions.outputKind = 0;
        return true;
    }).Ok());
    f.paste(3, QStringLiteral("出力前"));
    // The output dialog is closed with OK as soon as it shows.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    OutputReportCommand(*f.frame);
    QStringList asked;
    for (const auto& question : f.prompts.asked())
        asked << question.text;
    EXPECT_EQ(asked, QStringList{QStringLiteral("Word出力はありません。")});
    // The run read the project with the pasted comment in it; the ledger stepped aside, kept.
    EXPECT_EQ(f.d.Saved().maps.maps[0].photos.FindByPhotoId(3)->comment, QStringLiteral("出力前"));
    ASSERT_NE(f.ledger(), nullptr);
    EXPECT_FALSE(f.ledger()->isVisible());
    EXPECT_FALSE(f.frame->CurrentState().ledgerDialogVisible);
    // "写真台帳" shows it again with the comment.
    EXPECT_EQ(f.frame->SendAppMessage(kMsgOpenLedgerDlg), 1);
    EXPECT_TRUE(f.ledger()->isVisible());
    EXPECT_EQ(GetSpreadCellText(*f.ledger()->Grid(), Dlg::kColComment, 3), QStringLiteral("出力前"));
}
