#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <cstdint>

#include "report/XlsxProperty.h"

// The members of CXlsxReport, one per family of workbook operations.

class CXlsxStart : public CXlsxBaseT
{
public:
    int StartFile() { return XlsxReportStartFile(m_handle); }
    int StartCreate(int version) { return XlsxReportStartCreate(m_handle, version); }
};

class CXlsxOut : public CXlsxBaseT
{
public:
    void Bind(XlsxHandle handle) override;
    int OutFileW(const QString& path, int mode) { return XlsxReportOutFileW(m_handle, path, mode); }
    int OutCancel() { return XlsxReportOutCancel(m_handle); }
    CXlsxProperty<int> IsPrint;
};

class CXlsxPageAttr : public CXlsxBaseT
{
public:
    void Bind(XlsxHandle handle) override;
    CXlsxProperty<int> Center, PageOrder;
};

class CXlsxPage : public CXlsxBaseT
{
public:
    void Bind(XlsxHandle handle) override;
    int PageBeginW(const QString& name, const QString& mode)
    {
        return XlsxReportPageBeginW(m_handle, name, mode);
    }
    int PageNameW(const QString& name) { return XlsxReportPageNameW(m_handle, name); }
    int PageEnd() { return XlsxReportPageEnd(m_handle); }
    int PageTotalCount() { return XlsxReportPageTotalCount(m_handle); }
    int PageStart(int first, int rows) { return XlsxReportPageStart(m_handle, first, rows); }
    int PageNext(int pageBreak) { return XlsxReportPageNext(m_handle, pageBreak); }
    int PageAttrPrintArea(int c0, int r0, int c1, int r1)
    {
        return XlsxReportPageAttrPrintArea(m_handle, c0, r0, c1, r1);
    }
    int PageAttrMargin(double l, double r, double t, double b, double h, double f)
    {
        return XlsxReportPageAttrMargin(m_handle, l, r, t, b, h, f);
    }
    int PageAttrSize(int mode, int scale, int paper)
    {
        return XlsxReportPageAttrSize(m_handle, mode, scale, paper);
    }
    CXlsxPageAttr attr;
};

// Viewer options of the workbook, in the library's order. Only ExcelMode, DefaultCellW and
// ProgressDialog are used; DefaultCell(W) sets the active cell of the sheets, the others are stored.
class CXlsxOption : public CXlsxBaseT
{
public:
    void Bind(XlsxHandle handle) override;
    CXlsxProperty<QVariant> ExcelMode, DoubleMode, ViewCaption, ViewCaptionW, ViewZoom, ViewPage, ScaleMode,
        DspInvalidArea, DspMarginArea, ProgressDialog, OverFit, ViewSaveEnable, ViewPrintEnable, SaveName,
        SaveNameW, PrintType, ViewMinimizeBox, KeyWord, KeyWordW, ViewSaveButtonHide, ViewPrintButtonHide,
        ViewPrevButtonHide, ViewNextButtonHide, ViewZoomButtonHide, ViewCloseButtonHide, DefaultSheet,
        DefaultCell, DefaultCellW, SaveMessage, SaveMessageW, DocumentName, ReplaceYenSign;
};

class CXlsxPrinter : public CXlsxBaseT
{
public:
    void Bind(XlsxHandle handle) override;
    CXlsxProperty<int> PrintQuality, ColorMode, Duplex, Copies;
};

class CXlsxDrawingT : public CXlsxBaseT
{
public:
    void Bind(XlsxHandle handle) override;
    int DrawingAddImageW(const QString& file, double x, double y, double a, double b, double width,
                         double height)
    {
        return XlsxReportDrawingAddImageW(m_handle, file, x, y, a, b, width, height);
    }
    int DrawingAddTextBoxW(const QString& text, double x, double y, double a, double b, double width,
                           double height)
    {
        return XlsxReportDrawingAddTextBoxW(m_handle, 5, text, x, y, a, b, width, height);
    }
    CXlsxProperty<std::uint32_t> LineColor, FillColor, FontColor;
    CXlsxProperty<double> LineWeight, FontPoint, TextMargin;
    CXlsxProperty<int> LineStyle, ArrowTypeS, ArrowTypeE, FontStyle, FontULine, TextAnchor, TextVertical,
        TextAlign;
    CXlsxProperty<QByteArray> FontName;
    CXlsxProperty<QString> FontNameW;
};

class CXlsxAttr : public CXlsxBaseT
{
public:
    void Bind(XlsxHandle handle) override;
    CXlsxProperty<QByteArray> Format, FontName;
    CXlsxProperty<QString> FormatW, FontNameW;
    CXlsxProperty<double> FontPoint;
    CXlsxProperty<std::uint32_t> FontColor, ForeColor, BackColor;
    CXlsxProperty<int> FontStyle, FontULine, Pattern, PosHorz, PosVert, PosTurn, OverReturn, Fit, Joint;
};

// The value of the chosen cell. Each put gives its value back (so that puts can be chained) and keeps
// the library's answer for Failed().
class CXlsxCellValue : public CXlsxBaseT
{
public:
    QByteArray PutValueString(const QByteArray& cp932Text);
    QString PutValueStringW(const QString& text);
    double PutValueDouble(double value);
    std::int32_t PutValueLong(std::int32_t value);
    // The last put was refused by the library (or came before Create).
    bool Failed() const { return m_failed; }

private:
    bool m_failed = false;
};

// The cell chosen by CXlsxReport::Cell: its value, sizes, format and drawings.
class CXlsxCell : public CXlsxBaseT
{
public:
    void Bind(XlsxHandle handle) override;
    QString PutValueStringW(const QString& text) { return value.PutValueStringW(text); }
    QByteArray PutValueString(const QByteArray& text) { return value.PutValueString(text); }
    double PutValueDouble(double v) { return value.PutValueDouble(v); }
    std::int32_t PutValueLong(std::int32_t v) { return value.PutValueLong(v); }

    CXlsxCellValue value;
    CXlsxProperty<double> ColWidth, RowHeight;
    CXlsxProperty<int> Break, AttrNo;
    CXlsxBaseT canvas;
    CXlsxAttr attr;
    CXlsxDrawingT drawing;
};
