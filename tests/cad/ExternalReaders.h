#pragma once

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the real readers the outputs must satisfy (Debian's Python with ezdxf and pyshp, GDAL's
// ogrinfo) and hands back what they printed.
struct ToolResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline ToolResult RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForFinished(120000)) {
        result.err = QStringLiteral("did not finish: ") + program;
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// Runs a script of tests/cad/data with /usr/bin/python3 and reads the JSON object it prints.
inline QJsonObject RunPythonSummary(const QString& script, const QStringList& arguments, QString* error)
{
    const ToolResult result =
        RunTool(QStringLiteral("/usr/bin/python3"),
                QStringList{QStringLiteral(KELVOR_TEST_DATA_DIR "/") + script} + arguments);
    if (result.exitCode != 0) {
        *error = result.err;
        return {};
    }
    return QJsonDocument::fromJson(result.out.toUtf8()).object();
}

// The same, failing the calling test when the script does not run.
inline QJsonObject ReadWithScript(const QString& script, const QStringList& arguments)
{
    QString error;
    const QJsonObject summary = RunPythonSummary(script, arguments, &error);
    EXPECT_FALSE(summary.isEmpty()) << script.toStdString() << ": " << error.toStdString();
    return summary;
}
