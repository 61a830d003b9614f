#include "report/ExcelReportWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cmath>
#include <limits>

#include "fe/PumpMessages.h"
#include "fe/RealNumbers.h"
#include "report/ReportGeometry.h"
#include "xlsx/ZipPackage.h"

const char* const kExcelModuleFailedText = "Excel出力モジュールが起動できません";
const char* const kExcelCannotWriteText =
    "Excelが出力できませんでした。\n出力済みのExcelが開いている可能性があります。\nExcelを全て閉じてから再度"
    "お試し"
    "ください。\n\n";
const char* const kExcelTemplateFailedText = "Excelのひな形ファイルを読み込めません。\n\n";
const char* const kExcelRefusedText = "Excelに書き込めない内容があったため、出力を中止しました。\n\n";

namespace {

// True when a workbook could be written at the path, found out without touching a file that is
// there: the folder takes a new file (made and removed again) and an existing target is a file that
// is not marked read-only and opens for writing without being cut.
bool CanWriteAt(const QString& path)
{
    std::string error;
    if (!xlsx::CanReplaceFile(QFile::encodeName(path).toStdString(), error))
        return false;
    const QFileInfo target(path);
    // A name of its own each time, so that a probe left behind by a crash cannot stop later runs.
    QTemporaryFile probe(target.absolutePath() + QStringLiteral("/.%1.XXXXXX.probe").arg(target.fileName()));
    if (!probe.open())
        return false;
    probe.close();
    probe.remove();
    if (target.exists()) {
        QFile existing(path);
        if (!existing.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
    }
    return true;
}

}  // namespace

CExcelReportWriter::CExcelReportWriter(ReportPhotoSource* document)
{
    Reset();
    m_document = document;
    m_cache.Create();
}

CExcelReportWriter::~CExcelReportWriter()
{
    Release();
    Reset();
}

void CExcelReportWriter::Reset()
{
    m_report.reset();
    m_progress.reset();
    m_document = nullptr;
    fileName.clear();
    folder.clear();
    errorText.clear();
    writtenCount = 0;
    m_photoPictureTime = {};
    m_cache.Remove();
}

void CExcelReportWriter::Release()
{
    // The workbook library never uses the clipboard, so the user's clipboard is left alone.
    if (m_report) {
        m_report->Release();
        m_report.reset();
    }
}

int CExcelReportWriter::StartReport(const QString* templatePath)
{
    Release();
    m_report = std::make_unique<CXlsxReport>();
    if (!m_report->Create()) {
        Release();
        errorText = QString::fromUtf8(kExcelModuleFailedText);
        return 1;
    }
    int started = 0;
    if (templatePath) {
        started = m_report->FileNameW.PutChecked(*templatePath) && m_report->start.StartFile();
    } else {
        started = m_report->start.StartCreate(2013);
    }
    if (!started) {
        // A template that cannot be read is said so, rather than failing without a word.
        if (templatePath && errorText.isEmpty())
            errorText = QString::fromUtf8(kExcelTemplateFailedText) + QDir::toNativeSeparators(*templatePath);
        Release();
        return 1;
    }
    ApplyDefaultOptions();
    return 0;
}

int CExcelReportWriter::StartFromTemplate(const QString& templatePath)
{
    return StartReport(&templatePath);
}

int CExcelReportWriter::StartNewWorkbook()
{
    return StartReport(nullptr);
}

void CExcelReportWriter::ApplyDefaultOptions()
{
    if (!m_report)
        return;
    m_report->option.ExcelMode = 1;
    m_report->option.DefaultCellW = QStringLiteral("A1");
    m_report->printer.PrintQuality = 600;
}

int CExcelReportWriter::BeginTemplatePage(const QString& templateSheet)
{
    if (!m_report || !m_report->page.PageBeginW(templateSheet, QStringLiteral("1")))
        return 1;
    return m_report->page.PageNameW(templateSheet.mid(1)) ? 0 : 1;
}

int CExcelReportWriter::OutputFile(const QString& name)
{
    if (!m_report)
        return 1;
    if (!m_report->Refusal().isEmpty()) {
        // A cell, picture or page the library refused would leave the workbook short of it without a
        // word: nothing is written, and the library's own message says what was refused.
        if (errorText.isEmpty())
            errorText = QString::fromUtf8(kExcelRefusedText) + ReportShownFileName(name) +
                        QStringLiteral("\n") + m_report->Refusal();
        m_report->out.OutCancel();
        return 1;
    }
    PumpMessages();
    const QString path = ReportOutputPath(folder, name);
    PumpMessages();
    const int written = m_report->out.OutFileW(path, -1);
    m_report->out.OutCancel();
    if (!written) {
        // A workbook that was not written is reported, never taken for success.
        if (errorText.isEmpty())
            errorText = QString::fromUtf8(kExcelCannotWriteText) + ReportShownFileName(name);
        return 1;
    }
    Release();
    ++writtenCount;
    return 0;
}

bool CExcelReportWriter::PreCheck(const QString* templatePath, const QString& name, const QString& sheetName)
{
    // The workbook is started and its sheet begun as the real run will do it; the target itself is only
    // probed, so that an earlier workbook of that name stays whole if this run goes no further.
    bool ok = StartReport(templatePath) == 0 && m_report->page.PageBeginW(sheetName, QStringLiteral("1")) &&
              m_report->page.PageEnd();
    if (ok) {
        m_report->option.ProgressDialog = 0;
        ok = CanWriteAt(ReportOutputPath(folder, name));
    }
    Release();
    if (!ok && errorText.isEmpty())
        errorText = QString::fromUtf8(kExcelCannotWriteText) + ReportShownFileName(name);
    return ok;
}

bool CExcelReportWriter::CanWriteFromTemplate(const QString& templatePath, const QString& name,
                                              const QString& templateSheet)
{
    return PreCheck(&templatePath, name, templateSheet);
}

bool CExcelReportWriter::CanWriteFile(const QString& name, const QString& sheetName)
{
    return PreCheck(nullptr, name, sheetName);
}

void CExcelReportWriter::PutCellText(const QString& cell, const QString& text)
{
    if (m_report)
        m_report->Cell(cell).PutValueStringW(text);
}

void CExcelReportWriter::PutCellNumber(const QString& cell, double value, double skipValue)
{
    if (!m_report || value == skipValue || !IsNormalNumber(value))
        return;
    CXlsxCell& target = m_report->Cell(cell);
    // Only a value inside the 32-bit range may be truncated to an integer.
    const bool whole = value >= std::numeric_limits<std::int32_t>::min() &&
                       value <= std::numeric_limits<std::int32_t>::max() && value == std::trunc(value);
    if (whole)
        target.PutValueLong(static_cast<std::int32_t>(value));
    else
        target.PutValueDouble(value);
}

void CExcelReportWriter::PutLatLonCell(const QString& cell, bool dms, double value)
{
    if (value == kUnset || !m_document || !IsNormalNumber(value)) {
        PutCellText(cell, QStringLiteral(" "));
        return;
    }
    if (dms) {
        PutCellText(cell, FormatDms(value));
        return;
    }
    if (m_report)
        m_report->Cell(cell).attr.Format = QByteArray("###0.000000");
    PutCellNumber(cell, value, kUnset);
}

void CExcelReportWriter::Box(const QString& range, unsigned kind, int inner)
{
    if (!m_report)
        return;
    m_report->Cell(range);
    (void)XlsxReportAttrPutBox(m_report->Handle(), kind, inner, 0x80000008);
}

void CExcelReportWriter::OpenProgress(int steps)
{
    m_progress.reset();
    if (!m_progressFactory)
        return;
    m_progress = m_progressFactory();
    if (!m_progress)
        return;
    m_progress->SetPosition(0);
    m_progress->SetTitle(QStringLiteral("帳票出力準備中"));
    if (m_document)
        m_progress->SetRange(steps);
}

void CExcelReportWriter::CloseProgress()
{
    m_progress.reset();
}

bool CExcelReportWriter::Cancelled() const
{
    return m_progress && m_progress->Cancelled();
}
