#pragma once

#include <QString>
#include <functional>

class CMainFrame;
class MarkSettingSet;
class QWidget;

namespace app {

// 設定 → コメント定型文編集: edits CommentTemplate.txt of the writable folder; the dialog writes it.
void EditCommentTemplates(CMainFrame& frame);

// 設定 → 地図タイル設定: the dialog writes TileSiteList.txt; after OK the live settings take the new list,
// setting.bin is written and the user is asked whether to clear the tile cache.
void EditTileSettings(CMainFrame& frame);

// 設定 → 写真位置マークの設定 on the view's live set: `refresh` shows each change in the view, also after
// キャンセル put the set back; after OK `save` writes MarkSetting.bin, and a failure is told.
void EditMarkSettings(QWidget* parent, MarkSettingSet& live, const std::function<void()>& refresh,
                      const std::function<bool()>& save);

// 設定 → 地理院タイルキャッシュクリア, after the user agreed.
void ClearTileCacheCommand(CMainFrame& frame);

// Deletes the tile cache folder with everything in it. Only an absolute folder is deleted, so that an
// empty or relative setting never removes a folder relative to wherever the program runs; false then,
// or when the folder could not be deleted whole.
bool ClearTileCache(const QString& folder);

// setting.bin in the writable folder.
QString SettingsFilePath();

// Sets the settings commands' handlers on the frame.
void InstallSettingsCommands(CMainFrame& frame);

}  // namespace app
