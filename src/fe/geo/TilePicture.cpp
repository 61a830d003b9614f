#include "fe/geo/TilePicture.h"

#include <QImageReader>

#include "fe/geo/GeoPoint.h"

namespace fe::geo {

QImage ReadTilePicture(const QString& file)
{
    QImageReader reader(file);
    reader.setAutoTransform(false);
    if (reader.size() != QSize(kTileSize, kTileSize))
        return QImage();
    QImage picture;
    if (!reader.read(&picture) || picture.size() != QSize(kTileSize, kTileSize))
        return QImage();
    return picture;
}

}  // namespace fe::geo
