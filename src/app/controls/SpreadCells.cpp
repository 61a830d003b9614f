#include "app/controls/SpreadCells.h"

#include <algorithm>

#include "app/controls/BlankValues.h"
#include "app/controls/NumberRules.h"
#include "app/controls/SpreadGrid.h"
#include "fe/NumberText.h"

namespace app {
namespace {

void Address(CSpread7U& grid, int col, int row)
{
    grid.SetRow(row);
    grid.SetCol(col);
}

// The integer at the start of the text, 0 when there is none (as the C library's atoi reads).
int LeadingInt(const QString& text)
{
    int value = 0;
    fe::ScanInt(text, value);
    return value;
}

}  // namespace

QString IntToTextOrBlank(int value)
{
    return value == kBlankInt ? QString() : QString::number(value);
}

QString GetSpreadCellText(CSpread7U& grid, int col, int row)
{
    Address(grid, col, row);
    return grid.Text();
}

void SetSpreadCellText(CSpread7U& grid, int col, int row, const QString& text)
{
    Address(grid, col, row);
    grid.SetText(text);
}

void SetSpreadCellInt(CSpread7U& grid, int col, int row, int value, const QString& blankText)
{
    SetSpreadCellText(grid, col, row, value == kBlankInt ? blankText : QString::number(value));
}

void SetSpreadCellReal(CSpread7U& grid, int col, int row, int decimals, const QString& blankText,
                       double value)
{
    SetSpreadCellText(grid, col, row, value == kBlankReal ? blankText : FixedText(value, decimals));
}

void SetSpreadCellLatLong(CSpread7U& grid, int col, int row, const QString& blankText, double value,
                          double blankValue)
{
    SetSpreadCellText(grid, col, row, value == blankValue ? blankText : FixedText(value, 7));
}

void SetSpreadCellCheck(CSpread7U& grid, int col, int row, int value)
{
    Address(grid, col, row);
    grid.SetValue(value == 1 ? QStringLiteral("1") : QStringLiteral("0"));
}

int GetSpreadCellCheck(CSpread7U& grid, int col, int row)
{
    Address(grid, col, row);
    return LeadingInt(grid.Value());
}

int GetSpreadFirstColumnInt(CSpread7U& grid, int row)
{
    QString text = GetSpreadCellText(grid, 1, row);
    text.remove(QLatin1Char(','));
    return text.isEmpty() ? kBlankInt : LeadingInt(text);
}

void SetSpreadBlockBackColor(CSpread7U& grid, int col, int row, int col2, int row2, const QColor& color)
{
    Address(grid, col, row);
    grid.SetCol2(col2);
    grid.SetRow2(row2);
    grid.SetBlockMode(true);
    grid.SetBackColor(color);
    grid.SetBlockMode(false);
}

void ClearSpreadUnlockedCells(CSpread7U& grid, int col, int row, int col2, int row2)
{
    if (col > col2 || row > row2)
        return;
    for (int c = col; c <= col2; ++c) {
        for (int r = row; r <= row2; ++r) {
            Address(grid, c, r);
            if (!grid.Lock())
                grid.SetText(QString());
        }
    }
}

}  // namespace app
