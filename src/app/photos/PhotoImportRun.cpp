#include "app/photos/PhotoImportRun.h"

#include <algorithm>

#include "app/doc/TavrelDoc.h"
#include "app/progress/SubProgressDlg.h"
#include "fe/PathUtil.h"
#include "fe/PumpMessages.h"
#include "model/AppSettings.h"
#include "model/PhotoImportBatch.h"
#include "model/Project.h"

namespace {

QString RefusalText(PhotoRefusal why)
{
    switch (why) {
        case PhotoRefusal::Missing:
            return QStringLiteral("ファイルがありません");
        case PhotoRefusal::NotJpeg:
            return QStringLiteral("JPEGファイルではありません");
        case PhotoRefusal::OutsideDates:
            return QStringLiteral("撮影日が取込条件の期間外です");
        case PhotoRefusal::Unreadable:
            return QStringLiteral("ファイルを読み込めません");
        case PhotoRefusal::Damaged:
            return QStringLiteral("写真が途中で切れているか壊れています");
        case PhotoRefusal::AlreadyInProject:
            return QStringLiteral("すでにプロジェクトに取り込まれています");
        case PhotoRefusal::NotStored:
            return QStringLiteral("プロジェクトに保存できませんでした");
        case PhotoRefusal::None:
            break;
    }
    return QStringLiteral("取り込めませんでした");
}

}  // namespace

QString PhotoImportMessage(const PhotoImportOutcome& outcome)
{
    QString text = outcome.imported > 0 ? QStringLiteral("%1枚の写真を取り込みました。").arg(outcome.imported)
                                        : QStringLiteral("取り込んだ写真はありません。");
    if (outcome.notTaken.empty())
        return text;
    text += QStringLiteral("\n\n取り込まなかったファイル（%1件）:").arg(outcome.notTaken.size());
    const size_t listed = std::min(outcome.notTaken.size(), size_t(kMaxListedRefusals));
    for (size_t k = 0; k < listed; ++k) {
        const auto& [file, why] = outcome.notTaken[k];
        text += QStringLiteral("\n・%1（%2）").arg(fe::PathParts(file).FileName(), RefusalText(why));
    }
    if (listed < outcome.notTaken.size())
        text += QStringLiteral("\nほか%1件").arg(outcome.notTaken.size() - listed);
    return text;
}

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
            else if (!file.isEmpty())
                outcome.notTaken.emplace_back(file, batch.LastRefusal());
            // Every file tried is one step, so the bar ends full even when some photos were refused.
            progress.Advance();
            PumpMessages();
        }
        // The photos' files are made durable before the document saves the project that names them.
        outcome.imported -= batch.Finish();
        return true;
    });
    outcome.refused = change.refused;
    outcome.saveResult = change.saved;
    return outcome;
}
