#include "app/FolderOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include "app/AppTitle.h"
#include "app/Prompts.h"

namespace app {

namespace {

std::function<bool(const QString&)>& Opener()
{
    static std::function<bool(const QString&)> opener;
    return opener;
}

std::function<bool(const QString&)>& FileOpener()
{
    static std::function<bool(const QString&)> opener;
    return opener;
}

}  // namespace

bool OpenFolder(const QString& folder)
{
    if (Opener())
        return Opener()(folder);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void ShowOutputFolder(QWidget* parent, const QString& folder)
{
    if (OpenFolder(folder))
        return;
    ShowMessage(
        parent,
        QStringLiteral("出力したファイルは次のフォルダにあります。\n\n") + QDir::toNativeSeparators(folder),
        kProductName, PromptIcon::Information);
}

void OpenFileWithDesktop(const QString& file)
{
    (void)OpenFolder(file);
}

void SetFolderOpener(std::function<bool(const QString&)> opener)
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
