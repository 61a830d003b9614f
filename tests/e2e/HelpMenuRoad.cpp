// The help a new user finds in the window, over an open project: ヘルプ opens the manual the build made
// from the user guide (several pages of Japanese text, read back by poppler), and its support and
// information items open that same guide, not an address on the web.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "ExcelReportFixture.h"
#include "RoadDriver.h"
#include "WorkbookCheck.h"
#include "app/frame/HelpCommands.h"
#include "fe/AppFolders.h"

TEST(Roads, HelpMenu)
{
    road::Road road(QStringLiteral("help-menu"));
    Project made;
    ASSERT_TRUE(excel_road::MakeProject(road.Work(), made));
    road.Start({made.ProjectFilePath()});
    ASSERT_TRUE(road.Running());

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
