#include "fe/img/PictureFile.h"

#include <QFile>
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

namespace {

// The writer format of the file's extension (ImageKindOfExtension: JPEG, GIF, TIFF, BMP, anything else
// PNG), or null when no writer of that format is installed (there is no GIF writer).
const char* WriteFormatOf(const QString& fileName)
{
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
    // The installed writers do not change while the program runs: they are asked for once.
    static const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    return writable.contains(format) ? format : nullptr;
}

}  // namespace

const char* FileIO::SaveFormat(const QString& fileName, const Image& image) const
{
    return m_status == kRunning && !image.IsNull() ? WriteFormatOf(fileName) : nullptr;
}

bool FileIO::SaveImage(const QString& fileName, const Image& image) const
{
    const char* format = SaveFormat(fileName, image);
    if (format == nullptr)
        return false;
    fe::AtomicSave file(fileName);
    if (!file.isOpen())
        return false;
    QImageWriter writer(file.device(), format);
    if (!writer.write(image.Picture()))
        return false;  // the half-written copy is dropped, the old file stays
    return file.commit();
}

bool FileIO::SaveNewImage(const QString& fileName, const Image& image) const
{
    const char* format = SaveFormat(fileName, image);
    if (format == nullptr)
        return false;
    // Only a name that is not there yet is written, so no file of anyone's is ever cut short.
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    QImageWriter writer(&file, format);
    if (!writer.write(image.Picture())) {
        file.remove();  // no half-written picture is left behind
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        file.remove();
        return false;
    }
    return true;
}

}  // namespace fe::img
