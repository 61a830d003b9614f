// The ledger inside the main frame: opened by its message, its row becoming the selection, its
// uncommitted edits surviving the frame's refills, a map moved in the pane, rows shifted by a deletion,
// a project switch and the frame's close, and the steps the frame hands it: the sort along the drawn
// line (also from the view), the contact width, the renumbering dialog and the comment category picker.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "LedgerDocument.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/ExpButton.h"
#include "app/controls/ExpEdit.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/LedgerCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MainFrameViewHost.h"
#include "app/frame/PhotoCommands.h"
#include "app/frame/Profile.h"
#include "app/frame/ReportCommands.h"
#include "app/ledger/ReportLocPhotoDlg.h"
#include "app/linesort/SetLinearSortDlg.h"
#include "app/panes/MapPane.h"
#include "app/panes/PaneVarious.h"
#include "app/photos/NumberingDlg.h"
#include "app/progress/SubProgressDlg.h"
#include "app/reservoir/OutputRsBookDlg.h"
#include "app/reservoir/ReservoirPhotoDlg.h"
#include "app/settings/CommentTemplate.h"
#include "app/settings/CommentTemplateDlg.h"
#include "app/view/ViewHost.h"
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
    QAbstractButton* button(int id) const { return ledger()->ControlButton(id); }
    std::vector<int> order() const
    {
        std::vector<int> ids;
        for (const PlacedPhoto& e : d.map().photos.entries)
            ids.push_back(e.photoId);
        return ids;
    }
    std::vector<int> savedOrder() const
    {
        const Project saved = d.Saved();
        std::vector<int> ids;
        for (const PlacedPhoto& e : saved.maps.maps[0].photos.entries)
            ids.push_back(e.photoId);
        return ids;
    }
    // Runs `answer` on the modal dialog of type T that the next step opens.
    template <typename T>
    void whenShown(std::function<void(T&)> answer)
    {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
        });
    }
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

// The ledger's date and time are the photo's own (its Exif, its shapefile record, every sort by shot
// time): only a year-first calendar date and a real time of day are stored; any other text is put
// back as it was, with a word to the user.
TEST(LedgerFrame, DatesAndTimesThatDoNotReadAreRefused)
{
    struct Case
    {
        int col;
        const char* typed;
        bool kept;
    };
    const Case cases[] = {
        {Dlg::kColDate, "2024/13/45", false}, {Dlg::kColDate, "4/5/2023", false},
        {Dlg::kColDate, "2023/02/30", false}, {Dlg::kColDate, "令和5年", false},
        {Dlg::kColDate, "2023年4月5日", true}, {Dlg::kColDate, "2023-4-5", true},
        {Dlg::kColDate, "", true},            {Dlg::kColTime, "99:99:99", false},
        {Dlg::kColTime, "24:00:00", false},   {Dlg::kColTime, "9:05", false},
        {Dlg::kColTime, "9:05:30", true},     {Dlg::kColTime, "", true},
    };
    LedgerFrame f;
    static_cast<QCheckBox*>(f.button(Dlg::kCtlAllowDateEdit))->setChecked(true);
    CSpread7U& grid = *f.ledger()->Grid();
    for (const Case& c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        const bool date = c.col == Dlg::kColDate;
        const QString before = date ? f.d.photo(2)->date : f.d.photo(2)->time;
        f.prompts.clear();
        grid.setFocus();
        grid.SetActiveCell(c.col, 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        grid.SetEditMode(true);
        auto* editor = grid.findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(typed);
        grid.SetEditMode(false);  // the edit ends: the cell's change is read back
        const QString stored = date ? f.d.photo(2)->date : f.d.photo(2)->time;
        const QString saved = date ? f.d.Saved().photos.Find(2)->date : f.d.Saved().photos.Find(2)->time;
        const QString expected = c.kept ? typed : before;
        EXPECT_EQ(stored, expected) << c.typed;
        EXPECT_EQ(saved, expected) << c.typed;
        EXPECT_EQ(GetSpreadCellText(grid, c.col, 2), expected) << c.typed;
        if (c.kept) {
            EXPECT_TRUE(f.prompts.asked().empty()) << c.typed;
        } else {
            ASSERT_EQ(f.prompts.asked().size(), 1u) << c.typed;
            EXPECT_TRUE(f.prompts.asked()[0].text.startsWith(date ? QStringLiteral("撮影日が正しくありません。")
                                                                   : QStringLiteral("撮影時刻が正しくありません。")))
                << c.typed;
        }
    }
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

TEST(LedgerFrame, PendingEditsSurviveMovingItsMapInThePane)
{
    LedgerFrame f;
    CPaneVariousDlg& maps = *qobject_cast<CPaneVarious*>(f.frame->FlowPane()->widget())->Maps();
    // The frame was made over the open project: the map pane lists its maps as after an open.
    emit f.d.doc.ProjectChanged(ProjectChange::Maps);
    ASSERT_EQ(maps.Grid()->Rows(), 2);
    emit maps.Grid()->LeaveCell(1, 0, 1, 1, nullptr);
    emit maps.Grid()->Click(1, 1);
    // Photo 1 is on both maps; its comment is typed in the ledger of "堤防" and not yet ended.
    f.paste(1, QStringLiteral("移動前"));
    maps.DownButton()->click();
    const Project saved = f.d.Saved();
    ASSERT_EQ(saved.maps.maps[1].name, QStringLiteral("堤防"));
    EXPECT_EQ(saved.maps.maps[1].photos.FindByPhotoId(1)->comment, QStringLiteral("移動前"));
    EXPECT_EQ(saved.maps.maps[0].photos.FindByPhotoId(1)->comment, QString());
}

TEST(LedgerFrame, APendingCommentStaysWithItsPhotoWhenTheRowsShift)
{
    LedgerFrame f;
    f.paste(3, QStringLiteral("三の注記"));  // row 3 is photo 3
    // Deleting photo 1 refills the ledger: photo 4 moves up into row 3.
    f.rows = {1};
    f.prompts.QueueAnswer(PromptAnswer::Ok);
    DeletePhotos(*f.frame);
    ASSERT_EQ(f.d.photo(1), nullptr);
    const Project saved = f.d.Saved();
    EXPECT_EQ(saved.maps.maps[0].photos.FindByPhotoId(3)->comment, QStringLiteral("三の注記"));
    EXPECT_EQ(saved.maps.maps[0].photos.FindByPhotoId(4)->comment, QString());
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

TEST(LedgerFrame, RunSortsTheMapAlongItsDrawnLineAndSavesTheOrder)
{
    LedgerFrame f;
    // A line drawn from right to left at y = 100; a contact width of 30 reaches the entries at
    // y 72 to 127 (the 3rd to the 8th, the gone photo's entry among them).
    ASSERT_TRUE(f.d.doc.Change(ProjectChange::Selection, [](Project& p) {
        p.maps.maps[0].runtime.sortLine = {Point2(600, 100), Point2(0, 100)};
        p.maps.maps[0].runtime.sortContactWidth = 30;
        return true;
    }).changed);
    QHeaderView* header = f.ledger()->Grid()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(Dlg::kColDate - 1) + 5, header->height() / 2));
    ASSERT_EQ(GetSpreadCellText(*f.ledger()->Grid(), Dlg::kColDate, kSpreadHeader), QStringLiteral("撮影日\n▼"));
    static_cast<QCheckBox*>(f.button(Dlg::kCtlMouseSort))->setChecked(true);
    (void)f.d.doc.Change(ProjectChange::PlacedPhotos, [](Project& p) {  // back to the fixture's order
        std::vector<PlacedPhoto>& entries = p.maps.maps[0].photos.entries;
        std::sort(entries.begin(), entries.end(), [](const PlacedPhoto& a, const PlacedPhoto& b) {
            return a.numberText.mid(1).toInt() < b.numberText.mid(1).toInt();
        });
        return true;
    });
    f.frame->PaneLinks().refillLedger();
    QTest::mouseClick(f.button(Dlg::kCtlRunLineSort), Qt::LeftButton);
    // Those entries come together where the first of them stood, in the order the line meets them
    // (falling x); the others keep their places around them.
    EXPECT_EQ(f.order(), std::vector<int>({1, 2, 7, 3, kGoneId, 6, 4, 5, 8, 9, 10, 11}));
    EXPECT_EQ(f.savedOrder(), std::vector<int>({1, 2, 7, 3, 6, 4, 5, 8, 9, 10, 11}));  // no gone photo
    EXPECT_EQ(GetSpreadCellText(*f.ledger()->Grid(), Dlg::kColNumber, 3), QStringLiteral("P8"));
    EXPECT_EQ(GetSpreadCellText(*f.ledger()->Grid(), Dlg::kColDate, kSpreadHeader), QStringLiteral("撮影日"));

    // The view's ソート実行 reaches the same step through its host: the line drawn the other way.
    ASSERT_TRUE(f.d.doc.Change(ProjectChange::Selection, [](Project& p) {
        p.maps.maps[0].runtime.sortLine = {Point2(0, 100), Point2(600, 100)};
        return true;
    }).changed);
    MakeMainFrameViewHost(*f.frame)->SortAlongLine();
    EXPECT_EQ(f.order(), std::vector<int>({1, 2, 5, 4, 6, kGoneId, 3, 7, 8, 9, 10, 11}));
    EXPECT_EQ(f.savedOrder(), std::vector<int>({1, 2, 5, 4, 6, 3, 7, 8, 9, 10, 11}));
    EXPECT_EQ(GetSpreadCellText(*f.ledger()->Grid(), Dlg::kColNumber, 3), QStringLiteral("P6"));
}

TEST(LedgerFrame, SettingOpensTheContactWidthOfTheLedgersMap)
{
    LedgerFrame f;
    static_cast<QCheckBox*>(f.button(Dlg::kCtlMouseSort))->setChecked(true);
    f.whenShown<CSetLinearSortDlg>([](CSetLinearSortDlg& dialog) {
        EXPECT_EQ(dialog.Slider()->value(), 50);
        dialog.Slider()->setValue(80);
        dialog.accept();
    });
    QTest::mouseClick(f.button(Dlg::kCtlContactWidth), Qt::LeftButton);
    EXPECT_EQ(f.d.map().runtime.sortContactWidth, 80);
    EXPECT_EQ(f.d.map(1).runtime.sortContactWidth, 50);
}

TEST(LedgerFrame, NumberingRunsInTheLedgerAndFollowsItsMap)
{
    LedgerFrame f;
    QTest::mouseClick(f.button(Dlg::kCtlNumbering), Qt::LeftButton);
    auto* numbering = f.ledger()->findChild<CSetNumberingIdDlg*>();
    ASSERT_NE(numbering, nullptr);
    EXPECT_TRUE(numbering->isVisible());
    EXPECT_EQ(numbering->windowTitle(), QStringLiteral("番号付番"));
    EXPECT_FALSE(f.ledger()->Grid()->isColumnHidden(Dlg::kColWorkNumber - 1));
    EXPECT_FALSE(f.button(Dlg::kCtlClose)->isEnabled());

    // Serial numbers over every entry, then applied: the numbers reach the project file.
    numbering->PrefixEdit()->setText(QStringLiteral("No."));
    numbering->StartEdit()->setText(QStringLiteral("5"));
    numbering->NumberSerially();
    EXPECT_EQ(GetSpreadCellText(*f.ledger()->Grid(), Dlg::kColWorkNumber, 2), QStringLiteral("No.6"));
    numbering->ApplyNumbers();
    EXPECT_EQ(f.d.Saved().maps.maps[0].photos.FindByPhotoId(11)->numberText, QStringLiteral("No.16"));
    EXPECT_EQ(GetSpreadCellText(*f.ledger()->Grid(), Dlg::kColNumber, 1), QStringLiteral("No.5"));

    // Another map becomes current: the scheme typed for this map is kept, and the dialog numbers the
    // new one from then on.
    numbering->PrefixEdit()->setText(QStringLiteral("A-"));
    f.frame->PaneLinks().currentMapIndex = [] { return 1; };
    f.frame->PaneLinks().refillLedger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<CSetNumberingIdDlg*> dialogs = f.ledger()->findChildren<CSetNumberingIdDlg*>();
    ASSERT_EQ(dialogs.size(), 1);
    numbering = dialogs.front();
    EXPECT_TRUE(numbering->isVisible());
    EXPECT_EQ(numbering->MapIndex(), 1);
    EXPECT_EQ(numbering->PrefixEdit()->text(), QStringLiteral("P"));
    EXPECT_EQ(f.d.Saved().maps.maps[0].photos.prefix, QStringLiteral("A-"));

    // 付番終了 closes it through the ledger.
    numbering->EndNumbering();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.ledger()->findChild<CSetNumberingIdDlg*>(), nullptr);
    EXPECT_TRUE(f.ledger()->Grid()->isColumnHidden(Dlg::kColWorkNumber - 1));
    EXPECT_TRUE(f.button(Dlg::kCtlClose)->isEnabled());
}

TEST(LedgerFrame, CommentCategoryPickerOffersTheTemplatesAsTheyAreNow)
{
    LedgerFrame f;  // opened before the templates file exists
    EXPECT_TRUE(f.ledger()->Templates().categories.empty());
    const QString path = CommentTemplatePath();
    ASSERT_TRUE(WriteCommentTemplateFile(path, QStringLiteral("@一つ\r\n単独\r\n@護岸\r\n護岸工\r\n法面工\r\n")));

    // Cancelled: nothing chosen.
    f.whenShown<CCommentTemplateDlg>([](CCommentTemplateDlg& picker) { picker.reject(); });
    QTest::mouseClick(f.button(Dlg::kCtlCommentCategory), Qt::LeftButton);
    EXPECT_EQ(f.ledger()->CommentCategory(), -1);
    EXPECT_TRUE(f.ledger()->CategoryLabel()->text().isEmpty());

    f.whenShown<CCommentTemplateDlg>([](CCommentTemplateDlg& picker) {
        EXPECT_EQ(picker.CurrentIndex(), 0);
        picker.ShowCategory(1);
        picker.accept();
    });
    QTest::mouseClick(f.button(Dlg::kCtlCommentCategory), Qt::LeftButton);
    EXPECT_EQ(f.ledger()->CommentCategory(), 1);
    EXPECT_EQ(f.ledger()->CategoryLabel()->text(), QStringLiteral("護岸"));
    f.ledger()->SetCurrentRow(2);
    f.ledger()->Grid()->SetActiveCell(Dlg::kColComment, 2);
    std::unique_ptr<QMenu> menu = f.ledger()->MakeTemplateMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("法面工"));
    QFile::remove(path);
}

// A right click on the comment cell, its editor open or not, offers the templates; without any it says
// so, never Qt's edit menu with every item off.
TEST(LedgerFrame, TheCommentCellsRightClickOffersTemplatesOrSaysThereAreNone)
{
    LedgerFrame f;
    const QString path = CommentTemplatePath();
    QFile::remove(path);
    CSpread7U& grid = *f.ledger()->Grid();
    f.ledger()->activateWindow();
    grid.setFocus();
    grid.SetActiveCell(Dlg::kColTime, 2);
    QTest::keyClick(&grid, Qt::Key_Right);  // the comment cell opens for typing
    ASSERT_TRUE(grid.EditMode());
    auto* editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    // The menu that the right click shows, read and closed.
    const auto rightClick = [&](QWidget* target, const QPoint& at) {
        QStringList items;
        bool seen = false;
        QTimer::singleShot(100, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            seen = true;
            for (QAction* action : menu->actions())
                items << (action->isEnabled() ? QStringLiteral("+") : QStringLiteral("-")) + action->text();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        QTest::qWait(300);
        EXPECT_TRUE(seen);
        return items;
    };
    const QStringList none{QStringLiteral("-コメント定型文がありません（設定 → コメント定型文編集...）")};
    EXPECT_EQ(rightClick(editor, editor->rect().center()), none);
    grid.SetEditMode(false);
    const QRect cell = grid.visualRect(grid.model()->index(2, Dlg::kColComment - 1));
    EXPECT_EQ(rightClick(grid.viewport(), cell.center()), none);

    // With templates and a category chosen, the editor's right click offers them and one is taken.
    ASSERT_TRUE(WriteCommentTemplateFile(path, QStringLiteral("@護岸\r\n護岸工\r\n法面工\r\n")));
    f.whenShown<CCommentTemplateDlg>([](CCommentTemplateDlg& picker) { picker.accept(); });
    QTest::mouseClick(f.button(Dlg::kCtlCommentCategory), Qt::LeftButton);
    ASSERT_EQ(f.ledger()->CommentCategory(), 0);
    grid.setFocus();
    grid.SetActiveCell(Dlg::kColComment, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the editor of the last edit
    grid.SetEditMode(true);
    editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(rightClick(editor, editor->rect().center()),
              QStringList({QStringLiteral("+護岸工"), QStringLiteral("+法面工")}));
    QFile::remove(path);
}

namespace {

// Clicks the survey's photo-grid header of the shot date, which sorts the map's entries by shot time,
// the other way at each click; the second click sorts the earliest first.
void SortSurveyByShotDate(CReservoirPhotoDlg& survey, int clicks)
{
    QHeaderView* header = survey.PhotoGrid()->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(2) + header->sectionSize(2) / 2, header->height() / 2);
    for (int k = 0; k < clicks; ++k)
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

int RowOf(const std::vector<int>& order, int id)
{
    return int(std::find(order.begin(), order.end(), id) - order.begin()) + 1;
}

}  // namespace

// A header sort in the survey dialog, open over the ledger, reorders the map: the ledger shows the new
// order at once, its row stays on the photo it showed and text typed but not written stays on its photo's
// row; ↑ then moves the photo shown, and the typed text is written onto its photo.
TEST(LedgerFrame, FollowsASurveySortKeepingItsPhotoAndTypedText)
{
    LedgerFrame f;
    f.paste(2, QStringLiteral("入力中"));
    f.ledger()->SetCurrentRow(3);
    const std::vector<int> before = f.order();
    std::vector<int> sorted;
    f.whenShown<CReservoirPhotoDlg>([&](CReservoirPhotoDlg& survey) {
        SortSurveyByShotDate(survey, 2);  // photos 1 to 6 were shot in the reverse order of their ids
        sorted = f.order();
        EXPECT_EQ(f.d.map().photos.FindByPhotoId(2)->comment, QString())
            << "written before the ledger was left";
        survey.CloseButton()->click();
    });
    EXPECT_EQ(f.frame->SendAppMessage(kMsgReservoirSurvey), 1);
    ASSERT_NE(sorted, before) << "the survey's sort changed nothing";
    ASSERT_TRUE(f.ledger()->isVisible());
    CSpread7U& grid = *f.ledger()->Grid();
    for (int r = 1; r <= int(sorted.size()); ++r) {
        const PhotoRecord* photo = f.d.photo(sorted[size_t(r - 1)]);
        EXPECT_EQ(GetSpreadCellText(grid, Dlg::kColDate, r), photo ? photo->date : QString()) << r;
    }
    const int row = RowOf(sorted, 3);
    ASSERT_NE(row, 3);
    EXPECT_EQ(f.ledger()->CurrentRow(), row);
    EXPECT_EQ(f.ledger()->GetCurrentPhotoIndex(), f.d.project().photos.IndexOfId(3));
    EXPECT_EQ(GetSpreadCellText(grid, Dlg::kColComment, RowOf(sorted, 2)), QStringLiteral("入力中"));

    ASSERT_GT(row, 1);
    QTest::mouseClick(f.button(Dlg::kCtlUp), Qt::LeftButton);
    std::vector<int> moved = sorted;
    std::swap(moved[size_t(row - 1)], moved[size_t(row - 2)]);
    EXPECT_EQ(f.order(), moved) << "↑ moved another photo than the one shown";
    moved.erase(std::find(moved.begin(), moved.end(), kGoneId));  // the project file keeps no gone photo
    EXPECT_EQ(f.savedOrder(), moved);
    EXPECT_EQ(f.d.Saved().maps.maps[0].photos.FindByPhotoId(2)->comment, QStringLiteral("入力中"));
}

// The survey's output button hides the ledger before its dialog runs, writing what was typed in it.
TEST(LedgerFrame, TheSurveyOutputHidesItAfterSavingItsPendingEdits)
{
    LedgerFrame f;
    f.paste(4, QStringLiteral("出力前"));
    bool shownDuringOutput = true;
    f.whenShown<CReservoirPhotoDlg>([&](CReservoirPhotoDlg& survey) {
        f.whenShown<COutputRsBookDlg>([&](COutputRsBookDlg& output) {
            shownDuringOutput = f.ledger()->isVisible();
            output.reject();
        });
        QTest::mouseClick(survey.OutputButton(), Qt::LeftButton);
        survey.CloseButton()->click();
    });
    EXPECT_EQ(f.frame->SendAppMessage(kMsgReservoirSurvey), 1);
    EXPECT_FALSE(shownDuringOutput) << "the survey output ran with the ledger shown";
    EXPECT_EQ(f.d.Saved().maps.maps[0].photos.FindByPhotoId(4)->comment, QStringLiteral("出力前"));
}
