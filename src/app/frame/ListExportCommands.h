#pragma once

#include <QString>
#include <vector>

#include "model/PhotoRecord.h"

class CMainFrame;
class QWidget;

namespace app {

// Where a list workbook goes for the path chosen in the save dialog: the chosen folder and name without
// its last extension; the workbook is written, and then opened, as WrittenPath().
struct ListExportTarget
{
    QString folder;
    QString name;

    QString WrittenPath() const;
};
ListExportTarget ListExportTargetOf(const QString& chosenPath);

// The names the save dialog proposes.
QString PhotoListDefaultName();
QString LedgerListDefaultName(const QString& mapName);
QString PhotoSetDefaultName();

// The Excel list exports. Each asks for a file name, writes its workbook under the progress window and
// opens the file written, or shows why it could not. An export runs as one command of the document, so
// that nothing can change or switch the project or close the frame meanwhile, and a second export is
// refused; the calling pane or dialog (`caller`) is disabled for its length, the rest of the frame stays
// as it is. Nothing of the project changes and nothing is saved. Call them outside a document command.

// Every photo of the project, numbered on the current map (its index, -1 in the site overview) in the
// view mode the frame shows. The caller defaults to the photo pane.
void ExportPhotoListExcel(CMainFrame& frame, int currentMap, QWidget* caller = nullptr);
// The photos placed on the map of that index, in its entry order; nothing without a document.
void ExportLedgerListExcel(CMainFrame& frame, int mapIndex, QWidget* caller = nullptr);
// The given photos as cards (the caller passes its own copy, without photos marked for deletion).
void ExportPhotoSetExcel(CMainFrame& frame, const std::vector<PhotoRecord>& photos, QWidget* caller = nullptr);

}  // namespace app
