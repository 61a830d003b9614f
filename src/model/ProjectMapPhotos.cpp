// Placing photos on a location map, taking them off and selecting the placed ones; resetting a picture
// map's area.
#include <QDir>
#include <algorithm>

#include "fe/geo/PlaneRectConverter.h"
#include "model/Project.h"

Project::PlaceOutcome Project::PlacePhotosOnMap(int mapIndex, const std::vector<int>& photoIndices,
                                                const Point2& viewPicturePoint,
                                                const fe::geo::GeoPoint& viewMapCentre)
{
    PlaceOutcome outcome;
    if (!maps.IsValidIndex(mapIndex)) {
        return outcome;
    }
    LocationMap& map = maps.maps[static_cast<size_t>(mapIndex)];
    if (!LocationMap::IsKnownKind(map.kind)) {
        return outcome;
    }
    const QString photoFolder = PhotoFolder();
    for (const int index : photoIndices) {
        if (index < 0 || index >= static_cast<int>(photos.photos.size())) {
            continue;
        }
        PhotoRecord& photo = photos.photos[static_cast<size_t>(index)];
        if (map.photos.IndexOfPhoto(photo.id) >= 0) {
            ++outcome.alreadyPlaced;
            continue;
        }
        if (!photo.HasPosition()) {
            if (map.kind == LocationMap::kRegisteredPicture) {
                // Only a usable registration gives a position; without one the photo keeps none.
                if (map.HasPlaneZone() && map.MakeHelmertPair(map.transform.forward, map.transform.inverse)) {
                    const fe::geo::PlaneRectConverter converter(map.zone);
                    converter.ToGeoPoint(photo.position, map.transform.forward.Map(viewPicturePoint));
                }
            } else if (map.IsWebMap()) {
                photo.position = viewMapCentre;
            }
        }
        PlacedPhoto entry;
        map.InitPlacedPhoto(entry, photo, QDir(photoFolder).filePath(photo.FileName()));
        if (map.kind == LocationMap::kPicture) {
            entry.x = viewPicturePoint.x;
            entry.y = viewPicturePoint.y;
        }
        if (map.photos.Add(entry)) {
            ++outcome.placed;
        } else {
            ++outcome.alreadyPlaced;
        }
    }
    return outcome;
}

std::vector<std::int32_t> Project::RemovePhotosFromMap(int mapIndex, std::vector<int> photoIndices)
{
    std::vector<std::int32_t> removed;
    if (!maps.IsValidIndex(mapIndex)) {
        return removed;
    }
    PlacedPhotoList& placed = maps.maps[static_cast<size_t>(mapIndex)].photos;
    std::sort(photoIndices.begin(), photoIndices.end());
    for (auto it = photoIndices.rbegin(); it != photoIndices.rend(); ++it) {
        if (*it < 0 || *it >= static_cast<int>(photos.photos.size())) {
            continue;
        }
        const std::int32_t id = photos.photos[static_cast<size_t>(*it)].id;
        const int at = placed.IndexOfPhoto(id);
        if (at >= 0) {
            placed.entries.erase(placed.entries.begin() + at);
            removed.push_back(id);
        }
    }
    return removed;
}

std::vector<int> Project::SelectPlacedPhotos(int mapIndex)
{
    std::vector<int> selected;
    if (!maps.IsValidIndex(mapIndex)) {
        return selected;
    }
    for (PhotoRecord& photo : photos.photos) {
        photo.flags &= ~PhotoRecord::kFlagSelected;
    }
    for (const PlacedPhoto& entry : maps.maps[static_cast<size_t>(mapIndex)].photos.entries) {
        const int index = photos.IndexOfId(entry.photoId);
        if (index < 0) {
            continue;
        }
        photos.photos[static_cast<size_t>(index)].flags |= PhotoRecord::kFlagSelected;
        selected.push_back(index);
    }
    return selected;
}

bool Project::ResetMapArea(int mapIndex)
{
    if (!maps.IsValidIndex(mapIndex)) {
        return false;
    }
    LocationMap& map = maps.maps[static_cast<size_t>(mapIndex)];
    if (!map.IsPictureMap()) {
        return false;
    }
    map.frame.rectA = Rect2(0, 0, map.pictureWidth, map.pictureHeight);
    if (map.kind == LocationMap::kRegisteredPicture) {
        map.UpdatePlaneOutline();
    }
    return true;
}
