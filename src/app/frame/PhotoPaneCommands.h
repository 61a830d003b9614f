#pragma once

class CMainFrame;

namespace app {

// 写真取込設定...: the import conditions dialog on the project's settings; after OK the project takes its
// settings as one change of the document (saved, a failed save told), after キャンセル nothing changes.
void EditPhotoImportConditions(CMainFrame& frame);

// Sets the handlers of the photo pane's own commands on the frame, and the messages and links of the photo
// properties dialog: opened on a photo (after the ledger closed), hidden for a negative index, deleted when
// its close box is pressed (its place kept for the next opening), following the photo selection while
// shown, hidden before modal commands and closed with the other modeless dialogs.
void InstallPhotoPaneCommands(CMainFrame& frame);

}  // namespace app
