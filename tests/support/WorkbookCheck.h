#pragma once

// Reads workbooks the program wrote with real readers: openpyxl (through tests/xlsx/data/dump_workbook.py)
// and LibreOffice headless converting to PDF. Header-only, because the script's place comes from the
// including test program's KELVOR_SOURCE_DIR.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace workbook_check {

// Runs a program and returns its standard output; exitCode receives -1 when it could not run.
inline QString Run(const QString& program, const QStringList& args, int* exitCode = nullptr,
                   int timeoutMs = 180000,
                   const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    const bool finished = process.waitForStarted() && process.waitForFinished(timeoutMs);
    if (exitCode)
        *exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// What openpyxl reads from the workbook (see dump_workbook.py); empty when it cannot load it.
inline QJsonObject Dump(const QString& path)
{
    int code = 0;
    const QString out =
        Run("/usr/bin/python3", {QStringLiteral(KELVOR_SOURCE_DIR "/tests/xlsx/data/dump_workbook.py"), path},
            &code);
    if (code != 0)
        return {};
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

// Copies a written file into $KELVOR_KEEP_DIR when it is set, to look at it after the test.
inline void Keep(const QString& path)
{
    const QString dir = qEnvironmentVariable("KELVOR_KEEP_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        QFile::remove(QDir(dir).filePath(QFileInfo(path).fileName()));
        QFile::copy(path, QDir(dir).filePath(QFileInfo(path).fileName()));
    }
}

struct Pdf
{
    QString path;
    int pages = 0;
    QString text;
};

// Converts the workbook to PDF with LibreOffice in its own profile folder under work; pages 0 on failure.
inline Pdf ConvertToPdf(const QString& book, const QString& work)
{
    Pdf pdf;
    const QString profile = QDir(work).filePath("lo-profile");
    const QString out = QDir(work).filePath("pdf");
    QDir().mkpath(out);
    Run("soffice", {"-env:UserInstallation=file://" + profile, "--headless", "--norestore", "--convert-to",
                    "pdf", "--outdir", out, book});
    pdf.path = QDir(out).filePath(QFileInfo(book).completeBaseName() + ".pdf");
    if (!QFileInfo::exists(pdf.path))
        return pdf;
    const QString info = Run("pdfinfo", {pdf.path});
    const QRegularExpressionMatch match = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    pdf.pages = match.hasMatch() ? match.captured(1).toInt() : 0;
    pdf.text = Run("pdftotext", {"-enc", "UTF-8", pdf.path, "-"});
    return pdf;
}

}  // namespace workbook_check
