#pragma once

#include <QString>
#include <vector>

#include "fe/geo/TileIndex.h"

namespace fe::geo {

// The origin of the national map agency's tile server, shared by every built-in catalogue entry.
inline constexpr char16_t kBuiltInTileBaseUrl[] = u"https://cyberjapandata.gsi.go.jp";

// One source of web map tiles: where tiles are fetched from, how their files are named, which zoom
// levels it serves and under which folder of the disk cache its tiles are kept.
struct TileSite
{
    QString baseUrl;    // scheme and host, no trailing slash
    QString path;       // the layer's path, starting with '/' ("/xyz/std")
    QString extension;  // with its dot (".png")
    int zoomMin = 0;    // the two bounds may be given in either order
    int zoomMax = 0;
    bool transparent = false;  // tiles have transparent areas: the view is painted black first
    QString title;
    QString cacheFolderName;  // derived from the path ('/' becomes '_'), never stored in a file

    void Clear() { *this = TileSite(); }

    // Fills a catalogue entry of the built-in tile server.
    void SetBuiltIn(const QString& path, const QString& extension, int zoomMin, int zoomMax, bool transparent,
                    const QString& title);

    // Whether a zoom bound read from a file can be used: tile keys hold zooms 0 to kMaxKeyZoom.
    static bool IsStorableZoom(int zoom) { return zoom >= 0 && zoom <= kMaxKeyZoom; }

    int ZoomLow() const { return zoomMin < zoomMax ? zoomMin : zoomMax; }
    int ZoomHigh() const { return zoomMin < zoomMax ? zoomMax : zoomMin; }
    bool ZoomInRange(int zoom) const { return zoom >= ZoomLow() && zoom <= ZoomHigh(); }

    // url := base URL + path, then "/z/x/y" + extension. Returns 1 (the URL left at base URL + path)
    // when the zoom is outside the site's range, else 0. Callers pass keys (TileIndex::Normalized).
    int BuildUrl(QString& url, const TileIndex& tile) const;

    bool operator==(const TileSite&) const = default;
};

using TileSiteVector = std::vector<TileSite>;

// The cache folder name of a layer path: every '/' replaced by '_'.
QString CacheFolderNameOf(const QString& path);

void AppendTileSite(TileSiteVector& sites, const TileSite& site);
void AppendBuiltInTileSite(TileSiteVector& sites, const QString& path, const QString& extension, int zoomMin,
                           int zoomMax, bool transparent, const QString& title);

// Replaces the contents of the vector with the 25 layers of the built-in catalogue, in catalogue
// order. Entries 0, 1 and 13 are the default base maps (standard, pale, aerial photo).
void BuildBuiltInTileSites(TileSiteVector& sites);
inline constexpr int kBuiltInTileSiteCount = 25;
inline constexpr int kDefaultBaseMapEntries[3] = {0, 1, 13};

void DestroyTileSiteVector(TileSiteVector& sites);

}  // namespace fe::geo
