// Importing photographs into the project and removing them again.
#include "model/PhotoImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "fe/AtomicSave.h"
#include "fe/PathUtil.h"
#include "fe/SimpleDate.h"
#include "fe/TextUtil.h"
#include "fe/img/ExifInfo.h"
#include "fe/img/ExifSupport.h"
#include "fe/img/PictureFile.h"
#include "model/PhotoRecord.h"
#include "model/Project.h"

namespace {

// The date filter: a photo whose date text does not parse is refused; each limit that parses with a
// year other than 0 bounds the photo's date, both ends included.
bool PassesDateFilter(const QString& photoDate, const QString& fromDate, const QString& toDate)
{
    fe::SimpleDate date;
    if (!date.Parse(photoDate))
        return false;
    fe::SimpleDate from;
    if (from.Parse(fromDate) && from.year != 0 && from.IsLaterThan(date))
        return false;
    fe::SimpleDate to;
    if (to.Parse(toDate) && to.year != 0 && date.IsLaterThan(to))
        return false;
    return true;
}

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

bool IsFolder(const QString& path)
{
    return QFileInfo(path).isDir();
}

}  // namespace

bool PhotoRecord::ReadExif(const QString& path)
{
    ExifInfo exif;
    const int flags = exif.ReadFile(path);
    if ((flags & ExifInfo::kLatitudeRead) && (flags & ExifInfo::kLongitudeRead) &&
        exif.m_longitude != kUnset && exif.m_latitude != kUnset) {
        position.longitude = exif.m_longitude;
        position.latitude = exif.m_latitude;
    }
    if ((flags & ExifInfo::kDirectionRead) && exif.m_direction != kUnset)
        direction = exif.m_direction;
    if (flags & ExifInfo::kDateTimeRead) {
        const QStringList fields = fe::SplitText(exif.m_dateTime, u' ');
        if (!fields.isEmpty()) {
            fe::SimpleDate d;
            date = d.Parse(fields[0]) ? QStringLiteral("%1/%2/%3")
                                            .arg(d.year, 4, 10, QLatin1Char('0'))
                                            .arg(TwoDigits(d.month), TwoDigits(d.day))
                                      : fields[0];
        }
        if (fields.size() >= 2) {
            fe::SimpleTime t;
            time = t.Parse(fields[1]) ? QStringLiteral("%1:%2:%3")
                                            .arg(TwoDigits(t.hour), TwoDigits(t.minute), TwoDigits(t.second))
                                      : fields[1];
        }
    } else {
        date.clear();
        time.clear();
    }
    if (exif.m_orientation >= 0) {
        switch (exif.m_orientation) {
            case 3:
                rotation = 180;
                break;
            case 6:
                rotation = 270;
                break;
            case 8:
                rotation = 90;
                break;
            default:
                break;
        }
    }
    return true;
}

bool ImportPhotoFile(PhotoRecord& record, const QString& photoFolder, const QString& thumbFolderS,
                     const QString& thumbFolderM, const QString& thumbFolderL, const QString& sourcePath,
                     const QString* fromDate, const QString* toDate)
{
    record.ClearShotInfo();
    record.sourceName.clear();
    record.flags = PhotoRecord::kFlagImported;
    record.rotation = 0;

    const QFileInfo source(sourcePath);
    if (!source.isFile())
        return false;
    if (!IsFolder(photoFolder) && !QDir().mkpath(photoFolder))
        return false;
    const fe::PathParts parts(sourcePath);
    if (ImageKindOfExtension(fe::TrimLeftChar(parts.extension, u'.')) != 0)
        return false;

    record.ReadExif(sourcePath);
    if (fromDate && toDate && !PassesDateFilter(record.date, *fromDate, *toDate))
        return false;

    // The photo is read once: the same bytes are checked, copied and decoded for the thumbnails. A
    // picture that cannot be decoded is refused before anything is written, so no copy is left behind
    // for a photo that no record names.
    QByteArray bytes;
    if (!fe::img::ReadPhotoBytes(sourcePath, bytes))
        return false;
    QImage reduced;
    QSize originalSize;
    if (!DecodeForThumbnails(bytes, reduced, originalSize))
        return false;

    const QString target = photoFolder + record.FileName();
    if (!fe::SaveBytesAtomically(target, bytes))
        return false;
    record.sourceName = parts.FileName();

    const QString thumbFolders[3] = {thumbFolderS, thumbFolderM, thumbFolderL};
    for (int k = 0; k < 3; ++k) {
        // A missing thumbnail folder, or a thumbnail that cannot be written, does not fail the import.
        if (IsFolder(thumbFolders[k]))
            record.MakeThumbnail(thumbFolders[k] + record.FileName(), reduced, originalSize,
                                 kThumbnailBoxes[k][0], kThumbnailBoxes[k][1]);
    }
    return true;
}

bool Project::ImportPhoto(const QString& sourcePath)
{
    const PhotoImportSettings& settings = importSettings;
    if (settings.skipSameName) {
        const QString name = fe::PathParts(sourcePath).FileName();
        const auto sameName = [&](const PhotoRecord& photo) { return photo.sourceName == name; };
        if (std::any_of(photos.photos.begin(), photos.photos.end(), sameName)) {
            if (!settings.alsoSameShotTime || !QFileInfo(sourcePath).isFile())
                return false;
            PhotoRecord scratch;
            scratch.ReadExif(sourcePath);
            for (const PhotoRecord& photo : photos.photos) {
                if (sameName(photo) && photo.date == scratch.date && photo.time == scratch.time)
                    return false;
            }
        }
    }

    const bool filter = settings.dateFilter != 0;
    PhotoRecord record(photos.nextId);
    if (!ImportPhotoFile(record, PhotoFolder(), ThumbFolderS(), ThumbFolderM(), ThumbFolderL(), sourcePath,
                         filter ? &settings.fromDate : nullptr, filter ? &settings.toDate : nullptr))
        return false;
    if (!settings.takeDirection)
        record.direction = kUnset;
    photos.photos.push_back(record);
    ++photos.nextId;
    return true;
}

bool PhotoList::RemovePhoto(std::int32_t photoId, const QString& photoFolder, const QString& thumbFolderS,
                            const QString& thumbFolderM, const QString& thumbFolderL)
{
    const int index = IndexOfId(photoId);
    if (index < 0)
        return false;
    photos.erase(photos.begin() + index);
    const QString fileName = PhotoFileName(photoId);
    for (const QString& folder : {photoFolder, thumbFolderS, thumbFolderM, thumbFolderL}) {
        if (!folder.isEmpty())
            QFile::remove(folder + fileName);  // a file that cannot be deleted stays
    }
    return true;
}

bool Project::DeletePhoto(std::int32_t photoId)
{
    if (photos.IndexOfId(photoId) < 0)
        return false;
    // Every reference goes: a placed photo or a survey reference left behind would name a photo that
    // no longer exists.
    maps.RemovePhotoFromMaps(photoId);
    return photos.RemovePhoto(photoId, PhotoFolder(), ThumbFolderS(), ThumbFolderM(), ThumbFolderL());
}
