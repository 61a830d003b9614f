// Importing photos: a new user makes a project (ファイル → 新規作成 in the save dialog), imports a
// camera card of twenty photos (撮影写真 → 写真取込み) of which one is a second copy of another and one
// was cut short; eighteen come in, each with its copy and three thumbnails, the project is written
// once, the list shows them, the overview moves to them, and they are all there after a new start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include "ImportingPhotosFixture.h"
#include "RoadDriver.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/MainFrame.h"
#include "app/view/TavrelView.h"

namespace {

using importroad::Shot;

constexpr int kShots = 19;     // IMG_0001 ... IMG_0019 on the card
constexpr int kTruncated = 16;  // IMG_0016 was cut short when it was copied
constexpr int kTwin = 7;        // IMG_0007 lies a second time in another folder of the card
constexpr int kTurned = 5;      // IMG_0005 was taken upright (EXIF orientation 6)
const QString kProjectName = QStringLiteral("国道12号改良工事");

Shot ShotNumber(int k)
{
    return {QStringLiteral("IMG_%1.JPG").arg(k, 4, 10, QLatin1Char('0')),
            35.6800 + 0.0003 * k,
            139.7600 + 0.0004 * k,
            double((k * 20) % 360),
            QStringLiteral("2024:05:20 09:%1:00").arg(2 * k, 2, 10, QLatin1Char('0')),
            k == kTurned ? 6 : 1};
}

// The photo list of the photo pane as the user reads it: one row per photo.
QTableWidget* PhotoGrid(CMainFrame& frame)
{
    return frame.findChild<QTableWidget*>(QStringLiteral("PhotoGrid"));
}

QString Cell(QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column - 1);
    return item ? item->text() : QString();
}

// The source names of the listed photos, top to bottom.
QStringList ListedSources(CMainFrame& frame)
{
    QStringList names;
    QTableWidget* grid = PhotoGrid(frame);
    for (int row = 0; grid && row < grid->rowCount(); ++row)
        names << Cell(grid, row, 9);
    return names;
}

// Types the text into the line edit as a user does: Latin letters, figures and signs on the keyboard,
// Japanese through the input method, which hands each run of it over committed.
void TypeText(QLineEdit* edit, const QString& text)
{
    qsizetype at = 0;
    while (at < text.size()) {
        const bool ascii = text[at].unicode() < 0x80;
        qsizetype end = at;
        while (end < text.size() && (text[end].unicode() < 0x80) == ascii)
            ++end;
        const QString run = text.mid(at, end - at);
        if (ascii) {
            QTest::keyClicks(edit, run);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(run);
            QApplication::sendEvent(edit, &commit);
        }
        at = end;
    }
}

QString PlainTextOf(const QPushButton* button)
{
    return road::PlainText(button->text());
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(Roads, ImportingPhotos)
{
    road::Road road(QStringLiteral("importing-photos"));

    // The camera card: 19 photos tagged with exiftool, IMG_0016 cut to its first 40 %, and a second
    // copy of IMG_0007 in another folder.
    const QString card = road.Work() + QStringLiteral("/card/DCIM/100CAMERA/");
    const QString otherFolder = road.Work() + QStringLiteral("/card/DCIM/101CAMERA/");
    ASSERT_TRUE(QDir().mkpath(card) && QDir().mkpath(otherFolder));
    std::vector<std::pair<QString, Shot>> tagged;
    for (int k = 1; k <= kShots; ++k) {
        const Shot shot = ShotNumber(k);
        ASSERT_TRUE(importroad::MakeCameraJpeg(card + shot.name, k));
        tagged.emplace_back(card + shot.name, shot);
    }
    ASSERT_TRUE(importroad::TagWithExiftool(tagged, road.Work() + QStringLiteral("/exiftool-args.txt")));
    const QString twin = otherFolder + ShotNumber(kTwin).name;
    ASSERT_TRUE(QFile::copy(card + ShotNumber(kTwin).name, twin));
    {
        const QString cut = card + ShotNumber(kTruncated).name;
        const QByteArray whole = Bytes(cut);
        QFile file(cut);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(whole.left(whole.size() * 2 / 5)), whole.size() * 2 / 5);
    }
    // The order the file dialog hands them over: the second copy after the first, the cut one among the rest.
    QStringList chosen;
    for (int k = 1; k <= kShots; ++k) {
        chosen << card + ShotNumber(k).name;
        if (k == 11)
            chosen << twin;
    }
    ASSERT_EQ(chosen.size(), 20);
    QStringList expectedSources;
    for (int k = 1; k <= kShots; ++k)
        if (k != kTruncated)
            expectedSources << ShotNumber(k).name;

    // First start: no project.
    road.Start();
    road.Shot(QStringLiteral("first-start"));
    EXPECT_FALSE(road.Document().GetProject().HasPath());

    // ファイル → 新規作成: the save dialog takes the project's name; the program makes its folder.
    const QString projectPath = road.Work() + u'/' + kProjectName + QStringLiteral(".kvr2");
    road.ExpectRealFileDialog();
    road.WhenDialog(QStringLiteral("新規作成"), [&road, projectPath](QDialog* dialog) {
        auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
        ASSERT_TRUE(fileDialog) << "the new-project dialog is not a file dialog";
        auto* name = fileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = fileDialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QPushButton* save = buttons ? buttons->button(QDialogButtonBox::Save) : nullptr;
        if (!name || !save) {
            ADD_FAILURE() << "the new-project dialog has no file name box or no save button";
            fileDialog->reject();
            return;
        }
        // The user clicks into the file name box, which takes the keys, and types the whole path.
        fileDialog->activateWindow();
        (void)QTest::qWaitForWindowActive(fileDialog, 3000);
        QTest::mouseClick(name, Qt::LeftButton);
        road.WaitUntil([name] { return name->hasFocus(); }, 3000);
        name->selectAll();
        TypeText(name, projectPath);
        EXPECT_EQ(name->text(), projectPath);
        // The dialog's own list catches up with the typed path; a completion list that opened goes.
        road.WaitUntil([save] { return save->isEnabled() && PlainTextOf(save) == u"Save"; }, 5000);
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        road.Idle(200);
        road.Shot(QStringLiteral("new-project-dialog"));
        QTest::mouseClick(save, Qt::LeftButton);
        if (fileDialog->isVisible()) {
            ADD_FAILURE() << "the save button did not close the new-project dialog (it reads \""
                          << save->text().toStdString() << "\")";
            road.Shot(QStringLiteral("new-project-dialog-stuck"));
            fileDialog->reject();
        }
    });
    road.ChooseMenu({QStringLiteral("ファイル"), QStringLiteral("新規作成")});
    ASSERT_TRUE(road.WaitUntil([&] { return road.Document().GetProject().HasPath(); }))
        << "no project was made";
    EXPECT_TRUE(road.DialogsHandled());
    const QString projectFolder = road.Work() + u'/' + kProjectName + u'/';
    const QString projectFile = projectFolder + kProjectName + QStringLiteral(".kvr2");
    EXPECT_TRUE(QFileInfo(projectFile).isFile()) << projectFile.toStdString();
    for (const char* sub : {"photo", "photomini", "photominiM", "photominiL", "map", "excel"})
        EXPECT_TRUE(QFileInfo(projectFolder + QLatin1String(sub)).isDir()) << sub;
    EXPECT_TRUE(road.Frame().windowTitle().contains(kProjectName)) << road.Frame().windowTitle().toStdString();
    road.Idle(300);
    road.Shot(QStringLiteral("new-project"));
    CTavrelView* view = road.Frame().findChild<CTavrelView*>();
    ASSERT_TRUE(view);
    const int zoomBefore = view->Zoom();

    // 撮影写真 → 写真取込み on the twenty files: the progress window while it runs, then the count.
    importroad::FileWrites writes(projectFolder, kProjectName + QStringLiteral(".kvr2"));
    ASSERT_TRUE(writes.Watching());
    road.ExpectFiles(chosen);
    int progressSeenAt = -1, progressSteps = -1;
    road.WhenDialog(QStringLiteral("撮影写真取込み中"), [&](QDialog* dialog) {
        if (auto* bar = dialog->findChild<QProgressBar*>()) {
            progressSeenAt = bar->value();
            progressSteps = bar->maximum();
        }
        road.Shot(QStringLiteral("import-progress"));
    });
    // The count, then the two files not taken, each with its reason.
    const QString alreadyIn = QStringLiteral("（すでにプロジェクトに取り込まれています）");
    const QString cutShort = QStringLiteral("（写真が途中で切れているか壊れています）");
    road.ExpectMessage(QStringLiteral("18枚の写真を取り込みました。\n\n取り込まなかったファイル（2件）:\n・") +
                       ShotNumber(kTwin).name + alreadyIn + QStringLiteral("\n・") + ShotNumber(kTruncated).name +
                       cutShort);
    road.ChooseMenu({QStringLiteral("撮影写真"), QStringLiteral("写真取込み")});
    road.Idle(300);
    road.CheckPrompts();
    EXPECT_TRUE(road.DialogsHandled()) << "the progress window was not seen while the import ran";
    EXPECT_EQ(progressSteps, 20);
    EXPECT_GE(progressSeenAt, 0);
    EXPECT_LT(progressSeenAt, 20);

    // The project file was written once, by the import's one save.
    EXPECT_EQ(writes.Count(), 1);

    // The list shows the eighteen, in the card's order, with their file names and shot times.
    QTableWidget* grid = PhotoGrid(road.Frame());
    ASSERT_TRUE(grid);
    EXPECT_EQ(ListedSources(road.Frame()), expectedSources);
    EXPECT_EQ(road.Frame().PhotoPane()->windowTitle(), QStringLiteral("撮影写真　枚数：全て(18)"));
    QStringList copies;
    for (int row = 0; row < grid->rowCount(); ++row)
        copies << Cell(grid, row, 8);
    ASSERT_EQ(copies.size(), 18);
    EXPECT_TRUE(Cell(grid, 0, 6).contains(QStringLiteral("09:02"))) << Cell(grid, 0, 6).toStdString();

    // The overview moved to the new photos: every one lies inside the view, far closer than the start.
    EXPECT_GT(view->Zoom(), zoomBefore + 4);
    for (int k = 1; k <= kShots; ++k) {
        const Shot shot = ShotNumber(k);
        const Point2 at = view->LatLongToPixel(fe::geo::GeoPoint(shot.longitude, shot.latitude), view->Zoom());
        EXPECT_TRUE(view->rect().contains(QPoint(int(at.x), int(at.y))))
            << shot.name.toStdString() << " outside the view at " << at.x << ", " << at.y;
    }
    road.Idle(500);
    road.Shot(QStringLiteral("photos-imported"));

    // On disk, read by exiftool and PIL: each copy is the card's file byte for byte with its tags, and
    // each has its three thumbnails (turned like the photo) and nothing else is there.
    const QJsonObject exif = importroad::ExiftoolFolder(projectFolder + QStringLiteral("photo"));
    const QJsonObject sizes = importroad::PilSizes(
        {projectFolder + QStringLiteral("photo"), projectFolder + QStringLiteral("photomini"),
         projectFolder + QStringLiteral("photominiM"), projectFolder + QStringLiteral("photominiL")});
    EXPECT_EQ(exif.size(), 18);
    EXPECT_EQ(sizes.size(), 4 * 18) << QJsonDocument(sizes).toJson().toStdString();
    for (int row = 0; row < copies.size(); ++row) {
        const QString source = expectedSources[row];
        const int k = source.mid(4, 4).toInt();
        const Shot shot = ShotNumber(k);
        const QString copy = copies[row];
        SCOPED_TRACE(copy.toStdString() + " from " + source.toStdString());
        EXPECT_EQ(Bytes(projectFolder + QStringLiteral("photo/") + copy), Bytes(card + source));
        const QJsonObject tags = exif[copy].toObject();
        EXPECT_NEAR(tags[QStringLiteral("GPSLatitude")].toDouble(), shot.latitude, 1e-6);
        EXPECT_NEAR(tags[QStringLiteral("GPSLongitude")].toDouble(), shot.longitude, 1e-6);
        EXPECT_NEAR(tags[QStringLiteral("GPSImgDirection")].toDouble(), shot.direction, 1e-6);
        EXPECT_EQ(tags[QStringLiteral("DateTimeOriginal")].toString(), shot.time);
        EXPECT_EQ(sizes[QStringLiteral("photo/") + copy].toArray(), QJsonArray({4000, 3000}));
        const bool turned = k == kTurned;
        const int boxes[3][2] = {{64, 48}, {160, 120}, {320, 240}};
        const char* folders[3] = {"photomini/", "photominiM/", "photominiL/"};
        for (int t = 0; t < 3; ++t) {
            const QJsonArray expected = turned ? QJsonArray({boxes[t][1], boxes[t][0]})
                                               : QJsonArray({boxes[t][0], boxes[t][1]});
            EXPECT_EQ(sizes[QLatin1String(folders[t]) + copy].toArray(), expected) << folders[t];
        }
    }

    // A new start on the project from the recent files: the eighteen are still there.
    road.Close();
    road.Start();
    road.ChooseMenu({QStringLiteral("ファイル"), QStringLiteral("1 ")});
    ASSERT_TRUE(road.WaitUntil([&] { return road.Document().GetProject().HasPath(); }));
    EXPECT_EQ(road.Document().ProjectFilePath(), projectFile);
    EXPECT_EQ(ListedSources(road.Frame()), expectedSources);
    EXPECT_EQ(road.Frame().PhotoPane()->windowTitle(), QStringLiteral("撮影写真　枚数：全て(18)"));
    road.Idle(500);
    road.Shot(QStringLiteral("reopened"));

    // The same card once more: the dialog opens in the card's folder, every photo is already there (or
    // still cut short), nothing comes in and the overview stays where it is.
    CTavrelView* reopenedView = road.Frame().findChild<CTavrelView*>();
    ASSERT_TRUE(reopenedView);
    const int zoomShown = reopenedView->Zoom();
    const fe::geo::GeoPoint centreShown = reopenedView->MapServer().Center();
    road.ExpectFiles(chosen);
    QString noneTaken = QStringLiteral("取り込んだ写真はありません。\n\n取り込まなかったファイル（20件）:");
    for (const QString& file : chosen)
        noneTaken += QStringLiteral("\n・") + QFileInfo(file).fileName() +
                     (file.endsWith(ShotNumber(kTruncated).name) ? cutShort : alreadyIn);
    road.ExpectMessage(noneTaken);
    road.ChooseMenu({QStringLiteral("撮影写真"), QStringLiteral("写真取込み")});
    road.Idle(300);
    road.CheckPrompts();
    const auto& asked = road.Prompts().asked();
    const auto dialog = std::find_if(asked.rbegin(), asked.rend(),
                                     [](const app::ScriptedPrompts::Asked& a) { return a.kind != u"message"; });
    ASSERT_NE(dialog, asked.rend());
    EXPECT_EQ(QDir::cleanPath(dialog->path), QDir::cleanPath(card));
    EXPECT_EQ(ListedSources(road.Frame()), expectedSources);
    EXPECT_EQ(reopenedView->Zoom(), zoomShown);
    EXPECT_DOUBLE_EQ(reopenedView->MapServer().Center().longitude, centreShown.longitude);
    EXPECT_DOUBLE_EQ(reopenedView->MapServer().Center().latitude, centreShown.latitude);
    road.Shot(QStringLiteral("same-card-again"));
    road.Close();
}
