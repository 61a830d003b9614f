#include "view/PlacedMarks.h"

#include "model/PlacedPhoto.h"

namespace locmap {

namespace {

// The photo's 1-based place in the list, 0 when absent.
int Position(const PhotoList& photos, std::int32_t photoId)
{
    return photos.IndexOfId(photoId) + 1;
}

}  // namespace

QString MarkNumber(const PlacedPhotoList& list, int index, int numberKind, const PhotoList& photos)
{
    if (numberKind == 0)
        return QString::number(Position(photos, list.entries[size_t(index)].photoId));
    return list.NumberText(index);
}

QString MarkDigits(const PlacedPhotoList& list, int index, int numberKind, const PhotoList& photos)
{
    if (numberKind == 0)
        return QString::number(Position(photos, list.entries[size_t(index)].photoId));
    return list.NumberDigits(index);
}

MarkItem PlacedMark(const PlacedPhotoList& list, int index, bool hasRecord, int numberKind,
                    const PhotoList& photos)
{
    const PlacedPhoto& entry = list.entries[size_t(index)];
    MarkItem item;
    item.hasRecord = hasRecord;
    item.number = hasRecord ? MarkNumber(list, index, numberKind, photos) : QStringLiteral("-");
    item.digits = hasRecord ? MarkDigits(list, index, numberKind, photos) : QStringLiteral("-");
    item.labelOffset = entry.labelOffset;
    item.photoId = entry.photoId;
    return item;
}

}  // namespace locmap
