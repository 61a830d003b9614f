// The report run as the frame starts it: the shipped template beside the program, the folder opened after
// a complete run, and a message instead when a workbook could not be written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "TempFolder.h"
#include "app/FolderOpener.h"
#include "app/ScriptedPrompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/report/LocationMapReportRun.h"

TEST(LocationMapReportRun, OpensTheFolderAfterACompleteRunAndTellsAFailure)
{
    TempFolder temp;
    CTavrelDoc doc;
    ASSERT_TRUE(doc.Change(ProjectChange::Settings, [&](Project& project) {
                       EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), temp.path()), kProjectOk);
                       project.outputOptions.outputMapSheets = project.outputOptions.outputLedger = 0;
                       return true;
                   }).Ok());
    QStringList opened;
    app::SetFolderOpener([&](const QString& folder) {
        opened.append(folder);
        return true;
    });
    app::ScriptedPrompts prompts;
    const QString folder = doc.GetProject().DatedExcelFolder();

    EXPECT_EQ(app::OutputLocationMapReport(doc, nullptr), 0);
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("表紙.xlsx")).isFile());
    EXPECT_EQ(opened, QStringList{folder});
    EXPECT_TRUE(prompts.asked().empty());

    // The cover's workbook cannot replace a folder of its name.
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("表紙.xlsx")));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("表紙.xlsx")));
    opened.clear();
    EXPECT_EQ(app::OutputLocationMapReport(doc, nullptr), 1);
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_TRUE(prompts.asked()[0].text.startsWith(QStringLiteral("Excelが出力できませんでした。")))
        << prompts.asked()[0].text.toStdString();
    app::SetFolderOpener({});
}
