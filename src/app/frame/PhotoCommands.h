#pragma once

class CMainFrame;

namespace app {

// The most photo files one import takes.
inline constexpr int kMaxPhotosPerImport = 300;

// 撮影写真 → 写真取込み: asks for JPEG files, imports them as one change of the document under a progress
// window with the frame busy, and tells how many were imported. Nothing without a document or settings.
void ImportPhotos(CMainFrame& frame);

// The commands on the photo pane's selected rows: delete them (after OK), give the ones without a
// position the map's centre, clear their positions, clear their directions. Each is one change of the
// document; a failed save is told.
void DeletePhotos(CMainFrame& frame);
void PlacePhotosOnWebMap(CMainFrame& frame);
void ClearPhotoLatLong(CMainFrame& frame);
void ClearPhotoDirection(CMainFrame& frame);
// 撮影写真 → Exif一括書き込み: after a question, writes every photo's position, direction, date-time
// and rotation into the EXIF of its copy in the project, under a progress window; tells how many
// could not be written. The project file does not change.
void WriteExifOfAllPhotos(CMainFrame& frame);

// Sets the photo commands' handlers on the frame.
void InstallPhotoCommands(CMainFrame& frame);

}  // namespace app
