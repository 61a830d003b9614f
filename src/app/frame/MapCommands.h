#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "fe/Point2.h"
#include "fe/geo/GeoPoint.h"

class CMainFrame;

namespace app {

// What the location-map commands need of the location-map pane and the view beyond the frame's pane links
// (current map, selected rows, refreshing, the web map's centre: CMainFrame::PaneLinks) and its state (the
// view mode). The pane and the view set these on the frame (MapHooks); a hook that is not set gives the
// answer noted beside it, so the commands work on the project alone.
struct MapCommandHooks
{
    // The pane refills its list and selects map `index`, and the view shows it; -1 deselects and
    // returns the view to the site overview on web tiles (nothing).
    std::function<void(int index)> showMap;
    // The view's client centre in the shown picture map's pixels ((0, 0)) and its tile zoom (the
    // document's).
    std::function<Point2()> viewCentreOnPicture;
    std::function<int()> viewTileZoom;
    // Stopping and restarting the view's tile worker around the import tool (nothing).
    std::function<void()> stopTiles;
    std::function<void()> restartTiles;
    // The view fits the current map again (nothing).
    std::function<void()> fitCurrentMap;
    // Hides the modeless dialogs before a modal one (nothing).
    std::function<void()> hideModelessDialogs;
};

// The frame's hooks of the map commands, made on first use.
MapCommandHooks& MapHooks(CMainFrame& frame);

// The messages of the map commands.
inline const QString kNoTileCacheFolderText = QStringLiteral("タイルのキャッシュフォルダが存在しません。");
inline const QString kFileNotFoundText = QStringLiteral("ファイルが見つかりません。");
inline const QString kImportToolNotStartedText =
    QStringLiteral("背景地図の取込みツールを起動できませんでした。");
inline const QString kMapPlacedAlreadyText = QStringLiteral("既に配置されている写真です。");

// The import tool: <executable folder>/bgx unless a test set another program (empty restores it).
QString BackgroundImportToolPath();
void SetBackgroundImportToolPath(const QString& program);

// 位置図 → 写真位置図作成: the chooser between the background-map import and the web map.
void AddLocationMap(CMainFrame& frame);
// Asks for a drawing or picture and imports it as a background map.
void ImportBackgroundMap(CMainFrame& frame);
// Runs the import tool on `path` and adds the picture it leaves as a map (registered when the tool left a
// registration). True when a map was added.
bool RunBackgroundMapImport(CMainFrame& frame, const QString& path);
// A location map of the web map the view shows, in a zone the user picks; only on the site overview.
bool AddWebTileMap(CMainFrame& frame);
void CopyLocationMap(CMainFrame& frame);
void DeleteLocationMap(CMainFrame& frame);
void PlacePhotosOnLocationMap(CMainFrame& frame);
void RemovePhotosFromMap(CMainFrame& frame);
void PlacePhotosInMapRange(CMainFrame& frame);
void SelectAllPlacedPhotos(CMainFrame& frame);
// The switches are not saved by themselves: they go into the file with the next change.
void ToggleNorthArrow(CMainFrame& frame);
void ToggleScaleBar(CMainFrame& frame);
void ResetMapArea(CMainFrame& frame);
// 位置図名称・属性 of the current map (the first map when none is current).
void ShowLocationMapInfo(CMainFrame& frame);

// Sets the location-map commands' handlers on the frame.
void InstallMapCommands(CMainFrame& frame);

}  // namespace app
