#include "app/FolderOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace app {

namespace {

std::function<void(const QString&)>& Opener()
{
    static std::function<void(const QString&)> opener;
    return opener;
}

}  // namespace

void OpenFolder(const QString& folder)
{
    if (Opener()) {
        Opener()(folder);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void OpenFileWithDesktop(const QString& file)
{
    OpenFolder(file);
}

void SetFolderOpener(std::function<void(const QString&)> opener)
{
    Opener() = std::move(opener);
}

}  // namespace app
