#pragma once

#include "report/ListReportWriter.h"

// The photo list workbook: the sheet "撮影写真リスト" with one row per project photo in the project's
// order (number, picture, latitude, longitude, direction, date, time and file names), seven rows a
// page after the header. In the plane layout (view mode 2 with a current map that has a plane zone) the
// placed photos also get their plane coordinates X and Y.
class PhotoListReport : public ListReportWriter
{
public:
    PhotoListReport(const Project* project, ReportPhotoSource* photos);

    // The view mode the list follows: 0 site overview (the number column counts the photos), 1 to 3 a
    // location map (the number column shows the photo's number on the current map).
    int viewMode = 0;
    // Index of the current location map in the project's maps, -1 for none.
    int currentMap = -1;

    static QString BookName() { return QStringLiteral("撮影写真リスト"); }

    // Writes the workbook (see ListReportWriter::Write).
    int WritePhotoList();
    int WriteBook() override { return WritePhotoList(); }

protected:
    int WriteSheet() override;
    void FormatListPage(int lastRow) override;

private:
    struct Layout;
    void WriteHeader(const Layout& layout);
    void WriteRow(const Layout& layout, int row, int ordinal, int photoIndex);

    QString m_lastColumn;  // I, or K in the plane layout
};
