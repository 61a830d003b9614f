#pragma once

#include <QString>
#include <cstdint>
#include <unordered_map>

#include "model/PhotoRecord.h"
#include "view/DrawLoc.h"

struct PlacedPhotoList;

namespace locmap {

// The photos of a project by id, built once per drawing layer, so that placed photos find their records
// without a cached pointer.
class PhotoLookup
{
public:
    explicit PhotoLookup(const PhotoList& photos);

    // The photo with the id, or null.
    const PhotoRecord* Find(std::int32_t photoId) const;
    // The photo's 1-based place in the list, 0 when absent.
    int Position(std::int32_t photoId) const;

private:
    const PhotoList& m_photos;
    std::unordered_map<std::int32_t, int> m_index;
};

// The displayed bit and the selected bit of a photo record.
inline bool IsDisplayed(const PhotoRecord& photo)
{
    return (photo.flags & 1u) != 0;
}
inline int SelectionOf(const PhotoRecord& photo)
{
    return (photo.flags & PhotoRecord::kFlagSelected) != 0 ? 1 : 0;
}

// The number of placed photo `index` by the number kind: 0 the photo's place in the list, 1 its number text
// (framed labels) or its digits (numbered discs).
QString MarkNumber(const PlacedPhotoList& list, int index, int numberKind, const PhotoLookup& photos);
QString MarkDigits(const PlacedPhotoList& list, int index, int numberKind, const PhotoLookup& photos);

// The mark of placed photo `index` with its numbers ("-" without a photo record), label offset and entry;
// the caller adds the place, the directions and which layers draw it.
MarkItem PlacedMark(PlacedPhotoList& list, int index, bool hasRecord, int numberKind,
                    const PhotoLookup& photos);

}  // namespace locmap
