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
