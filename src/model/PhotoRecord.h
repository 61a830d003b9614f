#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "fe/geo/GeoPoint.h"

struct ProjectFolders;

// One imported photograph. Its stored copy is <photo folder>p%06d.jpg with the id.
struct PhotoRecord
{
    static constexpr std::uint32_t kFlagImported = 1;
    static constexpr std::uint32_t kFlagSelected = 2;  // selected in the photo pane; never stored

    std::int32_t id = 0;
    QString sourceName;  // file name and extension of the source at import
    fe::geo::GeoPoint position{kUnset, kUnset};
    double direction = kUnset;  // degrees clockwise from north
    QString date;               // "yyyy/mm/dd"
    QString time;               // "hh:mm:ss"
    std::uint32_t flags = kFlagImported;
    std::int32_t rotation = 0;  // 0, 90, 180 or 270, counter-clockwise

    explicit PhotoRecord(std::int32_t photoId = 0) : id(photoId) {}

    // Position and direction unset, date, time empty, rotation 0; id, source name and flags stay.
    void ClearShotInfo();
    bool HasPosition() const { return position.HasPosition(); }
    // The stored file name "p%06d.jpg" of the id.
    QString FileName() const;
    // YYYYMMDDhhmmss of the date and time texts: a date that does not parse counts as 0, a time that does
    // not parse as 999999, so photos without a time sort after the others of their day.
    std::uint64_t ShotTimeKey() const;

    // Fills position, direction, date ("yyyy/mm/dd"), time ("hh:mm:ss") and rotation from the file's
    // EXIF data; fields the file does not hold keep their values, except that a file without a
    // date-time empties both texts. Returns true.
    bool ReadExif(const QString& path);
    // Writes the thumbnail of a picture of originalSize fitted into the box (ThumbnailSize), turned by
    // the rotation, as JPEG. `picture` may already be reduced (DecodeForThumbnails). True when written.
    bool MakeThumbnail(const QString& path, const QImage& picture, QSize originalSize, int boxWidth,
                       int boxHeight) const;

    friend bool operator==(const PhotoRecord&, const PhotoRecord&) = default;
};

// The photo file name "p%06d.jpg" of a photo id.
QString PhotoFileName(std::int32_t photoId);

// Where each photo id sits in a photo vector. The vector is changed freely by its owners (appended,
// sorted, erased, read), so a remembered place is checked before it is trusted, and an id that is not
// where it was, or not known, makes the index be built again from the vector. It holds nothing of its
// own: copies start empty and any two compare equal.
//
// Find is a const call that may rebuild the remembered places, so the places are guarded by a lock of
// their own: threads that only read the same photo vector (a worker rendering the project while the
// user-interface thread draws it) may look up ids at the same time. Changing the vector while another
// thread reads it stays the owner's business, as for any vector.
class PhotoIdIndex
{
public:
    PhotoIdIndex() = default;
    PhotoIdIndex(const PhotoIdIndex&) {}
    PhotoIdIndex& operator=(const PhotoIdIndex&) { return *this; }

    // The index of the first photo with the id, or -1.
    int Find(const std::vector<PhotoRecord>& photos, std::int32_t photoId) const;

    friend bool operator==(const PhotoIdIndex&, const PhotoIdIndex&) { return true; }

private:
    // The place of an id that several photos share (only a damaged file holds such ids): the first of
    // them is looked for each time.
    static constexpr int kShared = -2;
    mutable std::mutex m_lock;  // guards m_places
    mutable std::unordered_map<std::int32_t, int> m_places;
};

// The photos of a project in list order. Ids come from nextId, which only grows: ids are never reused.
// Placed photos and survey rows name their photos by id; Find gives the record.
struct PhotoList
{
    std::int32_t nextId = 1;
    std::vector<PhotoRecord> photos;

    void Reset();
    // Index of the first photo with the id, or -1.
    int IndexOfId(std::int32_t photoId) const { return m_index.Find(photos, photoId); }
    // The photo with the id, or null. Valid until the photo vector next changes.
    PhotoRecord* Find(std::int32_t photoId);
    const PhotoRecord* Find(std::int32_t photoId) const;
    // Sorts by ShotTimeKey. Photos with equal keys keep their order, so repeated sorts are stable.
    void SortByShotTime(bool ascending);
    // Sorts by the stored file name compared as text (id order up to id 999999); equal names keep their
    // order.
    void SortByFileName(bool ascending);
    // One position per photo in list order, for the photo-box helpers.
    std::vector<fe::geo::GeoPoint> Positions() const;
    // Erases the photo and deletes p%06d.jpg of its id from the photo and thumbnail folders (failures
    // are not checked). False when no photo has the id.
    bool RemovePhoto(std::int32_t photoId, const ProjectFolders& folders);

    friend bool operator==(const PhotoList&, const PhotoList&) = default;

private:
    PhotoIdIndex m_index;
};
