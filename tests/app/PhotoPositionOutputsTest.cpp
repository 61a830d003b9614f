// The photo-position output dialogs and the frame's entry points, headless: messages through
// ScriptedPrompts, folders shown through a recording opener.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "CadMapFixture.h"
#include "app/FolderOpener.h"
#include "app/ScriptedPrompts.h"
#include "app/cad/OutputCadDlg.h"
#include "app/cad/OutputPhotoPosDlg.h"
#include "app/cad/PhotoPositionOutputs.h"
#include "app/controls/ExpStatic.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "fe/AppFolders.h"
#include "model/ProjectFile.h"

using namespace app;

namespace {

const QString kReason = QStringLiteral(
    "ケルヴォルVersion1で取り込まれた位置図ではCAD出力ができません。\n位置図を取込しなおす必要があります。\n"
    "\n");

// Records the folders shown instead of starting a file manager.
class OpenedFolders
{
public:
    OpenedFolders()
    {
        SetFolderOpener([this](const QString& folder) {
            folders.append(folder);
            return true;
        });
    }
    ~OpenedFolders() { SetFolderOpener({}); }
    QStringList folders;
};

// Runs `act` on the modal dialog of type T once it shows.
template <typename T>
void WhenShown(std::function<void(T&)> act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<T*>(w); dialog && dialog->isVisible()) {
                act(*dialog);
                return;
            }
        }
        ADD_FAILURE() << "no dialog shown";
    });
}

// Maps of every kind the CAD dialog meets.
struct MixedProject
{
    MixedProject()
    {
        LocationMap& a = fixture.AddMap(QStringLiteral("登録済"), 0.0);
        fixture.Place(a, {300, 200}, 30.0, "P1");
        LocationMap& b = fixture.AddMap(QStringLiteral("未選択"), 0.0);
        fixture.Place(b, {300, 200}, 30.0, "P1");
        b.cadOutputFlag = 0;
        fixture.AddMap(QStringLiteral("写真なし"), 0.0);
        LocationMap web = fixture.project.maps.MakeNewMap();
        web.kind = LocationMap::kWebStandard;
        web.name = QStringLiteral("ウェブ");
        fixture.project.maps.Append(web);
        LocationMap plain = fixture.project.maps.MakeNewMap();
        plain.kind = LocationMap::kPicture;
        plain.name = QStringLiteral("座標なし");
        plain.photos.entries.push_back(fixture.project.maps.maps[0].photos.entries[0]);
        fixture.project.maps.Append(plain);
    }
    CadMapFixture fixture;
};

QColor CellColour(CSpread7U& grid, int col, int row)
{
    grid.SetCol(col);
    grid.SetRow(row);
    return grid.BackColor();
}

bool CellLocked(CSpread7U& grid, int col, int row)
{
    grid.SetCol(col);
    grid.SetRow(row);
    return grid.Lock();
}

}  // namespace

TEST(OutputCadDlg, GridShowsWhichMapsCanBeWritten)
{
    MixedProject mixed;
    COutputCadDlg dialog(mixed.fixture.project, nullptr);
    CSpread7U& grid = *dialog.Grid();
    ASSERT_EQ(grid.Rows(), 5);
    EXPECT_EQ(GetSpreadCellText(grid, 1, kSpreadHeader), "No");
    EXPECT_EQ(GetSpreadCellText(grid, 3, kSpreadHeader), "出力");
    const struct
    {
        const char* name;
        int tick;
        bool locked;
        int photos;
    } rows[] = {
        {"登録済", 1, false, 1}, {"未選択", 0, false, 1},  {"写真なし", 0, true, 0},
        {"ウェブ", 0, true, 0},  {"座標なし", 0, true, 1},
    };
    for (int row = 1; row <= 5; ++row) {
        const auto& r = rows[row - 1];
        SCOPED_TRACE(r.name);
        EXPECT_EQ(GetSpreadCellText(grid, 1, row), QString::number(row));
        EXPECT_EQ(GetSpreadCellText(grid, 2, row), QString::fromUtf8(r.name));
        EXPECT_EQ(GetSpreadCellCheck(grid, 3, row), r.tick);
        EXPECT_EQ(GetSpreadCellText(grid, 4, row), QString::number(r.photos));
        EXPECT_EQ(CellLocked(grid, 3, row), r.locked);
        const QColor rowColour = r.locked ? QColor(225, 225, 225) : QColor(255, 255, 207);
        EXPECT_EQ(CellColour(grid, 1, row), rowColour);
        EXPECT_EQ(CellColour(grid, 4, row), rowColour);
        EXPECT_EQ(CellColour(grid, 3, row), r.locked ? rowColour : QColor(255, 255, 255));
    }
    EXPECT_EQ(dialog.FileKind()->count(), 1);
    EXPECT_EQ(dialog.FileKind()->currentText(), "Auto CAD 2007 DXF(*.dxf)");

    // 全ON ticks only what can be written; 全OFF clears everything; locks stay.
    dialog.AllOnButton()->click();
    EXPECT_EQ(GetSpreadCellCheck(grid, 3, 2), 1);
    EXPECT_EQ(GetSpreadCellCheck(grid, 3, 3), 0);
    EXPECT_EQ(GetSpreadCellCheck(grid, 3, 4), 0);
    dialog.AllOffButton()->click();
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(GetSpreadCellCheck(grid, 3, row), 0) << row;
    EXPECT_TRUE(CellLocked(grid, 3, 4));
    EXPECT_FALSE(CellLocked(grid, 3, 1));
}

// The warning shows when a registered map has its picture but no CAD registration beside it.
TEST(OutputCadDlg, WarnsOfMapsWithoutCadRegistration)
{
    const struct
    {
        const char* what;
        bool picture;
        bool registration;
        bool warned;
    } cases[] = {
        {"picture and registration", true, true, false},
        {"picture only", true, false, true},
        {"neither", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CadMapFixture fixture;
        LocationMap& map = fixture.AddMap("A", 0.0, c.registration);
        if (c.picture)
            fixture.WriteText(fixture.project.MapFolder() + map.ImageFileName(), "jpg");
        COutputCadDlg dialog(fixture.project, nullptr);
        dialog.show();
        EXPECT_EQ(dialog.Warning()->isVisible(), c.warned);
        EXPECT_EQ(dialog.Warning()->textColor, QColor(128, 0, 0));
    }
}

TEST(OutputCadDlg, NothingTickedIsReported)
{
    OpenedFolders opened;
    {
        SCOPED_TRACE("only a web map");
        CadMapFixture fixture;
        LocationMap web = fixture.project.maps.MakeNewMap();
        web.kind = LocationMap::kWebPale;
        fixture.project.maps.Append(web);
        COutputCadDlg dialog(fixture.project, nullptr);
        EXPECT_EQ(GetSpreadCellText(*dialog.Grid(), 3, 1), "0");
        ScriptedPrompts prompts;
        dialog.WriteButton()->click();
        ASSERT_EQ(prompts.asked().size(), 1u);
        EXPECT_EQ(prompts.asked()[0].text, "出力可能な位置図が選択されていません。");
        EXPECT_EQ(prompts.asked()[0].caption, "ケルヴォル");
    }
    {
        SCOPED_TRACE("all cleared");
        MixedProject mixed;
        COutputCadDlg dialog(mixed.fixture.project, nullptr);
        dialog.AllOffButton()->click();
        ScriptedPrompts prompts;
        dialog.WriteButton()->click();
        ASSERT_EQ(prompts.asked().size(), 1u);
        EXPECT_EQ(prompts.asked()[0].text, "出力可能な位置図が選択されていません。");
        EXPECT_FALSE(QFileInfo::exists(mixed.fixture.project.CadFolder()));
        // Nothing was run, so the ticks are not stored yet.
        EXPECT_EQ(mixed.fixture.project.maps.maps[0].cadOutputFlag, 1);
    }
    EXPECT_TRUE(opened.folders.isEmpty());
}

// Failing maps are listed together in one message, with the explanation of a missing registration
// even when that map is not the last; the other maps are written and the folder shown.
TEST(OutputCadDlg, FailuresAreReportedTogether)
{
    const struct
    {
        const char* what;
        bool missingRegistration;
        bool damagedRegistration;
        bool lastWritten;
    } cases[] = {
        {"missing registration in the middle", true, false, true},
        {"damaged registration in the middle", false, true, true},
        {"every ticked map fails", true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CadMapFixture fixture;
        LocationMap& a = fixture.AddMap("A", 0.0);
        fixture.Place(a, {300, 200}, 30.0, "P1");
        LocationMap& b = fixture.AddMap("B", 0.0, !c.missingRegistration);
        fixture.Place(b, {300, 200}, 30.0, "P1");
        if (c.damagedRegistration)
            fixture.WriteText(fixture.RegistrationPath(b), "1\n3\n0\n");
        LocationMap& last = fixture.AddMap("C", 0.0);
        fixture.Place(last, {300, 200}, 30.0, "P1");
        if (!c.lastWritten) {
            fixture.project.maps.maps[0].cadOutputFlag = 0;
            fixture.project.maps.maps[2].cadOutputFlag = 0;
        }

        OpenedFolders opened;
        ScriptedPrompts prompts;
        COutputCadDlg dialog(fixture.project, nullptr);
        dialog.WriteButton()->click();
        ASSERT_EQ(prompts.asked().size(), 1u);
        EXPECT_EQ(prompts.asked()[0].text,
                  "CAD出力に失敗しました。\n\n" + kReason + "・B\tファイルの出力に失敗しました。\n");
        EXPECT_EQ(prompts.asked()[0].caption, "ケルヴォル");
        EXPECT_EQ(prompts.asked()[0].icon, PromptIcon::Error);
        const QString cad = fixture.project.CadFolder();
        EXPECT_EQ(QFileInfo::exists(cad + "1A.dxf"), c.lastWritten);
        EXPECT_FALSE(QFileInfo::exists(cad + "2B.dxf"));
        EXPECT_EQ(QFileInfo::exists(cad + "3C.dxf"), c.lastWritten);
        EXPECT_EQ(opened.folders, c.lastWritten ? QStringList{cad} : QStringList{});
        EXPECT_TRUE(dialog.isEnabled());
    }
}

// A document that holds the fixture's project, saved once.
struct CadDocument
{
    explicit CadDocument(const Project& project)
    {
        QDir().mkpath(project.folder);
        EXPECT_TRUE(doc.Change(ProjectChange::Maps,
                               [&project](Project& held) {
                                   held = project;
                                   return true;
                               })
                        .Ok());
        QObject::connect(&doc, &CTavrelDoc::ProjectChanged, [this] { ++announced; });
    }
    CTavrelDoc doc;
    int announced = 0;
};

// Esc and the close box leave the dialog open; "閉じる" stores the ticks, which become one change of the
// document once the dialog has ended: nothing of the document is held open while the dialog shows.
TEST(OutputCadDlg, OnlyCloseEndsItAndTheTicksAreSavedOnceAfterIt)
{
    MixedProject mixed;
    Project& project = mixed.fixture.project;
    QDir().mkpath(project.folder);
    {
        COutputCadDlg dialog(project, nullptr);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.reject();
        EXPECT_TRUE(dialog.isVisible());
    }

    project.maps.maps[3].cadOutputFlag = 1;  // the web map's flag is not the dialog's to change
    CadDocument d(project);
    bool busyWhileShown = true;
    int announcedWhileShown = -1;
    WhenShown<COutputCadDlg>([&](COutputCadDlg& dialog) {
        busyWhileShown = d.doc.IsBusy();
        dialog.AllOffButton()->click();
        dialog.CloseButton()->click();
        announcedWhileShown = d.announced;
    });
    ScriptedPrompts prompts;
    EXPECT_EQ(OutputCad(nullptr, d.doc, nullptr), 1);
    EXPECT_TRUE(prompts.asked().empty());
    EXPECT_FALSE(busyWhileShown);
    EXPECT_EQ(announcedWhileShown, 0);
    EXPECT_EQ(d.announced, 1);

    Project saved;
    ASSERT_EQ(LoadProject(saved, project.ProjectFilePath()), 0);
    ASSERT_EQ(saved.maps.Count(), 5);
    EXPECT_EQ(saved.maps.maps[0].cadOutputFlag, 0);
    EXPECT_EQ(saved.maps.maps[1].cadOutputFlag, 0);
    EXPECT_EQ(saved.maps.maps[3].cadOutputFlag, 1);
}

TEST(PhotoPositionOutputs, CadOutputNeedsAMap)
{
    CadMapFixture fixture;
    CadDocument d(fixture.project);
    ScriptedPrompts prompts;
    EXPECT_EQ(OutputCad(nullptr, d.doc, nullptr), 0);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, "出力できるものがありません。");
    EXPECT_EQ(prompts.asked()[0].icon, PromptIcon::Warning);

    CTavrelDoc noPath;
    EXPECT_EQ(OutputCad(nullptr, noPath, nullptr), 0);
    EXPECT_EQ(prompts.asked().size(), 1u);
}

TEST(OutputPhotoPosDlg, ButtonsFollowTheProject)
{
    const struct
    {
        const char* what;
        bool path, map, photo;
        bool cad, shapefile;
    } cases[] = {
        {"everything", true, true, true, true, true},
        {"photos but no map", true, false, true, false, true},
        {"a map but no photo", true, true, false, false, false},
        {"no project path", false, true, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CadMapFixture fixture;
        if (c.map)
            fixture.AddMap("A", 0.0);
        if (c.photo)
            fixture.project.photos.photos.push_back(PhotoRecord(fixture.project.photos.nextId++));
        if (!c.path)
            fixture.project.name.clear();
        COutputPhotoPosDlg dialog(fixture.project, {}, {});
        EXPECT_EQ(dialog.CadButton()->isEnabled(), c.cad);
        EXPECT_EQ(dialog.ShapefileButton()->isEnabled(), c.shapefile);
        EXPECT_EQ(dialog.CadButton()->text(), "  CAD出力    ");
        EXPECT_EQ(dialog.ShapefileButton()->text(), " シェープ出力  ");
        EXPECT_EQ(dialog.CadButton()->font().pixelSize(), 15);
    }
}

// A button hides the chooser while its output runs, then ends it with 1; Esc leaves it open.
TEST(OutputPhotoPosDlg, ButtonRunsItsOutputWhileHidden)
{
    CadMapFixture fixture;
    fixture.AddMap("A", 0.0);
    fixture.project.photos.photos.push_back(PhotoRecord(fixture.project.photos.nextId++));
    for (bool cad : {true, false}) {
        SCOPED_TRACE(cad);
        QStringList ran;
        COutputPhotoPosDlg* seen = nullptr;
        auto output = [&ran, &seen](const char* which) {
            return [&ran, &seen, which] {
                ran << QString(which) + (seen && seen->isVisible() ? " shown" : " hidden");
            };
        };
        COutputPhotoPosDlg dialog(fixture.project, output("cad"), output("shapefile"));
        seen = &dialog;
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        (cad ? dialog.CadButton() : dialog.ShapefileButton())->click();
        EXPECT_EQ(ran, QStringList{cad ? "cad hidden" : "shapefile hidden"});
        EXPECT_EQ(dialog.result(), 1);
    }
}

// The chooser shows the two output pictures shipped in the Icon folder.
TEST(OutputPhotoPosDlg, ShowsTheShippedPictures)
{
    for (const char* name : {"iconCadFile.png", "iconShapeFile.png"})
        EXPECT_TRUE(QFileInfo(QStringLiteral(KELVOR_SOURCE_DIR "/data/Icon/") + name).isFile()) << name;
    CadMapFixture fixture;
    COutputPhotoPosDlg dialog(fixture.project, {}, {});
    if (QFileInfo(fe::GetExeFolder() + "Icon/iconCadFile.png").isFile()) {
        EXPECT_FALSE(dialog.CadPicture()->pixmap().isNull());
        EXPECT_FALSE(dialog.ShapefilePicture()->pixmap().isNull());
    }
}

TEST(PhotoPositionOutputs, ShapefileOutputWritesAndShowsTheFolder)
{
    CadMapFixture fixture;
    PhotoRecord photo(fixture.project.photos.nextId++);
    photo.position = fe::geo::GeoPoint(139.7, 35.6);
    photo.direction = 45;
    fixture.project.photos.photos.push_back(photo);
    QDir().mkpath(fixture.project.folder);

    OpenedFolders opened;
    ScriptedPrompts prompts;
    EXPECT_EQ(OutputShapefile(nullptr, fixture.project), 1);
    const QString folder = fixture.project.ShapefileFolder();
    EXPECT_TRUE(QFileInfo(folder + "現場_point.shp").isFile());
    EXPECT_TRUE(QFileInfo(folder + "現場_dir.prj").isFile());
    EXPECT_EQ(opened.folders, QStringList{folder});
    EXPECT_TRUE(prompts.asked().empty());

    // A shapefile folder that cannot be made: reported, nothing shown.
    QDir(folder).removeRecursively();
    CadMapFixture::WriteText(folder.chopped(1), "not a folder");
    opened.folders.clear();
    EXPECT_EQ(OutputShapefile(nullptr, fixture.project), 1);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, "シェープ出力に失敗しました。");
    EXPECT_EQ(prompts.asked()[0].buttons, PromptButtons::Ok);
    EXPECT_TRUE(opened.folders.isEmpty());
}

// The one-map command writes its map whatever the tick, and says true only when a drawing was made.
TEST(PhotoPositionOutputs, ExportMapDxfGivesTheJobsResult)
{
    CadMapFixture fixture;
    LocationMap& unticked = fixture.AddMap("A", 0.0);
    fixture.Place(unticked, {300, 200}, 30.0, "P1");
    unticked.cadOutputFlag = 0;
    LocationMap& missing = fixture.AddMap("B", 0.0, false);
    fixture.Place(missing, {300, 200}, 30.0, "P1");
    fixture.AddMap("C", 0.0);  // no photo on it

    OpenedFolders opened;
    ScriptedPrompts prompts;
    EXPECT_TRUE(ExportMapDxf(nullptr, fixture.project, 0, nullptr));
    EXPECT_TRUE(QFileInfo(fixture.project.CadFolder() + "1A.dxf").isFile());
    EXPECT_EQ(opened.folders, QStringList{fixture.project.CadFolder()});
    EXPECT_TRUE(prompts.asked().empty());

    opened.folders.clear();
    EXPECT_FALSE(ExportMapDxf(nullptr, fixture.project, 1, nullptr));
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, "ファイルの出力に失敗しました。\n\n・B\n");
    EXPECT_FALSE(ExportMapDxf(nullptr, fixture.project, 2, nullptr));
    EXPECT_FALSE(ExportMapDxf(nullptr, fixture.project, 7, nullptr));
    EXPECT_EQ(prompts.asked().size(), 1u);
    EXPECT_TRUE(opened.folders.isEmpty());
}
