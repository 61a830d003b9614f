// Defaults, texts and copy rules of the project records.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/LocationMap.h"
#include "model/Project.h"
#include "model/ProjectResult.h"

TEST(ProjectResult, TextsOfEveryCodeAndUnknownCodes)
{
    const std::vector<std::pair<int, QString>> cases = {
        {0, "エラーはありません"},
        {1, "何らかのエラーが発生しました"},
        {2, "既に保存されているプロジェクトは新規保存できません"},
        {3, "プロジェクトが未保存です"},
        {4, "未保存のプロジェクトは上書き保存できません"},
        {5, "プロジェクトパスが存在しません"},
        {6, "プロジェクトファイルを開けません"},
        {7, "ファイルパスエラー"},
        {8, "既に同名のディレクトリがあります"},
        {9, "ディレクトリ作成エラー"},
        {10, "ファイル操作中に例外が発生しました"},
        {11, "プロジェクトファイルではありません"},
        {12, "サポートしていないファイルバージョンです"},
        {13, "ファイルが見つかりません"},
        {14, "プロジェクト名にスペースは含められません"},
        {15, "写真フォルダがありません"},
        {16, "プロジェクトファイル保存に失敗しました。"},
        {17, "プロジェクトファイル読込に失敗しました。"},
        {18, "未定義のエラーです"},
        {-1, "未定義のエラーです"},
    };
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(ProjectErrorText(code), text) << code;
    }
}

TEST(LocationMapRecord, NewMapDefaultsAndNumberedNames)
{
    const LocationMap map(7, 3);
    EXPECT_EQ(map.id, 7);
    EXPECT_EQ(map.name, QStringLiteral("名称未設定3"));
    EXPECT_EQ(LocationMap(1, 0).name, QStringLiteral("名称未設定"));
    EXPECT_EQ(LocationMap(1, -1).name, QStringLiteral("名称未設定"));

    EXPECT_EQ(map.pictureFormat, 5);
    EXPECT_EQ(map.zone, 0);
    EXPECT_EQ(map.kind, 0);
    EXPECT_EQ(map.photos.prefix, QStringLiteral("P"));
    EXPECT_EQ(map.photos.suffix, QString());
    EXPECT_EQ(map.photos.firstNumber, 1);
    const std::array<QString, 4> names = {"種類", "路線名", "発生場所", "被害の概要"};
    EXPECT_EQ(map.itemNames.texts, names);
    EXPECT_EQ(map.itemValues.texts, (std::array<QString, 4>{}));
    EXPECT_EQ(map.outputFlag, 1);
    EXPECT_EQ(map.cadOutputFlag, 1);
    EXPECT_EQ(map.outputFlagCopy, 1);
    EXPECT_EQ(std::make_tuple(map.reservedA, map.reservedB, map.reservedC, map.reservedD),
              std::make_tuple(0, std::uint8_t{0}, 0, 2));
    EXPECT_EQ(map.showCallout, 1);
    EXPECT_FALSE(map.calloutAnchor.HasPosition());
    EXPECT_EQ(map.flags, 1u);
    EXPECT_TRUE(map.box.IsUnset());
    EXPECT_EQ(map.runtime.sortTolerance, 2e-6);
    EXPECT_EQ(map.runtime.sortContactWidth, 50);
    EXPECT_EQ(map.runtime.sortScale, 1.0);
    EXPECT_EQ(map.overlay, (MapOverlayLayout{0, 0, 0, 1, 0, 0, 1}));
    ASSERT_EQ(map.reservoir.items.size(), 8u);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(map.reservoir.items[static_cast<size_t>(k)].tableIndex, k);
    }
    EXPECT_EQ(map.reservoir.includeInBook, 1);
}

TEST(LocationMapRecord, ResetKeepsIdBoxZoomRectangleBAndOverlay)
{
    LocationMap map(4, 1);
    map.kind = 3;
    map.zone = 9;
    map.name = "河川";
    map.box = Rect2(136.0, 35.0, 137.0, 36.0);
    map.tileZoom = 15;
    map.frame.rectA = Rect2(1, 2, 3, 4);
    map.frame.rectB = Rect2(5, 6, 7, 8);
    map.frame.flag = 1;
    map.frame.angle = 0.5;
    map.overlay.northArrowX = 40;
    map.overlay.showScaleBar = 0;
    map.flags = 3;
    map.photos.entries.push_back(PlacedPhoto());
    map.runtime.frameOriented = 1;
    map.runtime.sortContactWidth = 10;

    map.Reset();

    EXPECT_EQ(map.id, 4);
    EXPECT_EQ(map.box, Rect2(136.0, 35.0, 137.0, 36.0));
    EXPECT_EQ(map.tileZoom, 15);
    EXPECT_EQ(map.frame.rectB, Rect2(5, 6, 7, 8));
    EXPECT_EQ(map.overlay.northArrowX, 40);
    EXPECT_EQ(map.overlay.showScaleBar, 0);
    EXPECT_EQ(map.kind, 0);
    EXPECT_EQ(map.zone, 0);
    EXPECT_EQ(map.name, QStringLiteral("名称未設定"));
    EXPECT_EQ(map.frame.rectA, Rect2());
    EXPECT_EQ(map.frame.flag, 0);
    EXPECT_EQ(map.frame.angle, 0.0);
    EXPECT_EQ(map.flags, 1u);
    EXPECT_TRUE(map.photos.entries.empty());
    EXPECT_EQ(map.runtime.frameOriented, 0);
    EXPECT_EQ(map.runtime.sortContactWidth, 50);
}

namespace {

LocationMap MapWithRuntimeState()
{
    LocationMap map(2, 2);
    map.name = "工区A";
    map.zone = 7;
    map.runtime.frameOriented = 1;
    map.runtime.sortLine = {{1, 2}, {3, 4}};
    map.runtime.sortScale = 3.0;
    map.runtime.sortLineGeo = {fe::geo::GeoPoint(136, 35)};
    map.runtime.sortTolerance = 1e-5;
    map.runtime.sortContactWidth = 9;
    return map;
}

}  // namespace

TEST(LocationMapRecord, CopyConstructionStartsTheRuntimeStateFromDefaults)
{
    const LocationMap source = MapWithRuntimeState();
    const LocationMap copy(source);  // NOLINT(performance-unnecessary-copy-initialization)
    EXPECT_EQ(copy.name, QStringLiteral("工区A"));
    EXPECT_EQ(copy.zone, 7);
    EXPECT_EQ(copy.runtime.frameOriented, 0);
    EXPECT_TRUE(copy.runtime.sortLine.empty());
    EXPECT_EQ(copy.runtime.sortScale, 1.0);
    EXPECT_TRUE(copy.runtime.sortLineGeo.empty());
    EXPECT_EQ(copy.runtime.sortTolerance, 2e-6);
    EXPECT_EQ(copy.runtime.sortContactWidth, 50);
}

TEST(LocationMapRecord, AssignmentKeepsTheTargetsRuntimeState)
{
    LocationMap target = MapWithRuntimeState();
    LocationMap source(9, 9);
    source.runtime.sortContactWidth = 77;
    source.runtime.sortLine = {{9, 9}};
    target = source;
    EXPECT_EQ(target.id, 9);
    EXPECT_EQ(target.name, QStringLiteral("名称未設定9"));
    EXPECT_EQ(target.runtime.frameOriented, 1);
    EXPECT_EQ(target.runtime.sortLine.size(), 2u);
    EXPECT_EQ(target.runtime.sortScale, 3.0);
    EXPECT_EQ(target.runtime.sortLineGeo.size(), 1u);
    EXPECT_EQ(target.runtime.sortTolerance, 1e-5);
    EXPECT_EQ(target.runtime.sortContactWidth, 9);
}

TEST(LocationMapRecord, MapsKeepTheirSortLinesWhenTheMapVectorGrows)
{
    std::vector<LocationMap> maps;
    maps.push_back(MapWithRuntimeState());
    for (int k = 0; k < 20; ++k) {
        maps.emplace_back(k + 10, k + 10);
    }
    EXPECT_EQ(maps.front().runtime.sortLine.size(), 2u);
    EXPECT_EQ(maps.front().runtime.sortContactWidth, 9);
}

TEST(ProjectRecord, ResetGivesTheDefaultsOfANewProject)
{
    Project project;
    project.folder = "/x/";
    project.name = "p";
    project.fileVersion = 3;
    project.photos.nextId = 9;
    project.photos.photos.emplace_back(3);
    project.maps.Append(project.maps.MakeNewMap());
    project.siteMaps.Append(project.siteMaps.MakeNewMap());
    project.siteMapZone = 4;
    project.tracks.emplace_back();
    project.outputOptions.pagesPerWorkbook = 3;
    project.importSettings.dateFilter = 1;
    project.headerValues.texts[0] = "x";

    project.Reset();

    EXPECT_FALSE(project.HasPath());
    EXPECT_EQ(project.fileVersion, 8);
    EXPECT_EQ(project.photos.nextId, 1);
    EXPECT_TRUE(project.photos.photos.empty());
    EXPECT_EQ(project.maps.nextId, 1);
    EXPECT_EQ(project.maps.nextNumber, 1);
    EXPECT_TRUE(project.maps.maps.empty());
    EXPECT_EQ(project.siteMaps.nextId, 1);
    EXPECT_TRUE(project.siteMaps.maps.empty());
    EXPECT_EQ(project.siteMapZone, 0);
    EXPECT_TRUE(project.tracks.empty());
    EXPECT_EQ(project.photos.IndexOfId(1), -1);

    const std::array<QString, 5> labels = {"", "所属", "報告者", "発生日時", "報告日付"};
    const std::array<QString, 5> values = {"報告書", "", "", "", ""};
    EXPECT_EQ(project.headerLabels.texts, labels);
    EXPECT_EQ(project.headerValues.texts, values);

    const ReportOutputOptions& o = project.outputOptions;
    EXPECT_EQ(std::make_tuple(o.outputKind, o.outputCover, o.outputMapSheets, o.outputLedger,
                              o.outputPhotoList, o.coverLandscape),
              std::make_tuple(1, std::uint8_t{1}, std::uint8_t{1}, std::uint8_t{1}, std::uint8_t{1},
                              std::uint8_t{0}));
    EXPECT_EQ(std::make_tuple(o.mapLayout, o.placePhotos, o.placePhotoComments, o.ledgerLayout,
                              o.shotTimeFormat, o.optionsStored),
              std::make_tuple(0, std::uint8_t{0}, std::uint8_t{0}, 0, 2, std::uint8_t{1}));
    EXPECT_EQ(std::make_tuple(o.fileNamePrefix, o.splitWorkbook, o.pagesPerWorkbook, o.photoQuality,
                              o.mapQuality, o.photoPlacement, o.listOriginalFileName),
              std::make_tuple(QString(), std::uint8_t{1}, 10, 1, 1, 0, std::uint8_t{0}));

    const PhotoImportSettings& s = project.importSettings;
    EXPECT_EQ(std::make_tuple(s.skipSameName, s.alsoSameShotTime, s.dateFilter, s.fromDate, s.toDate,
                              s.takeDirection),
              std::make_tuple(std::uint8_t{1}, std::uint8_t{1}, std::uint8_t{0}, QString(), QString(),
                              std::uint8_t{1}));
}

TEST(ReportOutputOptionsRecord, CommentsArePlacedOnlyWithThePhotos)
{
    ReportOutputOptions options;
    options.placePhotoComments = 1;
    EXPECT_FALSE(options.ShouldPlacePhotoComments());
    options.placePhotos = 1;
    EXPECT_TRUE(options.ShouldPlacePhotoComments());
}

TEST(OutputFrameRecord, CornersTurnAboutTheActiveRectanglesCentre)
{
    OutputFrame frame;
    frame.rectA = Rect2(10, 20, 0, 0);  // corners given in reverse order on both axes
    const auto upright = frame.Corners();
    EXPECT_EQ(upright[0], Point2(0, 0));
    EXPECT_EQ(upright[1], Point2(0, 20));
    EXPECT_EQ(upright[2], Point2(10, 20));
    EXPECT_EQ(upright[3], Point2(10, 0));

    frame.angle = std::numbers::pi / 2;
    // Turned by minus a quarter about (5, 10): (0, 0) goes to (−5, 15).
    const Point2 turned = frame.Corners()[0];
    EXPECT_NEAR(turned.x, -5.0, 1e-12);
    EXPECT_NEAR(turned.y, 15.0, 1e-12);

    // With the flag set the centre is rectangle B's.
    frame.rectB = Rect2(100, 100, 100, 100);
    frame.flag = 1;
    const Point2 aboutB = frame.RotatePoint({100, 101});
    EXPECT_NEAR(aboutB.x, 101.0, 1e-12);
    EXPECT_NEAR(aboutB.y, 100.0, 1e-12);
}
