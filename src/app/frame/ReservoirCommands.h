#pragma once

#include <QString>
#include <functional>

class CMainFrame;
class CTavrelDoc;
class QWidget;

namespace app {

// The index of the map the location-map pane made current (the one with the current flag), -1 for none.
int CurrentMapIndex(CTavrelDoc& document);

// The survey message of the flow pane: runs the survey dialog on the current map (the first map when there is
// none); its output button runs `outputBook` (disabled without one). Its edits are changes of the document,
// saved (and a failed save told) as they are made; when it is closed setting.bin is written to
// `settingsPath` (nothing when empty). Returns 1.
int RunReservoirSurvey(CTavrelDoc& document, QWidget* parent, const QString& settingsPath,
                       const std::function<void()>& outputBook = {});

// The survey dialog's output button: with no location map says "出力対象がありません。"; otherwise runs the
// survey output dialog over `parent` with the frame busy and its modeless dialogs hidden; the ticks it
// stores are a change of the document.
void OutputSurveyBooks(CTavrelDoc& document, CMainFrame& frame, QWidget* parent);

// Sets the frame's handlers of the survey message and of the survey dialog's output message.
void InstallReservoirCommands(CMainFrame& frame);

}  // namespace app
