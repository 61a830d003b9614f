#include "app/frame/PhotoCommands.h"

#include <QDir>
#include <algorithm>

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameScopes.h"
#include "app/frame/MainFrame.h"
#include "app/frame/PhotoExifWrite.h"
#include "app/photos/PhotoImportRun.h"
#include "app/progress/SubProgressDlg.h"
#include "fe/PumpMessages.h"
#include "fe/img/ExifInfo.h"
#include "model/AppSettings.h"

namespace app {
namespace {

// The photo pane's selected rows (photo index + 1), ascending, each once.
std::vector<int> SelectedRows(CMainFrame& frame)
{
    std::vector<int> rows;
    if (frame.PaneLinks().selectedPhotoRows)
        rows = frame.PaneLinks().selectedPhotoRows();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// The photo of a selected row, or null for a row outside the list.
PhotoRecord* PhotoOfRow(Project& project, int row)
{
    std::vector<PhotoRecord>& photos = project.photos.photos;
    return row >= 1 && row <= int(photos.size()) ? &photos[size_t(row - 1)] : nullptr;
}

// One change of the photos: `edit` runs on the photo of each selected row (rows outside the list are
// skipped) and returns whether it changed that photo.
ProjectChangeOutcome ChangeSelectedPhotos(CTavrelDoc& document, const std::vector<int>& rows,
                                          const std::function<bool(PhotoRecord&)>& edit)
{
    return document.Change(ProjectChange::Photos, [&](Project& project) {
        bool changed = false;
        for (int row : rows)
            if (PhotoRecord* photo = PhotoOfRow(project, row))
                changed = edit(*photo) || changed;
        return changed;
    });
}

// What the ledger and the property dialog show follows the changed photos.
void AfterPhotoFieldsChanged(CMainFrame& frame)
{
    const FramePaneLinks& links = frame.PaneLinks();
    CallIfSet(links.refillLedger);
    CallIfSet(links.reloadPropertyDialog);
    CallIfSet(links.syncLedgerRow);
    frame.RefreshView();
}

}  // namespace

void DeletePhotos(CMainFrame& frame)
{
    CTavrelDoc* document = frame.Document();
    const std::vector<int> rows = SelectedRows(frame);
    if (!document || rows.empty())
        return;
    if (ShowMessage(&frame, QStringLiteral("選択している写真%1枚を削除します。").arg(rows.size()),
                    QStringLiteral("ケルヴォル"), PromptIcon::Question,
                    PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;
    std::vector<int> deletedIds;
    (void)document->Change(ProjectChange::Photos | ProjectChange::Selection,
                           [&rows, &deletedIds](Project& project) {
                               // From the last row up, so that the rows not yet done still name their photos.
                               bool deleted = false;
                               for (auto row = rows.rbegin(); row != rows.rend(); ++row)
                                   if (const PhotoRecord* photo = PhotoOfRow(project, *row)) {
                                       const std::int32_t id = photo->id;
                                       if (project.DeletePhoto(id)) {
                                           deletedIds.push_back(id);
                                           deleted = true;
                                       }
                                   }
                               for (PhotoRecord& photo : project.photos.photos)
                                   photo.flags &= ~PhotoRecord::kFlagSelected;
                               return deleted;
                           });
    const FramePaneLinks& links = frame.PaneLinks();
    CallIfSet(links.fillPhotoList);
    if (links.selectPhotoRows)
        links.selectPhotoRows({});
    // The overlap strip keeps the photos that are left.
    if (links.removeFromOverlap)
        links.removeFromOverlap(deletedIds);
    else
        CallIfSet(links.clearOverlapStrip);
    frame.UpdatePhotoPaneTitle();
    CallIfSet(links.refillLedger);
    CallIfSet(links.syncLedgerRow);
    CallIfSet(links.syncPropertyDialog);
    frame.RefreshView();
}

void PlacePhotosOnWebMap(CMainFrame& frame)
{
    CTavrelDoc* document = frame.Document();
    const FramePaneLinks& links = frame.PaneLinks();
    if (!document || !links.mapCentre || frame.CurrentState().viewMode != 0)
        return;
    const fe::geo::GeoPoint centre = links.mapCentre();
    std::vector<int> rows;
    if (links.selectedPhotoRows)
        rows = links.selectedPhotoRows();
    int alreadyPlaced = 0;
    (void)ChangeSelectedPhotos(*document, rows, [&](PhotoRecord& photo) {
        if (photo.position.HasPosition()) {
            ++alreadyPlaced;
            return false;
        }
        photo.position = fe::geo::GeoPoint(centre.longitude, centre.latitude);
        return true;
    });
    if (rows.size() > 1 && alreadyPlaced > 0)
        ShowMessage(&frame, QStringLiteral("%1件既に配置済みの写真です。").arg(alreadyPlaced));
    else if (rows.size() == 1 && alreadyPlaced == 1)
        ShowMessage(&frame, QStringLiteral("既に配置されている写真です。"));
    AfterPhotoFieldsChanged(frame);
}

void ClearPhotoLatLong(CMainFrame& frame)
{
    CTavrelDoc* document = frame.Document();
    const std::vector<int> rows = SelectedRows(frame);
    if (!document || rows.empty())
        return;
    (void)ChangeSelectedPhotos(*document, rows, [](PhotoRecord& photo) {
        // A photo with neither value is left alone; one with either loses both.
        if (IsUnset(photo.position.latitude) && IsUnset(photo.position.longitude))
            return false;
        photo.position = fe::geo::GeoPoint(kUnset, kUnset);
        return true;
    });
    AfterPhotoFieldsChanged(frame);
}

void ClearPhotoDirection(CMainFrame& frame)
{
    CTavrelDoc* document = frame.Document();
    const std::vector<int> rows = SelectedRows(frame);
    if (!document || rows.empty())
        return;
    (void)ChangeSelectedPhotos(*document, rows, [](PhotoRecord& photo) {
        if (IsUnset(photo.direction))
            return false;
        photo.direction = kUnset;
        return true;
    });
    CallIfSet(frame.PaneLinks().refillLedger);
    frame.RefreshView();
}

void WriteExifOfAllPhotos(CMainFrame& frame)
{
    CTavrelDoc* document = frame.Document();
    if (!document || !document->GetProject().HasPath())
        return;
    const Project& project = document->GetProject();
    const QString folderName = QLatin1Char('/') + QDir(project.DataFolder()).dirName();
    if (!AskYesNo(&frame,
                  QStringLiteral("全ての撮影写真ファイルへ緯度経度/撮影角度/撮影日時/画像の回転を書き込みますか？"
                                 "\n\n「") +
                      folderName + QStringLiteral("/photo/」") +
                      QStringLiteral("フォルダ内のjpgファイルへの書き込みを行います。\n"
                                     "ケルヴォルで使用している写真のため移動しないでください。"),
                  QStringLiteral("ケルヴォル")))
        return;
    CallIfSet(frame.PaneLinks().commitPropertyDialog);
    // The photos as they are now: the loop lets events through, and nothing may change them under it.
    const std::vector<PhotoRecord> photos = document->GetProject().photos.photos;
    const QString photoFolder = document->GetProject().PhotoFolder();
    ExifBatchResult result;
    result.photos = int(photos.size());
    {
        CSubProgressDlg progress(&frame);
        progress.setWindowTitle(QStringLiteral("Exif上書き中"));
        progress.SetSteps(result.photos);
        for (const PhotoRecord& photo : photos) {
            if (progress.Cancelled()) {
                result.cancelled = true;
                break;
            }
            if (ExifOfPhoto(photo).WriteFile(photoFolder + photo.FileName()))
                ++result.written;
            else
                ++result.failed;
            PumpMessages();
            progress.Advance();
        }
    }
    ShowMessage(&frame, ExifBatchMessage(result), QStringLiteral("ケルヴォル"),
                result.failed > 0 ? PromptIcon::Warning : PromptIcon::None);
}

void ImportPhotos(CMainFrame& frame)
{
    CTavrelDoc* document = frame.Document();
    if (!document || !document->appSettings)
        return;
    AppSettings& settings = *document->appSettings;
    BusyFrame busy(frame);
    const QStringList files = Prompts().OpenFileNames(
        &frame, QStringLiteral("撮影写真取込み"), settings.lastPhotoFolder,
        QtFileFilter(QStringLiteral("JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|全てのファイル (*.*)|*.*||")));
    if (files.isEmpty())
        return;
    if (files.size() > kMaxPhotosPerImport) {
        ShowMessage(&frame, QStringLiteral(
                                "一度に取り込める写真の枚数(%1枚)を超えています。\n%1枚以上取り込む場合は、"
                                "複数回に分けて取り込んでください。")
                                .arg(kMaxPhotosPerImport));
        return;
    }
    PhotoImportOutcome outcome;
    {
        WaitCursor wait;
        outcome = ImportPhotoFiles(*document, files, settings, &frame);
    }
    if (outcome.refused)
        return;
    // The overview moves to the photos just imported (the last ones of the list); an import that brought
    // none leaves it where it was.
    const FramePaneLinks& links = frame.PaneLinks();
    if (outcome.imported > 0 && frame.CurrentState().viewMode == 0 && links.fitViewToPhotos)
        links.fitViewToPhotos(int(document->GetProject().photos.photos.size()) - outcome.imported);
    ShowMessage(&frame, PhotoImportMessage(outcome));
    frame.UpdatePhotoPaneTitle();
}

void InstallPhotoCommands(CMainFrame& frame)
{
    frame.SetCommandHandler(kCmdImportPhotos, [&frame] { ImportPhotos(frame); });
    frame.SetCommandHandler(kCmdDeletePhotos, [&frame] { DeletePhotos(frame); });
    frame.SetCommandHandler(kCmdPlaceOnWebMap, [&frame] { PlacePhotosOnWebMap(frame); });
    frame.SetCommandHandler(kCmdClearLatLong, [&frame] { ClearPhotoLatLong(frame); });
    frame.SetCommandHandler(kCmdClearDirection, [&frame] { ClearPhotoDirection(frame); });
    frame.SetCommandHandler(kCmdWriteExif, [&frame] { WriteExifOfAllPhotos(frame); });
}

}  // namespace app
