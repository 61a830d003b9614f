// Making location maps from pictures and web boxes, and their .mhc registration files.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "fe/AtomicSave.h"
#include "fe/File.h"
#include "fe/PathUtil.h"
#include "fe/img/PictureFile.h"
#include "model/LocationMap.h"

namespace {

constexpr int kRegistrationVersion = 2;
constexpr double kOverlayMargin = 40.0;

bool EnsureFolder(const QString& folder)
{
    return QFileInfo(folder).isDir() || QDir().mkpath(folder);
}

// The picture kind (0 to 4) of a picture file, or -1 for a file that is missing or of another kind.
int PictureKindOf(const QString& picturePath)
{
    const QFileInfo info(picturePath);
    if (!info.isFile()) {
        return -1;
    }
    const int kind = ImageKindOfExtension(info.suffix());
    return kind >= 0 && kind <= 4 ? kind : -1;
}

// Reads one line holding a finite number; false when the file ended or the line holds none.
bool ReadDoubleLine(fe::FileR& file, double& value)
{
    return file.tryReadDouble(value) && std::isfinite(value);
}

}  // namespace

void LocationMap::PlaceOverlayAtMargin()
{
    overlay.northArrowX = kOverlayMargin;
    overlay.northArrowY = kOverlayMargin;
    overlay.scaleBarX = kOverlayMargin;
    overlay.scaleBarY = kOverlayMargin;
}

bool LocationMap::ReadPictureSize(const QString& picturePath)
{
    int width = 0;
    int height = 0;
    if (!fe::img::FileIO().GetImageSize(width, height, picturePath)) {
        return false;
    }
    pictureWidth = width;
    pictureHeight = height;
    return true;
}

bool LocationMap::LoadPicture(const QString& mapFolder, const QString& picturePath)
{
    const int pictureKind = PictureKindOf(picturePath);
    if (pictureKind < 0 || !EnsureFolder(mapFolder)) {
        return false;
    }
    LocationMap probe(id);
    if (!probe.ReadPictureSize(picturePath)) {
        return false;
    }
    probe.pictureFormat = pictureKind;
    // A stored picture of this id is never overwritten here; the copy is flushed and put in place whole.
    const QString target = QDir(mapFolder).filePath(probe.ImageFileName());
    if (QFileInfo::exists(target) || !fe::CopyFileAtomically(picturePath, target)) {
        return false;
    }
    Reset();
    pictureWidth = probe.pictureWidth;
    pictureHeight = probe.pictureHeight;
    frame.rectA = Rect2(0, 0, pictureWidth, pictureHeight);
    kind = kPicture;
    reference.picture1.x = 1.0;
    reference.picture2.y = 1.0;
    pictureFormat = pictureKind;
    sourcePictureName = QFileInfo(picturePath).fileName();
    zone = 0;
    UpdateOutline();
    transform.Reset(LocationMapTransform::kNone);
    overlay.showNorthArrow = 0;
    overlay.showScaleBar = 0;
    return true;
}

bool LocationMap::LoadRegisteredPicture(const QString& mapFolder, const QString& picturePath,
                                        const QString& registrationPath, std::int32_t newZone)
{
    if (newZone < 1 || newZone > 19) {
        return false;
    }
    const int pictureKind = PictureKindOf(picturePath);
    if (pictureKind < 0 || !EnsureFolder(mapFolder)) {
        return false;
    }
    LocationMap probe(id);
    if (!probe.ReadRegistration(registrationPath) || !probe.ReadPictureSize(picturePath)) {
        return false;
    }
    probe.kind = kRegisteredPicture;
    probe.pictureFormat = pictureKind;
    if (!fe::CopyFileAtomically(picturePath, QDir(mapFolder).filePath(probe.ImageFileName()))) {
        return false;
    }
    Reset();
    reference = probe.reference;
    pictureWidth = probe.pictureWidth;
    pictureHeight = probe.pictureHeight;
    frame.rectA = Rect2(0, 0, pictureWidth, pictureHeight);
    pictureFormat = pictureKind;
    kind = kRegisteredPicture;
    sourcePictureName = QFileInfo(picturePath).fileName();
    zone = newZone;
    UpdateOutline();
    transform.Reset(LocationMapTransform::kPlane);
    overlay.northArrowAngle = -NorthAngle();
    PlaceOverlayAtMargin();
    return true;
}

bool LocationMap::SetWebMap(std::int32_t newKind, const Rect2& newBox, std::int32_t zoom)
{
    if (!IsWebKind(newKind)) {
        return false;
    }
    Reset();
    kind = newKind;
    box = newBox;
    tileZoom = zoom;
    transform.Reset(LocationMapTransform::kWeb);
    UpdateOutline();
    overlay.northArrowAngle = NorthAngle();
    PlaceOverlayAtMargin();
    return true;
}

bool LocationMap::ApplyRegistration(const QString& mhcPath)
{
    if (!ReadRegistration(mhcPath)) {
        return false;
    }
    kind = kRegisteredPicture;
    UpdateOutline();
    transform.Reset(LocationMapTransform::kPlane);
    return true;
}

bool LocationMap::ReadRegistration(const QString& mhcPath)
{
    fe::FileR file;
    if (!file.open(mhcPath, 0)) {
        return false;
    }
    int version = 0;
    std::array<double, 8> values{};
    if (!file.tryReadInt(version)) {
        return false;
    }
    for (double& value : values) {
        if (!ReadDoubleLine(file, value)) {
            return false;
        }
    }
    int fileZone = zone;
    if (version > 1 && (!file.tryReadInt(fileZone) || fileZone < 0 || fileZone > 19)) {
        return false;
    }
    MapReference read;
    read.picture1 = {values[0], values[1]};
    read.picture2 = {values[2], values[3]};
    read.plane1 = {values[4], values[5]};
    read.plane2 = {values[6], values[7]};
    // Two coinciding points cannot define a registration: the fit would be singular.
    if (read.picture1 == read.picture2 || read.plane1 == read.plane2) {
        return false;
    }
    reference = read;
    zone = fileZone;
    return true;
}

bool LocationMap::WriteRegistration(const QString& mhcPath) const
{
    fe::FileW file;
    if (!file.open(mhcPath, 0)) {
        return false;
    }
    try {
        file.writeInt(kRegistrationVersion).writeLine(QStringLiteral("\n"));
        for (const Point2& point :
             {reference.picture1, reference.picture2, reference.plane1, reference.plane2}) {
            file.writeDouble(point.x).writeLine(QStringLiteral("\n"));
            file.writeDouble(point.y).writeLine(QStringLiteral("\n"));
        }
        file.writeInt(zone);
    } catch (const fe::Failure&) {
        return false;
    }
    return file.close();
}
