#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/Rect2i.h"
#include "fe/Unset.h"

struct PhotoList;

// One photograph placed on one location map, naming its photo by id (PhotoList::Find gives the record). x, y
// are picture pixels on picture maps (kinds 0 and 1) and longitude, latitude on web maps (kinds 2 to 4).
struct PlacedPhoto
{
    std::int32_t photoId = -1;
    double x = kUnset;
    double y = kUnset;
    double direction = kUnset;
    Rect2 frame;  // crop frame in photo pixels (x0, x1, y0, y1)
    Point2 labelOffset;
    std::int32_t number = 0;  // numeric number of first-version files
    QString numberText;
    QString comment;
    // The number the photo-ledger editor and the numbering dialog propose until it is applied; never stored.
    QString workNumber;

    void Reset() { *this = PlacedPhoto(); }
};

// The placed photos of one map with their numbering. Photo ids are unique within a list.
struct PlacedPhotoList
{
    std::vector<PlacedPhoto> entries;
    QString prefix = QStringLiteral("P");
    QString suffix;
    std::int32_t firstNumber = 1;

    void Reset() { *this = PlacedPhotoList(); }
    int Count() const { return static_cast<int>(entries.size()); }

    // Index of the first entry with the photo id, or -1.
    int IndexOfPhoto(std::int32_t photoId) const;
    PlacedPhoto* FindByPhotoId(std::int32_t photoId);
    const PlacedPhoto* FindByPhotoId(std::int32_t photoId) const;
    // Appends a copy; false when an entry with the same photo id is already there.
    bool Add(const PlacedPhoto& entry);
    // Erases the first entry with the photo id; nothing when absent.
    void Remove(std::int32_t photoId);
    // The entry's number text, "**" when it is empty; empty for an index outside the list.
    QString NumberText(int index) const;
    // NumberText without its leading and trailing non-digits ("No.12a" gives "12"); a text without any digit
    // stays whole; empty for an index outside the list.
    QString NumberDigits(int index) const;
    // Gives every entry without a working number prefix + (first number + k) + suffix, k counting only the
    // entries numbered here.
    void AssignDisplayNumbers();
    void ClearDisplayNumbers();

    // The sorts keep the order of entries with equal keys.
    void SortByNumberText(bool ascending);
    // By the shot-time key of each entry's photo in the list; an entry whose photo is not there counts as
    // key 0.
    void SortByShotTime(const PhotoList& photoList, bool ascending);
    // Largest x first.
    void SortByX();
};
