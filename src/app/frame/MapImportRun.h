#pragma once

#include <QString>
#include <chrono>

class CMainFrame;

namespace app {

// How a run of the background-map import tool ended.
enum class ImportToolEnd
{
    Finished,    // the tool ended by itself, whatever it made
    NotStarted,  // the tool could not be started
    Cancelled,   // the user clicked キャンセル; the tool was ended
    TimedOut,    // the tool took longer than the time limit and was ended
};

// The time the import tool may run before the program ends it: ten minutes unless a test set another
// (zero restores the ten minutes).
std::chrono::milliseconds BackgroundImportTimeLimit();
void SetBackgroundImportTimeLimit(std::chrono::milliseconds limit);

// What the user is told when the tool was ended after `limit`.
QString ImportTimedOutText(std::chrono::milliseconds limit);

// Runs the import tool (BackgroundImportToolPath) on `path`, in the executable's folder, with the temp
// folder handed over through KELVOR_WRITABLE_FOLDER. While it runs, a progress window over the frame
// lets events through, so that the program repaints and its キャンセル arrives; the caller keeps the
// frame busy meanwhile. On キャンセル or after the time limit the tool is ended with everything it
// started (it runs in a process group of its own, and dies with the program). Returns once the tool has
// ended.
ImportToolEnd RunBackgroundImportTool(CMainFrame& frame, const QString& path);

}  // namespace app
