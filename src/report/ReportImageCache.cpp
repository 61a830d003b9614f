#include "report/ReportImageCache.h"

#include <QDir>

#include "fe/AppFolders.h"
#include "fe/img/Image.h"
#include "fe/img/PictureFile.h"

bool ReportImageCache::Create()
{
    Remove();
    const QString writable = fe::GetWritableFolder();
    if (writable.isEmpty() || !QDir().mkpath(writable))
        return false;
    auto dir = std::make_unique<QTemporaryDir>(writable + QStringLiteral("imgcache-XXXXXX"));
    if (!dir->isValid())
        return false;
    m_dir = std::move(dir);
    m_number = 0;
    return true;
}

void ReportImageCache::Remove()
{
    m_dir.reset();
}

QString ReportImageCache::Path() const
{
    return m_dir ? m_dir->path() + '/' : QString();
}

bool ReportImageCache::SaveImage(const QImage& image, int type, QString& path)
{
    static const char* const extensions[] = {"jpg", "png", "gif", "tif", "bmp"};
    if (!m_dir || !QDir(m_dir->path()).exists() || type < 0 || type > 4)
        return false;
    path = Path() + QStringLiteral("img%1.").arg(m_number++) + QLatin1String(extensions[type]);
    fe::img::Image picture;
    if (image.isNull() || !picture.Create(image.width(), image.height()))
        return false;
    picture.Picture() = image.convertToFormat(QImage::Format_RGB32);
    return fe::img::FileIO().SaveImage(path, picture);
}
