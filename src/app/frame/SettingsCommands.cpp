#include "app/frame/SettingsCommands.h"

#include <QDir>

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/settings/CommentTemplate.h"
#include "app/settings/CommentTemplateSettingDlg.h"
#include "app/settings/SetMarkTemplateDlg.h"
#include "app/settings/SetTileDlg.h"
#include "app/view/TavrelView.h"
#include "fe/AppFolders.h"
#include "model/AppSettings.h"

namespace app {
namespace {

const char* const kCacheClearedText = "キャッシュを削除しました。";

}  // namespace

QString SettingsFilePath()
{
    return QDir(fe::GetWritableFolder()).filePath(QStringLiteral("setting.bin"));
}

void EditCommentTemplates(CMainFrame& frame)
{
    CCommentTemplateSettingDlg dialog(CommentTemplatePath(), &frame);
    dialog.exec();
}

void EditTileSettings(CMainFrame& frame, CTavrelView& view)
{
    // The dialog works on a copy of its own read from the files; the live settings change only after OK.
    AppSettings own;
    (void)own.Load(SettingsFilePath());
    CSetTileDlg dialog(own.tileSites, own.tileCacheFolder, AppSettings::TileSiteListPath(), &frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    AppSettings* live = frame.Document() ? frame.Document()->appSettings : nullptr;
    if (live) {
        (void)live->MergeTileSiteList();
        if (!live->Save(SettingsFilePath()))
            Warn(&frame, QStringLiteral("設定ファイルを保存できませんでした。\n\n") +
                             QDir::toNativeSeparators(SettingsFilePath()));
    }
    // Clearing restarts the view's tile requests on the new list; without it they restart here.
    bool restarted = false;
    if (AskYesNo(&frame, QStringLiteral("地理院タイルキャッシュをクリアしますか？"))) {
        restarted = view.ClearTileCache() != 0;
        if (restarted)
            ShowMessage(&frame, QString::fromUtf8(kCacheClearedText));
    }
    if (!restarted)
        (void)view.RestartTileRequests();
    view.RenderAndUpdate();
}

void EditMarkSettings(QWidget* parent, MarkSettingSet& live, const std::function<void()>& refresh,
                      const std::function<bool()>& save)
{
    CSetMarkTemplateDlg dialog(live, refresh, parent);
    if (dialog.exec() == QDialog::Accepted && save && !save())
        Warn(parent, QStringLiteral("写真位置マークの設定を保存できませんでした。"));
    if (refresh)
        refresh();
}

void ClearTileCacheCommand(CMainFrame& frame, CTavrelView& view)
{
    if (ShowMessage(&frame, QStringLiteral("地理院タイルキャッシュをクリアします。"), {}, PromptIcon::Warning,
                    PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;
    if (view.ClearTileCache() != 0)
        ShowMessage(&frame, QString::fromUtf8(kCacheClearedText));
    // The memory cache is empty now: the map is drawn again and its tiles fetched anew.
    view.RenderAndUpdate();
}

void InstallSettingsCommands(CMainFrame& frame)
{
    frame.SetCommandHandler(kCmdCommentTemplates, [&frame] { EditCommentTemplates(frame); });
}

void InstallTileCommands(CMainFrame& frame, CTavrelView& view)
{
    frame.SetCommandHandler(kCmdTileSettings, [&frame, &view] { EditTileSettings(frame, view); });
    frame.SetCommandHandler(kCmdClearTileCache, [&frame, &view] { ClearTileCacheCommand(frame, view); });
}

}  // namespace app
