#include "report/CXlsxReport.h"

#include "fe/Cp932.h"
#include "xlsx/Book.h"

CXlsxReport::~CXlsxReport()
{
    Release();
}

int CXlsxReport::Create()
{
    Release();
    m_refusal.clear();
    m_fieldMissing = false;
    XlsxHandle handle = nullptr;
    const int result = XlsxReportCreate(&handle);
    m_handle = result ? handle : nullptr;
    cell.Bind(m_handle);
    out.Bind(m_handle);
    start.Bind(m_handle);
    page.Bind(m_handle);
    option.Bind(m_handle);
    printer.Bind(m_handle);
    FileName.Bind(m_handle, [](XlsxHandle h, const QByteArray& v) { return XlsxReportPutFileName(h, v); });
    FileNameW.Bind(m_handle, [](XlsxHandle h, const QString& v) { return XlsxReportPutFileNameW(h, v); });
    ErrorNo.Bind(m_handle, {}, [](XlsxHandle h) { return XlsxReportGetErrorNo(h); });
    ErrorMessage.Bind(m_handle, {},
                      [](XlsxHandle h) { return fe::ToCp932(XlsxReportGetErrorMessageW(h)).left(255); });
    ErrorMessageW.Bind(m_handle, {}, [](XlsxHandle h) { return XlsxReportGetErrorMessageW(h).left(255); });
    XlsxReportSetOnErrorProc(m_handle, &CXlsxReport::ErrorProc, this);
    XlsxReportSetOnProgressProc(m_handle, &CXlsxReport::ProgressProc, this);
    return result;
}

CXlsxCell& CXlsxReport::Cell(const QString& reference)
{
    m_fieldMissing = false;
    m_choosingField = reference.startsWith(QStringLiteral("**"));
    XlsxReportCellW(m_handle, reference, 0, 0);
    m_choosingField = false;
    return cell;
}

void CXlsxReport::Release()
{
    if (!m_handle)
        return;
    XlsxReportRelease(m_handle);
    m_handle = nullptr;
    // The members keep no dangling handle: they are bound anew by the next Create.
    cell.Bind(nullptr);
    out.Bind(nullptr);
    start.Bind(nullptr);
    page.Bind(nullptr);
    option.Bind(nullptr);
    printer.Bind(nullptr);
    FileName.Bind(nullptr, {});
    FileNameW.Bind(nullptr, {});
    ErrorNo.Bind(nullptr, {});
    ErrorMessage.Bind(nullptr, {});
    ErrorMessageW.Bind(nullptr, {});
}

void CXlsxReport::ErrorProc(int errorNo, void* user)
{
    if (!user)
        return;
    auto* report = static_cast<CXlsxReport*>(user);
    report->NoteRefusal(errorNo);
    report->OnError(errorNo);
}

void CXlsxReport::NoteRefusal(int errorNo)
{
    if (m_choosingField && errorNo == xlsx::kErrorNoCellHoldsText) {
        m_fieldMissing = true;
        return;
    }
    if (m_fieldMissing && errorNo == xlsx::kErrorNoCellChosen)
        return;
    if (m_refusal.isEmpty()) {
        m_refusal = ErrorMessageW.GetValue();
        if (m_refusal.isEmpty())
            m_refusal = QStringLiteral("error %1").arg(errorNo);
    }
}

void CXlsxReport::ProgressProc(int a, int b, int c, int d, void* user)
{
    if (user)
        static_cast<CXlsxReport*>(user)->OnProgress(a, b, c, d);
}
