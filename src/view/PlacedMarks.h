#pragma once

#include <QString>

#include "model/PhotoRecord.h"
#include "view/DrawLoc.h"

struct PlacedPhotoList;

// Placed photos find their records by id through the photo list's own index (PhotoList::Find).
namespace locmap {

// The displayed bit and the selected bit of a photo record.
inline bool IsDisplayed(const PhotoRecord& photo)
{
    return (photo.flags & 1u) != 0;
}
inline int SelectionOf(const PhotoRecord& photo)
{
    return (photo.flags & PhotoRecord::kFlagSelected) != 0 ? 1 : 0;
}

// The number of placed photo `index` by the number kind: 0 the photo's 1-based place in the list, 1 its number text
// (framed labels) or its digits (numbered discs).
QString MarkNumber(const PlacedPhotoList& list, int index, int numberKind, const PhotoList& photos);
QString MarkDigits(const PlacedPhotoList& list, int index, int numberKind, const PhotoList& photos);

// The mark of placed photo `index` with its numbers ("-" without a photo record), label offset and entry;
// the caller adds the place, the directions and which layers draw it.
MarkItem PlacedMark(const PlacedPhotoList& list, int index, bool hasRecord, int numberKind,
                    const PhotoList& photos);

}  // namespace locmap
