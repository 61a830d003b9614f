#pragma once

#include <vector>

struct PhotoRecord;

namespace app {

// The four orders of the photo list by position.
enum class PhotoSortOrder
{
    LatitudeDescending,   // north first
    LatitudeAscending,    // south first
    LongitudeAscending,   // west first
    LongitudeDescending,  // east first
};

// Reorders the photos by the key of the order. A photo without a full position (latitude or longitude
// unset) sorts as -1000 in the descending orders and +1000 in the ascending ones, so it comes last.
// Photos with equal keys keep their order.
void SortPhotos(std::vector<PhotoRecord>& photos, PhotoSortOrder order);

// The indexes that are selected again after a block of photos moved; empty when nothing moved.
struct MovedPhotoBlock
{
    int first = 0;
    int last = -1;
    bool Empty() const { return last < first; }
};

// Moves the block of photos between indexes `a` and `b` (either order) one place up or down. The two
// values are read as signed 16-bit numbers and limited to the list; a block at the top cannot go up, and
// a block that ends at the last photo moves the block ending one place earlier. Nothing moves for an
// empty list or a block wholly outside it.
MovedPhotoBlock MovePhotoBlock(std::vector<PhotoRecord>& photos, long long a, long long b, bool up);

}  // namespace app
