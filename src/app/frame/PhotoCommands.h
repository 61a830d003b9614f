#pragma once

class CMainFrame;

namespace app {

// The most photo files one import takes.
inline constexpr int kMaxPhotosPerImport = 300;

// 撮影写真 → 写真取込み: asks for JPEG files, imports them as one change of the document under a progress
// window with the frame busy, and tells how many were imported. Nothing without a document or settings.
void ImportPhotos(CMainFrame& frame);

// Sets the photo commands' handlers on the frame.
void InstallPhotoCommands(CMainFrame& frame);

}  // namespace app
