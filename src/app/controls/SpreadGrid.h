#pragma once

#include <QPointer>
#include <QSet>
#include <QTableWidget>

namespace app {

class SpreadCellDelegate;

// Addresses the header row (as a row) or the header column (as a column).
inline constexpr int kSpreadHeader = -1000;

// What a column's cells hold.
enum class SpreadCellKind
{
    Text,
    Check,
    Picture
};

// Event ids of the grid; SetEventEnabled switches one of them off and on.
enum SpreadEvent : int
{
    kSpreadEventButtonClicked = 3,
    kSpreadEventChange = 4,
    kSpreadEventClick = 5,
    kSpreadEventDblClick = 11,
    kSpreadEventLeaveCell = 17,
    kSpreadEventLeaveRow = 18,
    kSpreadEventRightClick = 22,
    kSpreadEventTopLeftChange = 25,
    kSpreadEventKeyDown = -602,
};

// Key codes handed to KeyDown (the program's dialogs test them by these numbers).
enum SpreadKey : int
{
    kKeyBack = 8,
    kKeyTab = 9,
    kKeyReturn = 13,
    kKeyShift = 16,
    kKeyControl = 17,
    kKeyEscape = 27,
    kKeyDelete = 46,
};
// Shift-state bits handed to KeyDown.
enum SpreadShift : int
{
    kShiftBit = 1,
    kCtrlBit = 2,
    kAltBit = 4
};

// The spreadsheet grid of every table of the program. Callers address cells 1-based through a
// cell cursor (SetCol/SetRow, and SetCol2/SetRow2 with block mode for blocks) and then put or
// read one property; -1000 addresses the header row or column. Positions and sizes are in twips.
//
// Events are signals. Change fires only when the user's edit changed a cell, never for puts of
// the program; LeaveCell fires before the active cell moves and can cancel the move.
class CSpread7U : public QTableWidget
{
    Q_OBJECT

public:
    explicit CSpread7U(QWidget* parent = nullptr);
    ~CSpread7U() override;

    // --- cell cursor
    void SetCol(int col) { m_col = col; }
    void SetRow(int row) { m_row = row; }
    void SetCol2(int col) { m_col2 = col; }
    void SetRow2(int row) { m_row2 = row; }
    int Col() const { return m_col; }
    int Row() const { return m_row; }
    // While on, puts apply to the block from (Col, Row) to (Col2, Row2).
    void SetBlockMode(bool on) { m_blockMode = on; }
    bool BlockMode() const { return m_blockMode; }

    // --- properties of the addressed cell
    void SetText(const QString& text);
    QString Text() const;
    // Check cells: "1" or "0"; other cells: the text.
    void SetValue(const QString& value);
    QString Value() const;
    void SetLock(bool locked);
    bool Lock() const;
    void SetBackColor(const QColor& color);
    QColor BackColor() const;
    void SetForeColor(const QColor& color);
    // The picture of the cell (a null picture clears it); fitted keeps the ratio inside the cell,
    // otherwise it is centred at its own size.
    void SetCellPicture(const QPixmap& picture, bool fitted = true);
    // Hides or shows the addressed column.
    void SetColHidden(bool hidden);
    // The kind of the addressed column's cells (all rows, present and future).
    void SetColKind(SpreadCellKind kind);

    // --- the grid
    void SetCols(int count);
    int Cols() const { return columnCount(); }
    void SetRows(int count);
    int Rows() const { return rowCount(); }
    // The active cell, 1-based; 0 when there is none. (-1000, -1000) leaves no active cell.
    // Moves made here do not fire LeaveCell.
    void SetActiveCell(int col, int row);
    int ActiveCol() const { return currentColumn() + 1; }
    int ActiveRow() const { return currentRow() + 1; }
    struct Block
    {
        int col = 0, row = 0, col2 = 0, row2 = 0;
    };
    // The selected block (the active cell when nothing else is selected).
    Block SelectedBlock() const;
    int TopRow() const;
    void SetTopRow(int row);
    int LeftCol() const;
    bool EditMode() const { return state() == QAbstractItemView::EditingState; }
    // On starts editing the active cell (unless it is locked); off ends an edit, keeping it.
    void SetEditMode(bool on);
    // Off during bulk updates.
    void SetPainting(bool on) { setUpdatesEnabled(on); }
    // 0: single cells; any other value: the user can select a block.
    void SetBlockSelection(int mode);
    // Background of the area beside and below the cells.
    void SetEmptyAreaColor(const QColor& color);
    // Background of locked cells that have no colour of their own.
    void SetLockedBackColor(const QColor& color);
    QColor LockedBackColor() const { return m_lockedBackColor; }
    // Set-up switches kept for the dialogs that put them. 10: the grid's own clipboard keys, Ctrl+C
    // copies the selected cells as tab-separated lines (SelectedCellsText).
    void SetSetupFlag(int id, bool on);
    bool SetupFlag(int id) const { return m_setupFlags.contains(id); }
    // The texts of the selected cells, row by row from the top: the cells of a row joined by tabs, each
    // row ending with "\n". Without a selection, the active cell's text.
    QString SelectedCellsText() const;
    // Scrolls so that the cell shows: position 0-2 at the top, 3-5 in the middle, 6-8 at the bottom.
    void ShowCell(int col, int row, int position);
    // The cell's rectangle in twips, relative to the grid's client area; false outside the grid.
    bool CellRectTwips(int col, int row, int* x, int* y, int* width, int* height) const;
    // The client area's size in twips.
    void ClientAreaTwips(int* width, int* height) const;
    // True when the cell is in view (wholly, or in part with `partial`); row -1 asks about the
    // whole column and column -1 about the whole row.
    bool IsCellInView(int col, int row, bool partial) const;
    // Column widths in character units (one unit = 120 twips) and row heights in points (20 twips).
    double ColWidth(int col) const;
    void SetColWidth(int col, double width);
    double RowHeight(int row) const;
    void SetRowHeight(int row, double height);
    static int ColWidthToTwips(double width);
    static double TwipsToColWidth(int twips);
    static int RowHeightToTwips(double height);

    void SetEventEnabled(int eventId, bool on);
    bool EventEnabled(int eventId) const { return !m_disabledEvents.contains(eventId); }

signals:
    void Click(int col, int row);
    void DblClick(int col, int row);
    // The active cell is about to move from (col, row) to (newCol, newRow); set *cancel to keep it.
    void LeaveCell(int col, int row, int newCol, int newRow, bool* cancel);
    void LeaveRow(int row, int newRow, bool* cancel);
    void TopLeftChange(int oldLeft, int oldTop, int newLeft, int newTop);
    // The user's edit changed the cell.
    void Change(int col, int row);
    // The user toggled a check cell; state 1 checked, 0 unchecked.
    void ButtonClicked(int col, int row, int state);
    // kind 0 on a cell (col, row 1-based; 0 outside the cells), x and y in client pixels.
    void RightClick(int kind, int col, int row, int x, int y);
    // A key went down outside cell editing; set *keyCode to 0 to swallow it.
    void KeyDown(int* keyCode, int shift);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend class SpreadCellDelegate;
    friend class SpreadSelectionModel;

    // The item at (col, row) 1-based, or a header item for -1000; created when asked to.
    QTableWidgetItem* CellItem(int col, int row, bool create) const;
    QTableWidgetItem* NewItem(int col) const;
    // Runs `put` on every addressed cell: the cursor's cell, or the block in block mode.
    template <typename Put>
    void ForEachAddressed(Put put);
    void PrepareRows(int first);
    SpreadCellKind KindOf(int col) const;

    // Called by the selection model before the current cell moves; false keeps it.
    bool MayMoveTo(const QModelIndex& index);
    void UserEdited(const QModelIndex& index);
    void UserToggled(const QModelIndex& index);
    void Scrolled();
    void ContextMenuAt(const QPoint& pos);

    int m_col = 1, m_row = 1, m_col2 = 1, m_row2 = 1;
    bool m_blockMode = false;
    bool m_programmaticMove = false;
    bool m_leaveAsked = false;
    bool m_pressRefused = false;
    int m_lastLeft = 1, m_lastTop = 1;
    QColor m_lockedBackColor;
    QHash<int, SpreadCellKind> m_kinds;
    QSet<int> m_setupFlags;
    QSet<int> m_disabledEvents;
    SpreadCellDelegate* m_delegate = nullptr;  // owned by the grid (QObject parent)
};

}  // namespace app
