#pragma once

#include <vector>

#include "model/PhotoRecord.h"
#include "report/ListReportWriter.h"

// The photo set workbook: the sheet "撮影写真一式" with the given photos as cards of six rows (number,
// picture, latitude, longitude, shot date and time, stored file name), four cards side by side in
// columns B to E and five bands of cards, twenty photos, a page.
class PhotoSetReport : public ListReportWriter
{
public:
    // `photos` are the records to write, in their order (a copy: the caller's list may change later).
    PhotoSetReport(const Project* project, ReportPhotoSource* source, std::vector<PhotoRecord> photos);

    static QString BookName() { return QStringLiteral("撮影写真一式"); }

    // Writes the workbook (see ListReportWriter::Write).
    int WritePhotoSet();
    int WriteBook() override { return WritePhotoSet(); }

protected:
    int WriteSheet() override;

private:
    void WriteCard(int n, int band, int column);
    void FinishBand(int band, bool rowHeights);

    std::vector<PhotoRecord> m_photos;
};
