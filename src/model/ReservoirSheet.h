#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// The reservoir survey of one location map, as far as the project keeps it; the survey dialogs give the
// fields their meaning.

// One photo row of a survey item.
struct ReservoirPhotoRef
{
    std::int32_t photoId = -1;
    QString description;
    std::int32_t spare = 0;  // run-time only, never stored

    friend bool operator==(const ReservoirPhotoRef&, const ReservoirPhotoRef&) = default;
};

// One survey item (deformation table) with its photo rows.
struct ReservoirItem
{
    std::int32_t tableIndex = 0;
    QString pictureFile;
    std::int32_t pictureRotation = 0;
    std::vector<ReservoirPhotoRef> photoRows;

    ReservoirItem() = default;
    explicit ReservoirItem(std::int32_t index) : tableIndex(index) {}

    // Erases the photo row at a zero-based index; later rows move up. An index outside the list does nothing.
    void RemovePhotoRef(int rowIndex);
    // Erases every photo row that refers to the photo; returns how many were removed.
    int RemovePhotoRefsOf(std::int32_t photoId);

    friend bool operator==(const ReservoirItem&, const ReservoirItem&) = default;
};

struct ReservoirSheet
{
    static constexpr int kItemCount = 8;

    QString reservoirId;
    QString reservoirName;
    QString surveyDate;
    std::vector<ReservoirItem> items;
    std::uint8_t includeInBook = 1;

    ReservoirSheet() { Reset(); }
    // Empty texts, includeInBook 1 and eight empty items with the indices 0 to 7.
    void Reset();
    // Removes every photo row of every item that refers to the photo.
    void RemovePhotoRefsOf(std::int32_t photoId);

    friend bool operator==(const ReservoirSheet&, const ReservoirSheet&) = default;
};
