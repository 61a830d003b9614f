// The background-map import: the import tool (bgx) turns a drawing or picture into temp/<name>.png, with
// a registration <name>.mhc and the drawing's <name>CAD.mhc when it can, and the picture becomes a map.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/FrameScopes.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommandSupport.h"
#include "app/frame/MapCommands.h"
#include "app/frame/MapImportRun.h"
#include "fe/AppFolders.h"
#include "fe/PathUtil.h"
#include "model/AppSettings.h"
#include "model/MapImportFiles.h"

namespace app {
namespace {

using namespace mapcmd;

QString& ToolOverride()
{
    static QString program;
    return program;
}

// Empties the temp folder, stopping at the first entry that cannot be deleted.
void EmptyTempFolder()
{
    const QString temp = fe::GetTempFolderPath();
    QDir folder(temp);
    if (temp.isEmpty() || !folder.exists())
        return;
    for (const QFileInfo& entry :
         folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const bool deleted = entry.isDir() && !entry.isSymLink() ? fe::DeleteFolderTree(entry.filePath()) != 0
                                                                 : QFile::remove(entry.filePath());
        if (!deleted)
            return;
    }
}

}  // namespace

QString BackgroundImportToolPath()
{
    if (!ToolOverride().isEmpty())
        return ToolOverride();
    return fe::GetExeFolder() + QStringLiteral("bgx");
}

void SetBackgroundImportToolPath(const QString& program)
{
    ToolOverride() = program;
}

void ImportBackgroundMap(CMainFrame& frame)
{
    CTavrelDoc* doc = frame.Document();
    if (!doc || !doc->appSettings)
        return;
    AppSettings& settings = *doc->appSettings;
    CallIfSet(MapHooks(frame).hideModelessDialogs);
    const QString path = Prompts().OpenFileName(
        &frame, QStringLiteral("位置図取込み"), settings.lastMapFolder,
        QtFileFilter(QStringLiteral(
            "全てのCADファイル (*.dxf;*.dwg;*.sfc)|*.dxf;*.dwg;*.sfc|"
            "全てのイメージファイル (*.png;*.jpg;*.jpeg;*.tif;*.tiff;*.bmp)|*.png;*.jpg;*.jpeg;*.tif;*.tiff;*.bmp|"
            "DXFファイル (*.dxf)|*.dxf|DWGファイル (*.dwg)|*.dwg|SXFファイル (*.sfc)|*.sfc|PNG (*.png)|*.png|"
            "JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|TIFF (*.tif;*.tiff)|*.tif;*.tiff|ビットマップ (*.bmp)|*.bmp||")));
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        ShowMessage(&frame, kFileNotFoundText, QStringLiteral("ケルヴォル"), PromptIcon::Warning);
        return;
    }
    settings.lastMapFolder = QFileInfo(path).absolutePath() + u'/';
    (void)RunBackgroundMapImport(frame, path);
    const QString temp = fe::GetTempFolderPath();
    if (!temp.isEmpty() && QFileInfo(temp).isDir())
        fe::DeleteFolderTree(temp);
}

bool RunBackgroundMapImport(CMainFrame& frame, const QString& path)
{
    CTavrelDoc* doc = frame.Document();
    if (!doc || !doc->appSettings)
        return false;
    AppSettings& settings = *doc->appSettings;
    std::int32_t zone = settings.planeZone;
    EmptyTempFolder();
    const fe::PathParts parts(path);
    if (settings.tileCacheFolder.isEmpty() || !QFileInfo(settings.tileCacheFolder).isDir()) {
        ShowMessage(&frame, kNoTileCacheFolderText);
        return false;
    }
    (void)doc->GetProject().WritePhotoBounds();
    (void)WriteBgxStartupSetting(settings.tileCacheFolder);

    ImportToolEnd end;
    {
        BusyFrame busy(frame);
        // However the tool ended, the tile worker comes back.
        const mapcmd::TileWorkerRest resting(frame);
        end = RunBackgroundImportTool(frame, path);
    }
    switch (end) {
        case ImportToolEnd::Finished:
            break;
        case ImportToolEnd::NotStarted:
            Warn(&frame, kImportToolNotStartedText);
            return false;
        case ImportToolEnd::Cancelled:
            return false;
        case ImportToolEnd::TimedOut:
            Warn(&frame, ImportTimedOutText(BackgroundImportTimeLimit()));
            return false;
    }

    const QString picture = fe::GetTempFolderPath() + parts.name + QStringLiteral(".png");
    if (!QFileInfo(picture).isFile()) {
        // The tool made nothing: it may have said why; without a word the user cancelled in it.
        const QString reason = ReadBgxMessage();
        if (!reason.isEmpty())
            Warn(&frame, reason);
        return false;
    }
    bool added = false;
    {
        WaitCursor wait;
        (void)doc->Change(ProjectChange::Maps, [&](Project& project) {
            added = project.AddImportedMap(picture, zone);
            return added;
        });
    }
    QString registration;
    if (FindRegistrationFile(picture, registration, false))
        QFile::remove(registration);
    if (!added)
        return false;
    settings.planeZone = zone;
    (void)settings.Save(AppSettings::FilePath());
    ShowMap(frame, doc->GetProject().maps.Count() - 1);
    (void)frame.SendAppMessage(kMsgCurrentMapChanged);
    Refresh(frame);
    return true;
}

}  // namespace app
