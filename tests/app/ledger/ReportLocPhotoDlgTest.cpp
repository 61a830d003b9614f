// The photo ledger dialog, offscreen: its grid, the edits it writes into the project, its orders,
// comments, keys, removal and the line sort.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <algorithm>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "LedgerDocument.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/ledger/LedgerPreview.h"
#include "app/ledger/ReportLocPhotoDlg.h"

using namespace app;
using namespace ledger_test;
using Dlg = CReportLocPhotoDlg;

namespace {

struct Ledger
{
    LedgerDocument d;
    ScriptedPrompts prompts;
    int viewMode = 1;
    int rowChanges = 0;
    int removals = 0;
    int closes = 0;
    int lineSorts = 0;
    std::unique_ptr<Dlg> dialog;

    explicit Ledger(const QString& templates = QString())
    {
        LedgerHooks hooks;
        hooks.viewMode = [this] { return viewMode; };
        hooks.currentRowChanged = [this] { ++rowChanges; };
        hooks.removeSelectedFromMap = [this] { ++removals; };
        hooks.closeRequested = [this] { ++closes; };
        hooks.chooseCommentCategory = [](QWidget*, const QString&, int) { return 1; };
        // The sort along the drawn line as the line from right to left orders the marks: falling x.
        hooks.sortAlongLine = [this](LocationMap& map, const PhotoList&) {
            ++lineSorts;
            std::stable_sort(map.photos.entries.begin(), map.photos.entries.end(),
                             [](const PlacedPhoto& a, const PlacedPhoto& b) { return a.x > b.x; });
        };
        QString path = d.temp.file(QStringLiteral("CommentTemplate.txt"));
        if (!templates.isEmpty()) {
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(templates.toUtf8());
        }
        dialog = std::make_unique<Dlg>(d.doc, hooks, path);
        dialog->SetLocationMap(0);
        dialog->FillGrid(true);
        dialog->SetCurrentRow(1);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    CSpread7U& grid() { return *dialog->Grid(); }
    QString cell(int col, int row) { return GetSpreadCellText(grid(), col, row); }
    QString header(int col) { return GetSpreadCellText(grid(), col, kSpreadHeader); }
    QColor colour(int col, int row)
    {
        grid().SetCol(col);
        grid().SetRow(row);
        return grid().BackColor();
    }
    bool locked(int col, int row)
    {
        grid().SetCol(col);
        grid().SetRow(row);
        return grid().Lock();
    }
    QAbstractButton* button(int id) { return dialog->ControlButton(id); }
    std::vector<int> order() const
    {
        std::vector<int> ids;
        for (const PlacedPhoto& e : d.map().photos.entries)
            ids.push_back(e.photoId);
        return ids;
    }
    // Types into a cell through its editor, as the user does, and leaves the editor open.
    void typeInto(int col, int row, const QString& text)
    {
        grid().setFocus();
        grid().SetActiveCell(col, row);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // editors of earlier edits
        grid().SetEditMode(true);
        auto* editor = grid().findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);  // typed; QTest has no keys for Japanese text
    }
};

}  // namespace

TEST(ReportLocPhotoDlg, ShowsTheMapsEntriesWithTheGonePhotoLocked)
{
    Ledger l;
    EXPECT_EQ(l.dialog->windowTitle(), QStringLiteral("写真台帳 堤防 (12枚)"));
    ASSERT_EQ(l.grid().Rows(), 12);
    EXPECT_EQ(l.header(1), QStringLiteral("位置図\n写真\n番号"));
    EXPECT_EQ(l.header(6), QStringLiteral("コメント\n"));
    EXPECT_EQ(l.cell(Dlg::kColNumber, 3), QStringLiteral("P3"));
    EXPECT_EQ(l.cell(Dlg::kColDate, 1), DateOf(1));
    EXPECT_EQ(l.cell(Dlg::kColComment, 3), QStringLiteral("abc"));
    EXPECT_TRUE(l.grid().isColumnHidden(Dlg::kColWorkNumber - 1));  // no renumbering dialog
    // The gone photo's row shows only its number and is locked but for the working number.
    EXPECT_EQ(l.cell(Dlg::kColNumber, kGoneRow), QStringLiteral("P5"));
    EXPECT_TRUE(l.cell(Dlg::kColDate, kGoneRow).isEmpty());
    EXPECT_TRUE(l.locked(Dlg::kColComment, kGoneRow));
    EXPECT_FALSE(l.locked(Dlg::kColWorkNumber, kGoneRow));
    EXPECT_FALSE(l.locked(Dlg::kColComment, 1));
    EXPECT_TRUE(l.locked(Dlg::kColDate, 1));  // dates only while their editing is allowed
    // Colours: the current row's number, the number column, the thumbnails, the dates.
    EXPECT_EQ(l.colour(1, 1), QColor(255, 242, 0));
    EXPECT_EQ(l.colour(1, 2), QColor(255, 255, 207));
    EXPECT_EQ(l.colour(3, 2), QColor(230, 230, 230));
    EXPECT_EQ(l.colour(4, 2), QColor(255, 255, 207));
    EXPECT_EQ(l.colour(5, kGoneRow), QColor(225, 225, 225));
    EXPECT_EQ(l.colour(6, 2), QColor(255, 255, 255));
    static_cast<QCheckBox*>(l.button(Dlg::kCtlAllowDateEdit))->setChecked(true);
    ASSERT_EQ(l.prompts.asked().size(), 1u);
    EXPECT_EQ(l.prompts.asked()[0].text, QStringLiteral("撮影日/撮影時刻は他の位置図と共有されています。\nご注意ください。"));
    EXPECT_FALSE(l.locked(Dlg::kColDate, 1));
    EXPECT_EQ(l.colour(4, 2), QColor(255, 255, 255));
    EXPECT_EQ(l.colour(4, kGoneRow), QColor(225, 225, 225));
    // The current row's photo: its index in the photo list; none on the gone photo's row.
    EXPECT_EQ(l.dialog->GetCurrentPhotoIndex(), 0);
    l.dialog->SetCurrentRow(kGoneRow);
    EXPECT_EQ(l.dialog->GetCurrentPhotoIndex(), -1);
    EXPECT_FALSE(l.dialog->Preview()->HasPhoto());
}

TEST(ReportLocPhotoDlg, EditsAreWrittenByPhotoIdAndSaved)
{
    Ledger l;
    static_cast<QCheckBox*>(l.button(Dlg::kCtlAllowDateEdit))->setChecked(true);
    l.typeInto(Dlg::kColComment, 2, QStringLiteral("護岸工"));
    // A mark moved in the view meanwhile keeps its new place when the edit is written.
    ASSERT_TRUE(l.d.doc.Change(ProjectChange::PlacedPhotos, [](Project& p) {
        p.maps.maps[0].photos.entries[1].x = 777;
        return true;
    }).Ok());
    l.grid().SetEditMode(false);  // the edit ends: the cell's change is written and saved
    EXPECT_EQ(l.d.map().photos.entries[1].comment, QStringLiteral("護岸工"));
    EXPECT_EQ(l.d.map().photos.entries[1].x, 777);
    l.typeInto(Dlg::kColDate, 4, QStringLiteral("2023/01/02"));
    l.grid().SetEditMode(false);
    EXPECT_EQ(l.d.photo(4)->date, QStringLiteral("2023/01/02"));  // shared by every map
    const Project saved = l.d.Saved();
    EXPECT_EQ(saved.maps.maps[0].photos.FindByPhotoId(2)->comment, QStringLiteral("護岸工"));
    EXPECT_EQ(saved.maps.maps[0].photos.FindByPhotoId(2)->x, 777);
    EXPECT_EQ(saved.photos.Find(4)->date, QStringLiteral("2023/01/02"));
    // Nothing differs from the fill: a read-back changes nothing.
    const QByteArray before = QFile(l.d.project().ProjectFilePath()).exists() ? QByteArray("x") : QByteArray();
    ASSERT_FALSE(before.isEmpty());
    int announced = 0;
    QObject::connect(&l.d.doc, &CTavrelDoc::ProjectChanged, [&announced](ProjectChanges) { ++announced; });
    l.dialog->ReadGrid();
    EXPECT_EQ(announced, 0);
}

TEST(ReportLocPhotoDlg, UpAndDownSwapEntriesAndSave)
{
    Ledger l;
    EXPECT_FALSE(l.button(Dlg::kCtlUp)->isEnabled());
    EXPECT_TRUE(l.button(Dlg::kCtlDown)->isEnabled());
    l.dialog->SetCurrentRow(2);
    QTest::mouseClick(l.button(Dlg::kCtlUp), Qt::LeftButton);
    EXPECT_EQ(l.order(), std::vector<int>({2, 1, 3, 4, kGoneId, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(l.dialog->CurrentRow(), 1);
    EXPECT_EQ(l.d.map().photos.entries[0].numberText, QStringLiteral("P2"));  // all fields move
    EXPECT_EQ(l.cell(Dlg::kColNumber, 1), QStringLiteral("P2"));
    l.dialog->SetCurrentRow(12);
    EXPECT_FALSE(l.button(Dlg::kCtlDown)->isEnabled());
    l.dialog->SetCurrentRow(11);
    QTest::mouseClick(l.button(Dlg::kCtlDown), Qt::LeftButton);
    EXPECT_EQ(l.order().back(), 10);
    EXPECT_EQ(l.dialog->CurrentRow(), 12);
    const Project saved = l.d.Saved();
    EXPECT_EQ(saved.maps.maps[0].photos.entries[0].photoId, 2);
    EXPECT_EQ(saved.maps.maps[0].photos.entries.back().photoId, 10);
}

TEST(ReportLocPhotoDlg, HeaderClicksSortAndMarkTheHeaders)
{
    Ledger l;
    l.dialog->SetCurrentRow(3);  // photo 3 stays current through the sorts
    QHeaderView* header = l.grid().horizontalHeader();
    const auto clickHeader = [&](int col) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(col - 1) + 5, header->height() / 2));
    };
    clickHeader(Dlg::kColDate);
    EXPECT_EQ(l.header(Dlg::kColDate), QStringLiteral("撮影日\n▼"));
    EXPECT_EQ(l.header(Dlg::kColTime), QStringLiteral("撮影時刻\n▼"));
    // Newest first: the dates fall with the id; the gone photo counts as the oldest.
    EXPECT_EQ(l.order(), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, kGoneId}));
    EXPECT_EQ(l.cell(Dlg::kColDate, 1), DateOf(1));
    EXPECT_EQ(l.dialog->CurrentRow(), 3);
    clickHeader(Dlg::kColDate);
    EXPECT_EQ(l.header(Dlg::kColDate), QStringLiteral("撮影日\n▲"));
    EXPECT_EQ(l.order().front(), kGoneId);
    EXPECT_EQ(l.order().back(), 1);
    EXPECT_EQ(l.dialog->CurrentRow(), 10);  // photo 3
    clickHeader(Dlg::kColNumber);
    EXPECT_EQ(l.header(Dlg::kColNumber), QStringLiteral("位置図\n写真\n番号\n▼"));
    EXPECT_EQ(l.header(Dlg::kColDate), QStringLiteral("撮影日"));
    EXPECT_EQ(l.cell(Dlg::kColNumber, 1), QStringLiteral("P12"));  // natural order, descending
    clickHeader(Dlg::kColComment);  // no sort on the other columns
    EXPECT_EQ(l.header(Dlg::kColNumber), QStringLiteral("位置図\n写真\n番号\n▼"));
    EXPECT_EQ(l.d.Saved().maps.maps[0].photos.entries[0].numberText, QStringLiteral("P12"));
    // Any other reordering forgets the sorted column.
    QTest::mouseClick(l.button(Dlg::kCtlDirection2), Qt::LeftButton);
    EXPECT_EQ(l.header(Dlg::kColNumber), QStringLiteral("位置図\n写真\n番号"));
}

TEST(ReportLocPhotoDlg, DirectionButtonsFollowTheViewMode)
{
    Ledger l;
    EXPECT_EQ(l.button(Dlg::kCtlDirection1)->text(), QStringLiteral("下"));
    QTest::mouseClick(l.button(Dlg::kCtlDirection1), Qt::LeftButton);  // 下: picture y descending
    EXPECT_EQ(l.order(), std::vector<int>({11, 10, 9, 8, 7, 6, 5, kGoneId, 4, 3, 2, 1}));
    l.viewMode = 3;
    l.dialog->SetLocationMap(0);
    EXPECT_EQ(l.button(Dlg::kCtlDirection1)->text(), QStringLiteral("北"));
    EXPECT_EQ(l.button(Dlg::kCtlDirection4)->text(), QStringLiteral("東"));
    QTest::mouseClick(l.button(Dlg::kCtlDirection3), Qt::LeftButton);  // 西: longitude ascending
    EXPECT_EQ(l.order(), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, kGoneId}));
    QTest::mouseClick(l.button(Dlg::kCtlDirection1), Qt::LeftButton);  // 北: latitude descending
    const std::vector<int> order = l.order();
    for (int k = 0; k + 2 < int(order.size()); ++k)
        EXPECT_GE(l.d.photo(order[size_t(k)])->position.latitude, l.d.photo(order[size_t(k + 1)])->position.latitude);
    EXPECT_EQ(order.back(), kGoneId);
    EXPECT_EQ(l.d.Saved().maps.maps[0].photos.entries[0].photoId, order.front());
}

TEST(ReportLocPhotoDlg, DeleteOverColumnsOneToSixEmptiesOnlyComments)
{
    Ledger l;
    l.grid().setFocus();
    l.grid().setRangeSelected(QTableWidgetSelectionRange(0, 0, 3, 5), true);
    QTest::keyClick(&l.grid(), Qt::Key_Delete);
    EXPECT_TRUE(l.d.map().photos.entries[2].comment.isEmpty());  // "abc" is gone
    EXPECT_EQ(l.cell(Dlg::kColDate, 1), DateOf(1));
    EXPECT_EQ(l.cell(Dlg::kColNumber, 1), QStringLiteral("P1"));
    EXPECT_EQ(l.d.photo(1)->date, DateOf(1));
    // A block that begins at the date column empties the unlocked dates too.
    static_cast<QCheckBox*>(l.button(Dlg::kCtlAllowDateEdit))->setChecked(true);
    l.grid().clearSelection();
    l.grid().setRangeSelected(QTableWidgetSelectionRange(0, 3, 0, 4), true);
    QTest::keyClick(&l.grid(), Qt::Key_Delete);
    EXPECT_TRUE(l.d.photo(1)->date.isEmpty());
    EXPECT_TRUE(l.d.photo(1)->time.isEmpty());
}

TEST(ReportLocPhotoDlg, TemplatesAppendAfterALineBreak)
{
    Ledger l(QStringLiteral("@一つ\n単独\n@護岸\n護岸工\n法面工\n"));
    EXPECT_EQ(l.dialog->Templates().categories.size(), 2u);
    QTest::mouseClick(l.button(Dlg::kCtlCommentCategory), Qt::LeftButton);  // the picker answers 1
    EXPECT_EQ(l.dialog->CategoryLabel()->text(), QStringLiteral("護岸"));
    l.dialog->SetCurrentRow(3);
    l.grid().SetActiveCell(Dlg::kColDate, 3);
    EXPECT_EQ(l.dialog->MakeTemplateMenu(), nullptr);  // only in the comment column
    l.grid().SetActiveCell(Dlg::kColComment, 3);
    std::unique_ptr<QMenu> menu = l.dialog->MakeTemplateMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[1]->data().toInt(), 33609);
    menu->actions()[1]->trigger();
    EXPECT_EQ(l.d.map().photos.entries[2].comment, QStringLiteral("abc\r\n法面工"));
    l.dialog->SetCurrentRow(1);
    l.grid().SetActiveCell(Dlg::kColComment, 1);
    l.dialog->ApplyCommentTemplate(0);
    EXPECT_EQ(l.d.map().photos.entries[0].comment, QStringLiteral("護岸工"));
    EXPECT_EQ(l.d.Saved().maps.maps[0].photos.entries[0].comment, QStringLiteral("護岸工"));
    // A category of one template offers no menu.
    l.dialog->SetCommentCategory(0);
    EXPECT_EQ(l.dialog->MakeTemplateMenu(), nullptr);
}

TEST(ReportLocPhotoDlg, MovingIntoTheCommentColumnOpensItForTyping)
{
    Ledger l;
    CSpread7U& grid = l.grid();
    grid.setFocus();
    const auto click = [&](int col, int row) {
        grid.SetEditMode(false);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(row - 1, col - 1)).center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    grid.SetActiveCell(Dlg::kColTime, 2);
    EXPECT_FALSE(grid.EditMode());  // the program's own moves open nothing
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.ActiveCol(), int(Dlg::kColComment));
    EXPECT_TRUE(grid.EditMode());
    auto* editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("矢印で"));
    click(Dlg::kColComment, 4);
    EXPECT_EQ(l.d.map().photos.entries[1].comment, QStringLiteral("矢印で"));
    EXPECT_EQ(l.dialog->CurrentRow(), 4);
    EXPECT_TRUE(grid.EditMode());
    // Neither another column nor the locked row of the gone photo.
    click(Dlg::kColDate, 6);
    EXPECT_EQ(l.dialog->CurrentRow(), 6);
    EXPECT_FALSE(grid.EditMode());
    click(Dlg::kColComment, kGoneRow);
    EXPECT_EQ(l.dialog->CurrentRow(), kGoneRow);
    EXPECT_FALSE(grid.EditMode());
}

TEST(ReportLocPhotoDlg, CtrlVPutsTheClipboardIntoTheComment)
{
    Ledger l;
    QApplication::clipboard()->setText(QStringLiteral("貼り付け"));
    l.grid().setFocus();
    l.grid().SetActiveCell(Dlg::kColComment, 2);
    QTest::keyClick(&l.grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(l.cell(Dlg::kColComment, 2), QStringLiteral("貼り付け"));
    EXPECT_TRUE(l.d.map().photos.entries[1].comment.isEmpty());  // until the next read-back
    l.dialog->ReadGrid();
    EXPECT_EQ(l.d.map().photos.entries[1].comment, QStringLiteral("貼り付け"));
    // Not on the locked row.
    l.grid().SetActiveCell(Dlg::kColComment, kGoneRow);
    QTest::keyClick(&l.grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(l.cell(Dlg::kColComment, kGoneRow).isEmpty());
}

TEST(ReportLocPhotoDlg, RemovalAsksFirst)
{
    Ledger l;
    l.prompts.QueueAnswer(PromptAnswer::Cancel);
    QTest::mouseClick(l.button(Dlg::kCtlRemove), Qt::LeftButton);
    EXPECT_EQ(l.removals, 0);
    ASSERT_EQ(l.prompts.asked().size(), 1u);
    EXPECT_EQ(l.prompts.asked()[0].text, QStringLiteral("位置図から選択写真を外しますか?"));
    EXPECT_EQ(l.prompts.asked()[0].caption, QStringLiteral("ケルヴォル"));
    EXPECT_EQ(l.prompts.asked()[0].icon, PromptIcon::Question);
    l.prompts.QueueAnswer(PromptAnswer::Ok);
    QTest::mouseClick(l.button(Dlg::kCtlRemove), Qt::LeftButton);
    EXPECT_EQ(l.removals, 1);
}

TEST(ReportLocPhotoDlg, MouseSortRunsAlongTheDrawnLine)
{
    Ledger l;
    EXPECT_FALSE(l.button(Dlg::kCtlRunLineSort)->isEnabled());
    static_cast<QCheckBox*>(l.button(Dlg::kCtlMouseSort))->setChecked(true);
    EXPECT_TRUE(l.dialog->LineSwitch());
    EXPECT_TRUE(l.button(Dlg::kCtlRunLineSort)->isEnabled());
    EXPECT_FALSE(l.button(Dlg::kCtlUp)->isEnabled());  // ordering waits while sorting by mouse
    EXPECT_FALSE(l.button(Dlg::kCtlDirection1)->isEnabled());
    // The sort runs after the pending edits were read back, and the grid shows the new order.
    l.dialog->SetCurrentRow(1);
    QApplication::clipboard()->setText(QStringLiteral("線の前"));
    l.grid().setFocus();
    l.grid().SetActiveCell(Dlg::kColComment, 1);
    QTest::keyClick(&l.grid(), Qt::Key_V, Qt::ControlModifier);
    QTest::mouseClick(l.button(Dlg::kCtlRunLineSort), Qt::LeftButton);
    EXPECT_EQ(l.lineSorts, 1);
    EXPECT_EQ(l.d.map().photos.FindByPhotoId(1)->comment, QStringLiteral("線の前"));
    const std::vector<int> order = l.order();
    for (int k = 0; k + 1 < int(order.size()); ++k)
        EXPECT_GE(l.d.map().photos.entries[size_t(k)].x, l.d.map().photos.entries[size_t(k + 1)].x);
    EXPECT_EQ(l.cell(Dlg::kColNumber, 1), l.d.map().photos.entries[0].numberText);
    // Closing in mouse-sort mode clears the switch.
    QTest::mouseClick(l.button(Dlg::kCtlClose), Qt::LeftButton);
    EXPECT_FALSE(l.dialog->LineSwitch());
    EXPECT_EQ(l.closes, 1);
}

TEST(ReportLocPhotoDlg, AFailedSaveIsToldOnceUntilASaveSucceeds)
{
    Ledger l;
    const QString folder = l.d.project().folder;
    const QString moved = folder.chopped(1) + QStringLiteral("_moved");
    ASSERT_TRUE(QDir().rename(folder, moved));
    l.typeInto(Dlg::kColComment, 1, QStringLiteral("一"));
    l.grid().SetEditMode(false);
    l.typeInto(Dlg::kColComment, 2, QStringLiteral("二"));
    l.grid().SetEditMode(false);
    ASSERT_EQ(l.prompts.asked().size(), 1u);
    EXPECT_EQ(l.prompts.asked()[0].text, ProjectErrorText(5));
    EXPECT_EQ(l.d.map().photos.entries[1].comment, QStringLiteral("二"));  // kept in memory
    ASSERT_TRUE(QDir().rename(moved, folder));
    l.typeInto(Dlg::kColComment, 3, QStringLiteral("三"));
    l.grid().SetEditMode(false);
    ASSERT_TRUE(QDir().rename(folder, moved));
    l.typeInto(Dlg::kColComment, 4, QStringLiteral("四"));
    l.grid().SetEditMode(false);
    EXPECT_EQ(l.prompts.asked().size(), 2u);  // told again after the save in between succeeded
    ASSERT_TRUE(QDir().rename(moved, folder));
}
