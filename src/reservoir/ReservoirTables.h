#pragma once

#include <QString>
#include <array>

// The eight tables of the reservoir deterioration survey, in table-index order: what the survey dialog
// shows on each tab and what the survey workbook writes on each photo sheet.
struct ReservoirTable
{
    QString tab;           // the tab label, "表1" … "表7"
    QString caption;       // the table's title above the tabs
    QString pictureTitle;  // the title of the table's drawing; empty for tables without one
    QString photoSheet;    // the template sheet listing the table's photos

    bool HasPicture() const { return !pictureTitle.isEmpty(); }
};

inline constexpr int kReservoirTableCount = 8;

// All eight tables; index k describes table index k.
const std::array<ReservoirTable, kReservoirTableCount>& ReservoirTables();
// Table `index` (0 to 7); the first table for any other index.
const ReservoirTable& ReservoirTableAt(int index);
