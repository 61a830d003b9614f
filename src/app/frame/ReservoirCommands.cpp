#include "app/frame/ReservoirCommands.h"

#include <QDir>

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
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
    // Every edit was saved as it was made; a save that failed on the way is told here, once.
    const ProjectResult saved = document.GetProject().Save();
    if (saved != kProjectOk)
        Warn(parent, ProjectErrorText(saved));
    if (document.appSettings && !settingsPath.isEmpty())
        (void)document.appSettings->Save(settingsPath);
    return 1;
}

void InstallReservoirCommands(CMainFrame& frame)
{
    // The flow pane's "ため池劣化状況評価調査表", for a project with a folder and a name.
    frame.SetMessageHandler(kMsgReservoirSurvey, [&frame](qintptr, qintptr) -> qintptr {
        CTavrelDoc* document = frame.Document();
        if (!document || frame.IsBusy() || !document->GetProject().HasPath())
            return 0;
        qintptr result = 0;
        const QString settingsPath = QDir(fe::GetWritableFolder()).filePath(QStringLiteral("setting.bin"));
        if (!document->RunCommand([&] { result = RunReservoirSurvey(*document, &frame, settingsPath); }))
            return 0;
        frame.UpdateCommandStates();
        return result;
    });
}

}  // namespace app
