// The Excel list exports as a user starts them from the frame, offscreen: the save dialog answered by
// scripted prompts, the written workbook opened through a recording opener.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QJsonArray>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FileBytes.h"
#include "ListExportProject.h"
#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "app/FolderOpener.h"
#include "app/ScriptedPrompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/ListExportCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/Profile.h"
#include "app/progress/SubProgressDlg.h"

namespace {

struct ExportFrame
{
    TempFolder temp;
    app::ScriptedPrompts prompts;
    CTavrelDoc document;
    std::unique_ptr<CMainFrame> frame;
    QStringList opened;
    bool openSucceeds = true;
    QString out;

    ExportFrame()
    {
        Project project;
        EXPECT_TRUE(list_export::MakeProject(temp.path(), project));
        EXPECT_TRUE(document.Change(kWholeProject, [&](Project& p) {
                                p = project;
                                return true;
                            }).Ok());
        QFile::remove(app::ProfilePath());
        frame = std::make_unique<CMainFrame>(&document);
        app::SetFileOpener([this](const QString& path) {
            opened.append(path);
            return openSucceeds;
        });
        out = temp.file(QStringLiteral("out"));
        EXPECT_TRUE(QDir().mkpath(out));
    }
    ~ExportFrame() { app::SetFileOpener({}); }

    QByteArray ProjectBytes() const { return ReadAll(document.GetProject().ProjectFilePath()); }
    QStringList OutFiles() const { return QDir(out).entryList(QDir::Files | QDir::Hidden); }
    QStringList Messages() const
    {
        QStringList texts;
        for (const auto& asked : prompts.asked()) {
            if (asked.kind == "message")
                texts.append(asked.text);
        }
        return texts;
    }
};

TEST(ListExportCommands, TheSaveDialogProposesEachListsNameAndCancelWritesNothing)
{
    ExportFrame f;
    const QByteArray project = f.ProjectBytes();
    app::ExportPhotoListExcel(*f.frame, -1);
    app::ExportLedgerListExcel(*f.frame, 0);
    app::ExportPhotoSetExcel(*f.frame, f.document.GetProject().photos.photos);
    ASSERT_EQ(f.prompts.asked().size(), 3u);
    const QString excel = f.document.GetProject().ExcelFolder();
    const QStringList names = {"撮影写真リスト", "写真台帳リスト_堤A", "撮影写真一式"};
    for (int i = 0; i < 3; ++i) {
        const auto& asked = f.prompts.asked()[static_cast<size_t>(i)];
        EXPECT_EQ(asked.kind, "save");
        EXPECT_EQ(asked.path, excel + names[i]);
        EXPECT_EQ(asked.filter, app::QtFileFilter("Excel ブック(*.xlsx)|*.xlsx|すべて|*.*||"));
    }
    EXPECT_TRUE(QDir(excel).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(f.opened.isEmpty());
    EXPECT_EQ(f.ProjectBytes(), project);
    EXPECT_EQ(app::LedgerListDefaultName(QStringLiteral("堤A")), "写真台帳リスト_堤A");
}

TEST(ListExportCommands, ATypedExtensionWritesAndOpensTheXlsxFile)
{
    struct Case
    {
        QString chosen;
        QString folder;
        QString name;
    };
    const Case cases[] = {{"/a/b/list.xls", "/a/b", "list"},
                          {"/a/b/list", "/a/b", "list"},
                          {"/a/b/list.xlsx", "/a/b", "list"},
                          {"/a/b/list.tar.gz", "/a/b", "list.tar"}};
    for (const Case& c : cases) {
        const app::ListExportTarget target = app::ListExportTargetOf(c.chosen);
        EXPECT_EQ(target.folder, c.folder);
        EXPECT_EQ(target.name, c.name);
        EXPECT_EQ(target.WrittenPath(), c.folder + '/' + c.name + ".xlsx");
    }

    ExportFrame f;
    const QByteArray project = f.ProjectBytes();
    f.prompts.QueueFiles({f.out + "/list.xls"});
    app::ExportPhotoListExcel(*f.frame, 0);
    EXPECT_EQ(f.Messages(), QStringList());
    EXPECT_EQ(f.opened, QStringList({f.out + "/list.xlsx"}));
    EXPECT_EQ(f.OutFiles(), QStringList({"list.xlsx"}));
    const QJsonObject book = workbook_check::Dump(f.out + "/list.xlsx");
    EXPECT_EQ(book["sheets"].toArray(), QJsonArray({"撮影写真リスト"}));
    EXPECT_EQ(f.ProjectBytes(), project);
    EXPECT_FALSE(f.document.IsBusy());
    EXPECT_TRUE(f.frame->PhotoPane()->isEnabled());

    // A file the desktop cannot open is said so under "エラー"; the workbook stays.
    f.openSucceeds = false;
    f.prompts.QueueFiles({f.out + "/set"});
    app::ExportPhotoSetExcel(*f.frame, f.document.GetProject().photos.photos);
    ASSERT_EQ(f.prompts.asked().back().kind, "message");
    EXPECT_EQ(f.prompts.asked().back().caption, "エラー");
    EXPECT_TRUE(f.prompts.asked().back().text.contains("set.xlsx"));
    EXPECT_TRUE(QFile::exists(f.out + "/set.xlsx"));
}

TEST(ListExportCommands, AReadOnlyTargetIsReportedAndKeptByteForByte)
{
    ExportFrame f;
    const QString target = f.out + "/写真台帳リスト_堤A.xlsx";
    WriteAll(target, "kept");
    ASSERT_TRUE(QFile::setPermissions(target, QFileDevice::ReadOwner));
    f.prompts.QueueFiles({target});
    app::ExportLedgerListExcel(*f.frame, 0);
    const QStringList messages = f.Messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Excelが出力できませんでした。")) << messages[0].toStdString();
    EXPECT_EQ(ReadAll(target), "kept");
    EXPECT_EQ(f.OutFiles(), QStringList({"写真台帳リスト_堤A.xlsx"}));
    EXPECT_TRUE(f.opened.isEmpty());
}

TEST(ListExportCommands, DuringAnExportTheFrameStaysOpenAndCancelWritesNothing)
{
    ExportFrame f;
    f.frame->show();
    const QByteArray project = f.ProjectBytes();
    QWidget caller;
    bool closed = true, callerEnabled = true, paneEnabled = false, busy = false, cancelled = false;
    int secondExports = 0;
    // Once the progress window shows: try to close the frame and to start a second export, then cancel.
    QTimer::singleShot(0, [&] {
        closed = f.frame->close();
        callerEnabled = caller.isEnabled();
        paneEnabled = f.frame->PhotoPane()->isEnabled();
        busy = f.document.IsBusy();
        const size_t asked = f.prompts.asked().size();
        app::ExportPhotoListExcel(*f.frame, -1);
        secondExports = static_cast<int>(f.prompts.asked().size() - asked);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* progress = qobject_cast<CSubProgressDlg*>(widget)) {
                progress->cancelButton()->click();
                cancelled = true;
            }
        }
    });
    f.prompts.QueueFiles({f.out + "/set.xlsx"});
    app::ExportPhotoSetExcel(*f.frame, f.document.GetProject().photos.photos, &caller);
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(f.frame->isVisible());
    EXPECT_FALSE(callerEnabled);
    EXPECT_TRUE(paneEnabled);
    EXPECT_TRUE(busy);
    EXPECT_EQ(secondExports, 0);
    EXPECT_EQ(f.Messages(), QStringList({"Excel出力がキャンセルされました。"}));
    EXPECT_TRUE(f.OutFiles().isEmpty());
    EXPECT_TRUE(f.opened.isEmpty());
    EXPECT_TRUE(caller.isEnabled());
    EXPECT_FALSE(f.document.IsBusy());
    EXPECT_EQ(f.ProjectBytes(), project);
}

}  // namespace
