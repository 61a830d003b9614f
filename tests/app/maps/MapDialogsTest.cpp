// The location-map dialogs: the name check, the three-line item value, enabling by map kind and the base
// map switch of 位置図名称・属性; the chooser's buttons; the zone dialog's table, zone map and buttons.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidgetItem>
#include <QTest>

#include "app/ScriptedPrompts.h"
#include "app/controls/ExpEdit.h"
#include "app/controls/ScreenDpi.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/maps/LocmapAddDlg.h"
#include "app/maps/MapTexts.h"
#include "app/maps/ReportLocInfoDlg.h"
#include "app/maps/SetCoordSystemNoDlg.h"
#include "model/AppSettings.h"
#include "model/FixedItemNames.h"
#include "model/LocationMap.h"

namespace app {
namespace {

LocationMap WebMap(std::int32_t zone)
{
    LocationMap map(1, 1);
    EXPECT_TRUE(map.SetWebMap(LocationMap::kWebStandard, Rect2(139.7, 35.6, 139.8, 35.7), 16));
    map.zone = zone;
    return map;
}

TEST(MapNameCheck, RefusesWhatCannotStandInAFileName)
{
    for (const QString& bad : {QStringLiteral("a\\b"), QStringLiteral("a/b"), QStringLiteral("a:b"),
                               QStringLiteral("a*b"), QStringLiteral("a?b"), QStringLiteral("a\"b"),
                               QStringLiteral("a<b"), QStringLiteral("a>b"), QStringLiteral("a|b"),
                               QStringLiteral("a\tb"), QString(QChar(0x1F))}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_FALSE(IsUsableMapName(bad));

        LocationMap map = WebMap(9);
        const LocationMap before = map;
        FixedItemNames presets;
        CReportLocInfoDlg dialog(map, presets);
        SetSpreadCellText(*dialog.ItemGrid(), 2, 1, bad);
        ScriptedPrompts prompts;
        dialog.OkButton()->click();
        ASSERT_EQ(prompts.asked().size(), 1u);
        EXPECT_EQ(prompts.asked()[0].text, kMapNameRefusedText);
        EXPECT_EQ(prompts.asked()[0].caption, QStringLiteral("入力確認"));
        EXPECT_EQ(prompts.asked()[0].icon, PromptIcon::Warning);
        EXPECT_EQ(dialog.result(), 0);
        EXPECT_EQ(map.name, before.name);
    }
    EXPECT_TRUE(IsUsableMapName(QStringLiteral("現場 A　１")));
}

TEST(ReportLocInfoDlg, ItemValueFourIsAThreeLineField)
{
    EXPECT_EQ(SplitThreeLines(QStringLiteral("a\r\n\r\nb")), (std::array<QString, 3>{"a", "b", ""}));
    EXPECT_EQ(SplitThreeLines(QStringLiteral("\n1\n2\r\n3\n4")), (std::array<QString, 3>{"1", "2", "3"}));

    LocationMap map = WebMap(9);
    map.itemValues.texts[3] = QStringLiteral("a\r\n\r\nb");
    FixedItemNames presets;
    CReportLocInfoDlg dialog(map, presets);
    EXPECT_EQ(GetSpreadCellText(*dialog.ItemGrid(), 2, 5), QStringLiteral("a"));
    EXPECT_EQ(GetSpreadCellText(*dialog.ItemGrid(), 2, 6), QStringLiteral("b"));
    EXPECT_EQ(GetSpreadCellText(*dialog.ItemGrid(), 2, 7), QString());
    SetSpreadCellText(*dialog.ItemGrid(), 2, 1, QStringLiteral("現場 A"));
    ScriptedPrompts prompts;
    dialog.OkButton()->click();
    EXPECT_TRUE(prompts.asked().empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(map.itemValues.texts[3], QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(map.name, QStringLiteral("現場 A"));
}

TEST(ReportLocInfoDlg, EnablingFollowsTheKind)
{
    struct Case
    {
        const char* what;
        std::int32_t kind;
        std::int32_t zone;
        bool northArrow, scaleBar, webRadios;
    };
    const Case cases[] = {
        {"web map without zone", LocationMap::kWebStandard, 0, true, false, true},
        {"web map in zone 9", LocationMap::kWebStandard, 9, true, true, true},
        {"registered picture", LocationMap::kRegisteredPicture, 9, true, true, false},
        {"plain picture", LocationMap::kPicture, 0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LocationMap map = WebMap(c.zone);
        map.kind = c.kind;
        FixedItemNames presets;
        CReportLocInfoDlg dialog(map, presets);
        EXPECT_EQ(dialog.NorthArrowCheck()->isEnabled(), c.northArrow);
        EXPECT_EQ(dialog.ScaleBarCheck()->isEnabled(), c.scaleBar);
        for (int k = 2; k <= 4; ++k)
            EXPECT_EQ(dialog.KindRadio(k)->isEnabled(), c.webRadios);
        EXPECT_FALSE(dialog.KindRadio(0)->isEnabled());
        EXPECT_FALSE(dialog.KindRadio(1)->isEnabled());
        EXPECT_FALSE(dialog.ZoomEdit()->isEnabled());
        EXPECT_TRUE(dialog.KindRadio(c.kind)->isChecked());
    }
}

TEST(ReportLocInfoDlg, BaseMapPresetsAndSwitchesAreWrittenOnOkOnly)
{
    LocationMap map = WebMap(9);
    map.overlay.showNorthArrow = 1;
    FixedItemNames presets;
    presets.itemNames[1].texts = {"n1", "n2", "n3", "n4"};
    {
        CReportLocInfoDlg dialog(map, presets);
        dialog.ApplyPreset(2);
        dialog.KindRadio(4)->click();
        dialog.NorthArrowCheck()->click();
        dialog.CancelButton()->click();
    }
    EXPECT_EQ(map.kind, LocationMap::kWebStandard);
    EXPECT_EQ(map.itemNames, MapItemTexts::DefaultNames());

    const std::int32_t zoom = map.tileZoom;
    CReportLocInfoDlg dialog(map, presets);
    EXPECT_EQ(dialog.RecordedKind(), LocationMap::kWebStandard);
    EXPECT_EQ(dialog.RecordedZoom(), zoom);
    dialog.findChild<QPushButton*>(QStringLiteral("Preset2"))->click();
    EXPECT_EQ(GetSpreadCellText(*dialog.ItemGrid(), 1, 6), QStringLiteral("n4"));
    dialog.KindRadio(4)->click();
    dialog.NorthArrowCheck()->click();
    ScriptedPrompts prompts;
    dialog.OkButton()->click();
    EXPECT_EQ(map.kind, LocationMap::kWebPhoto);
    EXPECT_EQ(map.overlay.showNorthArrow, 0);
    EXPECT_EQ(map.itemNames.texts, (std::array<QString, 4>{"n1", "n2", "n3", "n4"}));
    EXPECT_EQ(map.tileZoom, zoom);
}

TEST(ReportLocInfoDlg, DeleteKeyEmptiesTheUnlockedCellsOfTheBlock)
{
    LocationMap map = WebMap(9);
    map.itemValues.texts[0] = QStringLiteral("v1");
    FixedItemNames presets;
    CReportLocInfoDlg dialog(map, presets);
    CSpread7U& grid = *dialog.ItemGrid();
    grid.setCurrentCell(0, 0);
    grid.setRangeSelected(QTableWidgetSelectionRange(0, 0, 2, 1), true);
    int key = kKeyDelete;
    emit grid.KeyDown(&key, 0);
    EXPECT_EQ(GetSpreadCellText(grid, 1, 1), QStringLiteral("位置図名称"));  // locked label stays
    EXPECT_EQ(GetSpreadCellText(grid, 2, 1), QString());
    EXPECT_EQ(GetSpreadCellText(grid, 2, 2), QString());
    EXPECT_EQ(GetSpreadCellText(grid, 1, 2), QString());
    EXPECT_EQ(GetSpreadCellText(grid, 1, 4), MapItemTexts::DefaultNames().texts[2]);
}

TEST(LocmapAddDlg, ButtonsFollowProjectAndCurrentMap)
{
    struct Case
    {
        bool project;
        int currentMap;
        bool cad, web;
    };
    for (const Case& c : {Case{true, -1, true, true}, Case{true, 0, true, false}, Case{false, -1, false, false}}) {
        CLocmapAddDlg chooser(c.project, c.currentMap, {}, {});
        EXPECT_EQ(chooser.CadButton()->isEnabled(), c.cad);
        EXPECT_EQ(chooser.WebButton()->isEnabled(), c.web);
    }
    int imports = 0;
    bool hiddenWhileRunning = false;
    CLocmapAddDlg chooser(
        true, -1,
        [&] {
            ++imports;
            hiddenWhileRunning = !chooser.isVisible();
        },
        {});
    chooser.show();
    chooser.CadButton()->click();
    EXPECT_EQ(imports, 1);
    EXPECT_TRUE(hiddenWhileRunning);
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
}

class ZoneDialog : public ::testing::Test
{
protected:
    void TearDown() override { SetScreenDpiOverride(QSize()); }

    static std::vector<ZoneOutline> Outlines()
    {
        return ReadZoneOutlines(QStringLiteral(KELVOR_SOURCE_DIR "/data/Systems/keiarea.csv"));
    }

    static std::vector<int> CheckedRows(CSetCoordSystemNoDlg& dialog)
    {
        std::vector<int> rows;
        for (int row = 1; row <= 19; ++row) {
            if (GetSpreadCellCheck(*dialog.Grid(), 1, row) == 1)
                rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(ZoneDialog, OkWithoutZoneGivesFlagAndZoneZero)
{
    AppSettings settings;
    settings.planeZone = 0;
    CSetCoordSystemNoDlg dialog(settings);
    EXPECT_TRUE(CheckedRows(dialog).empty());
    EXPECT_TRUE(dialog.AreaLabel()->text().isEmpty());
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ZoneChosen(), 1);
    EXPECT_EQ(dialog.SelectedZone(), 0);
    EXPECT_EQ(settings.planeZone, 0);
}

TEST_F(ZoneDialog, RowClickChecksOnlyThatRowAndShowsItsArea)
{
    AppSettings settings;
    settings.planeZone = 3;
    CSetCoordSystemNoDlg dialog(settings);
    EXPECT_EQ(CheckedRows(dialog), std::vector<int>{3});
    EXPECT_EQ(GetSpreadCellText(*dialog.Grid(), 3, 1), QStringLiteral("129度30分0秒"));
    EXPECT_EQ(GetSpreadCellText(*dialog.Grid(), 4, 1), QStringLiteral("33度0分0秒"));
    dialog.OnGridClick(3, 9);
    EXPECT_EQ(CheckedRows(dialog), std::vector<int>{9});
    for (int col = 2; col <= 4; ++col) {
        EXPECT_EQ(dialog.Grid()->item(8, col - 1)->foreground().color(), QColor(255, 0, 128));
        EXPECT_EQ(dialog.Grid()->item(2, col - 1)->foreground().color(), QColor(Qt::black));
    }
    EXPECT_TRUE(dialog.AreaLabel()->text().startsWith(QStringLiteral("東京都（XIV系")));
    EXPECT_EQ(dialog.SelectedZone(), 9);
    dialog.OnGridClick(1, 0);
    dialog.OnGridClick(1, 20);
    EXPECT_EQ(CheckedRows(dialog), std::vector<int>{9});

    // A click on the table's own cell goes through the same path.
    const QRect cell = dialog.Grid()->visualItemRect(dialog.Grid()->item(4, 1));
    QTest::mouseClick(dialog.Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(CheckedRows(dialog), std::vector<int>{5});
}

TEST_F(ZoneDialog, NoZoneKeepsTheSettingsAndCancelChangesNothing)
{
    AppSettings settings;
    settings.planeZone = 6;
    {
        CSetCoordSystemNoDlg dialog(settings);
        dialog.OnGridClick(1, 12);
        dialog.NoZoneButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.ZoneChosen(), 0);
        EXPECT_EQ(settings.planeZone, 6);
    }
    CSetCoordSystemNoDlg dialog(settings);
    dialog.OnGridClick(1, 12);
    dialog.CancelButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.planeZone, 6);
}

TEST_F(ZoneDialog, AClickInsideEachOutlineSelectsItsZone)
{
    const std::vector<ZoneOutline> outlines = Outlines();
    ASSERT_EQ(outlines.size(), 19u);
    for (const int dpi : {96, 144}) {
        SetScreenDpiOverride(QSize(dpi, dpi));
        AppSettings settings;
        CSetCoordSystemNoDlg dialog(settings);
        dialog.SetOutlines(outlines);
        if (dpi == 144) {
            EXPECT_EQ(dialog.MapLabel()->width(), 470 * 3 / 2);
        }
        for (size_t k = 0; k < outlines.size(); ++k) {
            SCOPED_TRACE(testing::Message() << "dpi " << dpi << " zone " << k + 1);
            Point2 mean;
            const size_t n = outlines[k].size() - 1;  // the ring repeats its first point
            for (size_t i = 0; i < n; ++i)
                mean = mean + outlines[k][i];
            const QPoint click(int(mean.x / n * dpi / 96), int(mean.y / n * dpi / 96));
            QTest::mouseClick(dialog.MapLabel(), Qt::LeftButton, {}, click);
            EXPECT_EQ(dialog.SelectedZone(), int(k) + 1);
            EXPECT_EQ(CheckedRows(dialog), std::vector<int>{int(k) + 1});
        }
        // The sea changes nothing.
        QTest::mouseClick(dialog.MapLabel(), Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(dialog.SelectedZone(), 19);
    }
}

}  // namespace
}  // namespace app
