#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "fe/geo/TileSite.h"
#include "model/FixedItemNames.h"
#include "model/IchimillLoaderParams.h"

// What the program remembers between runs apart from projects. The view owns the live copy and keeps
// it in setting.bin in the writable folder; the tile sites of the three web base maps come from
// TileSiteList.txt there, which the tile settings dialog writes. Dialogs and off-screen renderers that
// need tile sites build private copies.
class AppSettings
{
public:
    static constexpr std::int32_t kFileVersion = 4;
    // More file-name tokens than the program ever stores; a larger stored count is damage.
    static constexpr std::int32_t kMaxStoredTokens = 1000;

    std::int32_t planeZone = 1;  // plane rectangular zone last chosen (1 to 19)
    QString tileCacheFolder;     // disk cache of map tiles; not stored
    fe::geo::TileSite currentTileSite;
    // Sites 0, 1 and 2 are the standard, pale and aerial-photo base maps; the current site is used
    // only when the list is empty. Not stored in setting.bin.
    fe::geo::TileSiteVector tileSites;
    QString lastMapFolder;       // last background-map folder
    QString lastPhotoFolder;     // last photo-import folder
    QString lastProjectPath;     // project file last opened; its folder's parent starts the open dialog
    QStringList fileNameTokens;  // placeholders of output file names
    FixedItemNames fixedItemNames;
    IchimillLoaderParams ichimillParams;
    QString lastTrackFolder;
    QString lastSurveyPictureFolder;  // the reservoir survey's picture import

    // The built-in defaults, without touching a file or a folder: no tile cache folder yet, and the
    // three built-in base maps as the tile sites.
    AppSettings();
    // The defaults a run starts from: the tile cache folder in the writable folder and the tile sites of
    // TileSiteList.txt there.
    static AppSettings Defaults();

    // Every default, the tile cache folder in the writable folder and the tile site list read from
    // TileSiteList.txt.
    void SetDefaults();

    // Writes setting.bin (version 4). The file is replaced atomically: on false the old one is whole.
    bool Save(const QString& path) const;
    // SetDefaults, then reads setting.bin of version 1 to 4 and refreshes the tile site list. A missing,
    // newer or damaged file gives false with every setting at its default. A field whose value the
    // program cannot use (a zone outside 1 to 19, a zoom bound outside 0 to 18, the track reader's
    // values) keeps its default, and the rest of the file is read.
    bool Load(const QString& path);

    // Refills the tile site list from TileSiteList.txt in the writable folder. Without the file, or
    // when it holds fewer than three usable sites, the list becomes the three built-in base maps; false
    // when the file could not be read.
    bool MergeTileSiteList();
    // The same, from the named file.
    bool MergeTileSiteList(const QString& path);

    // The path of TileSiteList.txt in the writable folder.
    static QString TileSiteListPath();
    // The path of setting.bin in the writable folder.
    static QString FilePath();
    // The standard, pale and aerial-photo base maps of the built-in catalogue.
    static fe::geo::TileSiteVector BuiltInBaseMaps();

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// One line of a TileSiteList.txt record: the comma-separated fields trimmed of blanks, tabs, quotation
// marks and closing braces fill the site's fields in turn (title, base URL, path, extension, lowest
// zoom, highest zoom, transparent flag), counted by `fieldCounter`; fields past the seventh are ignored.
// Pieces left empty are skipped, except a quoted empty text, which is an empty field. A zoom that is not
// a number or lies outside 0 to 18 (what a tile key holds) leaves the site's value.
void ParseTileSiteLine(fe::geo::TileSite& site, int& fieldCounter, QStringView line);
