#include "model/LocationMapList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void LocationMapList::Clear()
{
    nextId = 1;
    nextNumber = 1;
    maps.clear();
}

void LocationMapList::Append(const LocationMap& map)
{
    maps.push_back(map);
    ++nextId;
    ++nextNumber;
}

bool LocationMapList::AddWebMap(std::int32_t kind, const Rect2& box, std::int32_t zoom, bool siteMap)
{
    LocationMap map = MakeNewMap();
    if (!map.SetWebMap(kind, box, zoom)) {
        return false;
    }
    if (nextNumber > 0) {
        map.name = (siteMap ? QStringLiteral("現場位置図") : QStringLiteral("名称未設定")) +
                   QString::number(nextNumber);
    }
    map.SetCalloutAnchorFromOutline();
    Append(map);
    return true;
}

void LocationMapList::DeleteMap(int index, const QString& mapFolder)
{
    if (!IsValidIndex(index)) {
        return;
    }
    const LocationMap& map = maps[static_cast<size_t>(index)];
    const bool pictureMap = map.IsPictureMap();
    const QString pictureName = map.ImageFileName();
    maps.erase(maps.begin() + index);
    if (!pictureMap) {
        return;
    }
    const QDir folder(mapFolder);
    QFile::remove(folder.filePath(pictureName));
    QFile::remove(folder.filePath(QFileInfo(pictureName).completeBaseName() + QStringLiteral("CAD.mhc")));
}

void LocationMapList::RemovePhotoFromMaps(std::int32_t photoId)
{
    for (LocationMap& map : maps) {
        map.photos.Remove(photoId);
        map.reservoir.RemovePhotoRefsOf(photoId);
    }
}
