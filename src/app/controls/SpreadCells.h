#pragma once

#include <QColor>
#include <QString>

namespace app {

class CSpread7U;

// One-call readers and writers of grid cells. Columns come before rows, both 1-based; -1000
// addresses the header row or column. Each helper addresses the cell (row first, then column)
// and then puts or reads the one property.

// "%d" of the value; INT_MIN gives "".
QString IntToTextOrBlank(int value);

QString GetSpreadCellText(CSpread7U& grid, int col, int row);
void SetSpreadCellText(CSpread7U& grid, int col, int row, const QString& text);
// "%d" of the value, or the blank text for INT_MIN.
void SetSpreadCellInt(CSpread7U& grid, int col, int row, int value, const QString& blankText);
// The value with `decimals` places, or the blank text for -9e32.
void SetSpreadCellReal(CSpread7U& grid, int col, int row, int decimals, const QString& blankText,
                       double value);
// The value with 7 places, or the blank text when it equals the blank value.
void SetSpreadCellLatLong(CSpread7U& grid, int col, int row, const QString& blankText, double value,
                          double blankValue);
// "1" for 1, anything else "0".
void SetSpreadCellCheck(CSpread7U& grid, int col, int row, int value);
int GetSpreadCellCheck(CSpread7U& grid, int col, int row);
// Column 1 of the row read as an integer with every "," removed; "" gives INT_MIN.
int GetSpreadFirstColumnInt(CSpread7U& grid, int row);
void SetSpreadBlockBackColor(CSpread7U& grid, int col, int row, int col2, int row2, const QColor& color);
// Empties every cell of the block that is not locked; nothing for a reversed block.
void ClearSpreadUnlockedCells(CSpread7U& grid, int col, int row, int col2, int row2);

}  // namespace app
