#pragma once

#include <functional>

class CTavrelDoc;
class QWidget;

namespace app {

// What the report run needs of the main view: its tile worker is stopped around every web-map picture.
struct ReportViewHooks
{
    std::function<void()> stopTileRequests;
    std::function<void()> restartTileRequests;
};

// Writes the location-map report of the document's project into its dated excel folder under the progress
// window, with the mark template in use, and tells the user how it ended: a failure or a cancel by a
// message, a complete run by opening the folder. Returns the report's result (0 done, 1 failed,
// 2 cancelled).
int OutputLocationMapReport(CTavrelDoc& document, QWidget* parent, const ReportViewHooks& view = {});

}  // namespace app
