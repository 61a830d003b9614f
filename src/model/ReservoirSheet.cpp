#include "model/ReservoirSheet.h"

#include <algorithm>

void ReservoirItem::RemovePhotoRef(int rowIndex)
{
    if (rowIndex < 0 || rowIndex >= static_cast<int>(photoRows.size())) {
        return;
    }
    photoRows.erase(photoRows.begin() + rowIndex);
}

int ReservoirItem::RemovePhotoRefsOf(std::int32_t photoId)
{
    return static_cast<int>(
        std::erase_if(photoRows, [photoId](const ReservoirPhotoRef& ref) { return ref.photoId == photoId; }));
}

ReservoirPhotoRef* ReservoirItem::FindPhotoRef(std::int32_t photoId)
{
    const auto it = std::find_if(photoRows.begin(), photoRows.end(),
                                 [photoId](const ReservoirPhotoRef& ref) { return ref.photoId == photoId; });
    return it == photoRows.end() ? nullptr : &*it;
}

const ReservoirPhotoRef* ReservoirItem::FindPhotoRef(std::int32_t photoId) const
{
    return const_cast<ReservoirItem*>(this)->FindPhotoRef(photoId);
}

bool ReservoirItem::SwapPhotoRefs(int first, int second)
{
    const int count = static_cast<int>(photoRows.size());
    if (first == second || first < 0 || second < 0 || first >= count || second >= count) {
        return false;
    }
    std::swap(photoRows[static_cast<size_t>(first)], photoRows[static_cast<size_t>(second)]);
    return true;
}

int ReservoirItem::ShownRotation() const
{
    switch (pictureRotation) {
        case 90:
        case 180:
        case 270:
            return pictureRotation;
        default:
            return 0;
    }
}

void ReservoirSheet::Reset()
{
    reservoirId.clear();
    reservoirName.clear();
    surveyDate.clear();
    includeInBook = 1;
    items.clear();
    for (int k = 0; k < kItemCount; ++k) {
        items.emplace_back(k);
    }
}

void ReservoirSheet::RemovePhotoRefsOf(std::int32_t photoId)
{
    for (ReservoirItem& item : items) {
        item.RemovePhotoRefsOf(photoId);
    }
}

bool ReservoirSheet::Normalise()
{
    std::vector<ReservoirItem> stored = std::move(items);
    std::vector<bool> taken(stored.size(), false);
    items.clear();
    bool changed = false;
    for (int k = 0; k < kItemCount; ++k) {
        size_t found = stored.size();
        for (size_t s = 0; s < stored.size(); ++s) {
            if (!taken[s] && stored[s].tableIndex == k) {
                found = s;
                break;
            }
        }
        if (found == stored.size()) {
            items.emplace_back(k);
            changed = true;
            continue;
        }
        changed = changed || found != static_cast<size_t>(k);
        taken[found] = true;
        items.push_back(std::move(stored[found]));
    }
    for (size_t s = 0; s < stored.size(); ++s) {
        if (!taken[s]) {
            items.push_back(std::move(stored[s]));
        }
    }
    return changed;
}
