#include "app/frame/PhotoCommands.h"

#include <QApplication>
#include <QDir>

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/photos/PhotoImportRun.h"
#include "model/AppSettings.h"

namespace app {
namespace {

// The wait cursor for the length of a scope.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The frame's busy state for the length of a scope, undone on every way out.
struct BusyFrame
{
    explicit BusyFrame(CMainFrame& frame) : m_frame(frame) { m_frame.LockUI(true); }
    ~BusyFrame() { m_frame.LockUI(false); }
    BusyFrame(const BusyFrame&) = delete;
    BusyFrame& operator=(const BusyFrame&) = delete;

private:
    CMainFrame& m_frame;
};

}  // namespace

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
    if (outcome.saveResult != kProjectOk)
        Warn(&frame, ProjectErrorText(outcome.saveResult));
    ShowMessage(&frame, outcome.imported > 0
                            ? QStringLiteral("%1枚の写真を取り込みました。").arg(outcome.imported)
                            : QStringLiteral("取り込んだ写真はありません。"));
    frame.UpdatePhotoPaneTitle();
}

void InstallPhotoCommands(CMainFrame& frame)
{
    frame.SetCommandHandler(kCmdImportPhotos, [&frame] { ImportPhotos(frame); });
}

}  // namespace app
