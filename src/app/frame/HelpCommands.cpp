#include "app/frame/HelpCommands.h"

#include <QDir>
#include <QFileInfo>

#include "app/AppTitle.h"
#include "app/FolderOpener.h"
#include "app/Prompts.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "fe/AppFolders.h"

namespace app {

QString ManualPath(const QString& exeFolder)
{
    return QDir(exeFolder).filePath(QStringLiteral("Manual/ケルヴォルVer2取扱い説明書.pdf"));
}

void OpenManual(QWidget* parent, const QString& exeFolder)
{
    const QString path = ManualPath(exeFolder);
    if (!QFileInfo(path).isFile()) {
        ShowMessage(parent,
                    QStringLiteral("取扱い説明書が見つかりません。\n\n") + QDir::toNativeSeparators(path),
                    kProductName, PromptIcon::Warning);
        return;
    }
    if (!OpenFileInDesktop(path))
        ShowMessage(parent,
                    QStringLiteral("取扱い説明書を開けませんでした。\n\n") + QDir::toNativeSeparators(path),
                    kProductName, PromptIcon::Warning);
}

void InstallHelpCommands(CMainFrame& frame)
{
    frame.SetCommandHandler(kCmdManual, [&frame] { OpenManual(&frame, fe::GetExeFolder()); });
    // The program has no web pages of its own: support and information are its user guide, the manual.
    frame.SetCommandHandler(kCmdSupportPage, [&frame] { OpenManual(&frame, fe::GetExeFolder()); });
    frame.SetCommandHandler(kCmdInformationService, [&frame] { OpenManual(&frame, fe::GetExeFolder()); });
}

}  // namespace app
