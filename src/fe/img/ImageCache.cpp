#include "fe/img/ImageCache.h"

#include <QDir>
#include <QImage>

#include "fe/AppFolders.h"
#include "fe/img/Image.h"

namespace fe::img {

ImageCache::~ImageCache()
{
    Remove();
    m_fileIO.Shutdown();
}

bool ImageCache::Create()
{
    Remove();
    m_number = 0;
    const QString writable = fe::GetWritableFolder();
    if (writable.isEmpty() || !QDir().mkpath(writable))
        return false;
    auto dir = std::make_unique<QTemporaryDir>(writable + QStringLiteral("imgcache-XXXXXX"));
    if (!dir->isValid())
        return false;
    m_dir = std::move(dir);
    m_fileIO.Startup();
    return true;
}

void ImageCache::Remove()
{
    if (!m_dir)
        return;
    m_dir.reset();  // QTemporaryDir removes the folder with its pictures, never following links
    m_fileIO.Shutdown();
}

QString ImageCache::Path() const
{
    return m_dir ? m_dir->path() + u'/' : QString();
}

bool ImageCache::SaveImage(const QImage& image, int type, QString& path)
{
    static const char* const extensions[] = {"jpg", "png", "gif", "tif", "bmp"};
    if (!m_dir || !QDir(m_dir->path()).exists() || type < 0 || type > 4)
        return false;
    path = Path() + QStringLiteral("img%1.").arg(NextNumber()) + QLatin1String(extensions[type]);
    Image picture;
    if (image.isNull() || !picture.Create(image.width(), image.height()))
        return false;
    picture.Picture() = image.convertToFormat(QImage::Format_RGB32);
    // A fresh name in the cache's own folder: nothing to replace, and the file does not outlive the run.
    return m_fileIO.SaveNewImage(path, picture);
}

}  // namespace fe::img
