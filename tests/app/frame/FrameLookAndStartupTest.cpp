// What the frame shows besides its commands: the toolbar's pictures and attribution, the version dialog,
// the order of the pane controls in the busy state, and the command line read at start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/FolderOpener.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/AboutDialog.h"
#include "app/frame/CommandIds.h"
#include "app/frame/CommandLine.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MenuTable.h"
#include "app/frame/Profile.h"
#include "fe/AppFolders.h"

TEST(FrameLook, EveryToolbarButtonHasItsOwnPictureAndTheAttributionFollowsTheMap)
{
    QFile::remove(app::ProfilePath());
    CTavrelDoc document;
    CMainFrame frame(&document);
    auto* toolbar = frame.findChild<QToolBar*>(QStringLiteral("MainToolbar"));
    ASSERT_NE(toolbar, nullptr);
    int buttons = 0;
    QSet<qint64> pictures;
    for (int id : app::MainToolbar()) {
        if (id == 0)
            continue;
        ++buttons;
        const QIcon icon = frame.Action(id)->icon();
        ASSERT_FALSE(icon.isNull()) << id;
        const QImage picture = icon.pixmap(QSize(16, 15)).toImage();
        pictures.insert(qint64(qHashBits(picture.constBits(), size_t(picture.sizeInBytes()))));
    }
    EXPECT_EQ(buttons, 18);
    EXPECT_EQ(pictures.size(), 18);  // no two buttons look alike

    QAction* attribution = frame.findChild<QAction*>(QStringLiteral("cmd%1").arg(app::kCmdAttribution));
    ASSERT_NE(attribution, nullptr);
    int mode = 0;
    frame.SetStateSource([&mode](app::UiState& s) { s.viewMode = mode; });
    frame.show();
    frame.UpdatePaneControls(false);
    EXPECT_TRUE(attribution->isVisible());
    mode = 1;
    frame.UpdatePaneControls(false);
    EXPECT_FALSE(attribution->isVisible());
    mode = 3;
    frame.UpdatePaneControls(false);
    EXPECT_TRUE(attribution->isVisible());
}

TEST(FrameLook, TheBusyStateTurnsThePanesOnAppliesTheRulesThenTurnsThemOff)
{
    QFile::remove(app::ProfilePath());
    CTavrelDoc document;
    CMainFrame frame(&document);
    QStringList steps;
    frame.PaneLinks().enablePaneControls = [&steps](bool on) { steps.append(on ? "on" : "off"); };
    frame.PaneLinks().updatePaneButtons = [&steps] { steps.append("rules"); };
    frame.LockUI(true);
    ASSERT_GE(steps.size(), 3);
    EXPECT_EQ(steps.mid(0, 3), QStringList({"on", "rules", "off"}));
    EXPECT_EQ(steps.back(), QStringLiteral("off"));
    steps.clear();
    frame.LockUI(false);
    ASSERT_GE(steps.size(), 2);
    EXPECT_EQ(steps.mid(0, 2), QStringList({"on", "rules"}));
    EXPECT_EQ(steps.back(), QStringLiteral("rules"));
}

TEST(AboutDialog, ShowsTheLongVersionAndOpensTheReadmeOfTheProgramFolder)
{
    app::CAboutDlg about;
    EXPECT_EQ(about.VersionLabel()->text(), QStringLiteral(" Version 2.01"));
    EXPECT_EQ(about.VersionLabel()->font().pointSize(), 10);
    QStringList opened;
    app::SetFolderOpener([&opened](const QString& path) {
        opened.append(path);
        return true;
    });
    about.ReadmeButton()->click();
    app::SetFolderOpener({});
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QDir(fe::GetExeFolder()).filePath(QStringLiteral("Readme.txt")));
}

TEST(AboutDialog, EscClosesItOpenedFromTheHelpMenu)
{
    QFile::remove(app::ProfilePath());
    CTavrelDoc document;
    CMainFrame frame(&document);
    frame.show();
    bool shown = false;
    bool closedByEsc = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<app::CAboutDlg*>(QApplication::activeModalWidget());
        if (!about)
            return;
        shown = true;
        QTest::keyClick(about, Qt::Key_Escape);
        closedByEsc = !about->isVisible();
        about->done(QDialog::Accepted);  // ends the run even when Esc did not
    });
    frame.Action(app::kCmdAbout)->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(closedByEsc);
}

TEST(StartupArguments, TheLastNamedFileIsTheProjectAndTheSplashCanBeTurnedOff)
{
    struct Case
    {
        QStringList arguments;
        QString project;
        bool splash;
    };
    const Case cases[] = {
        {{}, QString(), true},
        {{"a.kvr2", "b.kvr2"}, "b.kvr2", true},
        {{"--no-splash", "/work/Site A/Site A.kvr2"}, "/work/Site A/Site A.kvr2", false},
        {{"a.kvr", "--no-splash"}, "a.kvr", false},
    };
    for (const Case& c : cases) {
        const app::StartupOptions options = app::ParseStartupArguments(c.arguments);
        EXPECT_EQ(options.projectPath, c.project) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(options.splash, c.splash) << c.arguments.join(' ').toStdString();
    }
}

TEST(FrameLook, StatusTextsLoseTheirTabsAndTakeTheirAlignment)
{
    QFile::remove(app::ProfilePath());
    CMainFrame frame;
    frame.UpdateStatusCoordSystem(2, true, 9);
    EXPECT_EQ(frame.StatusTexts()[0], QStringLiteral(" 座標系： 平面直角座標系　系番号：Ⅸ"));
    auto* system = frame.findChild<QLabel*>(QStringLiteral("StatusPane1"));
    ASSERT_NE(system, nullptr);
    EXPECT_TRUE(system->alignment() & Qt::AlignRight);
    // The pixel texts have no tab: left-aligned.
    frame.SetStatusPixel(3, 4);
    EXPECT_EQ(frame.StatusTexts()[0], QStringLiteral(" 座標系： なし"));
    EXPECT_TRUE(system->alignment() & Qt::AlignLeft);
}
