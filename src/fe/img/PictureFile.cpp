#include "fe/img/PictureFile.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include "fe/AtomicSave.h"
#include "fe/img/Image.h"

int ImageKindOfExtension(const QString& extension)
{
    static const struct
    {
        const char* lower;
        const char* upper;
        int kind;
    } table[] = {{"jpg", "JPG", 0}, {"jpeg", "JPEG", 0}, {"png", "PNG", 1}, {"gif", "GIF", 2},
                 {"tif", "TIF", 3}, {"tiff", "TIFF", 3}, {"bmp", "BMP", 4}};
    for (const auto& row : table) {
        if (extension == QLatin1String(row.lower) || extension == QLatin1String(row.upper))
            return row.kind;
    }
    return 5;
}

namespace fe::img {

bool FileIO::GetImageSize(int& width, int& height, const QString& fileName) const
{
    width = 0;
    height = 0;
    if (m_status != kRunning)
        return false;
    QImageReader reader(fileName);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return false;
    width = size.width();
    height = size.height();
    return true;
}

bool FileIO::SaveImage(const QString& fileName, const Image& image) const
{
    if (m_status != kRunning || image.IsNull())
        return false;
    const char* format = "png";
    switch (ImageKindOfExtension(QFileInfo(fileName).suffix())) {
        case 0:
            format = "jpeg";
            break;
        case 2:
            format = "gif";
            break;
        case 3:
            format = "tiff";
            break;
        case 4:
            format = "bmp";
            break;
        default:
            break;
    }
    if (!QImageWriter::supportedImageFormats().contains(format))
        return false;
    fe::AtomicSave file(fileName);
    if (!file.isOpen())
        return false;
    QImageWriter writer(file.device(), format);
    if (!writer.write(image.Picture()))
        return false;  // the half-written copy is dropped, the old file stays
    return file.commit();
}

}  // namespace fe::img
