// Adding, copying and synchronising the project's location maps and site maps.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include "fe/PathUtil.h"
#include "model/Project.h"

namespace {

// Removes the stored pictures of a new map's id: no map holds the id yet, so such a file is the copy of
// a map added before a crash and never saved, and it would otherwise refuse the new map's picture.
void RemoveUnheldMapPictures(const QString& mapFolder, std::int32_t id)
{
    const QDir folder(mapFolder);
    if (mapFolder.isEmpty() || !folder.exists()) {
        return;
    }
    const QString stem = QStringLiteral("m%1").arg(id, 6, 10, QLatin1Char('0'));
    for (const QString& name : folder.entryList(
             {stem + QStringLiteral(".*"), stem + QStringLiteral("CAD.mhc")}, QDir::Files | QDir::Hidden)) {
        QFile::remove(folder.filePath(name));
    }
}

}  // namespace

bool Project::AddImageMap(const QString& picturePath)
{
    LocationMap map = maps.MakeNewMap();
    RemoveUnheldMapPictures(MapFolder(), map.id);
    if (!map.LoadPicture(MapFolder(), picturePath)) {
        return false;
    }
    if (maps.nextNumber > 0) {
        map.name += QString::number(maps.nextNumber);
    }
    maps.Append(map);
    return true;
}

bool Project::AddRegisteredImageMap(const QString& picturePath, const QString& registrationPath,
                                    std::int32_t zone)
{
    LocationMap map = maps.MakeNewMap();
    RemoveUnheldMapPictures(MapFolder(), map.id);
    if (!map.LoadRegisteredPicture(MapFolder(), picturePath, registrationPath, zone)) {
        return false;
    }
    if (maps.nextNumber > 0) {
        map.name += QString::number(maps.nextNumber);
    }
    map.SetCalloutAnchorFromOutline();
    maps.Append(map);
    return true;
}

bool Project::CopyMap(int index)
{
    if (!maps.IsValidIndex(index)) {
        return false;
    }
    // A copy, not a reference: adding the new map may move the vector.
    const LocationMap source = maps.maps[static_cast<size_t>(index)];
    const QString mapFolder = MapFolder();
    const QString storedPicture = mapFolder + source.ImageFileName();

    // The copy takes the source's frame rectangle, upright.
    auto takeFrame = [&source](LocationMap& copy) {
        copy.frame.rectA = source.frame.rectA;
        copy.frame.flag = 0;
        copy.frame.angle = 0.0;
    };

    switch (source.kind) {
        case LocationMap::kPicture:
            if (!AddImageMap(storedPicture)) {
                return false;
            }
            takeFrame(maps.maps.back());
            return true;
        case LocationMap::kRegisteredPicture: {
            // The source's registration goes through a file of this copy's own in the temp folder, which
            // other files share (PhotoBounds.txt, the import tool's hand-over): only that file is removed.
            const QString tempFolder = fe::MakeTempFolder();
            if (tempFolder.isEmpty()) {
                return false;
            }
            QTemporaryFile registration(tempFolder + QStringLiteral("mapcopy-XXXXXX.mhc"));
            if (!registration.open()) {
                return false;
            }
            registration.close();
            if (!source.WriteRegistration(registration.fileName())) {
                return false;
            }
            const QString baseName = QFileInfo(storedPicture).completeBaseName();
            const bool added = AddRegisteredImageMap(storedPicture, registration.fileName(), source.zone);
            if (added) {
                LocationMap& copy = maps.maps.back();
                takeFrame(copy);
                copy.UpdatePlaneOutline();
                const QString sourceCad = mapFolder + baseName + QStringLiteral("CAD.mhc");
                const QString copyCad = mapFolder + QFileInfo(copy.ImageFileName()).completeBaseName() +
                                        QStringLiteral("CAD.mhc");
                if (QFileInfo(sourceCad).isFile()) {
                    QFile::remove(copyCad);
                    QFile::copy(sourceCad, copyCad);
                }
            }
            return added;
        }
        case LocationMap::kWebStandard:
        case LocationMap::kWebPale:
        case LocationMap::kWebPhoto:
            if (!maps.AddWebMap(source.kind, source.box, source.tileZoom, false)) {
                return false;
            }
            maps.maps.back().zone = source.zone;
            return true;
        default:
            return false;
    }
}

bool Project::AddSiteMap(std::int32_t kind, const Rect2& box, std::int32_t zoom)
{
    if (!siteMaps.AddWebMap(kind, box, zoom, true)) {
        return false;
    }
    for (LocationMap& map : maps.maps) {
        if (map.HasCoordinates() && !map.calloutAnchor.HasPosition()) {
            map.SetCalloutAnchorFromOutline();
        }
    }
    LocationMap& siteMap = siteMaps.maps.back();
    if (siteMapZone > 0) {
        siteMap.zone = siteMapZone;
    }
    siteMap.name = QStringLiteral("現場位置図");
    return true;
}

void Project::SetSiteMapZone(std::int32_t zone)
{
    if (zone < 0 || zone > 19) {
        return;
    }
    siteMapZone = zone;
    for (LocationMap& map : siteMaps.maps) {
        map.zone = zone;
    }
}

void Project::SyncPlacedPhotos()
{
    const QString photoFolder = PhotoFolder();
    for (LocationMapList* list : {&maps, &siteMaps}) {
        for (LocationMap& map : list->maps) {
            map.SyncPlacedPhotos(photos, photoFolder);
        }
    }
}
