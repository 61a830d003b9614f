// The frame's output entries: the Excel report of output kind 0, the current map's DXF command, the
// shapefiles' message and the help commands.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "PhotoFrameFixture.h"
#include "app/FolderOpener.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/HelpCommands.h"
#include "app/frame/MapCommands.h"
#include "app/frame/OutputCommands.h"
#include "app/frame/ReportCommands.h"
#include "fe/AppFolders.h"
#include "model/LocationMap.h"

using namespace app;

namespace {

// Answers as the scripted prompts do and notes whether the frame was busy when a message was shown.
struct BusyProbe final : UiPrompts
{
    BusyProbe(ScriptedPrompts& script, const CMainFrame& frame) : script(script), frame(frame) { SetPrompts(this); }
    ~BusyProbe() override { SetPrompts(&script); }
    PromptAnswer Message(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon,
                         PromptButtons buttons) override
    {
        busyAtMessage.push_back(frame.IsBusy());
        return script.Message(parent, text, caption, icon, buttons);
    }
    QString OpenFileName(QWidget* p, const QString& c, const QString& d, const QString& f) override
    {
        return script.OpenFileName(p, c, d, f);
    }
    QStringList OpenFileNames(QWidget* p, const QString& c, const QString& d, const QString& f) override
    {
        return script.OpenFileNames(p, c, d, f);
    }
    QString SaveFileName(QWidget* p, const QString& c, const QString& d, const QString& f) override
    {
        return script.SaveFileName(p, c, d, f);
    }
    QString ExistingFolder(QWidget* p, const QString& c, const QString& d) override
    {
        return script.ExistingFolder(p, c, d);
    }
    std::optional<QColor> Color(QWidget* p, const QColor& c) override { return script.Color(p, c); }

    ScriptedPrompts& script;
    const CMainFrame& frame;
    std::vector<bool> busyAtMessage;
};

class OutputCommandsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetFolderOpener([this](const QString& folder) {
            openedFolders << folder;
            return folderOpens;
        });
        SetFileOpener([this](const QString& path) {
            openedFiles << path;
            return true;
        });
        commands = COutputCommands::Of(*f.frame);
        ASSERT_NE(commands, nullptr);
    }
    void TearDown() override
    {
        SetFolderOpener({});
        SetFileOpener({});
    }

    QStringList Messages() const
    {
        QStringList texts;
        for (const auto& asked : f.prompts.asked())
            texts << asked.text;
        return texts;
    }

    PhotoFrame f{0};
    COutputCommands* commands = nullptr;
    QStringList openedFolders, openedFiles;
    bool folderOpens = true;  // false: the desktop has no file manager
};

TEST_F(OutputCommandsTest, ReportOfKindZeroOnlySaysSoWhileBusy)
{
    // Without a map only the message.
    OutputReportCommand(*f.frame);
    EXPECT_EQ(Messages(), QStringList{"出力できるものがありません。"});

    (void)f.document.Change(ProjectChange::Maps, [](Project& project) {
        project.outputOptions.outputKind = 0;
        return project.maps.AddWebMap(3, Rect2(139.0, 35.0, 139.1, 35.1), 16, false);
    });
    f.prompts.clear();
    // The output dialog is closed with OK as soon as it shows.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    {
        BusyProbe probe(f.prompts, *f.frame);
        OutputReportCommand(*f.frame);
        EXPECT_EQ(probe.busyAtMessage, std::vector<bool>{true});
    }
    EXPECT_EQ(Messages(), QStringList{"Word出力はありません。"});
    EXPECT_FALSE(f.frame->IsBusy());
    EXPECT_FALSE(QFileInfo(f.document.GetProject().ExcelFolder()).exists() &&
                 !QDir(f.document.GetProject().ExcelFolder()).isEmpty());
}

TEST_F(OutputCommandsTest, ReportRestsTheViewsTileWorkerUntilItHasEnded)
{
    // The cover alone: the run draws no tiles, so it never waits for a tile site.
    (void)f.document.Change(ProjectChange::Maps, [](Project& project) {
        ReportOutputOptions& o = project.outputOptions;
        o.outputKind = 1;
        o.outputCover = 1;
        o.outputMapSheets = o.outputLedger = o.outputPhotoList = 0;
        if (!project.maps.AddWebMap(3, Rect2(139.0, 35.0, 139.1, 35.1), 16, false))
            return false;
        project.maps.maps.back().outputFlag = 0;
        return true;
    });
    std::vector<std::pair<QString, bool>> tiles;  // what happened to the worker, and whether busy then
    MapCommandHooks& hooks = MapHooks(*f.frame);
    hooks.stopTiles = [&] { tiles.emplace_back(QStringLiteral("stop"), f.frame->IsBusy()); };
    hooks.restartTiles = [&] { tiles.emplace_back(QStringLiteral("restart"), f.frame->IsBusy()); };
    int messages = 0;
    {
        BusyProbe probe(f.prompts, *f.frame);
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        OutputReportCommand(*f.frame);
        messages = int(probe.busyAtMessage.size());
    }
    // However the run ended (a workbook or a message), the worker rested for all of it and came back once.
    EXPECT_TRUE(messages > 0 || !openedFolders.isEmpty());
    const std::vector<std::pair<QString, bool>> expected = {{QStringLiteral("stop"), true},
                                                            {QStringLiteral("restart"), true}};
    EXPECT_EQ(tiles, expected);
    EXPECT_FALSE(f.frame->IsBusy());

    // Cancelling the dialog leaves the worker alone.
    tiles.clear();
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    OutputReportCommand(*f.frame);
    EXPECT_TRUE(tiles.empty());
}

TEST_F(OutputCommandsTest, CurrentMapDxfOnlyForARegisteredPicture)
{
    // A web map made current: nothing written, nothing shown.
    (void)f.document.Change(ProjectChange::Maps, [](Project& project) {
        if (!project.maps.AddWebMap(3, Rect2(139.0, 35.0, 139.1, 35.1), 16, false))
            return false;
        project.maps.maps.back().flags |= LocationMap::kFlagCurrent;
        return true;
    });
    commands->ExportCurrentMapDxf();
    EXPECT_TRUE(f.prompts.asked().empty());
    EXPECT_TRUE(openedFolders.isEmpty());
    EXPECT_FALSE(QFileInfo(f.document.GetProject().CadFolder()).exists() &&
                 !QDir(f.document.GetProject().CadFolder()).isEmpty());
}

TEST_F(OutputCommandsTest, ShapefilesThroughTheMessageOpenTheirFolder)
{
    EXPECT_EQ(f.frame->SendAppMessage(kMsgOutputShapefile), 1);
    const QString folder = f.document.GetProject().ShapefileFolder();
    EXPECT_EQ(openedFolders, QStringList{folder});
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(f.prompts.asked().empty());
}

// Without a file manager on the desktop, a successful output tells where its files were written.
TEST_F(OutputCommandsTest, AnOutputWhoseFolderCannotBeShownTellsWhereItWrote)
{
    folderOpens = false;
    EXPECT_EQ(f.frame->SendAppMessage(kMsgOutputShapefile), 1);
    const QString folder = f.document.GetProject().ShapefileFolder();
    EXPECT_EQ(openedFolders, QStringList{folder});
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0], QStringLiteral("出力したファイルは次のフォルダにあります。\n\n") +
                                 QDir::toNativeSeparators(folder));
}

TEST_F(OutputCommandsTest, HelpOpensTheManualOrSaysItIsMissing)
{
    TempFolder exe;
    OpenManual(f.frame.get(), exe.path());
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_TRUE(f.prompts.asked()[0].text.startsWith(QStringLiteral("取扱い説明書が見つかりません。")));
    EXPECT_TRUE(openedFiles.isEmpty());

    QDir().mkpath(exe.file("Manual"));
    QFile manual(ManualPath(exe.path()));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();
    EXPECT_EQ(ManualPath(exe.path()), exe.file("Manual/ケルヴォルVer2取扱い説明書.pdf"));
    OpenManual(f.frame.get(), exe.path());
    EXPECT_EQ(openedFiles, QStringList{ManualPath(exe.path())});

    // The support and information items of ヘルプ open the manual the build ships beside the program.
    for (const int command : {kCmdSupportPage, kCmdInformationService}) {
        auto* item = f.frame->findChild<QAction*>(QStringLiteral("cmd%1").arg(command));
        ASSERT_NE(item, nullptr) << command;
        openedFiles.clear();
        item->trigger();
        EXPECT_EQ(openedFiles, QStringList{ManualPath(fe::GetExeFolder())}) << command;
        EXPECT_TRUE(QFileInfo(ManualPath(fe::GetExeFolder())).isFile());
    }
    EXPECT_EQ(f.prompts.asked().size(), 1u);
}

}  // namespace
