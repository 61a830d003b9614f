#pragma once

#include <QString>
#include <initializer_list>
#include <utility>

#include "report/ExcelReportWriter.h"

struct Project;

// Pictures of the list rows and cards are anchored this many millimetres right and down in their cell.
inline constexpr double kListPictureOffset = 1.0;
// A list's first page holds the header and this many rows; every later page holds as many.
inline constexpr int kListRowsPerPage = 7;

// How a list workbook run ended; 0 and 3 count as success.
enum ListReportResult : int
{
    kListWritten = 0,
    kListFailed = 1,
    kListCancelled = 2,
    kListDone = 3,
};

// The text shown for a run that did not succeed: "Excel出力に失敗しました。" for 1, the cancel text for
// 2, a text for values that should not occur; empty for 0 and 3.
QString ListReportResultText(int result);

// The common frame of the single-sheet list workbooks (photo list, photo set, ledger list): a new
// workbook without template written to folder + fileName + ".xlsx", a pre-check that the target can be
// written (which writes nothing there), the progress window, the sheet, and the result turned into the
// error text. Derived writers supply the sheet. The project must not change while a run lasts.
class ListReportWriter : public CExcelReportWriter
{
public:
    // The pictures of list rows are small: highSize and standardSize are the writer's own.
    ListReportWriter(const Project* project, ReportPhotoSource* photos, double high, double standard);

    // Checks the target, starts the workbook, opens the progress window with `steps` and writes the
    // sheet. Returns a ListReportResult; for anything but success errorText says why.
    int Write(const QString& checkSheet, int steps);
    // The whole workbook of the derived writer: Write with its pre-check sheet and steps.
    virtual int WriteBook() = 0;

protected:
    // Writes the sheet and the file; returns a ListReportResult.
    virtual int WriteSheet() = 0;

    // Lets events through and tells whether the user asked to stop.
    bool StopAsked();
    // One finished step of the progress window, with events let through around it.
    void StepDone();
    // Begins the sheet with the list layout: margins, print quality and A4 in the given orientation
    // (0 landscape, 2 portrait).
    void BeginSheet(const QString& name, int orientation);
    void SetColumnWidths(std::initializer_list<std::pair<const char*, double>> widths);
    void SetRowHeight(int row, double points);
    // Attribute puts on a cell or range.
    void PosHorz(const QString& range, int code);
    void PosVert(const QString& range, int code);
    void Wrap(const QString& range);
    void FontPoint(const QString& range, double points);
    void PutNumberFormat(const QString& cell, const char* format);
    // Rows of the row lists (photo list, ledger list), counted within the page block: the header page
    // holds the header and kListRowsPerPage rows, later pages kListRowsPerPage rows. NextListRow gives
    // the row to write, opening the next page block when the last row filled a page; EndListRow closes
    // the page the row filled; FinishListPages closes a page left open (row 1 alone for an empty list).
    int NextListRow();
    void EndListRow();
    void FinishListPages();
    bool OnFirstListPage() const { return m_firstPage; }
    // Formats the page block's rows 1 to lastRow (the derived list's frames and alignment).
    virtual void FormatListPage(int lastRow);

    // The sheet ends and the workbook is written; a ListReportResult.
    int Finish();
    // A cancelled run: the sheet ends and nothing is written.
    int Cancel();

    const Project* m_project = nullptr;

private:
    void CloseListPage();

    int m_row = 1;
    int m_pageRows = 0;
    bool m_pageClosed = false;
    bool m_firstPage = true;
};

