#include "fe/img/ImageCache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "fe/AppFolders.h"
#include "fe/PathUtil.h"

namespace fe::img {

ImageCache::~ImageCache()
{
    Remove();
    m_fileIO.Shutdown();
}

bool ImageCache::Create()
{
    if (!m_path.isEmpty() && QDir(m_path).exists())
        Remove();
    m_number = 0;
    m_path.clear();
    const QString writable = fe::GetWritableFolder();
    if (writable.isEmpty())
        return false;
    const QString path = writable + QStringLiteral("imgcache/");
    // What lies there from before goes; a link is removed as a link, never followed.
    const QFileInfo old(writable + QStringLiteral("imgcache"));
    if (old.isSymLink() ? !QFile::remove(old.filePath()) : old.exists() && !fe::DeleteFolderTree(path))
        return false;
    if (!QDir().mkpath(path))
        return false;
    m_path = path;
    m_fileIO.Startup();
    return true;
}

void ImageCache::Remove()
{
    if (m_path.isEmpty())
        return;
    fe::DeleteFolderTree(m_path);
    m_path.clear();
    m_fileIO.Shutdown();
}

}  // namespace fe::img
