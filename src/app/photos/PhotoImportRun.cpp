#include "app/photos/PhotoImportRun.h"

#include "app/doc/TavrelDoc.h"
#include "app/progress/SubProgressDlg.h"
#include "fe/PathUtil.h"
#include "fe/PumpMessages.h"
#include "model/AppSettings.h"
#include "model/PhotoImportBatch.h"
#include "model/Project.h"

PhotoImportOutcome ImportPhotoFiles(CTavrelDoc& document, const QStringList& files, AppSettings& settings,
                                    QWidget* parent)
{
    PhotoImportOutcome outcome;
    const ProjectChangeOutcome change = document.Change(ProjectChange::Photos, [&](Project& project) {
        CSubProgressDlg progress(parent);
        progress.SetSteps(static_cast<int>(files.size()));
        progress.setWindowTitle(QStringLiteral("撮影写真取込み中"));
        // Workers read, reduce and stage the next photos while this thread stores them in file order;
        // leaving the loop (on Cancel) stops them and removes what they staged.
        PhotoImportBatch batch(project, files);
        while (!batch.AtEnd()) {
            if (progress.Cancelled()) {
                outcome.cancelled = true;
                break;
            }
            const QString file = batch.NextFile();
            if (!file.isEmpty() && outcome.imported == 0)
                settings.lastPhotoFolder = fe::GetPathFolder(file);
            if (batch.ImportNext())
                ++outcome.imported;
            // Every file tried is one step, so the bar ends full even when some photos were refused.
            progress.Advance();
            PumpMessages();
        }
        return true;
    });
    outcome.refused = change.refused;
    outcome.saveResult = change.saved;
    return outcome;
}
