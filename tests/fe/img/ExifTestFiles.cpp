#include "ExifTestFiles.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <exiv2/exiv2.hpp>

#include "fe/img/ExifSupport.h"

namespace exiftest {

bool MakeJpeg(const QString& path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) & 0xFF));
    return image.save(path, "JPEG", 90);
}

bool PutTags(const QString& path, std::initializer_list<RawTag> tags)
{
    fe::img::InitExifLibrary();
    try {
        auto image = Exiv2::ImageFactory::open(fe::img::ExifPath(path));
        image->readMetadata();
        Exiv2::ExifData& exif = image->exifData();
        for (const RawTag& tag : tags) {
            const Exiv2::ExifKey key(tag.key);
            for (auto it = exif.findKey(key); it != exif.end(); it = exif.findKey(key))
                exif.erase(it);
            if (*tag.type == '\0')
                continue;
            auto value = Exiv2::Value::create(Exiv2::TypeInfo::typeId(tag.type));
            if (value->read(tag.value) != 0)
                return false;
            exif.add(key, value.get());
        }
        image->writeMetadata();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

QString TagText(const QString& path, const char* key)
{
    fe::img::InitExifLibrary();
    try {
        auto image = Exiv2::ImageFactory::open(fe::img::ExifPath(path));
        image->readMetadata();
        const auto it = image->exifData().findKey(Exiv2::ExifKey(key));
        if (it == image->exifData().end())
            return QStringLiteral("<none>");
        return QString::fromStdString(it->value().toString());
    } catch (const std::exception&) {
        return QStringLiteral("<error>");
    }
}

QJsonObject ExiftoolRead(const QString& path)
{
    QProcess exiftool;
    exiftool.start(QStringLiteral("exiftool"),
                   {QStringLiteral("-n"), QStringLiteral("-j"), QStringLiteral("-EXIF:all"), path});
    if (!exiftool.waitForFinished(60000))
        return {};
    const QJsonArray files = QJsonDocument::fromJson(exiftool.readAllStandardOutput()).array();
    return files.isEmpty() ? QJsonObject() : files.first().toObject();
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace exiftest
