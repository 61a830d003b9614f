#include "reservoir/ReservoirPictures.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <filesystem>
#include <system_error>

#include "fe/PathUtil.h"
#include "fe/gdi/Checkered.h"
#include "fe/img/JpegDecode.h"
#include "fe/img/PictureRead.h"
#include "model/Project.h"

namespace {

bool IsJpeg(const QByteArray& head)
{
    return head.size() >= 3 && static_cast<unsigned char>(head[0]) == 0xFF &&
           static_cast<unsigned char>(head[1]) == 0xD8 && static_cast<unsigned char>(head[2]) == 0xFF;
}

SurveyPictureRead ReadJpeg(const QByteArray& bytes, QSize box, QImage& picture)
{
    QSize size;
    if (!fe::img::ReadJpegSize(bytes, size)) {
        return SurveyPictureRead::kUnreadable;
    }
    if (!fe::img::DecodeJpeg(bytes, fe::img::SizeShownIn(size, box), picture, fe::img::JpegDamage::kRefuse)) {
        return SurveyPictureRead::kUnreadable;
    }
    return SurveyPictureRead::kRead;
}

}  // namespace

QString ReservoirImageFolder(const Project& project)
{
    const QString data = project.DataFolder();
    return data.isEmpty() ? QString() : data + QStringLiteral("image/");
}

SurveyPictureRead ReadSurveyPicture(const QString& path, QSize box, QImage& picture)
{
    picture = QImage();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        return SurveyPictureRead::kMissing;
    }
    if (info.size() > kMaxSurveyPictureBytes) {
        return SurveyPictureRead::kTooLarge;
    }
    // The header's size is checked before anything is decoded.
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > fe::img::kMaxPicturePixels) {
        return SurveyPictureRead::kTooLarge;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return SurveyPictureRead::kUnreadable;
    }
    const QByteArray head = file.peek(3);
    if (IsJpeg(head)) {
        const QByteArray bytes = file.readAll();
        return ReadJpeg(bytes, box, picture);
    }
    file.close();
    if (!size.isValid() || !reader.canRead()) {
        return SurveyPictureRead::kUnreadable;
    }
    QImage read;
    if (!fe::img::ReadPictureFile(path, box, read) || read.isNull()) {
        return SurveyPictureRead::kUnreadable;
    }
    picture = read.convertToFormat(QImage::Format_RGB32);
    return SurveyPictureRead::kRead;
}

bool ReservoirPictureFile::Load(QImage& picture, const QString& name, QSize box) const
{
    // A stored name from a damaged or received file that climbs out of the folder is never read.
    const QString path = fe::StoredFilePath(folder, name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return false;
    }
    return ReadSurveyPicture(path, box, picture) == SurveyPictureRead::kRead;
}

bool CopyPictureIntoReservoirFolder(ReservoirPictureFile& file, const QString& sourcePath)
{
    file.fileName.clear();
    const QFileInfo source(sourcePath);
    if (sourcePath.isEmpty() || !source.isFile() || file.folder.isEmpty()) {
        return false;
    }
    if (!QDir(file.folder).exists() && !QDir().mkdir(file.folder)) {
        return false;
    }
    const QString base = source.completeBaseName();
    const QString extension = source.suffix().isEmpty() ? QString() : QStringLiteral(".") + source.suffix();
    QString name = base + extension;
    for (int counter = 0; QFileInfo::exists(file.folder + name); ++counter) {
        name = base + QStringLiteral("_%1").arg(counter) + extension;
    }
    const QString target = fe::StoredFilePath(file.folder, name);
    if (target.isEmpty()) {
        return false;
    }
    file.fileName = name;
    std::error_code error;
    const bool copied =
        std::filesystem::copy_file(std::filesystem::path(sourcePath.toStdU16String()),
                                   std::filesystem::path(target.toStdU16String()),
                                   std::filesystem::copy_options::none, error);
    return copied && !error;
}

QImage ReservoirPlaceholder()
{
    constexpr int kWidth = 800;
    constexpr int kHeight = 600;
    constexpr int kSquare = 80;
    QImage picture(kWidth, kHeight, QImage::Format_RGB888);
    QPainter painter(&picture);
    fe::gdi::PaintCheckerGround(painter, kWidth, kHeight, kSquare);
    painter.end();
    return picture;
}

QImage LoadReservoirPicture(const Project& project, const QString& fileName, QSize box)
{
    QImage picture;
    if (ReservoirPictureFile(ReservoirImageFolder(project)).Load(picture, fileName, box) &&
        !picture.isNull()) {
        return picture;
    }
    return ReservoirPlaceholder();
}

bool IsReservoirPictureNamed(const Project& project, const QString& fileName)
{
    if (fileName.isEmpty()) {
        return false;
    }
    for (const LocationMap& map : project.maps.maps) {
        for (const ReservoirItem& item : map.reservoir.items) {
            if (item.pictureFile == fileName) {
                return true;
            }
        }
    }
    return false;
}

bool RemoveUnnamedReservoirPicture(const Project& project, const QString& fileName)
{
    const QString path = fe::StoredFilePath(ReservoirImageFolder(project), fileName);
    if (path.isEmpty() || IsReservoirPictureNamed(project, fileName)) {
        return false;
    }
    const QFileInfo info(path);
    return info.isFile() && QFile::remove(info.filePath());
}
