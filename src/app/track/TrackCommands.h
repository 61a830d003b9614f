#pragma once

#include <QString>
#include <vector>

class AppSettings;
class CTavrelDoc;
class QWidget;

namespace app {

// The messages of the track commands.
inline const QString kTrackReadFailedText = QStringLiteral("ファイルの読み込みに失敗しました。");
inline const QString kNoTrackReadText = QStringLiteral("読み込める軌跡データがありませんでした。");
inline const QString kNoTrackSelectedText = QStringLiteral("軌跡が選択されていません。");
inline const QString kNoPhotoSelectedText = QStringLiteral("対象とする写真が選択されていません。");

// What reading a track file did.
struct TrackReadOutcome
{
    bool added = false;  // tracks were appended to the project and the project saved
    int firstNewTrack = -1;
    int trackCount = 0;  // tracks of the project afterwards
};

// Reads an ichimill track file into the project with the settings' reader values. The file's folder
// becomes the settings' last track folder first. A file that cannot be read, or is no track file, gives
// "ファイルの読み込みに失敗しました。" with the reason; a file from which no track could be taken gives
// "読み込める軌跡データがありませんでした。"; in both cases the project stays as it was and is not
// saved. Otherwise the tracks are appended through the document (saved and announced as Tracks).
TrackReadOutcome ReadTrackFileIntoProject(CTavrelDoc& doc, AppSettings& settings, const QString& path,
                                          QWidget* parent);

// The frame's "軌跡上に配置": gives the photos at `photoIndices` the position of track `trackIndex` at
// their shot time, through the document (saved and announced as Photos). Without a track or without a
// photo it says so and does nothing; photos outside the track's time span or without a usable shot
// time keep their position. True when the project was changed.
bool PlacePhotosOnTrack(CTavrelDoc& doc, int trackIndex, const std::vector<int>& photoIndices,
                        QWidget* parent);

}  // namespace app

namespace app {

// "読込設定": runs the reader settings dialog on the settings' reader values and, after OK, saves the
// settings file at `settingsPath`. True when the user chose OK.
bool EditTrackReaderSettings(AppSettings& settings, const QString& settingsPath, QWidget* parent);

}  // namespace app
