#pragma once

#include <QByteArray>
#include <QString>

#include "report/XlsxMembers.h"

// The program's handle on one workbook: created, used for the sheets of that workbook, released and
// deleted. Its members bind the workbook operations so that a writer can write
// report->Cell("C3").PutValueStringW(text) or report->option.ExcelMode = 1 without passing the handle.
// Before Create every put does nothing and returns its value.
class CXlsxReport
{
public:
    CXlsxReport() = default;
    CXlsxReport(const CXlsxReport&) = delete;
    CXlsxReport& operator=(const CXlsxReport&) = delete;
    virtual ~CXlsxReport();

    // Called with the library's error number after every operation it refused (once the refusal is noted
    // for Refusal, so the message is the library's own).
    virtual void OnError(int /*errorNo*/) {}
    virtual void OnProgress(int, int, int, int) {}

    // Releases a held handle, makes a new one and binds every member to it (also when the library
    // refused, with a null handle). Nonzero when the handle was made.
    [[nodiscard]] int Create();
    // Chooses a cell by reference or placeholder text; the cell member then acts on it.
    CXlsxCell& Cell(const QString& reference);
    // Releases the handle; the report can be created again.
    void Release();
    XlsxHandle Handle() const { return m_handle; }
    // The library's message for the first operation it refused since Create, empty while it took every
    // one. Choosing a template field ("**" and its name, the whole text of a cell) that the sheet does
    // not hold is no refusal, and neither are the puts into that missing cell up to the next choice: a
    // template may leave out any of its fields. Any other choice that finds no cell is refused.
    const QString& Refusal() const { return m_refusal; }

    CXlsxProperty<QByteArray> FileName;  // in the system code page
    CXlsxProperty<QString> FileNameW;
    CXlsxProperty<int> ErrorNo;
    CXlsxProperty<QByteArray> ErrorMessage;  // at most 255 bytes
    CXlsxProperty<QString> ErrorMessageW;    // at most 255 characters

    CXlsxStart start;
    CXlsxOut out;
    CXlsxPage page;
    CXlsxOption option;
    CXlsxPrinter printer;
    CXlsxCell cell;

    static void ErrorProc(int errorNo, void* user);
    static void ProgressProc(int a, int b, int c, int d, void* user);

private:
    void NoteRefusal(int errorNo);

    XlsxHandle m_handle = nullptr;
    QString m_refusal;
    bool m_choosingField = false;  // inside Cell(), choosing a template field
    bool m_fieldMissing = false;   // the last choice was a field the sheet does not hold
};
