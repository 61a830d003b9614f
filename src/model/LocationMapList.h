#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "model/LocationMap.h"

// The location maps of a project (or its site location maps). Every new map takes the next id and the next
// number, and both counters then grow; ids are never reused.
struct LocationMapList
{
    std::int32_t nextId = 1;
    std::int32_t nextNumber = 1;
    std::vector<LocationMap> maps;

    int Count() const { return static_cast<int>(maps.size()); }
    bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }

    // Both counters 1, no maps.
    void Clear();
    // A new map built with the next id and number; the counters do not change until Append.
    LocationMap MakeNewMap() const { return LocationMap(nextId, nextNumber); }
    // Appends a map made by MakeNewMap and advances both counters.
    void Append(const LocationMap& map);

    // A web map of the kind (2 to 4) over the box; a site map is named "現場位置図" + number, another map
    // "名称未設定" + number. Its callout points at the middle of its north edge. False for another kind.
    bool AddWebMap(std::int32_t kind, const Rect2& box, std::int32_t zoom, bool siteMap);
    // Removes the map and its stored picture and CAD registration from the map folder; nothing for an
    // index outside the list.
    void DeleteMap(int index, const QString& mapFolder);
    // Takes the photo off every map: its placed entries and every reservoir-survey row that refers to it.
    void RemovePhotoFromMaps(std::int32_t photoId);
};
