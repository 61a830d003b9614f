// The location-map commands on the real frame, offscreen: the background-map import through a stand-in
// import tool, web maps with their zone, copying, deleting, placing and removing photos, selecting the
// placed ones and the overlay switches. The panes and the view are stood in for by the frame's pane links
// and map hooks.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "FileBytes.h"
#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommands.h"
#include "app/frame/MapImportRun.h"
#include "app/frame/Profile.h"
#include "app/maps/ReportLocInfoDlg.h"
#include "app/maps/SetCoordSystemNoDlg.h"
#include "app/progress/SubProgressDlg.h"
#include "fe/AppFolders.h"
#include "fe/PathUtil.h"
#include "fe/geo/MhcRegistration.h"
#include "model/AppSettings.h"
#include "model/ProjectFile.h"

namespace app {
namespace {

// Runs `act` on the modal dialog of type T once it shows.
template <typename T, typename Act>
void WhenModal(Act act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

// Runs tests/app/maps/data/plane_check.py with the arguments and returns the numbers it printed.
std::vector<double> PlaneCheck(const QStringList& arguments)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{QStringLiteral(KELVOR_SOURCE_DIR "/tests/app/maps/data/plane_check.py")} + arguments);
    EXPECT_TRUE(python.waitForFinished(120000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    std::vector<double> numbers;
    for (const QString& piece : QString::fromUtf8(python.readAllStandardOutput()).split(u' ', Qt::SkipEmptyParts))
        numbers.push_back(piece.trimmed().toDouble());
    return numbers;
}

class MapCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(ProfilePath());
        fe::DeleteFolderTree(fe::GetTempFolderPath());
        QFile::remove(AppSettings::FilePath());
        settings.tileCacheFolder = temp.file("tiles");
        QDir().mkpath(settings.tileCacheFolder);
        settings.planeZone = 9;
        doc.appSettings = &settings;
        doc.overviewKind = LocationMap::kWebPale;
        doc.overviewBox = Rect2(139.70, 35.60, 139.80, 35.70);
        doc.overviewZoom = 16;
        frame = std::make_unique<CMainFrame>(&doc);
        ASSERT_TRUE(doc.Change(ProjectChange::Settings, [&](Project& project) {
                           return project.CreateNew(QStringLiteral("現場"), temp.path()) == kProjectOk;
                       }).Ok());

        FramePaneLinks& links = frame->PaneLinks();
        links.currentMapIndex = [this] { return current; };
        links.selectedPhotoRows = [this] {
            std::vector<int> rows;
            for (int index : selected)
                rows.push_back(index + 1);
            return rows;
        };
        links.selectPhotoRows = [this](const std::vector<int>& rows) {
            selected.clear();
            for (int row : rows)
                selected.push_back(row - 1);
        };
        frame->SetStateSource([this](UiState& state) {
            state.currentMap = current >= 0;
            state.viewMode = current < 0 ? 0 : 1;
        });
        frame->SetMessageHandler(kMsgCloseLedgerDlg, [this](qintptr save, qintptr) -> qintptr {
            EXPECT_EQ(save, 1);
            mapsWhenLedgerClosed.push_back(project().maps.Count());
            return 1;
        });
        frame->SetMessageHandler(kMsgShowWebMap, [this](qintptr kind, qintptr) -> qintptr {
            webShown.push_back(int(kind));
            return 1;
        });
        MapCommandHooks& hooks = MapHooks(*frame);
        hooks.showMap = [this](int index) {
            shown.push_back(index);
            current = index;
        };
        hooks.stopTiles = [this] { ++tilesStopped; };
        hooks.restartTiles = [this] { ++tilesRestarted; };
    }
    void TearDown() override
    {
        SetBackgroundImportToolPath(QString());
        SetBackgroundImportTimeLimit(std::chrono::milliseconds(0));
        fe::DeleteFolderTree(fe::GetTempFolderPath());
    }

    const Project& project() const { return doc.GetProject(); }
    QByteArray ProjectBytes() const { return ReadAll(project().ProjectFilePath()); }

    void AddWebMaps(int count)
    {
        ASSERT_TRUE(doc.Change(ProjectChange::Maps, [&](Project& p) {
                           for (int k = 0; k < count; ++k)
                               EXPECT_TRUE(p.maps.AddWebMap(LocationMap::kWebStandard, doc.overviewBox, 16, false));
                           return true;
                       }).Ok());
    }

    void AddPhotos(int count)
    {
        ASSERT_TRUE(doc.Change(ProjectChange::Photos, [&](Project& p) {
                           for (int k = 0; k < count; ++k) {
                               PhotoRecord photo(p.photos.nextId++);
                               photo.position = fe::geo::GeoPoint(139.75 + 0.001 * k, 35.65);
                               p.photos.photos.push_back(photo);
                           }
                           return true;
                       }).Ok());
    }

    // A stand-in import tool: writes temp/<name>.png (and the registrations when asked) for the path it is
    // given, and keeps the start-up setting it found. `work` is shell text run before the picture is made.
    QString WriteTool(bool withRegistration, bool makesPicture = true, const QString& work = QString())
    {
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(QColor(30, 160, 90));
        EXPECT_TRUE(picture.save(temp.file("made.png")));
        QString script = QStringLiteral(
                             "#!/bin/sh\n"
                             "T=\"$KELVOR_WRITABLE_FOLDER/temp\"\n"
                             "N=$(basename \"$1\" | sed 's/\\.[^.]*$//')\n"
                             "cp \"$T/bgxStartupSetting.bin\" \"%1/seen.bin\"\n"
                             "pwd > \"%1/cwd.txt\"\n")
                             .arg(temp.path());
        script += work;
        if (makesPicture)
            script += QStringLiteral("cp \"%1/made.png\" \"$T/$N.png\"\n").arg(temp.path());
        if (withRegistration) {
            script += QStringLiteral(
                          "printf '1\\r\\n0\\r\\n0\\r\\n200\\r\\n100\\r\\n0\\r\\n100\\r\\n200\\r\\n0\\r\\n' > \"$T/$N.mhc\"\n"
                          "printf 'cad registration' > \"$T/${N}CAD.mhc\"\n");
        }
        const QString path = temp.file("bgx-standin.sh");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        SetBackgroundImportToolPath(path);
        return path;
    }

    QStringList Messages() const
    {
        QStringList texts;
        for (const auto& asked : prompts.asked()) {
            if (asked.kind == QStringLiteral("message"))
                texts.append(asked.text);
        }
        return texts;
    }

    TempFolder temp;
    ScriptedPrompts prompts;
    AppSettings settings;
    CTavrelDoc doc;
    std::unique_ptr<CMainFrame> frame;
    int current = -1;
    std::vector<int> shown;
    std::vector<int> selected;
    int tilesStopped = 0;
    int tilesRestarted = 0;
    std::vector<int> mapsWhenLedgerClosed;
    std::vector<int> webShown;
};

TEST_F(MapCommands, ImportAddsTheToolsRegisteredPicture)
{
    WriteTool(true);
    const QString drawing = temp.file("plan.rev.dxf");
    WriteAll(drawing, "0\nEOF\n");
    prompts.QueueFiles({drawing});
    frame->show();
    ImportBackgroundMap(*frame);

    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
    ASSERT_EQ(project().maps.Count(), 1);
    const LocationMap& map = project().maps.maps[0];
    EXPECT_EQ(map.kind, LocationMap::kRegisteredPicture);
    // The registration names no zone: the zone last chosen registers it.
    EXPECT_EQ(map.zone, 9);
    EXPECT_EQ(map.pictureWidth, 200);
    EXPECT_EQ(ReadAll(project().MapCadRegistrationPath(0)), QByteArray("cad registration"));
    EXPECT_EQ(shown, std::vector<int>{0});
    EXPECT_FALSE(QFileInfo::exists(fe::GetTempFolderPath()));
    EXPECT_EQ(settings.lastMapFolder, temp.path() + u'/');

    // The tool got the start-up setting and ran in the executable's folder.
    EXPECT_EQ(ReadAll(temp.file("seen.bin")).mid(16), QByteArray(reinterpret_cast<const char*>(
                                                                     settings.tileCacheFolder.utf16()),
                                                                 settings.tileCacheFolder.size() * 2));
    EXPECT_EQ(QDir(QString::fromUtf8(ReadAll(temp.file("cwd.txt"))).trimmed()),
              QDir(fe::GetExeFolder()));
    EXPECT_EQ(tilesStopped, 1);
    EXPECT_EQ(tilesRestarted, 1);
    EXPECT_FALSE(frame->isMinimized());

    // The map is in the file, and setting.bin holds the zone.
    Project onDisk;
    ASSERT_EQ(LoadProject(onDisk, project().ProjectFilePath()), kProjectOk);
    ASSERT_EQ(onDisk.maps.Count(), 1);
    EXPECT_EQ(onDisk.maps.maps[0].kind, LocationMap::kRegisteredPicture);
    AppSettings stored;
    ASSERT_TRUE(stored.Load(AppSettings::FilePath()));
    EXPECT_EQ(stored.planeZone, 9);
}

TEST_F(MapCommands, ImportOfAPlainPictureAddsAMapWithoutCoordinates)
{
    WriteTool(false);
    const QString picture = temp.file("site.jpg");
    ASSERT_TRUE(QImage(64, 48, QImage::Format_RGB32).save(picture));
    ASSERT_TRUE(RunBackgroundMapImport(*frame, picture));
    ASSERT_EQ(project().maps.Count(), 1);
    EXPECT_EQ(project().maps.maps[0].kind, LocationMap::kPicture);
    EXPECT_FALSE(QFileInfo::exists(project().MapCadRegistrationPath(0)));
}

TEST_F(MapCommands, FailedImportsChangeNothing)
{
    const QByteArray before = ProjectBytes();
    const QString drawing = temp.file("plan.dxf");
    WriteAll(drawing, "0\nEOF\n");

    // No picture from the tool (cancelled in it): nothing added, nothing said.
    WriteTool(false, false);
    EXPECT_FALSE(RunBackgroundMapImport(*frame, drawing));
    EXPECT_TRUE(Messages().isEmpty());

    // A tool that cannot be started: the window and the tile worker come back, and the user is told.
    SetBackgroundImportToolPath(temp.file("no-such-tool"));
    frame->show();
    EXPECT_FALSE(RunBackgroundMapImport(*frame, drawing));
    EXPECT_EQ(Messages(), QStringList{kImportToolNotStartedText});
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_FALSE(frame->IsBusy());
    EXPECT_EQ(tilesStopped, 2);
    EXPECT_EQ(tilesRestarted, 2);
    prompts.clear();

    // No tile cache folder: said, and the tool is not run.
    WriteTool(true);
    QDir(settings.tileCacheFolder).removeRecursively();
    EXPECT_FALSE(RunBackgroundMapImport(*frame, drawing));
    EXPECT_EQ(Messages(), QStringList{kNoTileCacheFolderText});
    EXPECT_EQ(tilesStopped, 2);
    prompts.clear();

    // A chosen file that has gone.
    prompts.QueueFiles({temp.file("gone.dxf")});
    ImportBackgroundMap(*frame);
    EXPECT_EQ(Messages(), QStringList{kFileNotFoundText});

    EXPECT_EQ(project().maps.Count(), 0);
    EXPECT_EQ(ProjectBytes(), before);
}

TEST_F(MapCommands, DrawingInPlaneCoordinatesBecomesARegisteredMap)
{
    // Lines and a text at plane coordinates of zone IX (x east, y north).
    const double east = -9800.0;
    const double north = 20150.0;
    const QString drawing = temp.file("plan.rev.dxf");
    PlaneCheck({QStringLiteral("make_dxf"), drawing, QString::number(east), QString::number(north)});
    ASSERT_TRUE(QFileInfo(drawing).isFile());
    frame->show();
    ASSERT_TRUE(RunBackgroundMapImport(*frame, drawing)) << Messages().join('|').toStdString();
    ASSERT_EQ(project().maps.Count(), 1);
    const LocationMap& map = project().maps.maps[0];
    EXPECT_EQ(map.kind, LocationMap::kRegisteredPicture);
    EXPECT_EQ(map.zone, 9);

    // The line's first end shows where the registration puts that plane point.
    fe::geo::MapHelmart forward;
    fe::geo::MapHelmart inverse;
    ASSERT_TRUE(map.MakeHelmertPair(forward, inverse));
    const Point2 end = inverse.Map(Point2(north, east));
    QImage picture(project().MapFolder() + map.ImageFileName());
    ASSERT_FALSE(picture.isNull());
    picture.save(temp.file("rendered.png"));
    int darkest = 255;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx)
            darkest = std::min(darkest, qGray(picture.pixel(int(end.x) + dx, int(end.y) + dy)));
    }
    EXPECT_LT(darkest, 128) << end.x << "," << end.y;
    EXPECT_GT(qGray(picture.pixel(int(end.x) + 25, int(end.y) - 25)), 200);

    // A photo without a position placed with the view centred there takes the plane point's position.
    AddPhotos(1);
    ASSERT_TRUE(doc.Change(ProjectChange::Photos, [](Project& p) {
                       p.photos.photos[0].position = fe::geo::GeoPoint(kUnset, kUnset);
                       return true;
                   }).Ok());
    MapHooks(*frame).viewCentreOnPicture = [end] { return end; };
    current = 0;
    selected = {0};
    PlacePhotosOnLocationMap(*frame);
    const std::vector<double> geo =
        PlaneCheck({QStringLiteral("to_geo"), QStringLiteral("9"), QString::number(east, 'f', 6),
                    QString::number(north, 'f', 6)});
    ASSERT_EQ(geo.size(), 2u);
    EXPECT_NEAR(project().photos.photos[0].position.longitude, geo[0], 1e-8);
    EXPECT_NEAR(project().photos.photos[0].position.latitude, geo[1], 1e-8);

    // Placing inside the map puts a positioned photo where pyproj and the registration's similarity put it.
    ASSERT_TRUE(doc.Change(ProjectChange::Photos, [&](Project& p) {
                       PhotoRecord photo(p.photos.nextId++);
                       photo.position = fe::geo::GeoPoint(geo[0] + 0.0005, geo[1] + 0.0005);
                       p.photos.photos.push_back(photo);
                       return true;
                   }).Ok());
    QString registrationFile = temp.file("map.mhc");
    ASSERT_TRUE(map.WriteRegistration(registrationFile));
    PlacePhotosInMapRange(*frame);
    const PlacedPhoto* placed = project().maps.maps[0].photos.FindByPhotoId(project().photos.photos[1].id);
    ASSERT_NE(placed, nullptr);
    const std::vector<double> pixel =
        PlaneCheck({QStringLiteral("to_pixel"), QStringLiteral("9"), registrationFile,
                    QString::number(geo[0] + 0.0005, 'f', 12), QString::number(geo[1] + 0.0005, 'f', 12)});
    ASSERT_EQ(pixel.size(), 2u);
    EXPECT_NEAR(placed->x, pixel[0], 0.01);
    EXPECT_NEAR(placed->y, pixel[1], 0.01);

    // The map folder holds the tool's CAD registration: drawing points to the same plane points.
    fe::geo::MhcRegistration cad;
    ASSERT_TRUE(cad.Read(project().MapCadRegistrationPath(0)));
    const Point2 back = cad.Transform(north, east);
    EXPECT_NEAR(back.x, east, 1e-6);
    EXPECT_NEAR(back.y, north, 1e-6);
}

TEST_F(MapCommands, UnreadableDrawingsAreRefusedWithAMessage)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        const char* says;
    };
    const Case cases[] = {
        {"site.dwg", QByteArray("AC1032\0\0garbage", 16), "DWG形式の図面は取り込めません"},
        {"broken.dxf", QByteArray("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnot a number\n"), "DXF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.clear();
        const QString path = temp.file(QString::fromUtf8(c.name));
        WriteAll(path, c.bytes);
        EXPECT_FALSE(RunBackgroundMapImport(*frame, path));
        ASSERT_EQ(Messages().size(), 1);
        EXPECT_TRUE(Messages()[0].contains(QString::fromUtf8(c.says))) << Messages()[0].toStdString();
    }
    EXPECT_EQ(project().maps.Count(), 0);
}

// True once the process has ended (a zombie has), waiting for a killed one at most five seconds.
bool Ended(const QByteArray& pid)
{
    const QString stat = QStringLiteral("/proc/%1/stat").arg(QString::fromLatin1(pid.trimmed()));
    QElapsedTimer waited;
    waited.start();
    do {
        const QByteArray fields = ReadAll(stat);
        const int close = fields.lastIndexOf(')');
        if (close < 0 || fields.size() <= close + 2 || fields[close + 2] == 'Z')
            return true;
        QTest::qWait(20);
    } while (!waited.hasExpired(5000));
    return false;
}

TEST_F(MapCommands, TheToolIsEndedOnCancelAndAfterTheTimeLimitAndNothingIsAdded)
{
    // A tool that starts a renderer which would draw for a minute, then leaves a picture.
    WriteTool(false, true,
              QStringLiteral("echo $$ > \"%1/tool.pid\"\n"
                             "sleep 60 &\n"
                             "echo $! > \"%1/renderer.pid\"\n"
                             "wait\n")
                  .arg(temp.path()));
    const QString drawing = temp.file("plan.dxf");
    WriteAll(drawing, "0\nEOF\n");
    const QByteArray before = ProjectBytes();
    frame->show();

    struct Case
    {
        const char* what;
        int limitMs;  // 0: the default
        bool cancel;
    };
    const Case cases[] = {{"cancel", 0, true}, {"time limit", 1500, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.clear();
        QFile::remove(temp.file("renderer.pid"));
        SetBackgroundImportTimeLimit(std::chrono::milliseconds(c.limitMs));
        // While the tool runs: the progress window shows over a frame that stays up and busy.
        bool windowShown = false;
        bool frameBusy = false;
        bool frameMinimised = true;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            if (!QFileInfo::exists(temp.file("renderer.pid")))
                return;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<CSubProgressDlg*>(widget);
                if (!progress || !progress->isVisible())
                    continue;
                windowShown = progress->windowTitle() == QStringLiteral("背景地図取込み中");
                frameBusy = frame->IsBusy();
                frameMinimised = frame->isMinimized();
                look.stop();
                if (c.cancel)
                    QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
            }
        });
        look.start(50);
        EXPECT_FALSE(RunBackgroundMapImport(*frame, drawing));
        EXPECT_TRUE(windowShown);
        EXPECT_TRUE(frameBusy);
        EXPECT_FALSE(frameMinimised);

        // The tool and its renderer have ended; the window has gone and the frame is free again.
        EXPECT_TRUE(Ended(ReadAll(temp.file("tool.pid"))));
        EXPECT_TRUE(Ended(ReadAll(temp.file("renderer.pid"))));
        for (QWidget* widget : QApplication::topLevelWidgets())
            EXPECT_EQ(qobject_cast<CSubProgressDlg*>(widget), nullptr);
        EXPECT_FALSE(frame->IsBusy());
        EXPECT_EQ(tilesStopped, tilesRestarted);
        if (c.cancel)
            EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
        else
            EXPECT_EQ(
                Messages(),
                QStringList{QStringLiteral("背景地図の取込みが2秒以内に終わらなかったため、中止しました。")});
        EXPECT_EQ(project().maps.Count(), 0);
        EXPECT_EQ(ProjectBytes(), before);
    }
}

TEST_F(MapCommands, WebMapTakesTheZoneChosenInTheDialog)
{
    struct Case
    {
        const char* what;
        int button;  // 0 OK after clicking row 12, 1 設定しない, 2 Cancel
        int maps;
        std::int32_t zone;
        std::int32_t settingsZone;
    };
    const Case cases[] = {
        {"OK", 0, 1, 12, 12},
        {"no zone", 1, 2, 0, 12},
        {"cancel", 2, 2, 0, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WhenModal<CSetCoordSystemNoDlg>([button = c.button](CSetCoordSystemNoDlg& dialog) {
            dialog.OnGridClick(1, 12);
            if (button == 0)
                dialog.OkButton()->click();
            else if (button == 1)
                dialog.NoZoneButton()->click();
            else
                dialog.CancelButton()->click();
        });
        current = -1;
        AddWebTileMap(*frame);
        ASSERT_EQ(project().maps.Count(), c.maps);
        const LocationMap& map = project().maps.maps.back();
        EXPECT_EQ(map.kind, LocationMap::kWebPale);
        EXPECT_EQ(map.box, doc.overviewBox);
        EXPECT_EQ(map.zone, c.zone);
        EXPECT_EQ(settings.planeZone, c.settingsZone);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1}));
}

TEST_F(MapCommands, ChooserRunsTheWebMapFromTheMenu)
{
    AddWebMaps(1);
    current = 0;
    WhenModal<QDialog>([this](QDialog& chooser) {
        auto* web = chooser.findChild<QPushButton*>(QStringLiteral("AddWebMap"));
        ASSERT_NE(web, nullptr);
        // The current map was let go before the chooser opened.
        EXPECT_TRUE(web->isEnabled());
        WhenModal<CSetCoordSystemNoDlg>([](CSetCoordSystemNoDlg& dialog) { dialog.OkButton()->click(); });
        web->click();
    });
    frame->UpdateCommandStates();
    frame->Action(kCmdAddLocationMap)->trigger();
    EXPECT_EQ(project().maps.Count(), 2);
    EXPECT_EQ(shown, (std::vector<int>{-1, 1}));
}

TEST_F(MapCommands, DeleteSelectsTheMapThatTookThePlace)
{
    AddWebMaps(3);
    struct Case
    {
        int deleted;
        int shownAfter;
    };
    for (const Case& c : {Case{2, 1}, Case{0, 0}, Case{0, -1}}) {
        SCOPED_TRACE(c.deleted);
        const int before = project().maps.Count();
        current = c.deleted;
        prompts.QueueAnswer(PromptAnswer::Yes);
        DeleteLocationMap(*frame);
        EXPECT_EQ(prompts.asked().back().text,
                  QStringLiteral("位置図No.%1を削除します。\nよろしいですか?").arg(c.deleted + 1));
        EXPECT_EQ(project().maps.Count(), before - 1);
        EXPECT_EQ(shown.back(), c.shownAfter);
        // The ledger was closed while its map was still there.
        EXPECT_EQ(mapsWhenLedgerClosed.back(), before);
    }
    // The last one gone, the view returns to the standard web map.
    EXPECT_EQ(webShown, std::vector<int>{0});
    // No: nothing happens.
    AddWebMaps(1);
    current = 0;
    prompts.QueueAnswer(PromptAnswer::No);
    DeleteLocationMap(*frame);
    EXPECT_EQ(project().maps.Count(), 1);
}

TEST_F(MapCommands, CopyTellsWhatItMade)
{
    AddWebMaps(2);
    current = 1;
    CopyLocationMap(*frame);
    ASSERT_EQ(project().maps.Count(), 3);
    EXPECT_EQ(Messages().back(), QStringLiteral("No.2の背景地図をコピーして、No.3の位置図を作成しました。"));
    EXPECT_EQ(shown.back(), 2);
}

TEST_F(MapCommands, PlacingAlreadyPlacedPhotosOnlyTellsSo)
{
    AddWebMaps(1);
    AddPhotos(3);
    current = 0;
    selected = {0, 1};
    PlacePhotosOnLocationMap(*frame);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(project().maps.maps[0].photos.Count(), 2);

    const QByteArray before = ProjectBytes();
    PlacePhotosOnLocationMap(*frame);
    EXPECT_EQ(Messages().back(), QStringLiteral("2件既に配置済みの写真です。"));
    selected = {1};
    PlacePhotosOnLocationMap(*frame);
    EXPECT_EQ(Messages().back(), kMapPlacedAlreadyText);
    EXPECT_EQ(ProjectBytes(), before);
    EXPECT_EQ(project().maps.maps[0].photos.Count(), 2);

    // Removing takes the photos off the map only.
    selected = {0, 2};
    RemovePhotosFromMap(*frame);
    ASSERT_EQ(project().maps.maps[0].photos.Count(), 1);
    EXPECT_EQ(project().maps.maps[0].photos.entries[0].photoId, project().photos.photos[1].id);
    EXPECT_EQ(project().photos.photos.size(), 3u);
    Project onDisk;
    ASSERT_EQ(LoadProject(onDisk, project().ProjectFilePath()), kProjectOk);
    EXPECT_EQ(onDisk.maps.maps[0].photos.Count(), 1);
}

TEST_F(MapCommands, SelectingAndPlacingInsideTheMap)
{
    AddWebMaps(1);
    AddPhotos(3);
    ASSERT_TRUE(doc.Change(ProjectChange::Photos, [](Project& p) {
                       p.photos.photos[2].position = fe::geo::GeoPoint(140.5, 36.5);  // outside the map
                       return true;
                   }).Ok());
    current = 0;
    selected = {2, 0};
    PlacePhotosOnLocationMap(*frame);
    ASSERT_EQ(project().maps.maps[0].photos.Count(), 2);

    selected = {1};
    SelectAllPlacedPhotos(*frame);
    EXPECT_EQ(selected, (std::vector<int>{2, 0}));

    PlacePhotosInMapRange(*frame);
    const PlacedPhotoList& placed = project().maps.maps[0].photos;
    ASSERT_EQ(placed.Count(), 2);
    EXPECT_EQ(placed.entries[0].photoId, project().photos.photos[0].id);
    EXPECT_EQ(placed.entries[1].photoId, project().photos.photos[1].id);
    EXPECT_TRUE(selected.empty());
}

TEST_F(MapCommands, OverlaySwitchesWaitForTheNextSave)
{
    AddWebMaps(1);
    current = 0;
    const QByteArray before = ProjectBytes();
    const std::uint8_t arrow = project().maps.maps[0].overlay.showNorthArrow;
    const std::uint8_t bar = project().maps.maps[0].overlay.showScaleBar;
    ToggleNorthArrow(*frame);
    ToggleScaleBar(*frame);
    EXPECT_NE(project().maps.maps[0].overlay.showNorthArrow, arrow);
    EXPECT_NE(project().maps.maps[0].overlay.showScaleBar, bar);
    EXPECT_EQ(ProjectBytes(), before);
}

TEST_F(MapCommands, NameAndAttributesChangeTheBaseMap)
{
    AddWebMaps(2);
    current = -1;
    WhenModal<CReportLocInfoDlg>([](CReportLocInfoDlg& dialog) {
        dialog.KindRadio(LocationMap::kWebPhoto)->click();
        dialog.OkButton()->click();
    });
    ShowLocationMapInfo(*frame);
    // Without a current map the first one is taken.
    EXPECT_EQ(shown, (std::vector<int>{0, 0}));
    EXPECT_EQ(project().maps.maps[0].kind, LocationMap::kWebPhoto);
    Project onDisk;
    ASSERT_EQ(LoadProject(onDisk, project().ProjectFilePath()), kProjectOk);
    EXPECT_EQ(onDisk.maps.maps[0].kind, LocationMap::kWebPhoto);

    const QByteArray before = ProjectBytes();
    // The pane's double click and the flow pane's step send the message.
    WhenModal<CReportLocInfoDlg>([](CReportLocInfoDlg& dialog) { dialog.CancelButton()->click(); });
    EXPECT_EQ(frame->SendAppMessage(kMsgLocationMapInfo), 1);
    EXPECT_EQ(ProjectBytes(), before);
}

}  // namespace
}  // namespace app
