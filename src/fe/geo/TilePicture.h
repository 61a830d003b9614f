#pragma once

#include <QImage>
#include <QString>

namespace fe::geo {

// The picture of a tile file, or a null picture when the file is no tile: not a picture, a picture
// whose header gives a size other than kTileSize x kTileSize (refused before any pixel is decoded,
// so a small file claiming a huge picture costs nothing), or one that does not decode completely.
QImage ReadTilePicture(const QString& file);

}  // namespace fe::geo
