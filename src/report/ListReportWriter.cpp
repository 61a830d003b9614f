#include "report/ListReportWriter.h"

#include "fe/PumpMessages.h"

QString ListReportResultText(int result)
{
    switch (result) {
    case kListWritten:
    case kListDone:
        return {};
    case kListFailed:
        return QStringLiteral("Excel出力に失敗しました。");
    case kListCancelled:
        return QStringLiteral("Excel出力がキャンセルされました。");
    default:
        return QStringLiteral("Excel出力:処理値が異常です。");
    }
}

ListReportWriter::ListReportWriter(const Project* project, ReportPhotoSource* photos, double high,
                                   double standard)
    : CExcelReportWriter(project ? photos : nullptr), m_project(project)
{
    highSize = high;
    standardSize = standard;
}

int ListReportWriter::Write(const QString& checkSheet, int steps)
{
    int result = kListFailed;
    if (m_project && m_document) {
        if (!CanWriteFile(fileName, checkSheet))
            return kListFailed;  // the pre-check's own text names the file
        // A workbook that cannot be started after a good pre-check stops the run with the engine's text.
        if (StartNewWorkbook() != 0)
            return kListFailed;
        OpenProgress(steps);
        result = WriteSheet();
        CloseProgress();
    }
    if (result != kListWritten && result != kListDone)
        errorText = ListReportResultText(result);
    return result;
}

bool ListReportWriter::StopAsked()
{
    PumpMessages();
    return Cancelled();
}

void ListReportWriter::StepDone()
{
    PumpMessages();
    if (Progress())
        Progress()->Advance();
    PumpMessages();
}

void ListReportWriter::BeginSheet(const QString& name, int orientation)
{
    CXlsxReport& report = *Report();
    (void)report.page.PageBeginW(name, QStringLiteral("1"));
    (void)report.page.PageAttrMargin(24, 10, 19, 14, 8, 5);
    report.printer.PrintQuality = 600;
    (void)report.page.PageAttrSize(orientation, 100, 9);
}

void ListReportWriter::SetColumnWidths(std::initializer_list<std::pair<const char*, double>> widths)
{
    for (const auto& [columns, width] : widths)
        Report()->Cell(QString::fromLatin1(columns)).ColWidth = width;
}

void ListReportWriter::SetRowHeight(int row, double points)
{
    Report()->Cell(QString::number(row)).RowHeight = points;
}

void ListReportWriter::PosHorz(const QString& range, int code)
{
    Report()->Cell(range).attr.PosHorz = code;
}

void ListReportWriter::PosVert(const QString& range, int code)
{
    Report()->Cell(range).attr.PosVert = code;
}

void ListReportWriter::Wrap(const QString& range)
{
    Report()->Cell(range).attr.OverReturn = 1;
}

void ListReportWriter::FontPoint(const QString& range, double points)
{
    Report()->Cell(range).attr.FontPoint = points;
}

void ListReportWriter::PutNumberFormat(const QString& cell, const char* format)
{
    Report()->Cell(cell).attr.Format = QByteArray(format);
}

int ListReportWriter::NextListRow()
{
    if (m_pageRows == 0) {
        m_pageRows = kListRowsPerPage + 1;  // the header page, row 1 written
    } else if (m_pageClosed) {
        (void)Report()->page.PageStart(1, -1);
        m_row = 0;
        m_pageRows = kListRowsPerPage;
        m_pageClosed = false;
        m_firstPage = false;
    }
    return ++m_row;
}

void ListReportWriter::EndListRow()
{
    if (m_row % m_pageRows == 0)
        CloseListPage();
}

void ListReportWriter::FinishListPages()
{
    if (!m_pageClosed)
        CloseListPage();
}

void ListReportWriter::FormatListPage(int) {}

void ListReportWriter::CloseListPage()
{
    FormatListPage(m_row);
    (void)Report()->page.PageNext(1);
    m_pageClosed = true;
}

int ListReportWriter::Finish()
{
    (void)Report()->page.PageEnd();
    return OutputFile(fileName) == 0 ? kListWritten : kListFailed;
}

int ListReportWriter::Cancel()
{
    (void)Report()->page.PageEnd();
    return kListCancelled;
}
