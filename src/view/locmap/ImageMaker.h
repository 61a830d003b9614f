#pragma once

#include <QPen>

#include "fe/geo/MapServer.h"
#include "fe/geo/ProxySettings.h"
#include "fe/geo/TileSite.h"
#include "model/AppSettings.h"
#include "model/MarkSetting.h"
#include "view/ViewGsi.h"
#include "view/ViewMap.h"

class Project;

namespace fe::img {
class Image;
}

namespace locmap {

// Puts a mark template into a drawer's palette and mark style at the factor f = a × b: the mark kind, the
// four colours (map mark, base, number text, label fill) and the sizes of the given setting, each size × f
// (integers truncated), a line width w as round(w × f) except that a width of exactly 1 becomes round(b),
// the size factor f / 1.5, and the three switches.
void ApplyMarkTemplateScaled(DrawLoc& drawer, const MarkStyle& style, const MarkSetting& setting, double a,
                             double b);

// The palette of output pictures: red marks and numbers, white bases, pale yellow labels.
void UseOutputPalette(DrawLoc& drawer);

// How much smaller the furniture of a web map is drawn when its tile zoom lies one or two levels beyond the
// deepest zoom of its site (where the deepest tiles are enlarged): 2 × the levels, else 1.
int OverzoomFurnitureDivisor(int tileZoom, const fe::geo::TileSite& site);

// The work picture reduced smoothly into the target, fitted keeping its aspect and centred on white.
void ReduceOntoWhite(fe::img::Image& target, const fe::img::Image& work);

// Renders one location map of a project into a picture without a window: the background picture or the web
// tiles, the photo marks, the north arrow and the scale bar, cut to the map's output frame, turned upright
// when the frame is turned, and fitted into the target with white margins. The caller makes the target at
// the size it wants filled; a successful render fills all of it.
//
// Its map server has no download worker: tiles missing from the disk cache are downloaded at once on the
// caller's thread. That cache and its download file are shared with the main view, so a caller stops the
// view's tile worker before a web-map render and restarts it afterwards.
//
// A render works on a copy of the map, so the project's maps (transforms, orientation, label boxes of the
// view's hit tests) are never changed by it.
class ImageMaker
{
public:
    ImageMaker();
    ImageMaker(const ImageMaker&) = delete;
    ImageMaker& operator=(const ImageMaker&) = delete;
    virtual ~ImageMaker();

    // Keeps the template and puts it into both drawers at the factor 2.
    void SetMarkStyle(const MarkStyle& style);
    // Puts the kept template's Excel sizes into both drawers at the factor a × b.
    void ApplyMarkStyleScaled(double a, double b);

    // A map of kind 0 or 1 over its background picture. False for another kind, an index outside the map
    // list, an output frame without width or height (the target untouched), a background picture that
    // cannot be read, or a working picture that cannot be made.
    bool RenderImageMap(fe::img::Image& target, const Project& project, int mapIndex, double scale);
    // A map of kind 2 to 4 over the tiles of site 0 to 2 of the maker's list. False for another kind, an
    // index outside the map list, a tile server that cannot be opened, or a box whose picture has no pixels
    // or more than a picture may hold.
    bool RenderTileMap(fe::img::Image& target, const Project& project, int mapIndex, double scale);
    // Makes `tiles` at the Mercator pixel size of the {west, east, south, north} box at the zoom and draws
    // the site's tiles into it through the maker's map server. False for a box whose picture has no pixels
    // or more than a picture may hold (nothing allocated), or a tile server that cannot be opened. Tiles
    // missing from the disk cache are fetched at once, or with MissingTiles::Queued left out (grey
    // RGB(192,192,192) where they would be).
    bool DrawBoxTiles(fe::img::Image& tiles, const Rect2& box, int zoom, const fe::geo::TileSite& site,
                      fe::geo::MissingTiles missing = fe::geo::MissingTiles::FetchedNow);

    fe::gdi::Draw draw;  // a plain drawing context for users
    ViewMap viewMap;
    ViewGsi viewGsi;
    fe::img::Image background;  // the map's background picture during a picture render
    fe::geo::MapServer mapServer;
    // Defaults only (setting.bin is not read): the tile sites of TileSiteList.txt and the default tile cache
    // folder.
    AppSettings settings;
    fe::geo::TileSiteVector builtInSites;
    QPen whitePen{QColor(255, 255, 255), 7};
    QPen redPen{QColor(204, 0, 0), 3};
    fe::geo::ProxySettings proxy;  // no proxy until the caller reads the stored settings into it
    MarkStyle markStyle;
};

}  // namespace locmap
