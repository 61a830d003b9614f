#include "app/frame/ReservoirCommands.h"

#include <QApplication>
#include <QDir>

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/FrameScopes.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommands.h"
#include "app/reservoir/OutputRsBookDlg.h"
#include "app/reservoir/ReservoirPhotoDlg.h"
#include "fe/AppFolders.h"
#include "model/AppSettings.h"

namespace app {

int CurrentMapIndex(CTavrelDoc& document)
{
    const auto& maps = document.GetProject().maps.maps;
    for (size_t k = 0; k < maps.size(); ++k) {
        if (maps[k].IsCurrent())
            return static_cast<int>(k);
    }
    return -1;
}

int RunReservoirSurvey(CTavrelDoc& document, QWidget* parent, const QString& settingsPath,
                       const std::function<void()>& outputBook)
{
    CReservoirPhotoDlg dialog(document, CurrentMapIndex(document), parent);
    dialog.SetOutputHandler(outputBook);
    if (dialog.exec() != QDialog::Accepted)
        return 1;
    // Every edit was saved, and a failed save told, as it was made: only the settings are left.
    if (document.appSettings && !settingsPath.isEmpty())
        (void)document.appSettings->Save(settingsPath);
    return 1;
}

void OutputSurveyBooks(CTavrelDoc& document, CMainFrame& frame, QWidget* parent)
{
    if (document.GetProject().maps.Count() == 0) {
        ShowMessage(parent, QStringLiteral("出力対象がありません。"), QStringLiteral("ケルヴォル"), PromptIcon::Warning);
        return;
    }
    BusyFrame busy(frame);
    // The modeless dialogs step aside (the ledger writing what was typed in it) before the output runs.
    CallIfSet(MapHooks(frame).hideModelessDialogs);
    // The dialog stores its ticks as a change of the document, which saves them.
    COutputRsBookDlg dialog(document, parent);
    (void)dialog.exec();
}

void InstallReservoirCommands(CMainFrame& frame)
{
    // The survey dialog's output button, sent while the survey runs as the document's command; the
    // output dialog opens over the survey dialog.
    frame.SetMessageHandler(kMsgOutputReservoirBook, [&frame](qintptr, qintptr) -> qintptr {
        CTavrelDoc* document = frame.Document();
        if (!document || !document->GetProject().HasPath())
            return 0;
        QWidget* parent = QApplication::activeModalWidget();
        OutputSurveyBooks(*document, frame, parent ? parent : &frame);
        return 1;
    });

    // The flow pane's "ため池劣化状況評価調査表", for a project with a folder and a name.
    frame.SetMessageHandler(kMsgReservoirSurvey, [&frame](qintptr, qintptr) -> qintptr {
        CTavrelDoc* document = frame.Document();
        if (!document || frame.IsBusy() || !document->GetProject().HasPath())
            return 0;
        qintptr result = 0;
        const QString settingsPath = QDir(fe::GetWritableFolder()).filePath(QStringLiteral("setting.bin"));
        const auto outputBook = [&frame] { (void)frame.SendAppMessage(kMsgOutputReservoirBook); };
        if (!document->RunCommand(
                [&] { result = RunReservoirSurvey(*document, &frame, settingsPath, outputBook); }))
            return 0;
        frame.UpdateCommandStates();
        return result;
    });
}

}  // namespace app
