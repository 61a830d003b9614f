#include "app/frame/SettingsCommands.h"

#include <QDir>
#include <QFileInfo>

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/settings/CommentTemplate.h"
#include "app/settings/CommentTemplateSettingDlg.h"
#include "app/settings/SetMarkTemplateDlg.h"
#include "app/settings/SetTileDlg.h"
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

bool ClearTileCache(const QString& folder)
{
    if (folder.isEmpty() || QDir::isRelativePath(folder))
        return false;
    QDir cache(folder);
    return !cache.exists() || cache.removeRecursively();
}

void EditCommentTemplates(CMainFrame& frame)
{
    CCommentTemplateSettingDlg dialog(CommentTemplatePath(), &frame);
    dialog.exec();
}

void EditTileSettings(CMainFrame& frame)
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
    if (AskYesNo(&frame, QStringLiteral("地理院タイルキャッシュをクリアしますか？"))) {
        const QString folder = live ? live->tileCacheFolder : own.tileCacheFolder;
        if (ClearTileCache(folder))
            ShowMessage(&frame, QString::fromUtf8(kCacheClearedText));
    }
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

void ClearTileCacheCommand(CMainFrame& frame)
{
    if (ShowMessage(&frame, QStringLiteral("地理院タイルキャッシュをクリアします。"), {}, PromptIcon::Warning,
                    PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;
    AppSettings* live = frame.Document() ? frame.Document()->appSettings : nullptr;
    const QString folder = live ? live->tileCacheFolder : AppSettings::Defaults().tileCacheFolder;
    if (ClearTileCache(folder))
        ShowMessage(&frame, QString::fromUtf8(kCacheClearedText));
}

void InstallSettingsCommands(CMainFrame& frame)
{
    frame.SetCommandHandler(kCmdCommentTemplates, [&frame] { EditCommentTemplates(frame); });
    frame.SetCommandHandler(kCmdTileSettings, [&frame] { EditTileSettings(frame); });
    frame.SetCommandHandler(kCmdClearTileCache, [&frame] { ClearTileCacheCommand(frame); });
}

}  // namespace app
