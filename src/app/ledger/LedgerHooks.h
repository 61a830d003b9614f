#pragma once

#include <functional>

class LocationMap;
class QString;
class QWidget;
struct PhotoList;

namespace app {

class CReportLocPhotoDlg;

// What the photo ledger needs of the window around it. The frame fills these in; a hook left empty is
// skipped (the dialog then works on its own, as in the tests).
struct LedgerHooks
{
    // The view mode of the main view (3: a web location map on tiles).
    std::function<int()> viewMode;
    // The current row changed: its photo becomes the photo selection.
    std::function<void()> currentRowChanged;
    // "閉じる": the frame saves and deletes the dialog.
    std::function<void()> closeRequested;
    // The view draws again (after renumbering, the mouse-sort switch, closing in mouse-sort mode).
    std::function<void()> refreshView;
    // "位置図から写真を外す": the frame takes the selected photos off the current map (after OK).
    std::function<void()> removeSelectedFromMap;
    // " Excel出力": the ledger list workbook of the map; `caller` is disabled while it is written.
    std::function<void(int mapIndex, QWidget* caller)> exportList;
    // The photo's row of the photo pane shows its date, time or thumbnail again.
    std::function<void(int photoIndex)> refreshPhotoRow;
    // The photo pane's overlap strip empties; its number columns show the new numbers.
    std::function<void()> clearOverlapStrip;
    std::function<void()> updateNumberColumns;
    // "コメント分類": the comment category picker over the templates file the ledger has just read, shown
    // modally with the chosen category; answers the category chosen, or -1 when cancelled.
    std::function<int(QWidget* parent, const QString& templatePath, int current)> chooseCommentCategory;
    // "付番": makes the renumbering dialog for the ledger (modeless, a child of it). On every fill while
    // it is shown, the dialog stores its edits into the map it numbers and shows the numbering of the
    // ledger's map; answers the dialog that numbers that map from now on (a new one when the map changed,
    // the old one then going).
    std::function<QWidget*(CReportLocPhotoDlg& ledger, int mapIndex)> makeNumberingDialog;
    std::function<QWidget*(CReportLocPhotoDlg& ledger, QWidget* numbering, int mapIndex)> rebindNumberingDialog;
    // "実行" and the view's sort command: the map's entries ordered along the line drawn on it (within
    // the change the ledger runs); "設定": the contact width of that sort, for the map of that index.
    std::function<void(LocationMap& map, const PhotoList& photos)> sortAlongLine;
    std::function<void(QWidget* parent, int mapIndex)> editContactWidth;
};

}  // namespace app
