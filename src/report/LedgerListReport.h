#pragma once

#include "report/ListReportWriter.h"

// The ledger list workbook: the sheet "写真台帳設定一覧" with one row per photo placed on a location
// map, in the map's entry order (number, picture, date, time, ledger comment, position, direction and
// file names), seven rows a page after the header. An entry whose photo has left the project keeps its
// row with the number alone.
class LedgerListReport : public ListReportWriter
{
public:
    LedgerListReport(const Project* project, ReportPhotoSource* photos, int mapIndex);

    static QString SheetName() { return QStringLiteral("写真台帳設定一覧"); }
    static QString CheckSheetName() { return QStringLiteral("写真台帳リスト"); }

    // Writes the workbook (see ListReportWriter::Write); a map index outside the project's maps fails.
    int WriteLedgerList();
    int WriteBook() override { return WriteLedgerList(); }

protected:
    int WriteSheet() override;
    void FormatListPage(int lastRow) override;

private:
    int m_mapIndex = -1;
};
