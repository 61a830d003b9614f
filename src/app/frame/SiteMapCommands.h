#pragma once

class CMainFrame;

namespace app {

// The site location map: its dialog, opened and closed by the frame's messages (at most one, modeless;
// the menu bar is off while it shows), the view showing the first site map while it is visible, and the
// workbook 現場位置図.xlsx written into the project's dated Excel folder under the progress window.
void InstallSiteMapCommands(CMainFrame& frame);

// "現場位置図出力": checks, asks, writes the workbook with the frame busy, then opens the folder or tells why
// nothing was written. Returns 1 when the workbook was written.
int OutputSiteMaps(CMainFrame& frame);

}  // namespace app
