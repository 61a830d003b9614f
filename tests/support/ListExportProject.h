#pragma once

// A small project on disk for the list workbooks: 22 photos with stored copies (some without position,
// direction, date or time, two turned), a registered picture map "堤A" in zone 9 holding 16 entries (one
// without number, one whose photo has gone, one whose photo lost its date and time) and a pale web map
// with a zone that holds a few photos. Header-only: the model's types come from the including program.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

#include "model/Project.h"

namespace list_export {

inline constexpr int kPhotoCount = 22;
inline constexpr int kMissingPhotoId = 99;

inline double Latitude(int id)
{
    return 35.0 + id * 0.001;
}
inline double Longitude(int id)
{
    return 139.0 + id * 0.002;
}
// Plane coordinates of the registered map: X = 0.5·x + 1000, Y = 0.5·y + 2000 for picture pixels (x, y).
inline double PlaneX(double x)
{
    return 0.5 * x + 1000;
}
inline double PlaneY(double y)
{
    return 0.5 * y + 2000;
}
inline double PictureX(int id)
{
    return 100.0 + id * 10;
}
inline double PictureY(int id)
{
    return 40.0 + id * 3;
}

inline bool HasPosition(int id)
{
    return id != 2 && id != 9;
}
inline bool HasDirection(int id)
{
    return id != 2 && id != 5;
}

inline PhotoRecord MakePhoto(int id)
{
    PhotoRecord photo(id);
    photo.sourceName = QStringLiteral("DSC%1.JPG").arg(1000 + id);
    if (HasPosition(id))
        photo.position = fe::geo::GeoPoint(Longitude(id), Latitude(id));
    if (HasDirection(id))
        photo.direction = id * 15.5;
    photo.date = id == 4 || id == 6 ? QString() : QStringLiteral("2024/05/%1").arg(id, 2, 10, QChar('0'));
    photo.time = id == 4 || id == 6 || id == 7 ? QString() : QStringLiteral("09:%1:00").arg(id, 2, 10, QChar('0'));
    photo.rotation = id == 3 || id == 12 ? 90 : 0;
    return photo;
}

// The project in `root`/現場/ with its photo files written; false when a file could not be written.
inline bool MakeProject(const QString& root, Project& project)
{
    project.Reset();
    project.folder = QDir(root).filePath(QStringLiteral("現場")) + '/';
    project.name = QStringLiteral("現場");
    const ProjectFolders folders = project.Folders();
    for (const QString& folder : {folders.photo, folders.thumbS, folders.thumbM, folders.thumbL, folders.map,
                                  folders.excel, folders.cad, folders.shapefile}) {
        if (!QDir().mkpath(folder))
            return false;
    }
    for (int id = 1; id <= kPhotoCount; ++id) {
        project.photos.photos.push_back(MakePhoto(id));
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(id * 15 % 360, 200, 200));
        if (!picture.save(folders.photo + PhotoFileName(id), "JPEG"))
            return false;
    }
    project.photos.nextId = kPhotoCount + 1;

    LocationMap registered(1, 1);
    registered.kind = LocationMap::kRegisteredPicture;
    registered.zone = 9;
    registered.name = QStringLiteral("堤A");
    registered.reference.picture1 = {0, 0};
    registered.reference.picture2 = {100, 0};
    // Stored plane points hold Y (east) first, then X (north).
    registered.reference.plane1 = {2000, 1000};
    registered.reference.plane2 = {2000, 1050};
    for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, kMissingPhotoId, 16}) {
        PlacedPhoto entry;
        entry.photoId = id;
        entry.x = PictureX(id);
        entry.y = PictureY(id);
        entry.numberText = id == 5 ? QString() : QStringLiteral("P-%1").arg(id);
        entry.comment = QStringLiteral("コメント%1\n二行目").arg(id);
        registered.photos.entries.push_back(entry);
    }
    LocationMap web(2, 2);
    web.kind = LocationMap::kWebPale;
    web.zone = 9;
    web.name = QStringLiteral("全景");
    for (int id : {17, 18, 19}) {
        PlacedPhoto entry;
        entry.photoId = id;
        entry.x = Longitude(id);
        entry.y = Latitude(id);
        entry.numberText = QStringLiteral("W%1").arg(id);
        web.photos.entries.push_back(entry);
    }
    project.maps.maps.push_back(registered);
    project.maps.maps.push_back(web);
    project.maps.nextId = 3;
    return true;
}

}  // namespace list_export
