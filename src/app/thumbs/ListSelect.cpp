#include "app/thumbs/ListSelect.h"

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/thumbs/PhotoGridViewerDlg.h"
#include "model/ProjectResult.h"

namespace app {

ListSelectOutcome RunListSelect(CTavrelDoc& doc, int mapIndex, const std::vector<std::int32_t>& selectedIds,
                                QWidget* parent, const PhotoSetExport& exportPhotoSet,
                                const std::function<int(CPhotoGridViewerDlg&)>& run)
{
    ListSelectOutcome outcome;
    CPhotoGridViewerDlg dialog(doc, mapIndex, selectedIds, parent);
    if (exportPhotoSet)
        dialog.SetPhotoSetExport(
            [&dialog, &exportPhotoSet](const PhotoList& photos) { exportPhotoSet(photos, &dialog); });
    const int result = run ? run(dialog) : dialog.exec();
    if (result != QDialog::Accepted)
        return outcome;
    outcome.accepted = true;
    const std::vector<std::int32_t> marked = dialog.MarkedIds();
    if (!marked.empty()) {
        (void)doc.Change(ProjectChange::Photos, [&](Project& project) {
            for (std::int32_t id : marked)
                if (project.DeletePhoto(id))
                    ++outcome.deleted;
            return outcome.deleted > 0;
        });
    }
    const PhotoList& photos = doc.GetProject().photos;
    for (std::int32_t id : dialog.SelectedIds())
        if (photos.IndexOfId(id) >= 0)
            outcome.selectedIds.push_back(id);
    return outcome;
}

}  // namespace app
