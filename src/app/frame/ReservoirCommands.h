#pragma once

#include <QString>
#include <functional>

class CMainFrame;
class CTavrelDoc;
class QWidget;

namespace app {

// The index of the map the location-map pane made current (the one with the current flag), -1 for none.
int CurrentMapIndex(CTavrelDoc& document);

// The survey message of the flow pane: runs the survey dialog on the current map (the first map when there is none);
// its output button runs `outputBook` (disabled without one). When it is closed the project is saved
// again, a failed save shown with its reason, and setting.bin written to `settingsPath` (nothing when
// empty). Returns 1.
int RunReservoirSurvey(CTavrelDoc& document, QWidget* parent, const QString& settingsPath,
                       const std::function<void()>& outputBook = {});

// Sets the frame's handler of the survey message.
void InstallReservoirCommands(CMainFrame& frame);

}  // namespace app
