#pragma once

#include <QSize>
#include <QString>

// Pictures on sheets are measured in millimetres and rendered in pixels at 96 dots per inch; the
// inch is taken as the single-precision 25.4 that the sheet layouts were made with.
constexpr double kReportMmPerInch = 25.399999618530273;
constexpr double kReportMmPerPixel = 0.26458333333333334;

inline double MmToPixels(double mm)
{
    return mm / kReportMmPerInch * 96;
}
inline double PixelsToMm(double px)
{
    return px / 96 * kReportMmPerInch;
}

// The size of the given aspect that fits the box: the full box height when the box is relatively
// wider than the picture, else the full box width; the other side truncated and clamped to the box.
// An empty picture or box gives 0 × 0.
QSize FitSizeInBox(int width, int height, int boxWidth, int boxHeight);

// Degrees as degrees, minutes and seconds: "35°30′0.00″". Seconds are rounded to hundredths first and
// carried, so 60 seconds or 60 minutes never show; a negative value gets a leading '-'.
QString FormatDms(double degrees);

// The workbook path for a file name in a folder: a '/' between them when needed, and ".xlsx" added
// unless the extension is exactly "xlsx" (so "book.XLSX" becomes "book.XLSX.xlsx").
QString ReportOutputPath(const QString& folder, const QString& fileName);
// The file name as messages show it: with ".xlsx" unless its extension is exactly "xlsx".
QString ReportShownFileName(const QString& fileName);
