// The grid's scrolling, cell geometry and sizes in twips.
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "app/controls/ScreenDpi.h"
#include "app/controls/SpreadGrid.h"

namespace app {
namespace {

// Column widths are in character units and row heights in points.
constexpr int kTwipsPerWidthUnit = 120;
constexpr int kTwipsPerPoint = 20;

}  // namespace

int CSpread7U::TopRow() const
{
    return rowAt(0) + 1;
}

void CSpread7U::SetTopRow(int row)
{
    if (row < 1 || row > rowCount())
        return;
    updateGeometries();  // the scroll range may not know of rows added just now
    scrollTo(model()->index(row - 1, std::max(0, columnAt(0))), QAbstractItemView::PositionAtTop);
}

int CSpread7U::LeftCol() const
{
    return columnAt(0) + 1;
}

void CSpread7U::ShowCell(int col, int row, int position)
{
    if (col < 1 || row < 1 || col > columnCount() || row > rowCount())
        return;
    updateGeometries();
    const auto hint = position <= 2   ? QAbstractItemView::PositionAtTop
                      : position <= 5 ? QAbstractItemView::PositionAtCenter
                                      : QAbstractItemView::PositionAtBottom;
    scrollTo(model()->index(row - 1, col - 1), hint);
}

bool CSpread7U::CellRectTwips(int col, int row, int* x, int* y, int* width, int* height) const
{
    if (col < 1 || row < 1 || col > columnCount() || row > rowCount())
        return false;
    // The whole cell, its grid line included, relative to the client area's top-left corner.
    const QRect cell(columnViewportPosition(col - 1), rowViewportPosition(row - 1), columnWidth(col - 1),
                     rowHeight(row - 1));
    const QPoint origin = viewport()->geometry().topLeft() - contentsRect().topLeft();
    *x = PixelsToTwipsX(cell.x() + origin.x());
    *y = PixelsToTwipsY(cell.y() + origin.y());
    *width = PixelsToTwipsX(cell.width());
    *height = PixelsToTwipsY(cell.height());
    return true;
}

void CSpread7U::ClientAreaTwips(int* width, int* height) const
{
    *width = PixelsToTwipsX(contentsRect().width());
    *height = PixelsToTwipsY(contentsRect().height());
}

bool CSpread7U::IsCellInView(int col, int row, bool partial) const
{
    // -1 as the row asks about the whole column, -1 as the column about the whole row.
    const bool anyRow = row == -1;
    const bool anyCol = col == -1;
    if ((!anyCol && (col < 1 || col > columnCount())) || (!anyRow && (row < 1 || row > rowCount())) ||
        (anyRow && anyCol))
        return false;
    const QRect view = viewport()->rect();
    QRect cell;
    if (anyRow)
        cell = QRect(columnViewportPosition(col - 1), view.top(), columnWidth(col - 1), view.height());
    else if (anyCol)
        cell = QRect(view.left(), rowViewportPosition(row - 1), view.width(), rowHeight(row - 1));
    else
        cell = visualRect(model()->index(row - 1, col - 1));
    if (cell.isEmpty())
        return false;  // a hidden column or row
    return partial ? cell.intersects(view) : view.contains(cell);
}

double CSpread7U::ColWidth(int col) const
{
    if (col < 1 || col > columnCount())
        return 0.0;
    return TwipsToColWidth(PixelsToTwipsX(columnWidth(col - 1)));
}

void CSpread7U::SetColWidth(int col, double width)
{
    if (col == kSpreadHeader)
        verticalHeader()->setFixedWidth(TwipsToPixelsX(ColWidthToTwips(width)));
    else if (col >= 1 && col <= columnCount())
        setColumnWidth(col - 1, TwipsToPixelsX(ColWidthToTwips(width)));
}

double CSpread7U::RowHeight(int row) const
{
    if (row < 1 || row > rowCount())
        return 0.0;
    return PixelsToTwipsY(rowHeight(row - 1)) / static_cast<double>(kTwipsPerPoint);
}

void CSpread7U::SetRowHeight(int row, double height)
{
    const int pixels = TwipsToPixelsY(RowHeightToTwips(height));
    if (row == -1) {
        verticalHeader()->setDefaultSectionSize(pixels);
        for (int r = 0; r < rowCount(); ++r)
            setRowHeight(r, pixels);
    } else if (row >= 1 && row <= rowCount()) {
        setRowHeight(row - 1, pixels);
    }
}

int CSpread7U::ColWidthToTwips(double width)
{
    return static_cast<int>(std::lround(width * kTwipsPerWidthUnit));
}

double CSpread7U::TwipsToColWidth(int twips)
{
    return twips / static_cast<double>(kTwipsPerWidthUnit);
}

int CSpread7U::RowHeightToTwips(double height)
{
    return static_cast<int>(std::lround(height * kTwipsPerPoint));
}

}  // namespace app
