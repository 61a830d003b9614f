// The track dialog, offscreen: reading, selecting, deleting, searching by time, coordinates, copying,
// closing.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "TrackDocument.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/ExpEdit.h"
#include "app/controls/SpreadGrid.h"
#include "app/track/IchimillLocusDlg.h"
#include "model/ProjectFile.h"
#include "model/TrackTable.h"

namespace ts = track_scenario;
using app::CIchimillLocusDlg;

namespace {

struct DialogFixture : TrackDocument
{
    app::ScriptedPrompts prompts;
    int zone = 0;  // a web map is current
    int viewMode = 0;
    int closed = 0;
    std::vector<std::pair<fe::geo::GeoPoint, int>> shown;
    QString settingsPath = temp.file(QStringLiteral("setting.bin"));
    std::unique_ptr<CIchimillLocusDlg> dialog;

    DialogFixture()
    {
        app::TrackDialogHooks hooks;
        hooks.currentMapZone = [this] { return zone; };
        hooks.viewMode = [this] { return viewMode; };
        hooks.viewSize = [] { return QSize(800, 600); };
        hooks.showOverview = [this](const fe::geo::GeoPoint& c, int z) { shown.emplace_back(c, z); };
        hooks.closed = [this] { ++closed; };
        dialog = std::make_unique<CIchimillLocusDlg>(doc, settings, settingsPath, hooks);
        dialog->show();
    }

    void Read(const QByteArray& bytes)
    {
        prompts.QueueFiles({WriteFile(QStringLiteral("log%1.csv").arg(announced), bytes)});
        dialog->ReadButton()->click();
    }
    QString PointCell(int col, int row) const
    {
        dialog->PointGrid()->SetCol(col);
        dialog->PointGrid()->SetRow(row);
        return dialog->PointGrid()->Text();
    }
    QString PointHeader(int col) const { return PointCell(col, app::kSpreadHeader); }
    void Leave(app::CExpEdit* field, const QString& text)
    {
        field->setText(text);
        emit field->editingFinished();
    }
    const LocusTrack& Track(int k) const { return doc.GetProject().tracks[static_cast<size_t>(k)]; }
};

}  // namespace

TEST(IchimillLocusDlg, ReadingAppendsSelectsTheFirstNewTrackAndCentresTheOverview)
{
    DialogFixture f;
    EXPECT_EQ(f.dialog->TrackGrid()->Rows(), 0);
    EXPECT_EQ(f.dialog->SelectedTrack(), -1);
    EXPECT_FALSE(f.dialog->DeleteButton()->isEnabled());
    EXPECT_FALSE(f.dialog->PlaceButton()->isEnabled());

    f.Read(ts::CsvBytes());
    EXPECT_EQ(f.dialog->TrackGrid()->Rows(), 2);
    EXPECT_EQ(f.dialog->SelectedTrack(), 0);
    ASSERT_EQ(f.dialog->PointGrid()->Rows(), 3);
    EXPECT_EQ(f.PointCell(1, 1), QStringLiteral("2024/03/09"));
    EXPECT_EQ(f.PointCell(2, 3), QStringLiteral("00:00:10"));
    EXPECT_EQ(f.PointCell(3, 2), QStringLiteral("35.0005000"));
    EXPECT_EQ(f.PointCell(4, 2), QStringLiteral("139.0005000"));
    EXPECT_EQ(f.PointCell(5, 2), QStringLiteral("41.2500"));
    EXPECT_TRUE(f.dialog->DeleteButton()->isEnabled());
    EXPECT_TRUE(f.dialog->PlaceButton()->isEnabled());
    ASSERT_EQ(f.shown.size(), 1u);
    EXPECT_NEAR(f.shown[0].first.longitude, 139.0005, 1e-9);
    EXPECT_EQ(f.shown[0].second, 17);

    // The folder is remembered in the settings file.
    AppSettings stored;
    ASSERT_TRUE(stored.Load(f.settingsPath));
    EXPECT_EQ(stored.lastTrackFolder, f.temp.path());

    f.Read(ts::CsvBytes());
    EXPECT_EQ(f.dialog->TrackGrid()->Rows(), 4);
    EXPECT_EQ(f.dialog->SelectedTrack(), 2);
    EXPECT_EQ(f.dialog->TrackGrid()->ActiveRow(), 3);
    Project onDisk;
    ASSERT_EQ(LoadProject(onDisk, f.doc.GetProject().ProjectFilePath()), kProjectOk);
    EXPECT_EQ(onDisk.tracks.size(), 4u);

    // A file that yields no track changes nothing and says so.
    f.prompts.clear();
    f.Read(fe::ToCp932(QStringLiteral("\"端末ID\",b,c,d,e,f,g,h,i\r\n")));
    EXPECT_EQ(f.dialog->TrackGrid()->Rows(), 4);
    EXPECT_EQ(f.dialog->SelectedTrack(), 2);
    ASSERT_EQ(f.prompts.asked().size(), 2u);  // the file dialog, then the message
    EXPECT_EQ(f.prompts.asked()[1].text, QStringLiteral("読み込める軌跡データがありませんでした。"));
}

TEST(IchimillLocusDlg, DeleteAsksFirst)
{
    DialogFixture f;
    f.Read(ts::CsvBytes());
    f.prompts.clear();
    f.prompts.QueueAnswer(app::PromptAnswer::No);
    f.dialog->DeleteButton()->click();
    EXPECT_EQ(f.doc.GetProject().tracks.size(), 2u);
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(f.prompts.asked()[0].text, QStringLiteral("軌跡を削除します。\nよろしいですか?"));
    EXPECT_EQ(f.prompts.asked()[0].caption, QStringLiteral("ケルヴォル"));
    EXPECT_EQ(f.prompts.asked()[0].icon, app::PromptIcon::Question);
    EXPECT_EQ(f.prompts.asked()[0].buttons, app::PromptButtons::YesNo);

    f.prompts.QueueAnswer(app::PromptAnswer::Yes);
    f.dialog->DeleteButton()->click();
    ASSERT_EQ(f.doc.GetProject().tracks.size(), 1u);
    EXPECT_EQ(f.dialog->TrackGrid()->Rows(), 1);
    Project onDisk;
    ASSERT_EQ(LoadProject(onDisk, f.doc.GetProject().ProjectFilePath()), kProjectOk);
    ASSERT_EQ(onDisk.tracks.size(), 1u);
    EXPECT_EQ(onDisk.tracks[0].points.size(), 2u);  // the second track is left
}

TEST(IchimillLocusDlg, TimeFieldsSearchTheNearestPoint)
{
    DialogFixture f;
    LocusTrack track;
    for (const auto& [m, s] : std::vector<std::pair<int, int>>{{14, 50}, {15, 10}, {20, 0}}) {
        LocusPoint p;
        p.position = fe::geo::GeoPoint(139.0 + m * 1e-3, 35.0);
        p.date = {2024, 5, 9};
        p.time = {10, m, s};
        track.points.push_back(p);
    }
    track.terminalId = QStringLiteral("T1");
    (void)f.doc.Change(ProjectChange::Tracks, [&](Project& project) {
        project.tracks.push_back(track);
        return true;
    });
    app::ScriptedPrompts& prompts = f.prompts;
    // A dialog opened on a project with a track selects its first track and point.
    CIchimillLocusDlg dialog(f.doc, f.settings, f.settingsPath, app::TrackDialogHooks());
    ASSERT_EQ(dialog.SelectedTrack(), 0);
    EXPECT_EQ(f.Track(0).currentPoint, 0);
    EXPECT_EQ(dialog.MinuteField()->text(), QStringLiteral("14"));
    dialog.SelectTrackPoint(2);
    EXPECT_EQ(f.Track(0).currentPoint, 2);
    EXPECT_EQ(dialog.HourField()->text(), QStringLiteral("10"));
    EXPECT_EQ(dialog.MinuteField()->text(), QStringLiteral("20"));

    f.Leave(dialog.MinuteField(), QStringLiteral("15"));
    EXPECT_EQ(f.Track(0).currentPoint, 1);  // 10:14:50 and 10:15:10 are as near: the later wins
    EXPECT_EQ(dialog.PointGrid()->ActiveRow(), 2);

    f.Leave(dialog.HourField(), QStringLiteral("25"));
    EXPECT_EQ(dialog.HourField()->text(), QStringLiteral("10"));
    f.Leave(dialog.MinuteField(), QStringLiteral("14"));
    EXPECT_EQ(f.Track(0).currentPoint, 0);
    f.Leave(dialog.HourField(), QStringLiteral("25"));  // restores 10 and does not search
    EXPECT_EQ(f.Track(0).currentPoint, 0);
    f.Leave(dialog.HourField(), QString());
    EXPECT_EQ(dialog.HourField()->text(), QStringLiteral("0"));

    f.Leave(dialog.HourField(), QStringLiteral("0"));
    f.Leave(dialog.MinuteField(), QStringLiteral("0"));
    dialog.MinuteStep(false)->click();
    EXPECT_EQ(dialog.HourField()->text(), QStringLiteral("23"));
    EXPECT_EQ(dialog.MinuteField()->text(), QStringLiteral("59"));
    dialog.MinuteStep(true)->click();
    EXPECT_EQ(dialog.HourField()->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog.MinuteField()->text(), QStringLiteral("0"));
    dialog.HourStep(false)->click();  // -1 gives 0
    EXPECT_EQ(dialog.HourField()->text(), QStringLiteral("0"));

    // An empty minute field when the hour searches.
    prompts.clear();
    dialog.MinuteField()->clear();
    f.Leave(dialog.HourField(), QStringLiteral("10"));
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("時刻が未入力です。"));
}

TEST(IchimillLocusDlg, PlaneCoordinatesOnlyOnPlaneZoneMaps)
{
    DialogFixture f;
    f.Read(ts::CsvBytes());
    EXPECT_FALSE(f.dialog->PlaneRadio()->isEnabled());  // a web map

    f.zone = 9;
    f.dialog->OnLocationMapChanged();
    ASSERT_TRUE(f.dialog->PlaneRadio()->isEnabled());
    f.dialog->PlaneRadio()->click();
    EXPECT_TRUE(f.dialog->PlaneMode());
    EXPECT_EQ(f.PointHeader(3), QStringLiteral("X (m)"));
    EXPECT_EQ(f.PointHeader(4), QStringLiteral("Y (m)"));
    LocusTrack expected = f.Track(0);
    expected.BuildZoneXY(9);
    EXPECT_EQ(f.PointCell(3, 1), QString::number(expected.GetZoneXY(0, 9).x, 'f', 2));

    // The clipboard gets the table in plane coordinates.
    f.prompts.clear();
    f.dialog->CopyButton()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), TrackTableCopyText(expected, true, 9));
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(
        f.prompts.asked()[0].text,
        QStringLiteral("クリップボードに表のテキストをコピーしました。\nCtrl+Cで選択行のみコピーできます。"));

    // The grid's own Ctrl+C copies the selected rows only.
    app::CSpread7U* grid = f.dialog->PointGrid();
    grid->clearSelection();
    grid->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 4), true);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("2024/03/09\t23:59:50\t%1\t%2\t41.2500\n2024/03/10\t00:00:10\t%3\t%4\t41.2500\n")
                  .arg(f.PointCell(3, 2), f.PointCell(4, 2), f.PointCell(3, 3), f.PointCell(4, 3)));

    f.zone = 0;
    f.dialog->OnLocationMapChanged();
    EXPECT_TRUE(f.dialog->LatLonRadio()->isChecked());
    EXPECT_FALSE(f.dialog->PlaneMode());
    EXPECT_EQ(f.PointHeader(3), QStringLiteral("緯度 (°)"));
    EXPECT_EQ(f.PointCell(3, 1), QStringLiteral("35.0000000"));
    f.dialog->CopyButton()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), TrackTableCopyText(f.Track(0), false, 0));
}

TEST(IchimillLocusDlg, EscKeepsTheDialogAndCloseEndsIt)
{
    DialogFixture f;
    f.Read(ts::CsvBytes());
    f.dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.dialog.get()));
    f.dialog->SelectTrackPoint(1);
    EXPECT_EQ(f.Track(0).currentPoint, 1);
    QTest::keyClick(f.dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(f.dialog->isVisible());
    EXPECT_EQ(f.closed, 0);

    f.dialog->CloseButton()->click();
    EXPECT_FALSE(f.dialog->isVisible());
    EXPECT_EQ(f.closed, 1);
    app::ClearTrackCurrentPoints(f.doc);
    EXPECT_EQ(f.Track(0).currentPoint, -1);
}
