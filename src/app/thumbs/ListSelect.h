#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class CTavrelDoc;
struct PhotoList;
class QWidget;

namespace app {

class CPhotoGridViewerDlg;

// What 一覧選択 did.
struct ListSelectOutcome
{
    bool accepted = false;
    int deleted = 0;                        // photos deleted from the project
    std::vector<std::int32_t> selectedIds;  // the photo pane's new selection, in the wall's order
};

// 一覧選択 of the photo pane: runs the thumbnail wall on the project with the pane's selection ticked.
// After OK the photos marked 削除 are deleted from the project as one change of the document (taken off
// every map, their files deleted, the project saved), and the ticked photos that are still in the
// project are handed back as the new selection. After Cancel nothing changes. `exportPhotoSet` writes the
// photo set workbook of the list the wall's " Excel出力" hands it, with the wall as the caller to disable
// meanwhile (the button is off without it). `run` shows the dialog (modally unless a test runs it
// otherwise) and returns its result.
using PhotoSetExport = std::function<void(const PhotoList&, QWidget* caller)>;
ListSelectOutcome RunListSelect(CTavrelDoc& doc, int mapIndex, const std::vector<std::int32_t>& selectedIds,
                                QWidget* parent, const PhotoSetExport& exportPhotoSet = {},
                                const std::function<int(CPhotoGridViewerDlg&)>& run = {});

}  // namespace app
