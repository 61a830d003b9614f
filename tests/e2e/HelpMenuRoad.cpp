// The help a new user finds in the window, over an open project: every item of the menus and every toolbar
// button that is on says what it does in the status bar while the pointer rests on it, the buttons also
// as tool tips; ヘルプ opens the manual the build made from the user guide (several pages of Japanese
// text, read back by poppler), and its support and information items open that same guide, not an
// address on the web.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "ExcelReportFixture.h"
#include "RoadDriver.h"
#include "WorkbookCheck.h"
#include "app/frame/CommandIds.h"
#include "app/frame/HelpCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MenuTable.h"
#include "fe/AppFolders.h"

namespace {

// The menu table's item of the command.
app::MenuItem ItemOf(int id)
{
    for (const app::MenuColumn& column : app::MainMenu())
        for (const app::MenuItem& item : column.items)
            if (item.id == id)
                return item;
    return {};
}

QString PromptOf(int id)
{
    return ItemOf(id).prompt;
}

}  // namespace

TEST(Roads, HelpMenu)
{
    road::Road road(QStringLiteral("help-menu"));
    Project made;
    ASSERT_TRUE(excel_road::MakeProject(road.Work(), made));
    road.Start({made.ProjectFilePath()});
    ASSERT_TRUE(road.Running());
    CMainFrame& frame = road.Frame();
    QStatusBar* status = frame.statusBar();

    // The pointer on each item of each menu: its prompt in the status bar, whether the item is on or off.
    QMenuBar* bar = frame.menuBar();
    int items = 0;
    for (QAction* title : bar->actions()) {
        QMenu* menu = title->menu();
        ASSERT_TRUE(menu);
        const QPoint at = bar->actionGeometry(title).center();
        QTest::mouseMove(bar, at);
        QTest::mouseClick(bar, Qt::LeftButton, {}, at);
        ASSERT_TRUE(road.WaitUntil([&] { return menu->isVisible(); }, 5000)) << title->text().toStdString();
        for (QAction* item : menu->actions()) {
            const int id = item->data().toInt();
            if (item->isSeparator() || !item->isVisible() || !item->isEnabled() || id < app::kCmdFileNew ||
                (id >= app::kCmdRecentFirst && id <= app::kCmdRecentLast))
                continue;
            const QString prompt = PromptOf(id);
            EXPECT_FALSE(prompt.isEmpty()) << "no prompt for " << item->text().toStdString();
            QTest::mouseMove(menu, menu->actionGeometry(item).center());
            EXPECT_TRUE(road.WaitUntil([&] { return status->currentMessage() == prompt; }, 3000))
                << item->text().toStdString() << ": the status bar says "
                << status->currentMessage().toStdString();
            ++items;
            if (id == app::kCmdTrack) {
                road.Idle(200);
                road.Shot(QStringLiteral("track-item-prompt"));
            }
        }
        QTest::keyClick(menu, Qt::Key_Escape);
        road.WaitUntil([&] { return !menu->isVisible(); }, 3000);
        QTest::keyClick(bar, Qt::Key_Escape);
    }
    EXPECT_GE(items, 20);

    // The pointer on each toolbar button: the same prompt in the status bar, and its tool tip.
    auto* toolbar = frame.findChild<QToolBar*>(QStringLiteral("MainToolbar"));
    ASSERT_TRUE(toolbar);
    int buttons = 0;
    for (QAction* action : toolbar->actions()) {
        const int id = action->data().toInt();
        auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
        if (!button || id < app::kCmdFileNew || !button->isEnabled())
            continue;
        const QString prompt = PromptOf(id);
        QTest::mouseMove(button, button->rect().center());
        EXPECT_TRUE(road.WaitUntil([&] { return status->currentMessage() == prompt; }, 3000))
            << id << ": the status bar says " << status->currentMessage().toStdString();
        EXPECT_FALSE(ItemOf(id).tip.isEmpty()) << id;
        EXPECT_EQ(button->toolTip(), ItemOf(id).tip) << id;
        ++buttons;
    }
    EXPECT_GE(buttons, 8);
    QTest::mouseMove(frame.centralWidget(), frame.centralWidget()->rect().center());
    EXPECT_TRUE(road.WaitUntil([&] { return status->currentMessage().isEmpty(); }, 3000));

    // ヘルプ: the manual, then the support and the information items, each opening the manual.
    const QString manual = app::ManualPath(fe::GetExeFolder());
    road.ChooseMenu({QStringLiteral("ヘルプ"), QStringLiteral("取り扱い説明書")},
                    QStringLiteral("help-menu"));
    road.ChooseMenu({QStringLiteral("ヘルプ"), QStringLiteral("サポートページ")});
    road.ChooseMenu({QStringLiteral("ヘルプ"), QStringLiteral("情報ページ")});
    EXPECT_EQ(road.OpenedFiles(), QStringList({manual, manual, manual}));
    road.CheckPrompts();

    // The manual: a PDF of several pages whose text reads back in Japanese, the guide's headings in it.
    ASSERT_TRUE(QFileInfo(manual).isFile()) << manual.toStdString();
    const QString info = workbook_check::Run(QStringLiteral("pdfinfo"), {manual});
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    ASSERT_TRUE(pages.hasMatch()) << info.toStdString();
    EXPECT_GE(pages.captured(1).toInt(), 5);
    const QString text =
        workbook_check::Run(QStringLiteral("pdftotext"),
                            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), manual, QStringLiteral("-")});
    for (const char* heading :
         {"利用ガイド", "プロジェクトを開く", "写真を取り込む", "写真台帳", "困ったときは"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(heading))) << heading;
    road.Close();
}
