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

std::function<bool(const QString&)>& FileOpener()
{
    static std::function<bool(const QString&)> opener;
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

bool OpenFileInDesktop(const QString& path)
{
    if (FileOpener())
        return FileOpener()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool OpenWebAddress(const QString& address)
{
    if (FileOpener())
        return FileOpener()(address);
    return QDesktopServices::openUrl(QUrl(address));
}

void SetFileOpener(std::function<bool(const QString&)> opener)
{
    FileOpener() = std::move(opener);
}

}  // namespace app
