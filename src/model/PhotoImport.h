#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

struct PhotoRecord;

// The three thumbnail boxes of every photo, small to large: photomini, photominiM, photominiL.
inline constexpr int kThumbnailBoxes[3][2] = {{65, 48}, {160, 120}, {320, 240}};

// The size of a picture fitted into a box: scale = the smaller of boxHeight / height and
// boxWidth / width in single precision, each side truncated. Empty for an empty picture.
QSize ThumbnailSize(QSize picture, int boxWidth, int boxHeight);

// Decodes a JPEG once, already reduced to the largest thumbnail's size (the decoder scales while it
// decodes), and gives the picture's own size. False when the bytes are not a whole JPEG picture:
// a truncated or damaged photo is never taken for a good one.
bool DecodeForThumbnails(const QByteArray& jpeg, QImage& reduced, QSize& originalSize);

// Imports one JPEG into the record: checks the file and its extension, reads its EXIF fields, applies
// the date filter when both limits are given (non-null), copies the file byte for byte to
// <photoFolder>p%06d.jpg of the record's id and writes the thumbnails into those of the three
// thumbnail folders that exist. False when the photo is refused; a refused photo leaves no file behind.
bool ImportPhotoFile(PhotoRecord& record, const QString& photoFolder, const QString& thumbFolderS,
                     const QString& thumbFolderM, const QString& thumbFolderL, const QString& sourcePath,
                     const QString* fromDate, const QString* toDate);
