#pragma once

#include <QString>
#include <functional>

class CMainFrame;
class CTavrelView;
class MarkSettingSet;
class QWidget;

namespace app {

// 設定 → コメント定型文編集: edits CommentTemplate.txt of the writable folder; the dialog writes it.
void EditCommentTemplates(CMainFrame& frame);

// 設定 → 地図タイル設定: the dialog writes TileSiteList.txt; after OK the live settings take the new list,
// setting.bin is written and the user is asked whether to clear the view's tile cache; either way the
// view's tile requests restart on the new list and the view is drawn again.
void EditTileSettings(CMainFrame& frame, CTavrelView& view);

// 設定 → 写真位置マークの設定 on the view's live set: `refresh` shows each change in the view, also after
// キャンセル put the set back; after OK `save` writes MarkSetting.bin, and a failure is told.
void EditMarkSettings(QWidget* parent, MarkSettingSet& live, const std::function<void()>& refresh,
                      const std::function<bool()>& save);

// 設定 → 地理院タイルキャッシュクリア, after the user agreed: the view clears its cache (CTavrelView::
// ClearTileCache) and is drawn again, fetching its tiles anew.
void ClearTileCacheCommand(CMainFrame& frame, CTavrelView& view);

// setting.bin in the writable folder.
QString SettingsFilePath();

// Sets the settings commands' handlers on the frame.
void InstallSettingsCommands(CMainFrame& frame);
// Sets the handlers of 地図タイル設定 and 地理院タイルキャッシュクリア, which act on the frame's view.
void InstallTileCommands(CMainFrame& frame, CTavrelView& view);

}  // namespace app
