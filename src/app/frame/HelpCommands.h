#pragma once

#include <QString>

class CMainFrame;
class QWidget;

namespace app {

// The manual shipped beside the program, made from its user guide by the build:
// <exe folder>/Manual/ケルヴォルVer2取扱い説明書.pdf.
QString ManualPath(const QString& exeFolder);

// Opens the manual with the desktop's program for PDF files; a missing manual, or one the desktop could
// not open, is told with its path.
void OpenManual(QWidget* parent, const QString& exeFolder);

// Sets the ヘルプ menu's handlers on the frame: the manual, and the support and information items, which
// open the manual as well.
void InstallHelpCommands(CMainFrame& frame);

}  // namespace app
