// The main frame as a user meets it, offscreen: titles, project commands answered through scripted
// prompts, the recent-file menu, the busy state with its keys, and the window placement.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>

#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/frame/PhotoCommands.h"
#include "app/frame/Profile.h"
#include "app/frame/SingleInstance.h"
#include "model/AppSettings.h"

namespace {

struct Frame
{
    app::ScriptedPrompts prompts;
    AppSettings settings;
    CTavrelDoc document;
    std::unique_ptr<CMainFrame> frame;

    Frame()
    {
        QFile::remove(app::ProfilePath());
        document.appSettings = &settings;
        frame = std::make_unique<CMainFrame>(&document);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    QStringList Messages() const
    {
        QStringList texts;
        for (const auto& asked : prompts.asked())
            texts.append(asked.text);
        return texts;
    }

    // Creates a project through ファイル → 新規作成 with the save dialog answered.
    void NewProject(const QString& path)
    {
        prompts.QueueFiles({path});
        frame->Action(app::kCmdFileNew)->trigger();
    }
};

QStringList MenuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts.append(action->text());
    return texts;
}

}  // namespace

TEST(MainFrameWindow, HasTheMenusToolbarStatusBarAndPanes)
{
    Frame f;
    QStringList titles;
    for (QAction* menu : f.frame->menuBar()->actions())
        titles.append(menu->text());
    EXPECT_EQ(titles, QStringList({"ファイル(&F)", "位置図(&L)", "撮影写真(&P)", "軌跡(&I)", "表示(&V)",
                                   "設定(&S)", "ヘルプ(&H)"}));
    EXPECT_FALSE(MenuTexts(f.frame->menuBar()->actions()[4]->menu()).contains("写真位置へ移動"));
    EXPECT_EQ(f.frame->FlowPane()->windowTitle(), QStringLiteral("フロー"));
    EXPECT_EQ(f.frame->PhotoPane()->windowTitle(), QStringLiteral("撮影写真　枚数：全て(0)"));
    EXPECT_GE(f.frame->minimumSize().width(), 750);
    EXPECT_GE(f.frame->minimumSize().height(), 620);
    // Without a project only the project-free commands are available.
    EXPECT_TRUE(f.frame->Action(app::kCmdFileNew)->isEnabled());
    EXPECT_FALSE(f.frame->Action(app::kCmdOpenProjectFolder)->isEnabled());
    EXPECT_FALSE(f.frame->Action(app::kCmdOutputReport)->isEnabled());
}

TEST(MainFrameWindow, NewProjectCreatesTheFolderOpensItAndListsIt)
{
    TempFolder temp;
    Frame f;
    f.NewProject(temp.file("SiteA.kvr2"));
    EXPECT_TRUE(QFileInfo(temp.file("SiteA/SiteA.kvr2")).isFile());
    EXPECT_EQ(f.document.GetProject().name, QStringLiteral("SiteA"));
    EXPECT_EQ(f.frame->windowTitle(), QStringLiteral("ケルヴォル Version 2 - SiteA"));
    ASSERT_FALSE(f.frame->Recent().Paths().isEmpty());
    EXPECT_EQ(QFileInfo(f.frame->Recent().Paths().front()).canonicalFilePath(),
              QFileInfo(temp.file("SiteA/SiteA.kvr2")).canonicalFilePath());
    EXPECT_TRUE(f.frame->Action(app::kCmdOpenProjectFolder)->isEnabled());

    // A second new project: "No" keeps the open one and asks for no file.
    f.prompts.clear();
    f.prompts.QueueAnswer(app::PromptAnswer::No);
    f.frame->Action(app::kCmdFileNew)->trigger();
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(f.prompts.asked()[0].text,
              QStringLiteral("既にプロジェクトを開いています。\n新しいプロジェクトを作成しますか?"));
    EXPECT_EQ(f.document.GetProject().name, QStringLiteral("SiteA"));

    // The folder of that name exists now: creating it again reports the project's error and keeps it.
    f.prompts.clear();
    f.prompts.QueueAnswer(app::PromptAnswer::Yes);
    f.NewProject(temp.file("SiteA.kvr2"));
    EXPECT_EQ(f.prompts.asked().size(), 3u);
    EXPECT_TRUE(f.document.GetProject().name.isEmpty());
    EXPECT_EQ(f.frame->windowTitle(), QStringLiteral("ケルヴォル Version 2"));
}

TEST(MainFrameWindow, OpensRecentAndDroppedProjectsAndRefusesOtherFiles)
{
    TempFolder temp;
    Frame f;
    f.NewProject(temp.file("B.kvr2"));
    f.NewProject(temp.file("C.kvr2"));  // answered No: keeps B
    f.prompts.QueueAnswer(app::PromptAnswer::Yes);
    f.NewProject(temp.file("C.kvr2"));
    ASSERT_EQ(f.document.GetProject().name, QStringLiteral("C"));
    ASSERT_GE(f.frame->Recent().Paths().size(), 2);

    // The recent-file entries stand in the ファイル menu, newest first; the second one opens B.
    const QStringList fileMenu = MenuTexts(f.frame->RecentMenuHost());
    EXPECT_TRUE(fileMenu.filter(QStringLiteral("&1 ")).first().endsWith(QStringLiteral("C.kvr2")));
    f.frame->Action(app::kCmdRecentFirst + 1)->trigger();
    EXPECT_EQ(f.document.GetProject().name, QStringLiteral("B"));

    // A dropped upper-case project file opens; another file only shows the message.
    QFile::copy(temp.file("C/C.kvr2"), temp.file("C/UPPER.KVR2"));
    f.frame->OpenDroppedFile(temp.file("C/UPPER.KVR2"));
    EXPECT_EQ(f.document.GetProject().name, QStringLiteral("UPPER"));
    f.prompts.clear();
    f.frame->OpenDroppedFile(temp.file("notes.txt"));
    ASSERT_EQ(f.Messages().size(), 1);
    EXPECT_EQ(f.Messages()[0], QStringLiteral("このファイルは ケルヴォル のデータファイルではありません。"));
    EXPECT_EQ(f.document.GetProject().name, QStringLiteral("UPPER"));

    // A recent entry whose file is gone: the message names it and the entry leaves the list.
    const QString gone = f.frame->Recent().Paths().front();
    QFile::remove(gone);
    f.prompts.clear();
    f.frame->OnOpenRecentFile(0);
    ASSERT_EQ(f.Messages().size(), 1);
    EXPECT_TRUE(f.Messages()[0].startsWith(QStringLiteral("このファイルを開くことができません。\n\n")));
    EXPECT_FALSE(f.frame->Recent().Paths().contains(gone));

    // Clearing the list asks first, then empties the menu at once.
    f.prompts.QueueAnswer(app::PromptAnswer::Yes);
    f.frame->Action(app::kCmdClearRecent)->trigger();
    EXPECT_TRUE(f.frame->Recent().Paths().isEmpty());
    EXPECT_TRUE(MenuTexts(f.frame->RecentMenuHost()).filter(QStringLiteral("&1 ")).isEmpty());
}

TEST(MainFrameWindow, WhileBusyEveryRuledCommandIsOffAndItsKeyDoesNothing)
{
    TempFolder temp;
    Frame f;
    f.NewProject(temp.file("D.kvr2"));
    int reports = 0;
    f.frame->SetCommandHandler(app::kCmdOutputReport, [&] { ++reports; });
    f.frame->SetStateSource([](app::UiState& s) { s.mapCount = 1; });
    f.frame->UpdateCommandStates();
    ASSERT_TRUE(f.frame->Action(app::kCmdOutputReport)->isEnabled());
    QTest::keyClick(f.frame.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(reports, 1);

    f.frame->LockUI(true);
    for (int id : {app::kCmdFileNew, app::kCmdFileOpen, app::kCmdOutputReport, app::kCmdExit,
                   app::kCmdOpenProjectFolder})
        EXPECT_FALSE(f.frame->Action(id)->isEnabled()) << id;
    f.prompts.clear();
    QTest::keyClick(f.frame.get(), Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(f.frame.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(f.frame.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(f.prompts.asked().empty());
    // A trigger that reaches the command anyway is checked again and refused.
    f.frame->Action(app::kCmdOutputReport)->setEnabled(true);
    f.frame->Action(app::kCmdOutputReport)->trigger();
    EXPECT_EQ(reports, 1);

    f.frame->LockUI(false);
    // Ctrl+O reaches the program's own open command: its file dialog is asked for.
    QTest::keyClick(f.frame.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(f.prompts.asked()[0].kind, QStringLiteral("open"));
}

TEST(MainFrameWindow, ClosingStoresThePlacementAndTheNextFrameRestoresIt)
{
    {
        Frame f;
        f.frame->setGeometry(QRect(40, 60, 900, 700));
        f.frame->close();
    }
    QSettings profile(app::ProfilePath(), QSettings::IniFormat);
    EXPECT_EQ(profile.value("Kelvor_Info/ShowCommand").toInt(), 1);
    const int left = profile.value("Kelvor_Info/left").toInt();
    const int right = profile.value("Kelvor_Info/right").toInt();
    EXPECT_EQ(right - left, 900);
    CMainFrame again;
    EXPECT_EQ(again.size(), QSize(900, 700));
    EXPECT_EQ(again.pos().x(), left);
}

TEST(SingleInstance, ASecondHolderIsRefusedWithTheMessage)
{
    app::SingleInstance first;
    ASSERT_TRUE(first.Acquire());
    app::SingleInstance second;
    EXPECT_FALSE(second.Acquire());
    EXPECT_EQ(app::SingleInstance::RefusedText(),
              QStringLiteral("すでにケルヴォル を起動していますので、\n新たに起動することはできません。"));
}

TEST(MainFrameWindow, ImportsChosenPhotosAsOneChangeAndTellsHowMany)
{
    TempFolder temp;
    Frame f;
    f.NewProject(temp.file("E.kvr2"));
    ASSERT_TRUE(f.frame->Action(app::kCmdImportPhotos)->isEnabled());
    QStringList photos;
    for (int k = 1; k <= 3; ++k) {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(QColor(20 * k, 90, 40));
        const QString path = temp.file(QStringLiteral("card/IMG_%1.JPG").arg(k));
        QDir().mkpath(temp.file("card"));
        ASSERT_TRUE(picture.save(path, "JPEG"));
        photos.append(path);
    }
    // Files that are not taken, each for its own reason: told after the count, in file order.
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(temp.file(QStringLiteral("card/") + name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    QFile first(photos.front());
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray whole = first.readAll();
    photos.append(write(QStringLiteral("CUT.JPG"), whole.left(whole.size() * 2 / 5)));
    photos.append(write(QStringLiteral("notes.jpg"), QByteArrayLiteral("not a picture\n")));
    photos.append(write(QStringLiteral("plan.png"), whole));
    photos.append(photos.front());
    photos.append(temp.file("card/missing.jpg"));
    f.prompts.clear();
    f.prompts.QueueFiles(photos);
    f.frame->Action(app::kCmdImportPhotos)->trigger();
    EXPECT_EQ(f.document.GetProject().photos.photos.size(), 3u);
    ASSERT_EQ(f.Messages().size(), 2);
    EXPECT_EQ(f.Messages()[0], QStringLiteral("撮影写真取込み"));
    EXPECT_EQ(f.Messages()[1], QStringLiteral("3枚の写真を取り込みました。\n\n"
                                              "取り込まなかったファイル（5件）:\n"
                                              "・CUT.JPG（写真が途中で切れているか壊れています）\n"
                                              "・notes.jpg（JPEGファイルではありません）\n"
                                              "・plan.png（JPEGファイルではありません）\n"
                                              "・IMG_1.JPG（すでにプロジェクトに取り込まれています）\n"
                                              "・missing.jpg（ファイルがありません）"));
    EXPECT_EQ(f.frame->PhotoPane()->windowTitle(), QStringLiteral("撮影写真　枚数：全て(3)"));
    EXPECT_FALSE(f.frame->IsBusy());
    EXPECT_TRUE(f.frame->menuBar()->isEnabled());
    // The project on disk holds them: reopening it gives the same photos.
    CTavrelDoc reread;
    ASSERT_EQ(reread.OpenProjectFile(f.document.ProjectFilePath()), kDocOpened);
    EXPECT_EQ(reread.GetProject().photos.photos.size(), 3u);

    // More than the most one import takes: the message, and nothing imported.
    QStringList many;
    for (int k = 0; k <= app::kMaxPhotosPerImport; ++k)
        many.append(photos.front());
    f.prompts.clear();
    f.prompts.QueueFiles(many);
    f.frame->Action(app::kCmdImportPhotos)->trigger();
    ASSERT_EQ(f.Messages().size(), 2);
    EXPECT_TRUE(
        f.Messages()[1].startsWith(QStringLiteral("一度に取り込める写真の枚数(300枚)を超えています。")));
    EXPECT_EQ(f.document.GetProject().photos.photos.size(), 3u);
}
