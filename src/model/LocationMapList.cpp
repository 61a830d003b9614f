#include "model/LocationMapList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>

#include "model/PhotoRecord.h"

namespace {

bool PointsInto(const PhotoList& photoList, const PhotoRecord* photo)
{
    if (photo == nullptr || photoList.photos.empty()) {
        return false;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(photo);
    const auto first = reinterpret_cast<std::uintptr_t>(photoList.photos.data());
    const auto end = reinterpret_cast<std::uintptr_t>(photoList.photos.data() + photoList.photos.size());
    return address >= first && address < end && (address - first) % sizeof(PhotoRecord) == 0;
}

}  // namespace

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

void LocationMapList::RelinkPhotos(PhotoList& photoList)
{
    for (LocationMap& map : maps) {
        std::vector<PlacedPhoto>& entries = map.photos.entries;
        for (size_t k = 0; k < entries.size();) {
            PlacedPhoto& entry = entries[k];
            // A reference is only read when it still points into the current photo vector: after the vector
            // was reallocated an old reference must not be followed.
            if (PointsInto(photoList, entry.photo) && entry.photo->id == entry.photoId) {
                ++k;
                continue;
            }
            const int index = photoList.IndexOfId(entry.photoId);
            if (index < 0) {
                // A photo that is gone takes its entry with it rather than leaving a dangling reference.
                entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(k));
                continue;
            }
            entry.photo = &photoList.photos[static_cast<size_t>(index)];
            entry.photoId = entry.photo->id;
            ++k;
        }
    }
}

void LocationMapList::RemovePhotoFromMaps(std::int32_t photoId)
{
    for (LocationMap& map : maps) {
        map.photos.Remove(photoId);
        map.reservoir.RemovePhotoRefsOf(photoId);
    }
}
