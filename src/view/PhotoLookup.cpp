#include "view/PhotoLookup.h"

#include "model/PlacedPhoto.h"

namespace locmap {

PhotoLookup::PhotoLookup(const PhotoList& photos) : m_photos(photos)
{
    m_index.reserve(photos.photos.size());
    for (size_t k = 0; k < photos.photos.size(); ++k)
        m_index.emplace(photos.photos[k].id, int(k));  // the first photo of an id wins, as IndexOfId
}

const PhotoRecord* PhotoLookup::Find(std::int32_t photoId) const
{
    const auto found = m_index.find(photoId);
    return found == m_index.end() ? nullptr : &m_photos.photos[size_t(found->second)];
}

int PhotoLookup::Position(std::int32_t photoId) const
{
    const auto found = m_index.find(photoId);
    return found == m_index.end() ? 0 : found->second + 1;
}

QString MarkNumber(const PlacedPhotoList& list, int index, int numberKind, const PhotoLookup& photos)
{
    if (numberKind == 0)
        return QString::number(photos.Position(list.entries[size_t(index)].photoId));
    return list.NumberText(index);
}

QString MarkDigits(const PlacedPhotoList& list, int index, int numberKind, const PhotoLookup& photos)
{
    if (numberKind == 0)
        return QString::number(photos.Position(list.entries[size_t(index)].photoId));
    return list.NumberDigits(index);
}

MarkItem PlacedMark(PlacedPhotoList& list, int index, bool hasRecord, int numberKind,
                    const PhotoLookup& photos)
{
    PlacedPhoto& entry = list.entries[size_t(index)];
    MarkItem item;
    item.hasRecord = hasRecord;
    item.number = hasRecord ? MarkNumber(list, index, numberKind, photos) : QStringLiteral("-");
    item.digits = hasRecord ? MarkDigits(list, index, numberKind, photos) : QStringLiteral("-");
    item.labelOffset = entry.labelOffset;
    item.entry = &entry;
    return item;
}

}  // namespace locmap
