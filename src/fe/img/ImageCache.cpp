#include "fe/img/ImageCache.h"

#include <QDir>

#include "fe/AppFolders.h"

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
    QDir old(path);
    if (old.exists() && !old.removeRecursively())
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
    QDir folder(m_path);
    if (folder.exists())
        folder.removeRecursively();
    m_path.clear();
    m_fileIO.Shutdown();
}

}  // namespace fe::img
