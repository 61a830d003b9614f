// Adding the background map the import tool produced.
#include <QFile>
#include <QFileInfo>

#include "fe/AtomicSave.h"
#include "model/MapImportFiles.h"
#include "model/Project.h"

bool Project::AddImportedMap(const QString& picturePath, std::int32_t& zone)
{
    if (picturePath.isEmpty() || !QFileInfo(picturePath).isFile()) {
        return false;
    }
    QString registration;
    std::int32_t registeredZone = 0;
    if (FindRegistrationFile(picturePath, registration, false)) {
        LocationMap scratch(-1, -1);
        if (scratch.ApplyRegistration(registration)) {
            // A registration of the first version names no zone: the zone last chosen stands in for it.
            registeredZone = scratch.HasPlaneZone() ? scratch.zone : zone;
        }
    }
    const bool registered = registeredZone >= 1 && registeredZone <= 19;
    const bool added = registered ? AddRegisteredImageMap(picturePath, registration, registeredZone)
                                  : AddImageMap(picturePath);
    if (!added) {
        return false;
    }
    if (registered) {
        zone = registeredZone;
    }
    const QString cadSource = CadRegistrationOf(registration);
    const QString cadTarget = MapCadRegistrationPath(maps.Count() - 1);
    if (!cadSource.isEmpty() && !cadTarget.isEmpty() && QFileInfo(cadSource).isFile()) {
        (void)fe::CopyFileAtomically(cadSource, cadTarget);
    }
    return true;
}

QString Project::MapCadRegistrationPath(int mapIndex) const
{
    if (!maps.IsValidIndex(mapIndex)) {
        return {};
    }
    const QString stored = maps.maps[static_cast<size_t>(mapIndex)].ImageFileName();
    const qsizetype dot = stored.indexOf(u'.');
    if (dot < 0) {
        return {};
    }
    return MapFolder() + stored.left(dot) + QStringLiteral("CAD.mhc");
}
