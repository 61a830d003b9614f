#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace fe::img {

// Reads a picture file to show it, decoded at the size it is shown at: SizeShownIn(its size, box), the
// whole picture for an empty box. The size in the file's header is checked first, so that a picture of
// more than kMaxPicturePixels is refused before anything is decoded. A JPEG goes through DecodeJpeg and
// shows what its data holds even when damaged; other formats go through Qt's readers within their
// allocation limit, which no code of this program raises. Not turned by an EXIF orientation (the program
// turns photos by their own rotation). Format_RGB32; false, with a null picture, when the file cannot be
// read.
bool ReadPictureFile(const QString& path, QSize box, QImage& picture);

}  // namespace fe::img
