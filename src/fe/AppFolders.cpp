#include "fe/AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <mutex>

namespace fe {
namespace {

std::mutex g_mutex;
QString g_override;

QString WithSlash(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

bool IsWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

}  // namespace

QString GetExeFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (folder.isEmpty())
        folder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
    return WithSlash(folder);
}

QString GetWritableFolder()
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_override.isEmpty())
            return g_override;
    }
    const QString exe = GetExeFolder();
    if (IsWritableFolder(exe))
        return exe;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return WithSlash(data);
}

void SetWritableFolder(const QString& folder)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_override = folder.isEmpty() ? QString() : WithSlash(folder);
}

}  // namespace fe
