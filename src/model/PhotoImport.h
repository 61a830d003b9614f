#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

#include "model/PhotoRecord.h"

struct ProjectFolders;

// The three thumbnail boxes of every photo, small to large: photomini, photominiM, photominiL.
inline constexpr int kThumbnailBoxes[3][2] = {{65, 48}, {160, 120}, {320, 240}};

// The size of a picture fitted into a box: scale = the smaller of boxHeight / height and
// boxWidth / width in single precision, each side truncated. Empty for an empty picture.
QSize ThumbnailSize(QSize picture, int boxWidth, int boxHeight);

// Decodes a JPEG once, already reduced to the largest thumbnail's size (the decoder scales while it
// decodes), and gives the picture's own size. False when the bytes are not a whole JPEG picture, when the
// decoder meets a premature end or other damage, or when the picture has more pixels than any camera
// makes (fe::img::kMaxPicturePixels): a damaged photo is never taken for a good one.
bool DecodeForThumbnails(const QByteArray& jpeg, QImage& reduced, QSize& originalSize);

// The JPEG of a thumbnail: the picture (possibly already reduced) of a photo of originalSize fitted
// into the box (ThumbnailSize), then turned by the rotation. Empty when it cannot be made.
QByteArray ThumbnailJpeg(const QImage& picture, QSize originalSize, int rotation, int boxWidth,
                         int boxHeight);

// Why a photo file was not taken into the project.
enum class PhotoRefusal
{
    None,
    Missing,           // no such file
    NotJpeg,           // another kind of file by its extension or by its bytes
    OutsideDates,      // shot outside the import conditions' dates
    Unreadable,        // the file cannot be read
    Damaged,           // a JPEG cut short or damaged (or of more pixels than any camera makes)
    AlreadyInProject,  // the import conditions count it as a photo the project has
    NotStored,         // its copy could not be written into the project
};

// One photo file read, checked and reduced to its thumbnails, ready to be stored under an id. Made
// without touching any project, so that several can be made at once on worker threads.
struct PreparedPhoto
{
    bool accepted = false;     // false: refused (missing, not a JPEG, outside the date filter, damaged)
    PhotoRefusal refusal = PhotoRefusal::None;  // why, when refused
    PhotoRecord record;        // the source name and what the EXIF fields give; id 0
    QByteArray bytes;          // the file as read, stored byte for byte
    QByteArray thumbnails[3];  // the JPEG of each thumbnail box; empty when it could not be made
    // After StagePreparedPhoto: the copy and the thumbnails already written to hidden temporary files of
    // the photo and thumbnail folders (empty: not staged), which the store renames.
    QString staged[4];
};

// Reads one JPEG, checks the file and its extension, reads its EXIF fields, applies the date filter
// when both limits are given (non-null) and makes the thumbnails, writing nothing.
PreparedPhoto PreparePhoto(const QString& sourcePath, const QString* fromDate, const QString* toDate);

// Writes the copy and thumbnails of an accepted photo to temporary files of their folders, so that the
// costly part of storing can run on worker threads before the id is known; the bytes are then released. A
// part that cannot be staged is left to StorePreparedPhoto to write. Nothing is flushed here (see
// FlushStoredPhotos).
void StagePreparedPhoto(PreparedPhoto& photo, const ProjectFolders& folders);
// Removes the staged files of a photo that will not be stored.
void DropStagedFiles(PreparedPhoto& photo);
// Removes the staged files an import killed before it could store or drop them left in the photo and
// thumbnail folders. Only an import stages files, and one project runs one import at a time, so every
// staged file found when an import starts is such a leftover.
void RemoveStagedLeftovers(const ProjectFolders& folders);

// Stores an accepted photo under the record's id, which keeps its id and takes everything else from the
// prepared record: the copy to <photo folder>p%06d.jpg, each thumbnail into its folder when that folder
// exists (a thumbnail that cannot be written does not fail the import); each file is written whole under
// a hidden name and renamed into place. False when the photo was refused or its copy cannot be stored;
// nothing is then left behind. The files are not flushed yet.
bool StorePreparedPhoto(PhotoRecord& record, PreparedPhoto& photo, const ProjectFolders& folders);

// The one durability point of an import: makes the files of the stored photos durable (one flush of the
// file system, or each file on its own when that flush fails) before the project that names them is
// saved, so that a power cut never leaves a saved project naming a photo whose copy is not on disk. Gives
// the ids of the photos whose copies could not be made durable; the caller takes them out of the project.
std::vector<std::int32_t> FlushStoredPhotos(const ProjectFolders& folders, const std::vector<std::int32_t>& ids);
