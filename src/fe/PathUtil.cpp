#include "fe/PathUtil.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <system_error>

#include "fe/AppFolders.h"

namespace fe {
namespace {

qsizetype LastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
}

// Deletes the entries below the folder, then the folder; links are never followed.
bool DeleteTree(const std::filesystem::path& folder)
{
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::filesystem::file_status status = it->symlink_status(ec);
        if (ec)
            return false;
        if (std::filesystem::is_directory(status)) {
            if (!DeleteTree(it->path()))
                return false;
        } else if (!std::filesystem::remove(it->path(), ec) || ec) {
            return false;
        }
    }
    if (ec)
        return false;
    return std::filesystem::remove(folder, ec) && !ec;
}

}  // namespace

bool SplitPath(const QString& path, QString& drive, QString& folder, QString& name, QString& extension)
{
    const qsizetype cut = LastSeparator(path) + 1;
    const QString file = path.mid(cut);
    const qsizetype dot = file.lastIndexOf(u'.');
    drive.clear();
    folder = path.left(cut);
    name = dot < 0 ? file : file.left(dot);
    extension = dot < 0 ? QString() : file.mid(dot);
    return true;
}

void PathParts::Set(const QString& path)
{
    SplitPath(path, drive, folder, name, extension);
    if (extension.startsWith(u'.'))
        extension.remove(0, 1);
}

QString PathParts::FileName() const
{
    return extension.isEmpty() ? name : name + u'.' + extension;
}

QString GetPathFileName(const QString& path)
{
    return path.mid(LastSeparator(path) + 1);
}

QString GetPathFolder(const QString& path)
{
    const qsizetype cut = LastSeparator(path);
    return cut < 0 ? path : path.left(cut);
}

bool IsPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

QString StoredFilePath(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || !IsPlainFileName(name))
        return QString();
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString GetTempFolderPath()
{
    const QString base = GetWritableFolder();
    return base.isEmpty() ? QString() : base + QStringLiteral("temp/");
}

QString MakeTempFolder()
{
    const QString path = GetTempFolderPath();
    if (path.isEmpty() || !QDir().mkpath(path))
        return QString();
    return path;
}

int DeleteFolderTree(const QString& folder)
{
    // Without trailing separators, so that a link named as "link/" is seen as the link itself.
    const QString clean = QDir::cleanPath(folder);
    if (folder.isEmpty() || clean == QStringLiteral("/"))
        return 0;
    const std::filesystem::path root(QFile::encodeName(clean).toStdString());
    std::error_code ec;
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(root, ec)))
        return 0;
    return DeleteTree(root) ? 1 : 0;
}

}  // namespace fe
