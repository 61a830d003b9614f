// The tile settings dialog: what it checks, the TileSiteList.txt it writes and reads back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTimer>

#include "FileBytes.h"
#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MainFrameViewHost.h"
#include "app/frame/SettingsCommands.h"
#include "app/settings/SetTileDlg.h"
#include "app/view/TavrelView.h"
#include "model/AppSettings.h"

namespace {

using app::TileSiteFields;
using app::TileSiteGroups;

fe::geo::TileSite Site(const QString& title, const QString& base, const QString& path, const QString& extension,
                       int low, int high, bool transparent)
{
    fe::geo::TileSite site;
    site.title = title;
    site.baseUrl = base;
    site.path = path;
    site.extension = extension;
    site.zoomMin = low;
    site.zoomMax = high;
    site.transparent = transparent;
    return site;
}

void PutCell(app::CSpread7U& grid, int col, const QString& text)
{
    grid.SetCol(col);
    grid.SetRow(1);
    grid.SetText(text);
}

const QByteArray kThreeSites =
    "\xEF\xBB\xBF"
    "{\r\n\t\"標準地図\",\r\n\t\"https://tiles.example\",\r\n\t\"/xyz/std\",\r\n\t\".png\",\r\n\t2,\r\n\t18,\r\n\tfalse\r\n}\r\n"
    "{\r\n\t\"地元の淡色\",\r\n\t\"http://127.0.0.1:8080\",\r\n\t\"/tiles/pale\",\r\n\t\".a.png\",\r\n\t5,\r\n\t17,\r\n\ttrue\r\n}\r\n"
    "{\r\n\t\"写真\",\r\n\t\"https://tiles.example\",\r\n\t\"/xyz/seamlessphoto\",\r\n\t\".jpg\",\r\n\t2,\r\n\t18,\r\n\tfalse\r\n}\r\n";

class TileSettingsTest : public testing::Test
{
protected:
    QString ListPath() const { return m_temp.file("TileSiteList.txt"); }
    QString Cache() const { return m_temp.file("cache"); }
    fe::geo::TileSiteVector Sites() const
    {
        return {Site("標準地図", "https://tiles.example", "/xyz/std", ".png", 2, 18, false),
                Site("地元の淡色", "http://127.0.0.1:8080", "/tiles/pale", "a.png", 17, 5, true),
                Site("写真", "https://tiles.example", "/xyz/seamlessphoto", "jpg", 2, 18, false)};
    }

    TempFolder m_temp;
    app::ScriptedPrompts m_prompts;
};

TEST_F(TileSettingsTest, OkWritesTheListThatTheReaderTakesBackFieldForField)
{
    EXPECT_EQ(app::StoredTileExtension("png"), ".png");
    EXPECT_EQ(app::StoredTileExtension(".png"), ".png");
    EXPECT_EQ(app::StoredTileExtension("a.png"), ".a.png");

    app::CSetTileDlg dialog(Sites(), Cache(), ListPath());
    // Swapped zooms show the smaller one first.
    EXPECT_EQ(dialog.ZoomLow(1)->text(), "5");
    EXPECT_EQ(dialog.ZoomHigh(1)->text(), "17");
    EXPECT_TRUE(dialog.Transparent(1)->isChecked());
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(m_prompts.asked().empty());
    EXPECT_EQ(ReadAll(ListPath()), kThreeSites);

    AppSettings settings;
    ASSERT_TRUE(settings.MergeTileSiteList(ListPath()));
    ASSERT_EQ(settings.tileSites.size(), 3u);
    const fe::geo::TileSite& pale = settings.tileSites[1];
    EXPECT_EQ(pale.title, "地元の淡色");
    EXPECT_EQ(pale.baseUrl, "http://127.0.0.1:8080");
    EXPECT_EQ(pale.path, "/tiles/pale");
    EXPECT_EQ(pale.extension, ".a.png");
    EXPECT_EQ(pale.zoomMin, 5);
    EXPECT_EQ(pale.zoomMax, 17);
    EXPECT_TRUE(pale.transparent);

    // A list made by the first version on Windows goes through the dialog unchanged.
    const QString windows = m_temp.file("windows.txt");
    WriteAll(windows, kThreeSites);
    AppSettings fromWindows;
    ASSERT_TRUE(fromWindows.MergeTileSiteList(windows));
    app::CSetTileDlg again(fromWindows.tileSites, Cache(), windows);
    again.OkButton()->click();
    EXPECT_EQ(ReadAll(windows), kThreeSites);
}

TEST_F(TileSettingsTest, RefusedGroupsAreNamedAndNothingIsWritten)
{
    WriteAll(ListPath(), "old");
    struct Case
    {
        const char* what;
        int group;
        std::function<void(app::CSetTileDlg&)> edit;
    };
    const Case cases[] = {
        {"equal zooms", 2, [](app::CSetTileDlg& d) { d.ZoomHigh(1)->setText("5"); }},
        {"empty low zoom", 1, [](app::CSetTileDlg& d) { d.ZoomLow(0)->clear(); }},
        {"zoom beyond 24", 3, [](app::CSetTileDlg& d) { d.ZoomHigh(2)->setText("25"); }},
        {"empty title", 2, [](app::CSetTileDlg& d) { PutCell(*d.Grid(1), 1, ""); }},
        {"empty extension", 3, [](app::CSetTileDlg& d) { PutCell(*d.Grid(2), 4, ""); }},
        {"empty server", 1, [](app::CSetTileDlg& d) { PutCell(*d.Grid(0), 2, ""); }},
        {"comma in a title", 2, [](app::CSetTileDlg& d) { PutCell(*d.Grid(1), 1, "淡色,地図"); }},
        {"quote in a path", 1, [](app::CSetTileDlg& d) { PutCell(*d.Grid(0), 3, "/xyz/\"std"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_prompts.clear();
        app::CSetTileDlg dialog(Sites(), Cache(), ListPath());
        dialog.show();
        c.edit(dialog);
        dialog.OkButton()->click();
        ASSERT_EQ(m_prompts.asked().size(), 1u);
        EXPECT_EQ(m_prompts.asked()[0].text, QStringLiteral("地図%1に無効な値が設定されています。").arg(c.group));
        EXPECT_EQ(m_prompts.asked()[0].caption, "ケルヴォル");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(ReadAll(ListPath()), "old");
    }
}

TEST_F(TileSettingsTest, CancelAndAnUnwritableFileLeaveTheOldList)
{
    WriteAll(ListPath(), "old");
    {
        app::CSetTileDlg dialog(Sites(), Cache(), ListPath());
        dialog.ResetButton()->click();
        EXPECT_EQ(dialog.Groups()[1].path, "/xyz/pale");
        dialog.CancelButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(ReadAll(ListPath()), "old");

    const QString unwritable = m_temp.file("missing/TileSiteList.txt");
    app::CSetTileDlg dialog(Sites(), Cache(), unwritable);
    dialog.show();
    dialog.OkButton()->click();
    ASSERT_EQ(m_prompts.asked().size(), 1u);
    EXPECT_TRUE(m_prompts.asked()[0].text.startsWith("地図タイル設定を保存できませんでした。"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Groups()[1].title, "地元の淡色");
    EXPECT_FALSE(QFile::exists(unwritable));
}

TEST_F(TileSettingsTest, TheFrameReloadsTheListSavesTheSettingsAndClearsTheCacheWhenAsked)
{
    const QString list = AppSettings::TileSiteListPath();
    QFile::remove(list);
    QFile::remove(app::SettingsFilePath());
    AppSettings live = AppSettings::Defaults();
    live.tileCacheFolder = m_temp.file("geocache");
    ASSERT_TRUE(QDir().mkpath(live.tileCacheFolder + "/_xyz_pale/5"));
    WriteAll(live.tileCacheFolder + "/_xyz_pale/5/tile.png", "tile");
    CTavrelDoc document;
    document.appSettings = &live;
    CMainFrame frame(&document);
    // The view is never shown, so it draws nothing and asks for no tile.
    auto* view = new CTavrelView(&document, app::MakeMainFrameViewHost(frame));
    app::InstallMainView(frame, view);

    // The user points map 2 at a local server and presses OK, then agrees to clear the cache.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<app::CSetTileDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        PutCell(*dialog->Grid(1), 1, "地元の淡色");
        PutCell(*dialog->Grid(1), 2, "http://127.0.0.1:8080");
        PutCell(*dialog->Grid(1), 3, "/tiles/pale");
        dialog->OkButton()->click();
    });
    m_prompts.QueueAnswer(app::PromptAnswer::Yes);
    app::EditTileSettings(frame, *view);

    ASSERT_EQ(live.tileSites.size(), 3u);
    EXPECT_EQ(live.tileSites[1].title, "地元の淡色");
    EXPECT_EQ(live.tileSites[1].baseUrl, "http://127.0.0.1:8080");
    EXPECT_TRUE(ReadAll(list).startsWith("\xEF\xBB\xBF{\r\n\t\""));
    AppSettings saved;
    ASSERT_TRUE(saved.Load(app::SettingsFilePath()));
    EXPECT_EQ(saved.tileSites[1].path, "/tiles/pale");
    ASSERT_EQ(m_prompts.asked().size(), 2u);
    EXPECT_EQ(m_prompts.asked()[0].text, "地理院タイルキャッシュをクリアしますか？");
    EXPECT_EQ(m_prompts.asked()[1].text, "キャッシュを削除しました。");
    EXPECT_FALSE(QFileInfo::exists(live.tileCacheFolder + "/_xyz_pale/5/tile.png"));
    EXPECT_TRUE(QFileInfo(live.tileCacheFolder).isDir());
    QFile::remove(list);
}

}  // namespace

// At its default size on a 1280 × 1024 screen every part of the dialog is whole: the group titles with
// their closing bracket, each grid's one row above any scroll bar and every column in view.
TEST_F(TileSettingsTest, EveryControlAndColumnIsWholeAtTheDefaultSize)
{
    QFile::remove(AppSettings::TileSiteListPath());
    AppSettings live = AppSettings::Defaults();
    CTavrelDoc document;
    document.appSettings = &live;
    CMainFrame frame(&document);
    auto* view = new CTavrelView(&document, app::MakeMainFrameViewHost(frame));
    app::InstallMainView(frame, view);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<app::CSetTileDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        QCoreApplication::processEvents();
        dialog->grab().save(QDir::current().filePath("tile-settings-default.png"));
        EXPECT_LE(dialog->frameGeometry().width(), 1280);
        EXPECT_LE(dialog->frameGeometry().height(), 1024);
        const QList<QGroupBox*> boxes = dialog->findChildren<QGroupBox*>();
        ASSERT_EQ(boxes.size(), 3);
        for (QGroupBox* box : boxes) {
            SCOPED_TRACE(box->title().toStdString());
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.lineWidth = 1;
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            option.textAlignment = box->alignment();
            const QRect title =
                box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
            EXPECT_TRUE(box->title().endsWith(u'）'));
            EXPECT_GE(title.width(), box->fontMetrics().horizontalAdvance(box->title()));
            EXPECT_TRUE(box->rect().contains(title));
        }
        for (int g = 0; g < 3; ++g) {
            app::CSpread7U& grid = *dialog->Grid(g);
            SCOPED_TRACE(g);
            EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
            EXPECT_LE(grid.rowViewportPosition(0) + grid.rowHeight(0), grid.viewport()->height());
            for (int c = 0; c < grid.columnCount(); ++c) {
                SCOPED_TRACE(c);
                EXPECT_GE(grid.columnViewportPosition(c), 0);
                EXPECT_LE(grid.columnViewportPosition(c) + grid.columnWidth(c), grid.viewport()->width());
                const QString header = grid.model()->headerData(c, Qt::Horizontal).toString();
                const QString text = grid.model()->index(0, c).data().toString();
                EXPECT_GT(grid.columnWidth(c), grid.horizontalHeader()->fontMetrics().horizontalAdvance(header));
                EXPECT_GT(grid.columnWidth(c), grid.fontMetrics().horizontalAdvance(text)) << text.toStdString();
            }
        }
        dialog->reject();
    });
    app::EditTileSettings(frame, *view);
    EXPECT_TRUE(seen);
}
