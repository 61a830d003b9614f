#pragma once

#include <QString>
#include <array>
#include <optional>

#include "fe/geo/TileSite.h"

namespace app {

// One base map's tile source as the tile settings dialog holds it; a zoom is empty while its edit
// holds no number.
struct TileSiteFields
{
    QString title;
    QString baseUrl;
    QString path;
    QString extension;
    std::optional<int> zoomLow;
    std::optional<int> zoomHigh;
    bool transparent = false;

    // The fields of a site, the smaller zoom shown as the lowest.
    static TileSiteFields Of(const fe::geo::TileSite& site);
};

using TileSiteGroups = std::array<TileSiteFields, 3>;

// The highest zoom a tile source may name.
inline constexpr int kMaxTileSettingZoom = 24;

// The extension as stored: a "." in front unless it has one ("png" and ".png" give ".png", "a.png"
// gives ".a.png").
QString StoredTileExtension(const QString& extension);

// Empty when every group names a source that a tile server takes, else "地図<n>に無効な値が設定されています。"
// for the first group that is refused: an empty title, base URL, path or extension, a zoom that is
// missing or outside 0 to 24, two equal zooms, a ',' or '"' in a text (the file's separators), or a
// tile cache folder that cannot be made. The later groups are not checked.
QString CheckTileSites(const TileSiteGroups& groups, const QString& cacheFolder);

// Writes the three groups as TileSiteList.txt (UTF-8 with byte-order mark, CR LF, nine lines a record,
// zooms as typed); false when the file could not be written, which then stays as it was. The groups
// must have passed CheckTileSites.
bool WriteTileSiteList(const QString& path, const TileSiteGroups& groups);

}  // namespace app
