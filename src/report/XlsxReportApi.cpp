#include "report/XlsxReportApi.h"

#include "fe/Cp932.h"

namespace {

std::string Utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

}  // namespace

int XlsxReportCreate(XlsxHandle* out)
{
    if (!out)
        return 0;
    *out = new XlsxWorkbook;
    XlsxHandle h = *out;
    h->book.SetOnError([h](int code) {
        if (h->errorProc)
            h->errorProc(code, h->user);
    });
    return 1;
}

int XlsxReportRelease(XlsxHandle h)
{
    delete h;
    return h ? 1 : 0;
}

int XlsxReportSetOnErrorProc(XlsxHandle h, void (*proc)(int, void*), void* user)
{
    if (!h)
        return 0;
    h->errorProc = proc;
    h->user = user;
    return 1;
}

int XlsxReportSetOnProgressProc(XlsxHandle h, void (*proc)(int, int, int, int, void*), void* user)
{
    if (!h)
        return 0;
    h->progressProc = proc;
    h->user = user;
    return 1;
}

int XlsxReportPutFileNameW(XlsxHandle h, const QString& path)
{
    if (!h)
        return 0;
    h->book.PutFileName(Utf8(path));
    return 1;
}

int XlsxReportPutFileName(XlsxHandle h, const QByteArray& cp932Path)
{
    return XlsxReportPutFileNameW(h, fe::FromCp932(cp932Path));
}

int XlsxReportGetErrorNo(XlsxHandle h)
{
    return h ? h->book.ErrorNo() : 0;
}

QString XlsxReportGetErrorMessageW(XlsxHandle h)
{
    return h ? QString::fromStdString(h->book.ErrorMessage()) : QString();
}

int XlsxReportStartFile(XlsxHandle h)
{
    return h ? h->book.StartFile() : 0;
}
int XlsxReportStartCreate(XlsxHandle h, int version)
{
    return h ? h->book.StartCreate(version) : 0;
}
int XlsxReportOutFileW(XlsxHandle h, const QString& path, int mode)
{
    return h ? h->book.OutFile(Utf8(path), mode) : 0;
}

int XlsxReportOutCancel(XlsxHandle h)
{
    if (!h)
        return 0;
    h->book.OutCancel();
    return 1;
}

int XlsxReportOutGetIsPrint(XlsxHandle)
{
    return 0;
}

int XlsxReportPageBeginW(XlsxHandle h, const QString& name, const QString& mode)
{
    return h ? h->book.PageBegin(Utf8(name), Utf8(mode)) : 0;
}
int XlsxReportPageBegin(XlsxHandle h, const QByteArray& cp932Name, const QByteArray& mode)
{
    return XlsxReportPageBeginW(h, fe::FromCp932(cp932Name), fe::FromCp932(mode));
}
int XlsxReportPageNameW(XlsxHandle h, const QString& name)
{
    return h ? h->book.PageName(Utf8(name)) : 0;
}
int XlsxReportPageEnd(XlsxHandle h)
{
    return h ? h->book.PageEnd() : 0;
}
int XlsxReportPageTotalCount(XlsxHandle h)
{
    return h ? h->book.PageTotalCount() : 0;
}
int XlsxReportPageStart(XlsxHandle h, int first, int rows)
{
    return h ? h->book.PageStart(first, rows) : 0;
}
int XlsxReportPageNext(XlsxHandle h, int pageBreak)
{
    return h ? h->book.PageNext(pageBreak) : 0;
}
int XlsxReportPageAttrPrintArea(XlsxHandle h, int c0, int r0, int c1, int r1)
{
    return h ? h->book.PageAttrPrintArea(c0, r0, c1, r1) : 0;
}
int XlsxReportPageAttrMargin(XlsxHandle h, double left, double right, double top, double bottom,
                             double header, double footer)
{
    return h ? h->book.PageAttrMargin(left, right, top, bottom, header, footer) : 0;
}
int XlsxReportPageAttrSize(XlsxHandle h, int mode, int scale, int paper)
{
    return h ? h->book.PageAttrSize(mode, scale, paper) : 0;
}
int XlsxReportPageAttrPutCenter(XlsxHandle h, int mode)
{
    return h ? h->book.PageAttrCenter(mode) : 0;
}
int XlsxReportPageAttrPutPageOrder(XlsxHandle h, int order)
{
    return h ? h->book.PageAttrPageOrder(order) : 0;
}

int XlsxReportCellW(XlsxHandle h, const QString& reference, int, int)
{
    return h ? h->book.Cell(Utf8(reference)) : 0;
}
int XlsxReportCell(XlsxHandle h, const QByteArray& cp932Reference, int, int)
{
    return XlsxReportCellW(h, fe::FromCp932(cp932Reference), 0, 0);
}
int XlsxReportPutValueStringW(XlsxHandle h, const QString& text)
{
    return h ? h->book.PutValueString(Utf8(text)) : 0;
}
int XlsxReportPutValueString(XlsxHandle h, const QByteArray& cp932Text)
{
    return XlsxReportPutValueStringW(h, fe::FromCp932(cp932Text));
}
int XlsxReportPutValueDouble(XlsxHandle h, double value)
{
    return h ? h->book.PutValueDouble(value) : 0;
}
int XlsxReportPutValueLong(XlsxHandle h, std::int32_t value)
{
    return h ? h->book.PutValueLong(value) : 0;
}
int XlsxReportPutColWidth(XlsxHandle h, double characters)
{
    return h ? h->book.PutColWidth(characters) : 0;
}
int XlsxReportPutRowHeight(XlsxHandle h, double points)
{
    return h ? h->book.PutRowHeight(points) : 0;
}
int XlsxReportPutBreak(XlsxHandle h, int on)
{
    return h ? h->book.PutBreak(on) : 0;
}
int XlsxReportPutAttrNo(XlsxHandle h, int xf)
{
    return h ? h->book.PutAttrNo(xf) : 0;
}
int XlsxReportGetAttrNo(XlsxHandle h)
{
    return h ? h->book.GetAttrNo() : 0;
}

int XlsxReportAttrPutFormatW(XlsxHandle h, const QString& code)
{
    return h ? h->book.AttrPutFormat(Utf8(code)) : 0;
}
int XlsxReportAttrPutFontNameW(XlsxHandle h, const QString& name)
{
    return h ? h->book.AttrPutFontName(Utf8(name)) : 0;
}
int XlsxReportAttrPutFontPoint(XlsxHandle h, double point)
{
    return h ? h->book.AttrPutFontPoint(point) : 0;
}
int XlsxReportAttrPutFontColor(XlsxHandle h, std::uint32_t colour)
{
    return h ? h->book.AttrPutFontColor(colour) : 0;
}
int XlsxReportAttrPutFontStyle(XlsxHandle h, int style)
{
    return h ? h->book.AttrPutFontStyle(style) : 0;
}
int XlsxReportAttrPutFontULine(XlsxHandle h, int kind)
{
    return h ? h->book.AttrPutFontULine(kind) : 0;
}
int XlsxReportAttrPutPattern(XlsxHandle h, int pattern)
{
    return h ? h->book.AttrPutPattern(pattern) : 0;
}
int XlsxReportAttrPutForeColor(XlsxHandle h, std::uint32_t colour)
{
    return h ? h->book.AttrPutForeColor(colour) : 0;
}
int XlsxReportAttrPutBackColor(XlsxHandle h, std::uint32_t colour)
{
    return h ? h->book.AttrPutBackColor(colour) : 0;
}
int XlsxReportAttrPutPosHorz(XlsxHandle h, int code)
{
    return h ? h->book.AttrPutPosHorz(code) : 0;
}
int XlsxReportAttrPutPosVert(XlsxHandle h, int code)
{
    return h ? h->book.AttrPutPosVert(code) : 0;
}
int XlsxReportAttrPutPosTurn(XlsxHandle h, int degrees)
{
    return h ? h->book.AttrPutPosTurn(degrees) : 0;
}
int XlsxReportAttrPutOverReturn(XlsxHandle h, int on)
{
    return h ? h->book.AttrPutOverReturn(on) : 0;
}
int XlsxReportAttrPutFit(XlsxHandle h, int on)
{
    return h ? h->book.AttrPutFit(on) : 0;
}
int XlsxReportAttrPutJoint(XlsxHandle h, int on)
{
    return h ? h->book.AttrPutJoint(on) : 0;
}
int XlsxReportAttrPutBox(XlsxHandle h, std::uint32_t kind, int inner, std::uint32_t colour)
{
    return h ? h->book.AttrPutBox(kind, inner, colour) : 0;
}

int XlsxReportDrawingAddImageW(XlsxHandle h, const QString& file, double x, double y, double a, double b,
                               double width, double height)
{
    return h ? h->book.DrawingAddImage(Utf8(file), x, y, a, b, width, height) : 0;
}
int XlsxReportDrawingAddTextBoxW(XlsxHandle h, int shape, const QString& text, double x, double y, double a,
                                 double b, double width, double height)
{
    return h ? h->book.DrawingAddTextBox(shape, Utf8(text), x, y, a, b, width, height) : 0;
}

namespace {

template <typename Set>
int Pending(XlsxHandle h, Set set)
{
    if (!h)
        return 0;
    set(h->book.PendingDrawing());
    return 1;
}

}  // namespace

int XlsxReportDrawingPutLineColor(XlsxHandle h, std::uint32_t c)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.lineColor = c; });
}
int XlsxReportDrawingPutLineWeight(XlsxHandle h, double w)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.lineWeight = w; });
}
int XlsxReportDrawingPutLineStyle(XlsxHandle h, int s)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.lineStyle = s; });
}
int XlsxReportDrawingPutArrowTypeS(XlsxHandle h, int t)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.arrowStart = t; });
}
int XlsxReportDrawingPutArrowTypeE(XlsxHandle h, int t)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.arrowEnd = t; });
}
int XlsxReportDrawingPutFillColor(XlsxHandle h, std::uint32_t c)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.fillColor = c; });
}
int XlsxReportDrawingPutFontNameW(XlsxHandle h, const QString& n)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.fontName = Utf8(n); });
}
int XlsxReportDrawingPutFontPoint(XlsxHandle h, double pt)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.fontPoint = pt; });
}
int XlsxReportDrawingPutFontColor(XlsxHandle h, std::uint32_t c)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.fontColor = c; });
}
int XlsxReportDrawingPutFontStyle(XlsxHandle h, int s)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.fontStyle = s; });
}
int XlsxReportDrawingPutFontULine(XlsxHandle h, int k)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.fontUnderline = k; });
}
int XlsxReportDrawingPutTextAnchor(XlsxHandle h, int a)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.vertical = a; });
}
int XlsxReportDrawingPutTextVertical(XlsxHandle h, int on)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.verticalText = on != 0; });
}
int XlsxReportDrawingPutTextAlign(XlsxHandle h, int align)
{
    return Pending(h, [&](xlsx::DrawingProps& p) {
        p.horizontal = align & 3;
        p.vertical = (align >> 2) & 3;
    });
}
int XlsxReportDrawingPutTextMargin(XlsxHandle h, double millimetres)
{
    return Pending(h, [&](xlsx::DrawingProps& p) { p.textMargin = millimetres; });
}

int XlsxReportPrinterPut(XlsxHandle h, const QString& name, int value)
{
    if (!h)
        return 0;
    h->printer[name] = value;
    if (name == "PrintQuality")
        return h->book.PrinterPutPrintQuality(value);
    if (name == "ColorMode")
        return h->book.PrinterPutColorMode(value);
    if (name == "Copies")
        return h->book.PrinterPutCopies(value);
    return 1;
}

int XlsxReportPrinterGet(XlsxHandle h, const QString& name)
{
    return h && h->printer.count(name) ? h->printer.at(name) : 0;
}

int XlsxReportOptionPut(XlsxHandle h, const QString& name, const QVariant& value)
{
    if (!h)
        return 0;
    h->options[name] = value;
    if (name == "DefaultCell" || name == "DefaultCellW")
        h->book.OptionPutDefaultCell(Utf8(value.toString()));
    return 1;
}

QVariant XlsxReportOptionGet(XlsxHandle h, const QString& name)
{
    return h && h->options.count(name) ? h->options.at(name) : QVariant();
}
