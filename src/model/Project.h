#pragma once

#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

#include "model/LocationMapList.h"
#include "model/LocusTrack.h"
#include "model/PhotoRecord.h"
#include "model/ProjectFolders.h"
#include "model/ProjectResult.h"
#include "model/ReportRecords.h"

namespace fe {
struct SimpleDate;
}

namespace fe::img {
class Image;
}

struct PreparedPhoto;

// One project, held by value by the document. It lives in a folder <parent>/<name>/ that holds the project
// file <name>.kvr2 and the sub-folders of photos, thumbnails, maps and outputs. None of the operations saves
// by itself: the calling command saves the project at once.
struct Project
{
    static constexpr std::int32_t kFileVersion = 8;

    QString folder;  // the project folder, ending with '/'; empty for no project
    QString name;    // the project name; the file is <folder><name>.kvr2
    std::int32_t fileVersion = kFileVersion;
    LocationMapList maps;
    PhotoList photos;
    ReportHeader headerLabels = ReportHeader::DefaultLabels();
    ReportHeader headerValues = ReportHeader::DefaultValues();
    ReportOutputOptions outputOptions;
    PhotoImportSettings importSettings;
    std::vector<LocusTrack> tracks;
    LocationMapList siteMaps;  // site location maps; the first is the one shown and printed
    std::int32_t siteMapZone = 0;

    // An empty project without a folder.
    void Reset() { *this = Project(); }

    // Folders. Each ends with '/' and is empty while the project has no folder and name; none creates
    // anything.
    bool HasPath() const { return !folder.isEmpty() && !name.isEmpty(); }
    QString DataFolder() const { return HasPath() ? folder : QString(); }
    QString ProjectFilePath() const;
    // Every folder of the project as one value, to hand on to what works in them.
    ProjectFolders Folders() const;
    QString MapFolder() const { return Folders().map; }
    QString PhotoFolder() const { return Folders().photo; }
    QString ThumbFolderS() const { return Folders().thumbS; }
    QString ThumbFolderM() const { return Folders().thumbM; }
    QString ThumbFolderL() const { return Folders().thumbL; }
    QString ExcelFolder() const { return Folders().excel; }
    QString CadFolder() const { return Folders().cad; }
    QString ShapefileFolder() const { return Folders().shapefile; }
    // excel/YYYYMMDD/ of today, or of the given day.
    QString DatedExcelFolder() const;
    QString DatedExcelFolder(const fe::SimpleDate& day) const;

    // Makes the project folder <parent>/<name>/ with its sub-folders and saves the project there. Returns
    // a ProjectResult: 2 when the project already has a path, 5 without the parent folder, 14 for a name
    // with a blank, 9 for a name that is not one plain folder name or when a folder cannot be made, 8 when
    // the folder exists, else the result of Save. On 8, 9 for the project folder and 14 the project is
    // reset; after a sub-folder failure it keeps its path.
    [[nodiscard]] ProjectResult CreateNew(const QString& projectName, const QString& parentFolder);
    // Writes the whole project file. 4 without a path, 5 when the folder is missing, else the writer's code.
    [[nodiscard]] ProjectResult Save() const;

    // temp/PhotoBounds.txt for the background-map import tool: north, south, east and west of the
    // positioned photos, one a line. False (and no file) when no photo has a position.
    bool WritePhotoBounds() const;
    // The stored photo or map picture, decoded at the size it is shown at: fitted into the box, never
    // enlarged (the whole picture for an empty box; fe::img::ReadPictureFile). A picture file that has
    // gone missing gives the 6000 × 4000 placeholder naming it. False for an index outside the list, for
    // web maps, or a file that cannot be read (a picture of more than fe::img::kMaxPicturePixels included).
    bool LoadPhotoImage(fe::img::Image& picture, int photoIndex, QSize box = QSize()) const;
    bool LoadMapImage(fe::img::Image& picture, int mapIndex, QSize box = QSize()) const;
    // The photo's small (65 × 48) thumbnail. False for an index outside the list or a thumbnail that is
    // missing or cannot be read.
    bool LoadPhotoThumbnail(fe::img::Image& picture, int photoIndex) const;

    // Location maps. Each returns false and leaves the lists unchanged when it cannot make the map.
    bool AddImageMap(const QString& picturePath);
    bool AddRegisteredImageMap(const QString& picturePath, const QString& registrationPath,
                               std::int32_t zone);
    bool CopyMap(int index);
    bool AddSiteMap(std::int32_t kind, const Rect2& box, std::int32_t zoom);
    // Zone 0 to 19 for the site maps and every site map; other values are ignored.
    void SetSiteMapZone(std::int32_t zone);
    // Adds the picture the background-map import tool left (temp/<name>.png) as a map. With a readable
    // registration beside it (FindRegistrationFile) the map is registered in the registration's zone, or in
    // `zone` when the registration names none; without a usable zone, or without a registration, the picture
    // becomes a map without coordinates. The tool's CAD registration is copied to MapCadRegistrationPath.
    // On success `zone` holds the zone the map was registered in (unchanged for a plain picture).
    bool AddImportedMap(const QString& picturePath, std::int32_t& zone);
    // <map folder> + the map's stored picture name up to its first "." + "CAD.mhc"; empty for an index
    // outside the list or a name without ".".
    QString MapCadRegistrationPath(int mapIndex) const;

    // Photos on a location map. PlacePhotosOnMap places the photos (indices into the photo list, in
    // that order) on map `mapIndex`: a photo without a position on a registered picture gets the position
    // of `viewPicturePoint` (the view's centre in picture pixels), on a web map `viewMapCentre`; on a plain
    // picture its mark goes to `viewPicturePoint`. Photos already on the map are counted, not placed again.
    struct PlaceOutcome
    {
        int placed = 0;
        int alreadyPlaced = 0;
    };
    PlaceOutcome PlacePhotosOnMap(int mapIndex, const std::vector<int>& photoIndices,
                                  const Point2& viewPicturePoint, const fe::geo::GeoPoint& viewMapCentre);
    // Takes the photos (indices into the photo list) off the map; the photos stay in the project. Returns
    // the ids taken off, last index first.
    std::vector<std::int32_t> RemovePhotosFromMap(int mapIndex, std::vector<int> photoIndices);
    // Makes exactly the photos placed on the map the selected ones (every other photo's selection flag is
    // cleared) and returns their indices in the photo list in the map's order; ids no longer in the
    // project are skipped.
    std::vector<int> SelectPlacedPhotos(int mapIndex);
    // A picture map's frame rectangle A becomes the whole picture (a registered map's outline follows).
    // False for a web map or an index outside the list.
    bool ResetMapArea(int mapIndex);

    // Photos. ImportPhoto applies the import settings (duplicates, date filter, direction) to one JPEG
    // and appends it under the next id; false when it was refused. RemakeThumbnails writes the three
    // thumbnails of a photo again from its stored copy; true when all three were written. DeletePhoto
    // takes the photo off every location map and survey and deletes its files; false for an unknown id.
    bool ImportPhoto(const QString& sourcePath);
    // The two halves of ImportPhoto around the reading and reducing of the file (PreparePhoto), for
    // imports that prepare files ahead on other threads. IsDuplicatePhoto: whether the duplicate settings
    // refuse the file, given the shot information already read from it (or null to read it).
    // AppendPreparedPhoto stores an accepted photo under the next id and appends it.
    bool IsDuplicatePhoto(const QString& sourcePath, const PhotoRecord* shot) const;
    bool AppendPreparedPhoto(PreparedPhoto& photo);
    bool RemakeThumbnails(int photoIndex);
    bool DeletePhoto(std::int32_t photoId);

    // Brings the placed photos of every map and site map in step with the photo list, after the list was
    // read, sorted or changed.
    void SyncPlacedPhotos();
};

// Draws the 6000 × 4000 stand-in for a picture file that cannot be found: a grey checkerboard with
// "<name>が読み込めません" in the middle. False when the picture cannot be made.
bool MakeMissingPicturePlaceholder(fe::img::Image& picture, const QString& fileName);
