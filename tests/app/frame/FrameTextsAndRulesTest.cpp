#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <functional>

#include "app/frame/CommandIds.h"
#include "app/frame/CommandRules.h"
#include "app/frame/FrameTexts.h"
#include "app/frame/RecentFiles.h"

using namespace app;

TEST(FrameTexts, TitleVersionAndPhotoPaneCaption)
{
    EXPECT_EQ(FormatVersionNumber(true), QStringLiteral("2.01"));
    EXPECT_EQ(FormatVersionNumber(false), QStringLiteral("2"));
    EXPECT_EQ(MainWindowTitle(QString()), QStringLiteral("ケルヴォル Version 2"));
    EXPECT_EQ(MainWindowTitle(QStringLiteral("現場A")), QStringLiteral("ケルヴォル Version 2 - 現場A"));
    EXPECT_EQ(PhotoPaneTitle(false, 5, true, 2), QStringLiteral("撮影写真"));
    EXPECT_EQ(PhotoPaneTitle(true, 5, false, 2), QStringLiteral("撮影写真　枚数：全て(5)"));
    EXPECT_EQ(PhotoPaneTitle(true, 5, true, 2), QStringLiteral("撮影写真　枚数：全て(5) / 位置図内(2)"));
}

TEST(FrameTexts, StatusCoordinateTexts)
{
    const struct
    {
        const char* what;
        StatusCoordTexts got;
        StatusCoordTexts expected;
    } cases[] = {
        {"picture map",
         StatusForViewMode(1, true, 9),
         {"\t\t 座標系： なし", " 単位： (pixel)", " X： -", " Y： -"}},
        {"plane map",
         StatusForViewMode(2, true, 9),
         {"\t\t 座標系： 平面直角座標系　系番号：Ⅸ", " 単位： (m)", " X： -", " Y： -"}},
        {"web map with zone",
         StatusForViewMode(3, true, 19),
         {"\t\t 座標系： 緯度経度　　　　系番号：ⅩⅨ", " 単位： (degree)", " 緯度： -", " 経度： -"}},
        {"web map, zone 20",
         StatusForViewMode(0, true, 20),
         {"\t\t 座標系： 緯度経度", " 単位： (degree)", " 緯度： -", " 経度： -"}},
        {"unknown mode",
         StatusForViewMode(7, false, 0),
         {"\t\t 座標系： -", " 単位： -", " X： -", " Y： -"}},
        {"lat/long",
         StatusLatLong(35.6580992, DBL_MAX, 0),
         {"\t\t 座標系： 緯度経度", " 単位： (degree)", " 緯度：35.6580992", " 経度：-"}},
        {"blank value",
         StatusLatLong(-9e32, 139.5, 0),
         {"\t\t 座標系： 緯度経度", " 単位： (degree)", " 緯度：", " 経度：139.5000000"}},
        // X shows the second value and Y the first; each is "-" when the value it shows is unset.
        {"plane",
         StatusPlaneXY(9, 1234.567, -89.5),
         {"\t\t 座標系： 平面直角座標系　系番号：Ⅸ", " 単位： (m)", " X：-89.50", " Y：1234.57"}},
        {"plane, second unset",
         StatusPlaneXY(9, 1234.5, DBL_MAX),
         {"\t\t 座標系： 平面直角座標系　系番号：Ⅸ", " 単位： (m)", " X：-", " Y：1234.50"}},
        {"pixel, x unset",
         StatusPixel(INT_MAX, 12),
         {" 座標系： なし", " 単位： (pixel)", " X：-", " Y：12.00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (size_t k = 0; k < 4; ++k)
            EXPECT_EQ(c.got[k], c.expected[k]) << k;
    }
}

TEST(FrameTexts, ZoneNumeralsOfTheStatusBar)
{
    // Zones 1 to 19 show their roman numeral; no zone (0) and any number outside shows none, in both the
    // plane and the latitude/longitude texts.
    const QString plane = QStringLiteral("\t\t 座標系： 平面直角座標系　系番号：");
    const QString latLong = QStringLiteral("\t\t 座標系： 緯度経度");
    const struct
    {
        int zone;
        const char16_t* numeral;
    } cases[] = {{1, u"Ⅰ"},   {4, u"Ⅳ"}, {10, u"Ⅹ"}, {11, u"ⅩⅠ"}, {14, u"ⅩⅣ"},
                 {19, u"ⅩⅨ"}, {0, u""},  {20, u""},  {-1, u""},   {21, u""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        const QString numeral = QString::fromUtf16(c.numeral);
        EXPECT_EQ(StatusPlaneXY(c.zone, 1, 2)[0], plane + numeral);
        EXPECT_EQ(StatusForViewMode(2, true, c.zone)[0], plane + numeral);
        EXPECT_EQ(StatusForViewMode(2, false, c.zone)[0], plane);
        const QString withZone =
            numeral.isEmpty() ? latLong : latLong + QStringLiteral("　　　　系番号：") + numeral;
        EXPECT_EQ(StatusLatLong(35.0, 139.0, c.zone)[0], withZone);
        EXPECT_EQ(StatusForViewMode(3, true, c.zone)[0], withZone);
    }
}

namespace {

UiState OpenProject()
{
    UiState s;
    s.project = true;
    s.mapCount = 2;
    s.currentMap = true;
    s.currentMapKind = 1;
    s.currentMapPlacedCount = 3;
    s.photoCount = 4;
    s.viewMode = 1;
    return s;
}

SelectedPhotoState Photo(bool placed, bool latLong = false, bool direction = false)
{
    return SelectedPhotoState{true, placed, latLong, direction};
}

}  // namespace

TEST(CommandRules, BusyDisablesEveryRuledCommandAndLeavesTheOthers)
{
    UiState busy = OpenProject();
    busy.busy = true;
    for (int id : {kCmdFileNew, kCmdFileOpen, kCmdOutputReport, kCmdExit, kCmdImportPhotos, kCmdTrack,
                   kCmdWriteExif, kCmdAddLocationMap, kCmdCopyMap})
        EXPECT_FALSE(CommandEnabled(id, busy)) << id;
    for (int id : {kCmdAbout, kCmdClearRecent, kCmdManual, kCmdSupportPage})
        EXPECT_TRUE(CommandEnabled(id, busy)) << id;
    // Without a document only busy counts.
    UiState noDocument;
    noDocument.hasDocument = false;
    EXPECT_TRUE(CommandEnabled(kCmdOutputReport, noDocument));
}

TEST(CommandRules, StatesOfTheProjectMapsAndSelection)
{
    const struct
    {
        const char* what;
        int command;
        std::function<void(UiState&)> change;
        bool enabled;
    } cases[] = {
        {"output with maps", kCmdOutputReport, [](UiState&) {}, true},
        {"output without maps", kCmdOutputReport, [](UiState& s) { s.mapCount = 0; }, false},
        {"site-map dialog stops new", kCmdFileNew, [](UiState& s) { s.siteMapDialogVisible = true; }, false},
        {"ledger dialog stops open", kCmdFileOpen, [](UiState& s) { s.ledgerDialogVisible = true; }, false},
        {"site-map dialog stops output", kCmdOutputReport, [](UiState& s) { s.siteMapDialogVisible = true; },
         false},
        {"site-map dialog stops EXIF", kCmdWriteExif, [](UiState& s) { s.siteMapDialogVisible = true; },
         false},
        {"site-map dialog stops add map", kCmdAddLocationMap,
         [](UiState& s) { s.siteMapDialogVisible = true; }, false},
        {"site-map dialog stops tracks", kCmdTrack, [](UiState& s) { s.siteMapDialogVisible = true; }, false},
        {"no project, no import", kCmdImportPhotos, [](UiState& s) { s.project = false; }, false},
        {"place unplaced", kCmdPlaceOnMap,
         [](UiState& s) {
             s.selected = {Photo(false), Photo(false)};
         },
         true},
        {"place partly placed", kCmdPlaceOnMap,
         [](UiState& s) {
             s.selected = {Photo(false), Photo(true)};
         },
         false},
        {"remove partly placed", kCmdRemoveFromMap,
         [](UiState& s) {
             s.selected = {Photo(false), Photo(true)};
         },
         false},
        {"remove all placed", kCmdRemoveFromMap,
         [](UiState& s) {
             s.selected = {Photo(true), Photo(true)};
         },
         true},
        {"map commands off in the overview", kCmdPlaceOnMap,
         [](UiState& s) {
             s.viewMode = 0;
             s.selected = {Photo(false)};
         },
         false},
        {"web placing in the overview", kCmdPlaceOnWebMap,
         [](UiState& s) {
             s.viewMode = 0;
             s.selected = {Photo(false)};
         },
         true},
        {"web placing of a placed photo", kCmdPlaceOnWebMap,
         [](UiState& s) {
             s.viewMode = 0;
             s.selected = {Photo(false, true)};
         },
         false},
        {"clear direction needs every direction", kCmdClearDirection,
         [](UiState& s) {
             s.viewMode = 0;
             s.selected = {Photo(false, true, true), Photo(false, true, false)};
         },
         false},
        {"inside placing on a kind-0 map", kCmdPlaceInsideMap, [](UiState& s) { s.currentMapKind = 0; },
         false},
        {"select all with the ledger open", kCmdSelectAllOnMap,
         [](UiState& s) { s.ledgerDialogExists = true; }, false},
        {"scale bar on a web map without zone", kCmdScaleBar,
         [](UiState& s) {
             s.currentMapKind = 3;
             s.currentMapZone = 0;
         },
         false},
        {"scale bar on a web map in zone 9", kCmdScaleBar,
         [](UiState& s) {
             s.currentMapKind = 3;
             s.currentMapZone = 9;
         },
         true},
        {"scale bar on a web map with zone 20 (none)", kCmdScaleBar,
         [](UiState& s) {
             s.currentMapKind = 3;
             s.currentMapZone = 20;
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UiState s = OpenProject();
        c.change(s);
        EXPECT_EQ(CommandEnabled(c.command, s), c.enabled);
    }
    UiState s = OpenProject();
    s.currentMapNorthArrow = true;
    EXPECT_TRUE(CommandChecked(kCmdNorthArrow, s));
    s.currentMapKind = 0;
    EXPECT_FALSE(CommandChecked(kCmdNorthArrow, s));
}

TEST(RecentFiles, KeepsTenNewestFirstInTheProfile)
{
    RecentFiles recent;
    recent.Clear();
    for (int k = 1; k <= 12; ++k)
        recent.Add(QStringLiteral("/work/p%1/p%1.kvr2").arg(k));
    recent.Add(QStringLiteral("/work/p5/p5.kvr2"));
    RecentFiles reread;
    reread.Load();
    ASSERT_EQ(reread.Paths().size(), RecentFiles::kMaxEntries);
    EXPECT_EQ(reread.Paths().front(), QStringLiteral("/work/p5/p5.kvr2"));
    EXPECT_EQ(reread.Paths()[1], QStringLiteral("/work/p12/p12.kvr2"));
    EXPECT_EQ(reread.Paths().count(QStringLiteral("/work/p5/p5.kvr2")), 1);
    EXPECT_FALSE(reread.Paths().contains(QStringLiteral("/work/p2/p2.kvr2")));
    reread.Remove(0);
    RecentFiles again;
    again.Load();
    EXPECT_EQ(again.Paths().front(), QStringLiteral("/work/p12/p12.kvr2"));
    again.Clear();
    RecentFiles empty;
    empty.Load();
    EXPECT_TRUE(empty.Paths().isEmpty());
    EXPECT_EQ(RecentFiles::MenuText(0, QStringLiteral("/a/b.kvr2")), QStringLiteral("&1 /a/b.kvr2"));
    EXPECT_LE(
        RecentFiles::MenuText(9, QStringLiteral("/very/long/folder/name/of/a/site/project.kvr2")).size(), 34);
}
