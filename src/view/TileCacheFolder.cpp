#include "view/TileCacheFolder.h"

#include <QDir>
#include <QFileInfo>

namespace locmap {

QString ResolveTileCacheFolder(const QString& configured, const QString& baseFolder)
{
    const QString folder = configured.isEmpty() ? QStringLiteral("geocache") : configured;
    if (QDir::isAbsolutePath(folder))
        return QDir::cleanPath(folder);
    return QDir::cleanPath(QDir(baseFolder).absoluteFilePath(folder));
}

bool MayDeleteCacheTree(const QString& folder)
{
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return false;
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (QDir(path).isRoot())
        return false;
    const QString home = QDir::cleanPath(QDir::homePath());
    // The home folder and every folder above it hold far more than tiles.
    return !(home == path || home.startsWith(path + QLatin1Char('/')));
}

}  // namespace locmap
