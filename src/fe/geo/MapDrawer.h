#pragma once

#include "fe/geo/GeoPoint.h"
#include "fe/geo/TileServer.h"
#include "fe/geo/TileViewport.h"
#include "fe/img/Image.h"

class QPainter;

namespace fe::geo {

// How a missing tile was shown.
enum MissingTileClass : int
{
    kShownDownloading = 0,   // a placeholder: "ダウンロード中", or why its download failed
    kShownFromParent = 1,    // the enlarged quarter of its parent
    kShownFromChildren = 2,  // its four children, reduced
};

// Draws web map tiles in one pass on the user-interface thread, never waiting for the network:
// missing tiles are shown from a coarser or finer level already in memory, or as a placeholder, and
// queued for the download worker, the ones shown worst first.
class MapDrawer
{
public:
    MapDrawer() = default;
    MapDrawer(const MapDrawer&) = delete;
    MapDrawer& operator=(const MapDrawer&) = delete;
    ~MapDrawer();

    // Stops the worker and closes the tile server (the site and proxy stay); frees the scratch picture.
    void Close();

    // Covers (0, 0) - (width, height) of the painter with the tiles of the zoom around the centre.
    // One or two levels beyond the site's deepest zoom, the deepest level is enlarged instead.
    void DrawTiles(QPainter& dc, int zoom, const GeoPoint& centre, int width, int height);
    void DrawTilesOverzoomed(QPainter& dc, int zoom, const GeoPoint& centre, int width, int height,
                             int levels);

    // Shows a missing tile at (x, y) from memory, else as the placeholder the server gives for it.
    MissingTileClass DrawMissingTile(QPainter& dc, int x, int y, const TileIndex& key);
    // The four children of the tile, reduced into its square, when all four are in memory.
    bool DrawFromChildren(QPainter& dc, int x, int y, const TileIndex& firstChild);

    TileServer& Server() { return m_server; }
    const TileServer& Server() const { return m_server; }
    const TileViewport& Viewport() const { return m_viewport; }

private:
    TileServer m_server;
    TileViewport m_viewport;   // of the last drawing
    fe::img::Image m_scratch;  // the picture of over-zoomed drawing
};

}  // namespace fe::geo
