#include "model/PhotoRecord.h"

#include <algorithm>

#include "fe/SimpleDate.h"

void PhotoRecord::ClearShotInfo()
{
    position.longitude = kUnset;
    position.latitude = kUnset;
    direction = kUnset;
    date.clear();
    time.clear();
    rotation = 0;
}

QString PhotoFileName(std::int32_t photoId)
{
    return QStringLiteral("p%1.jpg").arg(photoId, 6, 10, QLatin1Char('0'));
}

QString PhotoRecord::FileName() const
{
    return PhotoFileName(id);
}

std::uint64_t PhotoRecord::ShotTimeKey() const
{
    fe::SimpleDate d;
    std::uint64_t datePart = 0;
    if (d.Parse(date) && d.year != 0) {
        datePart = static_cast<std::uint64_t>(d.year) * 10000u + static_cast<std::uint64_t>(d.month) * 100u +
                   static_cast<std::uint64_t>(d.day);
    }
    fe::SimpleTime t;
    t.Parse(time);
    const std::uint64_t timePart = t.hour < 0 ? 999999u
                                              : static_cast<std::uint64_t>(t.hour) * 10000u +
                                                    static_cast<std::uint64_t>(t.minute) * 100u +
                                                    static_cast<std::uint64_t>(t.second);
    return datePart * 1000000u + timePart;
}

void PhotoList::Reset()
{
    nextId = 1;
    photos.clear();
}

int PhotoIdIndex::Find(const std::vector<PhotoRecord>& photos, std::int32_t photoId) const
{
    const auto firstOf = [&]() {
        for (size_t k = 0; k < photos.size(); ++k) {
            if (photos[k].id == photoId) {
                return static_cast<int>(k);
            }
        }
        return -1;
    };
    const auto isAt = [&](int place) {
        return place >= 0 && static_cast<size_t>(place) < photos.size() &&
               photos[static_cast<size_t>(place)].id == photoId;
    };
    const std::lock_guard lock(m_lock);
    auto known = m_places.find(photoId);
    if (known != m_places.end() && known->second == kShared) {
        return firstOf();
    }
    if (known != m_places.end() && isAt(known->second)) {
        return known->second;
    }
    // Stale or unknown: every place is taken again from the vector.
    m_places.clear();
    m_places.reserve(photos.size());
    for (size_t k = 0; k < photos.size(); ++k) {
        const auto [place, added] = m_places.try_emplace(photos[k].id, static_cast<int>(k));
        if (!added) {
            place->second = kShared;
        }
    }
    known = m_places.find(photoId);
    if (known == m_places.end()) {
        return -1;
    }
    return known->second == kShared ? firstOf() : known->second;
}

PhotoRecord* PhotoList::Find(std::int32_t photoId)
{
    const int index = IndexOfId(photoId);
    return index < 0 ? nullptr : &photos[static_cast<size_t>(index)];
}

const PhotoRecord* PhotoList::Find(std::int32_t photoId) const
{
    const int index = IndexOfId(photoId);
    return index < 0 ? nullptr : &photos[static_cast<size_t>(index)];
}

void PhotoList::SortByShotTime(bool ascending)
{
    // Keys are computed once; a stable sort keeps photos of equal shot time in their list order.
    std::vector<std::pair<std::uint64_t, PhotoRecord>> keyed;
    keyed.reserve(photos.size());
    for (PhotoRecord& photo : photos) {
        keyed.emplace_back(photo.ShotTimeKey(), std::move(photo));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? a.first < b.first : a.first > b.first;
    });
    for (size_t k = 0; k < keyed.size(); ++k) {
        photos[k] = std::move(keyed[k].second);
    }
}

void PhotoList::SortByFileName(bool ascending)
{
    std::stable_sort(photos.begin(), photos.end(), [ascending](const PhotoRecord& a, const PhotoRecord& b) {
        const QString nameA = a.FileName();
        const QString nameB = b.FileName();
        return ascending ? nameA < nameB : nameA > nameB;
    });
}

std::vector<fe::geo::GeoPoint> PhotoList::Positions() const
{
    std::vector<fe::geo::GeoPoint> positions;
    positions.reserve(photos.size());
    for (const PhotoRecord& photo : photos) {
        positions.push_back(photo.position);
    }
    return positions;
}
