// The one-call cell helpers and their blank-value rules.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>

#include "app/controls/BlankValues.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"

using namespace app;

namespace {

CSpread7U* NewGrid()
{
    auto* grid = new CSpread7U;
    grid->SetCols(3);
    grid->SetRows(3);
    return grid;
}

TEST(SpreadCells, PutsShowBlankValuesEmptyAndFormatNumbers)
{
    std::unique_ptr<CSpread7U> grid(NewGrid());
    struct Case
    {
        const char* what;
        std::function<void(CSpread7U&)> put;
        QString shown;
    } cases[] = {
        {"int", [](CSpread7U& g) { SetSpreadCellInt(g, 1, 1, -15, QString()); }, QStringLiteral("-15")},
        {"blank int", [](CSpread7U& g) { SetSpreadCellInt(g, 1, 1, INT_MIN, QString()); }, QString()},
        {"blank int with text", [](CSpread7U& g) { SetSpreadCellInt(g, 1, 1, INT_MIN, QStringLiteral("-")); },
         QStringLiteral("-")},
        {"real rounds", [](CSpread7U& g) { SetSpreadCellReal(g, 1, 1, 3, QString(), 1.23456); },
         QStringLiteral("1.235")},
        {"real pads", [](CSpread7U& g) { SetSpreadCellReal(g, 1, 1, 1, QString(), 3.0); },
         QStringLiteral("3.0")},
        {"real no decimals", [](CSpread7U& g) { SetSpreadCellReal(g, 1, 1, 0, QString(), 2.5); },
         QStringLiteral("2")},
        {"blank real", [](CSpread7U& g) { SetSpreadCellReal(g, 1, 1, 3, QString(), kBlankReal); }, QString()},
        {"blank real, any decimals", [](CSpread7U& g) { SetSpreadCellReal(g, 1, 1, 0, QString(), -9e32); },
         QString()},
        {"lat/long", [](CSpread7U& g) { SetSpreadCellLatLong(g, 1, 1, QString(), 35.5, DBL_MAX); },
         QStringLiteral("35.5000000")},
        {"blank lat/long", [](CSpread7U& g) { SetSpreadCellLatLong(g, 1, 1, QString(), DBL_MAX, DBL_MAX); },
         QString()},
    };
    for (const Case& c : cases) {
        SetSpreadCellText(*grid, 1, 1, QStringLiteral("before"));
        c.put(*grid);
        EXPECT_EQ(GetSpreadCellText(*grid, 1, 1), c.shown) << c.what;
    }
    EXPECT_EQ(IntToTextOrBlank(INT_MIN), QString());
    EXPECT_EQ(IntToTextOrBlank(0), QStringLiteral("0"));
    EXPECT_EQ(IntToTextOrBlank(INT_MAX), QStringLiteral("2147483647"));
}

TEST(SpreadCells, FirstColumnIntReadsGroupedNumbersAndEmptyAsBlank)
{
    std::unique_ptr<CSpread7U> grid(NewGrid());
    const struct
    {
        QString text;
        int value;
    } cases[] = {
        {QStringLiteral("1,234"), 1234}, {QString(), INT_MIN},       {QStringLiteral("-7"), -7},
        {QStringLiteral("12abc"), 12},   {QStringLiteral("abc"), 0},
    };
    for (const auto& c : cases) {
        SetSpreadCellText(*grid, 1, 2, c.text);
        SetSpreadCellText(*grid, 2, 2, QStringLiteral("99"));
        EXPECT_EQ(GetSpreadFirstColumnInt(*grid, 2), c.value) << c.text.toStdString();
    }
}

TEST(SpreadCells, ClearingABlockLeavesLockedCellsAndIgnoresReversedBlocks)
{
    std::unique_ptr<CSpread7U> grid(NewGrid());
    for (int col = 1; col <= 3; ++col)
        for (int row = 1; row <= 3; ++row)
            SetSpreadCellText(*grid, col, row, QStringLiteral("%1%2").arg(col).arg(row));
    grid->SetCol(2);
    grid->SetRow(2);
    grid->SetLock(true);

    ClearSpreadUnlockedCells(*grid, 3, 1, 1, 3);  // reversed columns
    ClearSpreadUnlockedCells(*grid, 1, 3, 3, 1);  // reversed rows
    EXPECT_EQ(GetSpreadCellText(*grid, 1, 1), QStringLiteral("11"));

    ClearSpreadUnlockedCells(*grid, 1, 1, 2, 3);
    EXPECT_EQ(GetSpreadCellText(*grid, 1, 1), QString());
    EXPECT_EQ(GetSpreadCellText(*grid, 2, 3), QString());
    EXPECT_EQ(GetSpreadCellText(*grid, 2, 2), QStringLiteral("22"));
    EXPECT_EQ(GetSpreadCellText(*grid, 3, 1), QStringLiteral("31"));
}

}  // namespace
