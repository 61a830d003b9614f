// The grid's events as its callers see them, driven through real key and mouse input offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <climits>

#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"

using namespace app;

namespace {

class SpreadGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetCols(3);
        grid.SetRows(4);
        grid.resize(420, 220);
        grid.show();
        grid.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
    }

    QPoint CellCentre(int col, int row)
    {
        return grid.visualRect(grid.model()->index(row - 1, col - 1)).center();
    }

    // Types text into the active cell through the keyboard and commits it with Enter.
    void TypeIntoActiveCell(const QString& text)
    {
        QTest::keyClicks(&grid, text.left(1));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, &grid) << "typing did not open a cell editor";
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        // The cell editor commits on the event loop.
        QCoreApplication::processEvents();
    }

    CSpread7U grid;
};

TEST_F(SpreadGridTest, CellChangedFiresOnceForAUserEditAndNeverForPuts)
{
    QSignalSpy changes(&grid, &CSpread7U::Change);
    SetSpreadCellText(grid, 2, 3, QStringLiteral("put by the program"));
    SetSpreadCellInt(grid, 1, 1, 42, QString());
    EXPECT_EQ(changes.count(), 0);

    grid.SetActiveCell(2, 1);
    TypeIntoActiveCell(QStringLiteral("123"));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toInt(), 2);
    EXPECT_EQ(changes[0][1].toInt(), 1);
    EXPECT_EQ(GetSpreadCellText(grid, 2, 1), QStringLiteral("123"));
    EXPECT_FALSE(grid.EditMode());
}

TEST_F(SpreadGridTest, CancelledLeaveKeepsTheActiveCellForKeysAndMouse)
{
    grid.SetActiveCell(1, 2);
    QList<QList<int>> leaves;
    QObject::connect(&grid, &CSpread7U::LeaveCell,
                     [&](int col, int row, int newCol, int newRow, bool* cancel) {
                         leaves.append({col, row, newCol, newRow});
                         *cancel = true;
                     });

    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(3, 4));
    EXPECT_EQ(grid.ActiveCol(), 1);
    EXPECT_EQ(grid.ActiveRow(), 2);
    ASSERT_EQ(leaves.size(), 2);
    EXPECT_EQ(leaves[0], (QList<int>{1, 2, 1, 3}));
    EXPECT_EQ(leaves[1], (QList<int>{1, 2, 3, 4}));
}

TEST_F(SpreadGridTest, ACheckBoxInACellThatCannotBeEnteredDoesNotToggle)
{
    grid.SetCol(3);
    grid.SetColKind(SpreadCellKind::Check);
    bool refuse = false;
    QObject::connect(&grid, &CSpread7U::LeaveCell,
                     [&](int, int, int, int, bool* cancel) { *cancel = refuse; });
    QSignalSpy toggles(&grid, &CSpread7U::ButtonClicked);

    // Find where the check box is drawn by clicking across the cell while it may be entered.
    const QRect cell = grid.visualRect(grid.model()->index(2, 2));
    QPoint box;
    for (int x = cell.left() + 2; x < cell.right() && toggles.isEmpty(); x += 2) {
        box = QPoint(x, cell.center().y());
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, box);
    }
    ASSERT_EQ(toggles.count(), 1);

    // Back elsewhere; now the cell cannot be entered, and a click on its box changes nothing.
    grid.SetActiveCell(1, 1);
    refuse = true;
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, box);
    EXPECT_EQ(toggles.count(), 1);
    EXPECT_EQ(GetSpreadCellCheck(grid, 3, 3), 1);
    EXPECT_EQ(grid.ActiveRow(), 1);
}

TEST_F(SpreadGridTest, AllowedLeaveComesBeforeTheClickAndMovesTheCell)
{
    grid.SetActiveCell(1, 1);
    QStringList order;
    QObject::connect(&grid, &CSpread7U::LeaveCell,
                     [&](int, int, int, int, bool*) { order << QStringLiteral("leave"); });
    QObject::connect(&grid, &CSpread7U::Click,
                     [&](int col, int row) { order << QStringLiteral("click %1,%2").arg(col).arg(row); });
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(2, 3));
    EXPECT_EQ(order, (QStringList{QStringLiteral("leave"), QStringLiteral("click 2,3")}));
    EXPECT_EQ(grid.ActiveCol(), 2);
    EXPECT_EQ(grid.ActiveRow(), 3);
}

TEST_F(SpreadGridTest, LockedCellsDoNotEdit)
{
    SetSpreadCellText(grid, 2, 2, QStringLiteral("fixed"));
    grid.SetCol(2);
    grid.SetRow(2);
    grid.SetLock(true);
    EXPECT_TRUE(grid.Lock());

    grid.SetActiveCell(2, 2);
    grid.SetEditMode(true);
    EXPECT_FALSE(grid.EditMode());
    grid.editItem(grid.item(1, 1));
    EXPECT_FALSE(grid.EditMode());
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(2, 2));
    EXPECT_FALSE(grid.EditMode());
    QTest::keyClicks(&grid, QStringLiteral("x"));
    EXPECT_FALSE(grid.EditMode());
    EXPECT_EQ(GetSpreadCellText(grid, 2, 2), QStringLiteral("fixed"));

    // An unlocked neighbour still edits.
    grid.SetActiveCell(3, 2);
    grid.SetEditMode(true);
    EXPECT_TRUE(grid.EditMode());
}

TEST_F(SpreadGridTest, KeyDownReportsKeyCodesAndCanSwallowTheKey)
{
    grid.SetActiveCell(1, 1);
    QList<QPair<int, int>> keys;
    QObject::connect(&grid, &CSpread7U::KeyDown, [&](int* code, int shift) {
        keys.append({*code, shift});
        if (*code == kKeyDelete || *code == 'X')
            *code = 0;
    });
    QTest::keyClick(&grid, Qt::Key_Delete);
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_X);
    // Ctrl+A arrives as the Ctrl key going down, then 'A' with Ctrl held.
    ASSERT_EQ(keys.size(), 4);
    EXPECT_EQ(keys[0], qMakePair(46, 0));
    EXPECT_EQ(keys[1], qMakePair(int(kKeyControl), int(kCtrlBit)));
    EXPECT_EQ(keys[2], qMakePair(65, int(kCtrlBit)));
    EXPECT_EQ(keys[3].first, 'X');
    // The swallowed letter did not open an editor.
    EXPECT_FALSE(grid.EditMode());
}

TEST_F(SpreadGridTest, CheckCellsToggleByUserWithAnEventButNotByPuts)
{
    grid.SetCol(3);
    grid.SetColKind(SpreadCellKind::Check);
    QSignalSpy toggles(&grid, &CSpread7U::ButtonClicked);
    SetSpreadCellCheck(grid, 3, 2, 1);
    EXPECT_EQ(GetSpreadCellCheck(grid, 3, 2), 1);
    SetSpreadCellCheck(grid, 3, 2, 2);
    EXPECT_EQ(GetSpreadCellCheck(grid, 3, 2), 0);
    EXPECT_EQ(toggles.count(), 0);

    grid.SetActiveCell(3, 2);
    QTest::keyClick(&grid, Qt::Key_Space);
    ASSERT_EQ(toggles.count(), 1);
    EXPECT_EQ(toggles[0], (QList<QVariant>{3, 2, 1}));
    EXPECT_EQ(GetSpreadCellText(grid, 3, 2), QStringLiteral("1"));

    // A locked check cell does not toggle.
    grid.SetCol(3);
    grid.SetRow(2);
    grid.SetLock(true);
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(toggles.count(), 1);
}

// A dialog may set a column's kind before the grid has that many columns; the cells get the kind
// when the column is made.
TEST_F(SpreadGridTest, AColumnKindSetAheadAppliesWhenTheColumnIsMade)
{
    grid.SetCol(5);
    grid.SetColKind(SpreadCellKind::Check);
    grid.SetCols(5);
    SetSpreadCellCheck(grid, 5, 4, 1);
    EXPECT_EQ(GetSpreadCellCheck(grid, 5, 4), 1);
    EXPECT_TRUE(grid.item(3, 4)->data(Qt::CheckStateRole).isValid());
}

TEST_F(SpreadGridTest, HeadersAreAddressedAsMinus1000AndRowsFromOne)
{
    SetSpreadCellText(grid, 2, kSpreadHeader, QStringLiteral("名称"));
    SetSpreadCellText(grid, kSpreadHeader, 3, QStringLiteral("三"));
    SetSpreadCellText(grid, 1, 1, QStringLiteral("first"));
    SetSpreadCellText(grid, 3, 4, QStringLiteral("last"));
    SetSpreadCellText(grid, 4, 1, QStringLiteral("outside"));
    SetSpreadCellText(grid, 1, 0, QStringLiteral("outside"));

    ASSERT_NE(grid.horizontalHeaderItem(1), nullptr);
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("名称"));
    EXPECT_EQ(grid.verticalHeaderItem(2)->text(), QStringLiteral("三"));
    EXPECT_EQ(GetSpreadCellText(grid, 2, kSpreadHeader), QStringLiteral("名称"));
    EXPECT_EQ(grid.item(0, 0)->text(), QStringLiteral("first"));
    EXPECT_EQ(grid.item(3, 2)->text(), QStringLiteral("last"));
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.Rows(), 4);

    // A colour on the header column of a row keeps its row number.
    SetSpreadBlockBackColor(grid, kSpreadHeader, 1, 2, 2, QColor(255, 242, 0));
    EXPECT_EQ(grid.verticalHeaderItem(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(grid.item(1, 1)->background().color(), QColor(255, 242, 0));
    EXPECT_EQ(grid.item(0, 2), nullptr);

    grid.SetActiveCell(2, 3);
    EXPECT_EQ(grid.ActiveCol(), 2);
    EXPECT_EQ(grid.ActiveRow(), 3);
    grid.SetActiveCell(kSpreadHeader, kSpreadHeader);
    EXPECT_EQ(grid.ActiveRow(), 0);
    EXPECT_TRUE(grid.selectedRanges().isEmpty());
}

TEST_F(SpreadGridTest, PictureAndCheckCellsPaint)
{
    grid.SetCol(1);
    grid.SetColKind(SpreadCellKind::Picture);
    grid.SetCol(3);
    grid.SetColKind(SpreadCellKind::Check);
    grid.SetRowHeight(-1, 30);
    QPixmap red(16, 12);
    red.fill(Qt::red);
    grid.SetCol(1);
    grid.SetRow(2);
    grid.SetCellPicture(red);
    SetSpreadCellCheck(grid, 3, 1, 1);
    grid.SetActiveCell(2, 4);

    const QImage shot = grid.viewport()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(CellCentre(1, 2))), QColor(Qt::red));
    EXPECT_EQ(QColor(shot.pixel(CellCentre(1, 3))), QColor(Qt::white));

    const QRect checked = grid.visualRect(grid.model()->index(0, 2));
    const QRect unchecked = grid.visualRect(grid.model()->index(1, 2));
    EXPECT_NE(shot.copy(checked), shot.copy(unchecked)) << "a checked cell looks like an unchecked one";
    EXPECT_NE(shot.copy(unchecked), shot.copy(grid.visualRect(grid.model()->index(3, 0))))
        << "an unchecked check cell shows no box";

    // A null picture clears the cell.
    grid.SetCol(1);
    grid.SetRow(2);
    grid.SetCellPicture(QPixmap());
    const QImage cleared = grid.viewport()->grab().toImage();
    EXPECT_EQ(QColor(cleared.pixel(CellCentre(1, 2))), QColor(Qt::white));
}

TEST_F(SpreadGridTest, LockedBackColourAndBlockColoursShow)
{
    grid.SetLockedBackColor(QColor(225, 225, 225));
    grid.SetCol(1);
    grid.SetRow(1);
    grid.SetLock(true);
    SetSpreadBlockBackColor(grid, 2, 1, 3, 2, QColor(255, 255, 207));
    grid.SetActiveCell(kSpreadHeader, kSpreadHeader);
    const QImage shot = grid.viewport()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(CellCentre(1, 1))), QColor(225, 225, 225));
    EXPECT_EQ(QColor(shot.pixel(CellCentre(3, 2))), QColor(255, 255, 207));
    EXPECT_EQ(QColor(shot.pixel(CellCentre(3, 3))), QColor(Qt::white));
}

TEST_F(SpreadGridTest, SwitchedOffEventsStaySilent)
{
    QSignalSpy clicks(&grid, &CSpread7U::Click);
    grid.SetEventEnabled(kSpreadEventClick, false);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(1, 1));
    EXPECT_EQ(clicks.count(), 0);
    grid.SetEventEnabled(kSpreadEventClick, true);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(2, 1));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(SpreadGridTest, ScrollingAndRightClicksReportCells)
{
    grid.SetRows(40);
    QList<QList<int>> moves;
    QObject::connect(&grid, &CSpread7U::TopLeftChange, [&](int oldLeft, int oldTop, int newLeft, int newTop) {
        moves.append({oldLeft, oldTop, newLeft, newTop});
    });
    grid.SetTopRow(10);
    EXPECT_EQ(grid.TopRow(), 10);
    ASSERT_FALSE(moves.isEmpty());
    EXPECT_EQ(moves.back().mid(2), (QList<int>{1, 10}));
    EXPECT_TRUE(grid.IsCellInView(1, 10, false));
    EXPECT_FALSE(grid.IsCellInView(1, 2, true));

    QSignalSpy rightClicks(&grid, &CSpread7U::RightClick);
    const QPoint at = CellCentre(2, 11);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid.viewport(), &menu);
    ASSERT_EQ(rightClicks.count(), 1);
    EXPECT_EQ(rightClicks[0].mid(0, 3), (QList<QVariant>{0, 2, 11}));
}

// Row -1 asks whether a column is in view, whichever rows show (column -1 the same for a row).
TEST_F(SpreadGridTest, MinusOneAsksAboutAWholeColumnOrRow)
{
    grid.SetCols(12);
    grid.SetRows(40);
    grid.SetTopRow(10);
    EXPECT_TRUE(grid.IsCellInView(2, -1, true));
    EXPECT_TRUE(grid.IsCellInView(1, -1, false));
    EXPECT_FALSE(grid.IsCellInView(12, -1, true));
    EXPECT_TRUE(grid.IsCellInView(-1, 11, false));
    EXPECT_FALSE(grid.IsCellInView(-1, 2, true));
    EXPECT_FALSE(grid.IsCellInView(13, -1, true));
}

TEST_F(SpreadGridTest, RowLeaveFiresOnlyWhenTheRowChanges)
{
    grid.SetActiveCell(1, 1);
    QList<QPair<int, int>> rows;
    QObject::connect(&grid, &CSpread7U::LeaveRow, [&](int row, int newRow, bool*) {
        rows.append({row, newRow});
    });
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(rows, (QList<QPair<int, int>>{{1, 2}}));
}

TEST_F(SpreadGridTest, CurrentCellMovesAreAnnouncedForKeysMouseAndPuts)
{
    grid.SetActiveCell(1, 1);
    QList<QList<int>> moves;  // row, column, previous row, previous column (0-based, as QTableWidget)
    QObject::connect(&grid, &QTableWidget::currentCellChanged,
                     [&](int row, int col, int previousRow, int previousCol) {
                         moves.append({row, col, previousRow, previousCol});
                     });
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(3, 4));
    grid.SetActiveCell(1, 2);
    EXPECT_EQ(moves, (QList<QList<int>>{{0, 1, 0, 0}, {3, 2, 0, 1}, {1, 0, 3, 2}}));
}

TEST_F(SpreadGridTest, SizesAreInTwips)
{
    grid.SetColWidth(1, 10);  // 10 units = 1200 twips = 80 pixels at 96 DPI
    EXPECT_EQ(grid.columnWidth(0), 80);
    EXPECT_DOUBLE_EQ(grid.ColWidth(1), 10.0);
    grid.SetRowHeight(2, 18);  // 18 points = 360 twips = 24 pixels
    EXPECT_EQ(grid.rowHeight(1), 24);
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_TRUE(grid.CellRectTwips(1, 2, &x, &y, &w, &h));
    EXPECT_EQ(w, 1200);
    EXPECT_EQ(h, 360);
    EXPECT_FALSE(grid.CellRectTwips(4, 1, &x, &y, &w, &h));
}

}  // namespace
