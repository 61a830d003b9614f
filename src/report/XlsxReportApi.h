#pragma once

// The workbook operations as the report writers call them: a handle first, then the arguments, nonzero
// for success. They put the program's texts (QString) onto the workbook library (xlsx::Book, UTF-8).
// Every operation on a null handle does nothing and returns 0.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <map>

#include "xlsx/Book.h"

// One workbook: the library's book and the viewer options, which are stored but have no effect on
// the file (the program shows no workbook viewer of its own).
struct XlsxWorkbook
{
    xlsx::Book book;
    std::map<QString, QVariant> options;
    std::map<QString, int> printer;
    void (*errorProc)(int, void*) = nullptr;
    void (*progressProc)(int, int, int, int, void*) = nullptr;
    void* user = nullptr;
};
using XlsxHandle = XlsxWorkbook*;

int XlsxReportCreate(XlsxHandle* out);
int XlsxReportRelease(XlsxHandle h);
int XlsxReportSetOnErrorProc(XlsxHandle h, void (*proc)(int, void*), void* user);
// Progress is never reported: a workbook is written in one step.
int XlsxReportSetOnProgressProc(XlsxHandle h, void (*proc)(int, int, int, int, void*), void* user);
int XlsxReportPutFileNameW(XlsxHandle h, const QString& path);
int XlsxReportPutFileName(XlsxHandle h, const QByteArray& cp932Path);
int XlsxReportGetErrorNo(XlsxHandle h);
QString XlsxReportGetErrorMessageW(XlsxHandle h);

int XlsxReportStartFile(XlsxHandle h);
int XlsxReportStartCreate(XlsxHandle h, int version);
int XlsxReportOutFileW(XlsxHandle h, const QString& path, int mode);
int XlsxReportOutCancel(XlsxHandle h);
int XlsxReportOutGetIsPrint(XlsxHandle h);

int XlsxReportPageBeginW(XlsxHandle h, const QString& name, const QString& mode);
int XlsxReportPageBegin(XlsxHandle h, const QByteArray& cp932Name, const QByteArray& mode);
int XlsxReportPageNameW(XlsxHandle h, const QString& name);
int XlsxReportPageEnd(XlsxHandle h);
int XlsxReportPageTotalCount(XlsxHandle h);
int XlsxReportPageStart(XlsxHandle h, int first, int rows);
int XlsxReportPageNext(XlsxHandle h, int pageBreak);
int XlsxReportPageAttrPrintArea(XlsxHandle h, int c0, int r0, int c1, int r1);
int XlsxReportPageAttrMargin(XlsxHandle h, double left, double right, double top, double bottom,
                             double header, double footer);
int XlsxReportPageAttrSize(XlsxHandle h, int mode, int scale, int paper);
int XlsxReportPageAttrPutCenter(XlsxHandle h, int mode);
int XlsxReportPageAttrPutPageOrder(XlsxHandle h, int order);

int XlsxReportCellW(XlsxHandle h, const QString& reference, int, int);
int XlsxReportCell(XlsxHandle h, const QByteArray& cp932Reference, int, int);
int XlsxReportPutValueStringW(XlsxHandle h, const QString& text);
int XlsxReportPutValueString(XlsxHandle h, const QByteArray& cp932Text);
int XlsxReportPutValueDouble(XlsxHandle h, double value);
int XlsxReportPutValueLong(XlsxHandle h, std::int32_t value);
int XlsxReportPutColWidth(XlsxHandle h, double characters);
int XlsxReportPutRowHeight(XlsxHandle h, double points);
int XlsxReportPutBreak(XlsxHandle h, int on);
int XlsxReportPutAttrNo(XlsxHandle h, int xf);
int XlsxReportGetAttrNo(XlsxHandle h);

int XlsxReportAttrPutFormatW(XlsxHandle h, const QString& code);
int XlsxReportAttrPutFontNameW(XlsxHandle h, const QString& name);
int XlsxReportAttrPutFontPoint(XlsxHandle h, double point);
int XlsxReportAttrPutFontColor(XlsxHandle h, std::uint32_t colour);
int XlsxReportAttrPutFontStyle(XlsxHandle h, int style);
int XlsxReportAttrPutFontULine(XlsxHandle h, int kind);
int XlsxReportAttrPutPattern(XlsxHandle h, int pattern);
int XlsxReportAttrPutForeColor(XlsxHandle h, std::uint32_t colour);
int XlsxReportAttrPutBackColor(XlsxHandle h, std::uint32_t colour);
int XlsxReportAttrPutPosHorz(XlsxHandle h, int code);
int XlsxReportAttrPutPosVert(XlsxHandle h, int code);
int XlsxReportAttrPutPosTurn(XlsxHandle h, int degrees);
int XlsxReportAttrPutOverReturn(XlsxHandle h, int on);
int XlsxReportAttrPutFit(XlsxHandle h, int on);
int XlsxReportAttrPutJoint(XlsxHandle h, int on);
int XlsxReportAttrPutBox(XlsxHandle h, std::uint32_t kind, int inner, std::uint32_t colour);

int XlsxReportDrawingAddImageW(XlsxHandle h, const QString& file, double x, double y, double, double,
                               double width, double height);
int XlsxReportDrawingAddTextBoxW(XlsxHandle h, int shape, const QString& text, double x, double y, double,
                                 double, double width, double height);
// The pending properties of the next text box (see xlsx::Book for the codes).
int XlsxReportDrawingPutLineColor(XlsxHandle h, std::uint32_t colour);
int XlsxReportDrawingPutLineWeight(XlsxHandle h, double points);
int XlsxReportDrawingPutLineStyle(XlsxHandle h, int style);
int XlsxReportDrawingPutArrowTypeS(XlsxHandle h, int type);
int XlsxReportDrawingPutArrowTypeE(XlsxHandle h, int type);
int XlsxReportDrawingPutFillColor(XlsxHandle h, std::uint32_t colour);
int XlsxReportDrawingPutFontNameW(XlsxHandle h, const QString& name);
int XlsxReportDrawingPutFontPoint(XlsxHandle h, double point);
int XlsxReportDrawingPutFontColor(XlsxHandle h, std::uint32_t colour);
int XlsxReportDrawingPutFontStyle(XlsxHandle h, int style);
int XlsxReportDrawingPutFontULine(XlsxHandle h, int kind);
int XlsxReportDrawingPutTextAnchor(XlsxHandle h, int anchor);
int XlsxReportDrawingPutTextVertical(XlsxHandle h, int on);
int XlsxReportDrawingPutTextAlign(XlsxHandle h, int align);
int XlsxReportDrawingPutTextMargin(XlsxHandle h, double millimetres);

// Printer settings: PrintQuality (dots per inch), ColorMode (1 monochrome, 2 colour), Copies go into
// every sheet's page setup; Duplex is only stored.
int XlsxReportPrinterPut(XlsxHandle h, const QString& name, int value);
int XlsxReportPrinterGet(XlsxHandle h, const QString& name);
// Viewer options, stored by name; DefaultCell and DefaultCellW also set every sheet's active cell.
int XlsxReportOptionPut(XlsxHandle h, const QString& name, const QVariant& value);
QVariant XlsxReportOptionGet(XlsxHandle h, const QString& name);
