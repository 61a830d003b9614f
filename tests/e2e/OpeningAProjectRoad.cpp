// Opening a project: ファイル → 開く on a current project and on a first-version project (converted after the
// user agrees, with its progress), through the real file dialog; the title, the photo list, the
// location-map list and the view follow; the recent-file entry opens a project again, also after the
// program was closed and started again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTableWidget>
#include <QTest>

#include "OpeningAProjectFixture.h"
#include "RoadDriver.h"
#include "app/frame/MainFrame.h"
#include "app/view/TavrelView.h"

namespace {

// The real file dialog shows the program's open caption, or Qt's own "open" title when it gives none.
const QString kOpenDialogTitle = QStringLiteral("開く");

// What the user reads in a pane's list: one text per row, its cells joined (pictures left out).
QStringList Rows(road::Road& road, const char* gridName)
{
    auto* grid = road.Frame().findChild<QTableWidget*>(QString::fromLatin1(gridName));
    if (!grid)
        return {QStringLiteral("<no %1>").arg(QString::fromLatin1(gridName))};
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QStringList cells;
        for (int col = 0; col < grid->columnCount(); ++col) {
            const QTableWidgetItem* item = grid->item(row, col);
            cells.append(item ? item->text() : QString());
        }
        rows.append(cells.join(u'|'));
    }
    return rows;
}

QStringList PhotoRows(road::Road& road)
{
    return Rows(road, "PhotoGrid");
}

// The names in the location-map pane, in its order.
QStringList MapNames(road::Road& road)
{
    QStringList names;
    for (const QString& row : Rows(road, "MapGrid"))
        names.append(row.section(u'|', 1, 1));
    return names;
}

CTavrelView* View(road::Road& road)
{
    return road.Frame().findChild<CTavrelView*>();
}

// The view shows every photo with a position, centred on them, and not at a zoom far out of them.
void ExpectViewFittedToPhotos(road::Road& road, const std::vector<fe::geo::GeoPoint>& photos)
{
    CTavrelView* view = View(road);
    ASSERT_TRUE(view);
    Rect2 box;
    int kind = 0, zoom = 0;
    ASSERT_TRUE(view->GetVisibleLatLongBox(box, kind, zoom, 0.0));
    const QRectF client(0, 0, view->width(), view->height());
    QRectF spread;
    for (const fe::geo::GeoPoint& photo : photos) {
        const Point2 pixel = view->LatLongToPixel(photo, zoom);
        EXPECT_TRUE(client.contains(pixel.x, pixel.y))
            << "photo at " << photo.latitude << ", " << photo.longitude << " outside the view at zoom "
            << zoom;
        spread = spread.isNull() ? QRectF(pixel.x, pixel.y, 0.001, 0.001)
                                 : spread.united(QRectF(pixel.x, pixel.y, 0.001, 0.001));
    }
    EXPECT_NEAR(spread.center().x(), client.center().x(), client.width() * 0.05)
        << "not centred on the photos";
    EXPECT_NEAR(spread.center().y(), client.center().y(), client.height() * 0.05)
        << "not centred on the photos";
    // Two levels deeper they no longer fit: the view did not stay at a zoom far out of the photos.
    bool allInsideDeeper = true;
    for (const fe::geo::GeoPoint& photo : photos) {
        const Point2 pixel = view->LatLongToPixel(photo, zoom + 2);
        allInsideDeeper = allInsideDeeper && client.contains(pixel.x, pixel.y);
    }
    EXPECT_FALSE(allInsideDeeper) << "the photos fit two levels deeper than zoom " << zoom;
}

std::vector<fe::geo::GeoPoint> SitePositions()
{
    std::vector<fe::geo::GeoPoint> positions;
    for (const opening::SitePhoto& photo : opening::SitePhotos())
        positions.emplace_back(photo.longitude, photo.latitude);
    return positions;
}

// The handler of the real open dialog: optionally picks the first-version file type, then fills in the path.
std::function<void(QDialog*)> TypePath(road::Road& road, const QString& path, const QString& shot,
                                       bool firstVersionType = false)
{
    return [&road, path, shot, firstVersionType](QDialog* dialog) {
        ASSERT_TRUE(qobject_cast<QFileDialog*>(dialog)) << "not the file dialog";
        if (firstVersionType) {
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_TRUE(types);
            QTest::keyClick(types, Qt::Key_Down);
            EXPECT_TRUE(types->currentText().startsWith(QStringLiteral("ケルヴォル Ver1")))
                << types->currentText().toStdString();
        }
        road.FillFileDialog(dialog, path, shot);
    };
}

// The conversion's progress window lets no events through while it shows, so it is caught as it goes
// away: its caption and bar are kept, the files beside the project are looked at while the bar is full
// and before the new file is written, and the screen is taken with the window on it.
class ProgressWatch : public QObject
{
public:
    ProgressWatch(road::Road& road, QString firstVersionFile, QString newFile)
        : m_road(road), m_kvr(std::move(firstVersionFile)), m_kvr2(std::move(newFile))
    {
        qApp->installEventFilter(this);
    }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }

    bool seen = false;
    int barPaints = 0;  // paints of its bar: a window is painted only once the window system shows it
    QString title;
    int steps = -1;
    int done = -1;
    bool firstVersionKept = false;
    bool newFileWritten = true;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            auto* bar = qobject_cast<QProgressBar*>(watched);
            if (bar && bar->window()->windowTitle() == QStringLiteral("サムネイル作成中"))
                ++barPaints;
            return false;
        }
        if (seen || event->type() != QEvent::Hide)
            return false;
        auto* dialog = qobject_cast<QDialog*>(watched);
        auto* bar = dialog ? dialog->findChild<QProgressBar*>() : nullptr;
        if (!bar)
            return false;
        seen = true;
        title = dialog->windowTitle();
        steps = bar->maximum();
        done = bar->value();
        firstVersionKept = QFileInfo(m_kvr).isFile();
        newFileWritten = QFileInfo::exists(m_kvr2);
        m_road.Shot(QStringLiteral("conversion-progress"));
        return false;
    }

private:
    road::Road& m_road;
    QString m_kvr;
    QString m_kvr2;
};

QAction* RecentEntry(road::Road& road, const QString& path)
{
    for (QAction* action : road.Frame().menuBar()->actions()) {
        if (!action->menu() || !road::PlainText(action->text()).startsWith(QStringLiteral("ファイル")))
            continue;
        for (QAction* item : action->menu()->actions())
            if (item->statusTip() == path)
                return item;
    }
    return nullptr;
}

// Opens the recent-file entry of the path through the file menu, with a screenshot of the open menu.
void OpenRecent(road::Road& road, const QString& path, const QString& shot)
{
    QAction* entry = RecentEntry(road, path);
    ASSERT_TRUE(entry) << "no recent-file entry for " << path.toStdString();
    road.ChooseMenu({QStringLiteral("ファイル"), road::PlainText(entry->text())}, shot);
    ASSERT_TRUE(road.WaitUntil([&] { return road.Document().ProjectFilePath() == path; }))
        << "the recent file did not open: " << path.toStdString();
    road.Idle(1000);
}

// What the user sees of the open site project.
struct Seen
{
    QString title;
    QStringList photos;
    QStringList maps;
};

Seen Look(road::Road& road)
{
    return {road.Frame().windowTitle(), PhotoRows(road), MapNames(road)};
}

// The user sees the project as before.
void ExpectSeenAsBefore(road::Road& road, const Seen& before)
{
    const Seen now = Look(road);
    EXPECT_EQ(now.title, before.title);
    EXPECT_EQ(now.photos, before.photos);
    EXPECT_EQ(now.maps, before.maps);
}

void ExpectSiteProjectShown(road::Road& road, const QString& projectFile)
{
    EXPECT_TRUE(road.Frame().windowTitle().contains(opening::kSiteName))
        << road.Frame().windowTitle().toStdString();
    EXPECT_EQ(road.Document().ProjectFilePath(), projectFile);
    const QStringList photos = PhotoRows(road);
    ASSERT_EQ(photos.size(), int(opening::SitePhotos().size()));
    for (int k = 0; k < photos.size(); ++k) {
        const opening::SitePhoto& photo = opening::SitePhotos()[size_t(k)];
        EXPECT_TRUE(photos[k].contains(QStringLiteral("DSC0%1.JPG").arg(1201 + k)))
            << photos[k].toStdString();
        EXPECT_TRUE(photos[k].contains(QString::fromLatin1(photo.date))) << photos[k].toStdString();
    }
    EXPECT_EQ(MapNames(road), QStringList({opening::kWebMapName, opening::kPlanMapName}));
    ExpectViewFittedToPhotos(road, SitePositions());
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(Roads, OpeningAProject)
{
    road::Road road(QStringLiteral("opening-a-project"));
    const QString site = opening::MakeSiteProject(road.Work() + QStringLiteral("/工事"));
    const QString firstVersion = opening::MakeFirstVersionProject(road.Work() + QStringLiteral("/工事"));
    ASSERT_FALSE(site.isEmpty());
    ASSERT_FALSE(firstVersion.isEmpty());
    const QString converted =
        QFileInfo(firstVersion).path() + u'/' + opening::kFirstVersionName + QStringLiteral(".kvr2");
    const QString convertedFolder = QFileInfo(firstVersion).path() + u'/';

    // A first start: nothing open, no recent files.
    road.Start();
    road.Shot(QStringLiteral("empty-program"));
    EXPECT_TRUE(PhotoRows(road).isEmpty());
    EXPECT_TRUE(MapNames(road).isEmpty());
    QAction* none = road.MenuAction({QStringLiteral("ファイル"), QStringLiteral("最近使ったファイル")});
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->isEnabled());

    // ファイル → 開く on the current project, typed into the real file dialog.
    road.ExpectRealFileDialog();
    road.WhenDialog(kOpenDialogTitle, TypePath(road, site, QStringLiteral("open-dialog")));
    road.ChooseMenu({QStringLiteral("ファイル"), QStringLiteral("開く")});
    ASSERT_TRUE(road.WaitUntil([&] { return road.Document().ProjectFilePath() == site; }))
        << "the project did not open";
    road.Idle(1000);
    road.Shot(QStringLiteral("project-opened"));
    ExpectSiteProjectShown(road, site);
    EXPECT_TRUE(road.DialogsHandled());
    road.CheckPrompts();
    const Seen opened = Look(road);

    // ファイル → 開く on the first-version project while a current project file of the name it converts
    // into lies beside it: the user is asked, naming that file, and on いいえ nothing on disk changes and
    // the open project stays.
    {
        ASSERT_TRUE(QFile::copy(site, converted));
        const QByteArray current = FileBytes(converted);
        const QByteArray firstVersionBytes = FileBytes(firstVersion);
        road.ExpectRealFileDialog();
        road.ExpectMessage(QStringLiteral("指定のファイルはケルヴォル Ver1のファイルです。"),
                           app::PromptAnswer::Yes);
        road.ExpectMessage(QStringLiteral("置き換えると、このファイルの内容は失われます。"), app::PromptAnswer::No);
        road.WhenDialog(kOpenDialogTitle,
                        TypePath(road, firstVersion, QStringLiteral("open-first-version-beside-current"), true));
        road.ChooseMenu({QStringLiteral("ファイル"), QStringLiteral("開く")});
        const auto replaceAsked = [&] {
            const auto& asked = road.Prompts().asked();
            return !asked.empty() && asked.back().text.contains(QStringLiteral("置き換え"));
        };
        ASSERT_TRUE(road.WaitUntil(replaceAsked)) << "the replacement was not asked about";
        road.Idle(1000);
        road.Shot(QStringLiteral("first-version-beside-current-declined"));
        road.CheckPrompts();
        EXPECT_TRUE(road.Prompts().asked().back().text.contains(converted))
            << road.Prompts().asked().back().text.toStdString();
        EXPECT_EQ(FileBytes(converted), current);
        EXPECT_EQ(FileBytes(firstVersion), firstVersionBytes);
        for (const char* thumbs : {"photominiM", "photominiL"})
            EXPECT_FALSE(QFileInfo::exists(convertedFolder + QString::fromLatin1(thumbs))) << thumbs;
        ExpectSiteProjectShown(road, site);
        ExpectSeenAsBefore(road, opened);
        ASSERT_TRUE(QFile::remove(converted));
    }

    // ファイル → 開く on the first-version project: its file type chosen in the dialog, the conversion
    // agreed to, its progress shown, the new file saved and only then the first-version file removed.
    {
        ProgressWatch progress(road, firstVersion, converted);
        road.ExpectRealFileDialog();
        road.ExpectMessage(QStringLiteral("指定のファイルはケルヴォル Ver1のファイルです。"),
                           app::PromptAnswer::Yes);
        road.WhenDialog(kOpenDialogTitle,
                        TypePath(road, firstVersion, QStringLiteral("open-first-version"), true));
        road.ChooseMenu({QStringLiteral("ファイル"), QStringLiteral("開く")});
        ASSERT_TRUE(road.WaitUntil([&] { return road.Document().ProjectFilePath() == converted; }))
            << "the first-version project was not converted and opened";
        road.CheckPrompts();
        EXPECT_TRUE(progress.seen) << "no progress was shown";
        EXPECT_GE(progress.barPaints, 2) << "the progress bar was not painted at each photo";
        EXPECT_EQ(progress.title, QStringLiteral("サムネイル作成中"));
        EXPECT_EQ(progress.steps, 2);
        EXPECT_EQ(progress.done, 2);
        EXPECT_TRUE(progress.firstVersionKept) << "the first-version file went before the new one was saved";
        EXPECT_FALSE(progress.newFileWritten);
    }
    road.Idle(1000);
    road.Shot(QStringLiteral("first-version-converted"));
    EXPECT_FALSE(QFile::exists(firstVersion));
    EXPECT_TRUE(QFileInfo(converted).isFile());
    for (const char* thumbs : {"photomini", "photominiM", "photominiL"})
        for (int id = 1; id <= 2; ++id)
            EXPECT_TRUE(
                QFileInfo(convertedFolder + QString::fromLatin1(thumbs) + u'/' + PhotoFileName(id)).isFile())
                << thumbs << " " << id;
    EXPECT_TRUE(road.Frame().windowTitle().contains(opening::kFirstVersionName))
        << road.Frame().windowTitle().toStdString();
    const QStringList oldPhotos = PhotoRows(road);
    ASSERT_EQ(oldPhotos.size(), 2);
    EXPECT_TRUE(oldPhotos[0].contains(QStringLiteral("IMG_0001.JPG"))) << oldPhotos[0].toStdString();
    EXPECT_TRUE(oldPhotos[1].contains(QStringLiteral("IMG_0002.JPG"))) << oldPhotos[1].toStdString();
    EXPECT_EQ(MapNames(road), QStringList({QStringLiteral("地図A")}));
    ExpectViewFittedToPhotos(road, {fe::geo::GeoPoint(135.5, 34.5), fe::geo::GeoPoint(135.6, 34.6)});
    const Seen convertedSeen = Look(road);

    // The recent-file entry opens the site project again.
    OpenRecent(road, site, QStringLiteral("recent-files-menu"));
    road.Shot(QStringLiteral("reopened-from-recent-files"));
    ExpectSiteProjectShown(road, site);
    ExpectSeenAsBefore(road, opened);
    road.Close();

    // Started again: both projects are in the recent files and open as they were, the converted one
    // without a second conversion.
    road.Start();
    road.Shot(QStringLiteral("started-again"));
    EXPECT_TRUE(RecentEntry(road, site));
    EXPECT_TRUE(RecentEntry(road, converted));
    OpenRecent(road, converted, QStringLiteral("recent-files-after-restart"));
    ExpectSeenAsBefore(road, convertedSeen);
    road.CheckPrompts();

    OpenRecent(road, site, QStringLiteral("recent-files-site"));
    road.Shot(QStringLiteral("site-project-after-restart"));
    ExpectSiteProjectShown(road, site);
    ExpectSeenAsBefore(road, opened);
    road.Close();
}
