#include "report/XlsxMembers.h"

#include "fe/Cp932.h"

namespace {

// A put function calling an operation that takes one value of the property's type.
template <typename T, typename V>
typename CXlsxProperty<T>::Put Call(int (*operation)(XlsxHandle, V))
{
    return [operation](XlsxHandle h, const T& value) { return operation(h, value); };
}

}  // namespace

void CXlsxOut::Bind(XlsxHandle handle)
{
    CXlsxBaseT::Bind(handle);
    IsPrint.Bind(handle, {}, [](XlsxHandle h) { return XlsxReportOutGetIsPrint(h); });
}

void CXlsxPageAttr::Bind(XlsxHandle handle)
{
    CXlsxBaseT::Bind(handle);
    Center.Bind(handle, Call<int>(XlsxReportPageAttrPutCenter));
    PageOrder.Bind(handle, Call<int>(XlsxReportPageAttrPutPageOrder));
}

void CXlsxPage::Bind(XlsxHandle handle)
{
    CXlsxBaseT::Bind(handle);
    attr.Bind(handle);
}

void CXlsxOption::Bind(XlsxHandle handle)
{
    CXlsxBaseT::Bind(handle);
    struct Entry
    {
        const char* name;
        CXlsxProperty<QVariant>* property;
        bool putOnly;
    };
    const Entry entries[] = {{"ExcelMode", &ExcelMode, false},
                             {"DoubleMode", &DoubleMode, false},
                             {"ViewCaption", &ViewCaption, false},
                             {"ViewCaptionW", &ViewCaptionW, false},
                             {"ViewZoom", &ViewZoom, false},
                             {"ViewPage", &ViewPage, false},
                             {"ScaleMode", &ScaleMode, false},
                             {"DspInvalidArea", &DspInvalidArea, false},
                             {"DspMarginArea", &DspMarginArea, false},
                             {"ProgressDialog", &ProgressDialog, false},
                             {"OverFit", &OverFit, false},
                             {"ViewSaveEnable", &ViewSaveEnable, false},
                             {"ViewPrintEnable", &ViewPrintEnable, false},
                             {"SaveName", &SaveName, false},
                             {"SaveNameW", &SaveNameW, false},
                             {"PrintType", &PrintType, false},
                             {"ViewMinimizeBox", &ViewMinimizeBox, false},
                             {"KeyWord", &KeyWord, true},
                             {"KeyWordW", &KeyWordW, true},
                             {"ViewSaveButtonHide", &ViewSaveButtonHide, false},
                             {"ViewPrintButtonHide", &ViewPrintButtonHide, false},
                             {"ViewPrevButtonHide", &ViewPrevButtonHide, false},
                             {"ViewNextButtonHide", &ViewNextButtonHide, false},
                             {"ViewZoomButtonHide", &ViewZoomButtonHide, false},
                             {"ViewCloseButtonHide", &ViewCloseButtonHide, false},
                             {"DefaultSheet", &DefaultSheet, true},
                             {"DefaultCell", &DefaultCell, true},
                             {"DefaultCellW", &DefaultCellW, true},
                             {"SaveMessage", &SaveMessage, true},
                             {"SaveMessageW", &SaveMessageW, true},
                             {"DocumentName", &DocumentName, true},
                             {"ReplaceYenSign", &ReplaceYenSign, false}};
    for (const Entry& e : entries) {
        const QString name = QString::fromLatin1(e.name);
        auto put = [name](XlsxHandle h, const QVariant& v) { return XlsxReportOptionPut(h, name, v); };
        if (e.putOnly)
            e.property->Bind(handle, put);
        else
            e.property->Bind(handle, put, [name](XlsxHandle h) { return XlsxReportOptionGet(h, name); });
    }
}

void CXlsxPrinter::Bind(XlsxHandle handle)
{
    CXlsxBaseT::Bind(handle);
    const auto bind = [handle](CXlsxProperty<int>& property, const QString& name, bool putOnly) {
        auto put = [name](XlsxHandle h, const int& v) { return XlsxReportPrinterPut(h, name, v); };
        if (putOnly)
            property.Bind(handle, put);
        else
            property.Bind(handle, put, [name](XlsxHandle h) { return XlsxReportPrinterGet(h, name); });
    };
    bind(PrintQuality, "PrintQuality", false);
    bind(ColorMode, "ColorMode", false);
    bind(Duplex, "Duplex", false);
    bind(Copies, "Copies", true);
}

void CXlsxDrawingT::Bind(XlsxHandle handle)
{
    CXlsxBaseT::Bind(handle);
    LineColor.Bind(handle, Call<std::uint32_t>(XlsxReportDrawingPutLineColor));
    LineWeight.Bind(handle, Call<double>(XlsxReportDrawingPutLineWeight));
    LineStyle.Bind(handle, Call<int>(XlsxReportDrawingPutLineStyle));
    ArrowTypeS.Bind(handle, Call<int>(XlsxReportDrawingPutArrowTypeS));
    ArrowTypeE.Bind(handle, Call<int>(XlsxReportDrawingPutArrowTypeE));
    FillColor.Bind(handle, Call<std::uint32_t>(XlsxReportDrawingPutFillColor));
    FontName.Bind(handle, [](XlsxHandle h, const QByteArray& v) {
        return XlsxReportDrawingPutFontNameW(h, fe::FromCp932(v));
    });
    FontNameW.Bind(handle, Call<QString>(XlsxReportDrawingPutFontNameW));
    FontPoint.Bind(handle, Call<double>(XlsxReportDrawingPutFontPoint));
    FontColor.Bind(handle, Call<std::uint32_t>(XlsxReportDrawingPutFontColor));
    FontStyle.Bind(handle, Call<int>(XlsxReportDrawingPutFontStyle));
    FontULine.Bind(handle, Call<int>(XlsxReportDrawingPutFontULine));
    TextAnchor.Bind(handle, Call<int>(XlsxReportDrawingPutTextAnchor));
    TextVertical.Bind(handle, Call<int>(XlsxReportDrawingPutTextVertical));
    TextAlign.Bind(handle, Call<int>(XlsxReportDrawingPutTextAlign));
    TextMargin.Bind(handle, Call<double>(XlsxReportDrawingPutTextMargin));
}

void CXlsxAttr::Bind(XlsxHandle handle)
{
    CXlsxBaseT::Bind(handle);
    Format.Bind(handle, [](XlsxHandle h, const QByteArray& v) {
        return XlsxReportAttrPutFormatW(h, fe::FromCp932(v));
    });
    FormatW.Bind(handle, Call<QString>(XlsxReportAttrPutFormatW));
    FontName.Bind(handle, [](XlsxHandle h, const QByteArray& v) {
        return XlsxReportAttrPutFontNameW(h, fe::FromCp932(v));
    });
    FontNameW.Bind(handle, Call<QString>(XlsxReportAttrPutFontNameW));
    FontPoint.Bind(handle, Call<double>(XlsxReportAttrPutFontPoint));
    FontColor.Bind(handle, Call<std::uint32_t>(XlsxReportAttrPutFontColor));
    FontStyle.Bind(handle, Call<int>(XlsxReportAttrPutFontStyle));
    FontULine.Bind(handle, Call<int>(XlsxReportAttrPutFontULine));
    Pattern.Bind(handle, Call<int>(XlsxReportAttrPutPattern));
    ForeColor.Bind(handle, Call<std::uint32_t>(XlsxReportAttrPutForeColor));
    BackColor.Bind(handle, Call<std::uint32_t>(XlsxReportAttrPutBackColor));
    PosHorz.Bind(handle, Call<int>(XlsxReportAttrPutPosHorz));
    PosVert.Bind(handle, Call<int>(XlsxReportAttrPutPosVert));
    PosTurn.Bind(handle, Call<int>(XlsxReportAttrPutPosTurn));
    OverReturn.Bind(handle, Call<int>(XlsxReportAttrPutOverReturn));
    Fit.Bind(handle, Call<int>(XlsxReportAttrPutFit));
    Joint.Bind(handle, Call<int>(XlsxReportAttrPutJoint));
}

QByteArray CXlsxCellValue::PutValueString(const QByteArray& cp932Text)
{
    m_failed = XlsxReportPutValueString(m_handle, cp932Text) == 0;
    return cp932Text;
}

QString CXlsxCellValue::PutValueStringW(const QString& text)
{
    m_failed = XlsxReportPutValueStringW(m_handle, text) == 0;
    return text;
}

double CXlsxCellValue::PutValueDouble(double value)
{
    m_failed = XlsxReportPutValueDouble(m_handle, value) == 0;
    return value;
}

std::int32_t CXlsxCellValue::PutValueLong(std::int32_t value)
{
    m_failed = XlsxReportPutValueLong(m_handle, value) == 0;
    return value;
}

void CXlsxCell::Bind(XlsxHandle handle)
{
    CXlsxBaseT::Bind(handle);
    value.Bind(handle);
    ColWidth.Bind(handle, Call<double>(XlsxReportPutColWidth));
    RowHeight.Bind(handle, Call<double>(XlsxReportPutRowHeight));
    Break.Bind(handle, Call<int>(XlsxReportPutBreak));
    AttrNo.Bind(handle, Call<int>(XlsxReportPutAttrNo), [](XlsxHandle h) { return XlsxReportGetAttrNo(h); });
    canvas.Bind(handle);
    attr.Bind(handle);
    drawing.Bind(handle);
}
