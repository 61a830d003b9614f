// Importing photographs into the project and removing them again.
#include "model/PhotoImport.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <array>
#include <cstdio>
#include <utility>

#include "fe/PathUtil.h"
#include "fe/SimpleDate.h"
#include "fe/SyncFileSystem.h"
#include "fe/TextUtil.h"
#include "fe/img/ExifInfo.h"
#include "fe/img/ExifSupport.h"
#include "fe/img/PictureFile.h"
#include "model/PhotoRecord.h"
#include "model/Project.h"
#include "model/ProjectFolders.h"

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

// Writes the bytes to a new hidden file of the folder; its path, or empty when it could not. The file is
// made like any new file (not private to the user), as the renamed copy keeps it. It is not flushed here:
// the import makes all its files durable at once (FlushStoredPhotos) before the project naming them is
// saved.
QString WriteStagedFile(const QString& folder, const QByteArray& bytes)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString path =
            folder + QStringLiteral(".import-%1.tmp")
                         .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path))
                continue;
            return {};
        }
        if (file.write(bytes) == bytes.size() && file.flush())
            return path;
        file.close();
        QFile::remove(path);
        return {};
    }
    return {};
}

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

bool IsFolder(const QString& path)
{
    return QFileInfo(path).isDir();
}

// The photo folder and the three thumbnail folders, in the order of PreparedPhoto's parts.
std::array<QString, 4> PartFolders(const ProjectFolders& project)
{
    return {project.photo, project.thumbS, project.thumbM, project.thumbL};
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
            // A date that is not on the calendar ("0000:00:00" from a camera without a clock) is no date.
            fe::SimpleDate d;
            date = d.Parse(fields[0]) ? QStringLiteral("%1/%2/%3")
                                            .arg(d.year, 4, 10, QLatin1Char('0'))
                                            .arg(TwoDigits(d.month), TwoDigits(d.day))
                                      : QString();
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

PreparedPhoto PreparePhoto(const QString& sourcePath, const QString* fromDate, const QString* toDate)
{
    PreparedPhoto photo;
    const auto refuse = [&photo](PhotoRefusal why) {
        photo.bytes.clear();
        photo.refusal = why;
        return std::move(photo);
    };
    if (!QFileInfo(sourcePath).isFile())
        return refuse(PhotoRefusal::Missing);
    const fe::PathParts parts(sourcePath);
    if (ImageKindOfExtension(fe::TrimLeftChar(parts.extension, u'.')) != 0)
        return refuse(PhotoRefusal::NotJpeg);
    PhotoRecord& record = photo.record;
    record.ReadExif(sourcePath);
    if (fromDate && toDate && !PassesDateFilter(record.date, *fromDate, *toDate))
        return refuse(PhotoRefusal::OutsideDates);

    // The photo is read once: the same bytes are checked, decoded for the thumbnails and later copied.
    // A picture that cannot be decoded is refused before anything is written, so no copy is left behind
    // for a photo that no record names.
    QImage reduced;
    QSize originalSize;
    if (!fe::img::ReadPhotoBytes(sourcePath, photo.bytes))
        return refuse(PhotoRefusal::Unreadable);
    if (!DecodeForThumbnails(photo.bytes, reduced, originalSize)) {
        // A JPEG starts with its start-of-image marker; bytes that do not are some other file.
        const bool jpeg = photo.bytes.startsWith(QByteArrayLiteral("\xFF\xD8\xFF"));
        return refuse(jpeg ? PhotoRefusal::Damaged : PhotoRefusal::NotJpeg);
    }
    for (int k = 0; k < 3; ++k)
        photo.thumbnails[k] = ThumbnailJpeg(reduced, originalSize, record.rotation, kThumbnailBoxes[k][0],
                                            kThumbnailBoxes[k][1]);
    record.sourceName = parts.FileName();
    photo.accepted = true;
    return photo;
}

void StagePreparedPhoto(PreparedPhoto& photo, const ProjectFolders& project)
{
    if (!photo.accepted)
        return;
    const std::array<QString, 4> folders = PartFolders(project);
    QByteArray* parts[4] = {&photo.bytes, &photo.thumbnails[0], &photo.thumbnails[1], &photo.thumbnails[2]};
    for (int k = 0; k < 4; ++k) {
        if (!parts[k]->isEmpty() && IsFolder(folders[k])) {
            photo.staged[k] = WriteStagedFile(folders[k], *parts[k]);
            if (!photo.staged[k].isEmpty())
                *parts[k] = QByteArray();
        }
    }
}

void RemoveStagedLeftovers(const ProjectFolders& project)
{
    for (const QString& folder : PartFolders(project)) {
        if (folder.isEmpty() || !IsFolder(folder))
            continue;
        const QDir dir(folder);
        const QStringList leftovers =
            dir.entryList({QStringLiteral(".import-*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : leftovers)
            QFile::remove(dir.filePath(name));
    }
}

void DropStagedFiles(PreparedPhoto& photo)
{
    for (QString& staged : photo.staged) {
        if (!staged.isEmpty())
            QFile::remove(staged);
        staged.clear();
    }
}

bool StorePreparedPhoto(PhotoRecord& record, PreparedPhoto& photo, const ProjectFolders& project)
{
    const std::array<QString, 4> folders = PartFolders(project);
    if (!photo.accepted || (!IsFolder(folders[0]) && !QDir().mkpath(folders[0]))) {
        DropStagedFiles(photo);
        return false;
    }
    const std::int32_t id = record.id;
    record = photo.record;
    record.id = id;
    record.flags = PhotoRecord::kFlagImported;
    const QByteArray* parts[4] = {&photo.bytes, &photo.thumbnails[0], &photo.thumbnails[1],
                                  &photo.thumbnails[2]};
    for (int k = 0; k < 4; ++k) {
        const QString target = folders[k] + record.FileName();
        // A part not staged ahead is staged now: written whole under a hidden name, then renamed, so that
        // a killed import never leaves a cut file under a photo's name.
        if (photo.staged[k].isEmpty() && !parts[k]->isEmpty() && IsFolder(folders[k]))
            photo.staged[k] = WriteStagedFile(folders[k], *parts[k]);
        bool stored = false;
        if (!photo.staged[k].isEmpty()) {
            stored = std::rename(QFile::encodeName(photo.staged[k]).constData(),
                                 QFile::encodeName(target).constData()) == 0;
            if (!stored)
                QFile::remove(photo.staged[k]);
            photo.staged[k].clear();
        }
        // A missing thumbnail folder, or a thumbnail that cannot be written, does not fail the import;
        // without its copy the photo is refused.
        if (k == 0 && !stored) {
            DropStagedFiles(photo);
            return false;
        }
    }
    return true;
}

std::vector<std::int32_t> FlushStoredPhotos(const ProjectFolders& project, const std::vector<std::int32_t>& ids)
{
    if (ids.empty())
        return {};
    // One flush of each file system the folders lie on (normally one, and a second call finds nothing
    // left to write) makes the data and the names of every stored file durable.
    bool flushed = true;
    for (const QString& folder : PartFolders(project)) {
        if (IsFolder(folder) && !fe::SyncFileSystemOf(folder))
            flushed = false;
    }
    if (flushed)
        return {};
    // The file system did not confirm: each file is flushed on its own, and a photo whose copy cannot be
    // made durable is given up rather than named by the saved project. A thumbnail that cannot be flushed
    // is remade from the copy when it is missing, as a thumbnail that could not be written is.
    std::vector<std::int32_t> lost;
    for (const std::int32_t id : ids) {
        const QString copy = project.photo + PhotoFileName(id);
        if (!fe::SyncFileAndFolder(copy))
            lost.push_back(id);
        for (const QString& folder : {project.thumbS, project.thumbM, project.thumbL}) {
            if (IsFolder(folder))
                (void)fe::SyncFileAndFolder(folder + PhotoFileName(id));
        }
    }
    return lost;
}

bool Project::IsDuplicatePhoto(const QString& sourcePath, const PhotoRecord* shot) const
{
    const PhotoImportSettings& settings = importSettings;
    if (!settings.skipSameName)
        return false;
    const QString name = fe::PathParts(sourcePath).FileName();
    const auto sameName = [&](const PhotoRecord& photo) { return photo.sourceName == name; };
    if (std::none_of(photos.photos.begin(), photos.photos.end(), sameName))
        return false;
    if (!settings.alsoSameShotTime || !QFileInfo(sourcePath).isFile())
        return true;
    PhotoRecord scratch;
    if (shot == nullptr) {
        scratch.ReadExif(sourcePath);
        shot = &scratch;
    }
    for (const PhotoRecord& photo : photos.photos) {
        if (sameName(photo) && photo.date == shot->date && photo.time == shot->time)
            return true;
    }
    return false;
}

bool Project::AppendPreparedPhoto(PreparedPhoto& photo)
{
    PhotoRecord record(photos.nextId);
    if (!StorePreparedPhoto(record, photo, Folders()))
        return false;
    if (!importSettings.takeDirection)
        record.direction = kUnset;
    photos.photos.push_back(record);
    ++photos.nextId;
    return true;
}

bool Project::ImportPhoto(const QString& sourcePath)
{
    if (IsDuplicatePhoto(sourcePath, nullptr))
        return false;
    const PhotoImportSettings& settings = importSettings;
    const bool filter = settings.dateFilter != 0;
    PreparedPhoto photo =
        PreparePhoto(sourcePath, filter ? &settings.fromDate : nullptr, filter ? &settings.toDate : nullptr);
    if (!AppendPreparedPhoto(photo))
        return false;
    const std::int32_t id = photos.photos.back().id;
    if (!FlushStoredPhotos(Folders(), {id}).empty()) {
        (void)DeletePhoto(id);
        return false;
    }
    return true;
}

bool PhotoList::RemovePhoto(std::int32_t photoId, const ProjectFolders& folders)
{
    const int index = IndexOfId(photoId);
    if (index < 0)
        return false;
    photos.erase(photos.begin() + index);
    const QString fileName = PhotoFileName(photoId);
    for (const QString& folder : {folders.photo, folders.thumbS, folders.thumbM, folders.thumbL}) {
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
    return photos.RemovePhoto(photoId, Folders());
}
