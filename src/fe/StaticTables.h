#pragma once

#include <QString>
#include <QStringList>

// Fixed texts that several screens and outputs share.
namespace fe::tables {

// Zone numerals by plane rectangular zone number 0–19 ("なし" for 0, "Ⅰ" … "ⅩⅨ").
const QStringList& ZoneNumerals();
// The numeral of a zone; an empty text outside 0–19.
QString ZoneNumeral(int zone);

// Value names "File1" … "File10" of the recent-file list in the profile section kRecentFileSection.
inline constexpr char kRecentFileSection[] = "Recent File List";
const QStringList& RecentFileKeys();

// Column titles of the photo list grid (9), the photo ledger grid (6) and the reservoir survey grid (5);
// "\n" breaks a header cell into lines.
const QStringList& PhotoListColumnTitles();
const QStringList& LedgerColumnTitles();
const QStringList& ReservoirColumnTitles();

// The file filter label of the DXF output dialog.
QString DxfFilterLabel();

// Replaces the picture's dot and extension in the name of the registration file of a background
// picture made from a CAD drawing.
QString CadRegistrationSuffix();

// The no-data value the shapefile writer puts in its headers: (−10)^38, an even power, so +1e38.
inline constexpr double kShapeNoData = 1e38;

}  // namespace fe::tables
