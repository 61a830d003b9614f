#include "app/frame/PhotoOrdering.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "model/PhotoRecord.h"

namespace app {
namespace {

double SortKey(const PhotoRecord& photo, PhotoSortOrder order)
{
    const bool descending =
        order == PhotoSortOrder::LatitudeDescending || order == PhotoSortOrder::LongitudeDescending;
    if (!photo.position.HasPosition())
        return descending ? -1000.0 : 1000.0;
    const bool latitude =
        order == PhotoSortOrder::LatitudeDescending || order == PhotoSortOrder::LatitudeAscending;
    return latitude ? photo.position.latitude : photo.position.longitude;
}

}  // namespace

void SortPhotos(std::vector<PhotoRecord>& photos, PhotoSortOrder order)
{
    const bool descending =
        order == PhotoSortOrder::LatitudeDescending || order == PhotoSortOrder::LongitudeDescending;
    std::stable_sort(photos.begin(), photos.end(), [order, descending](const PhotoRecord& a, const PhotoRecord& b) {
        const double ka = SortKey(a, order);
        const double kb = SortKey(b, order);
        return descending ? ka > kb : ka < kb;
    });
}

MovedPhotoBlock MovePhotoBlock(std::vector<PhotoRecord>& photos, long long a, long long b, bool up)
{
    const int count = int(photos.size());
    int lo = std::int16_t(a);
    int hi = std::int16_t(b);
    if (lo > hi)
        std::swap(lo, hi);
    // A block reaching outside the list is cut to it; one wholly outside moves nothing.
    lo = std::max(lo, 0);
    hi = std::min(hi, count - 1);
    if (up) {
        if (lo == 0)
            lo = 1;
        if (lo > hi)
            return {};
        for (int i = lo; i <= hi; ++i)
            std::swap(photos[size_t(i - 1)], photos[size_t(i)]);
        return {lo - 1, hi - 1};
    }
    if (hi + 1 >= count)
        hi = hi - 1;
    if (lo > hi)
        return {};
    for (int i = hi; i >= lo; --i)
        std::swap(photos[size_t(i)], photos[size_t(i + 1)]);
    return {lo + 1, hi + 1};
}

}  // namespace app
