#include "app/track/TrackCommands.h"

#include <QFileInfo>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/track/IchimillLoaderSettingDlg.h"
#include "model/AppSettings.h"
#include "model/IchimillCsv.h"
#include "model/ProjectResult.h"
#include "model/TrackPlacement.h"

namespace app {
namespace {

QString ReadFailureReason(IchimillReadStatus status)
{
    switch (status) {
        case IchimillReadStatus::CannotOpen:
            return QStringLiteral("ファイルを開けません。");
        case IchimillReadStatus::TooLarge:
            return QStringLiteral("ファイルが大きすぎます。");
        case IchimillReadStatus::NotText:
        case IchimillReadStatus::NotTrackFile:
            return QStringLiteral("ichimillの軌跡データ(CSV)ではありません。");
        case IchimillReadStatus::TooManyPoints:
            return QStringLiteral("軌跡の点が多すぎます。");
        case IchimillReadStatus::TooManyTracks:
            return QStringLiteral("軌跡の数が多すぎます。");
        case IchimillReadStatus::Read:
            break;
    }
    return {};
}

}  // namespace

TrackReadOutcome ReadTrackFileIntoProject(CTavrelDoc& doc, AppSettings& settings, const QString& path,
                                          QWidget* parent)
{
    TrackReadOutcome outcome;
    settings.lastTrackFolder = QFileInfo(path).absolutePath();

    std::vector<LocusTrack> tracks;
    const IchimillReadResult read = ReadIchimillCsv(path, settings.ichimillParams, tracks);
    outcome.trackCount = static_cast<int>(doc.GetProject().tracks.size());
    if (!read.Ok()) {
        ShowMessage(parent, kTrackReadFailedText + QStringLiteral("\n\n") + ReadFailureReason(read.status),
                    kProductName, PromptIcon::Warning);
        return outcome;
    }
    if (tracks.empty()) {
        ShowMessage(parent, kNoTrackReadText, kProductName, PromptIcon::Information);
        return outcome;
    }
    int first = -1;
    const ProjectChangeOutcome changed = doc.Change(ProjectChange::Tracks, [&](Project& project) {
        first = static_cast<int>(project.tracks.size());
        project.tracks.insert(project.tracks.end(), std::make_move_iterator(tracks.begin()),
                              std::make_move_iterator(tracks.end()));
        return true;
    });
    outcome.added = changed.changed;
    outcome.firstNewTrack = changed.changed ? first : -1;
    outcome.trackCount = static_cast<int>(doc.GetProject().tracks.size());
    return outcome;
}

bool PlacePhotosOnTrack(CTavrelDoc& doc, int trackIndex, const std::vector<int>& photoIndices,
                        QWidget* parent)
{
    if (trackIndex < 0 || trackIndex >= static_cast<int>(doc.GetProject().tracks.size())) {
        Warn(parent, kNoTrackSelectedText, kProductName);
        return false;
    }
    if (photoIndices.empty()) {
        Warn(parent, kNoPhotoSelectedText, kProductName);
        return false;
    }
    const ProjectChangeOutcome outcome = doc.Change(ProjectChange::Photos, [&](Project& project) {
        const LocusTrack& track = project.tracks[static_cast<size_t>(trackIndex)];
        return PlacePhotosOnTrack(project.photos, track, photoIndices).placed > 0;
    });
    return outcome.changed;
}

bool EditTrackReaderSettings(AppSettings& settings, const QString& settingsPath, QWidget* parent)
{
    CIchimillLoaderSettingDlg dialog(settings.ichimillParams, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!settings.Save(settingsPath))
        Warn(parent, QStringLiteral("設定ファイルの保存に失敗しました。"), kProductName);
    return true;
}

}  // namespace app
