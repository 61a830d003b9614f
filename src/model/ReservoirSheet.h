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
    // The first row naming the photo, or null.
    ReservoirPhotoRef* FindPhotoRef(std::int32_t photoId);
    const ReservoirPhotoRef* FindPhotoRef(std::int32_t photoId) const;
    // Swaps two rows whole; false (nothing changed) when either index is outside the list or they are equal.
    bool SwapPhotoRefs(int first, int second);
    // The turn the picture is shown and written with: the stored rotation when it is a quarter turn
    // (0, 90, 180, 270), else 0, so that a damaged file never asks for an impossible turn.
    int ShownRotation() const;

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
    // Puts the items read from a file in table order: position k holds the first item stored with index
    // k (a new empty item when none was), and items with any other index follow the eight unchanged, so
    // that they are written back. Every user of the survey may then address tables 0 to 7 by position.
    // True when anything moved or was added.
    bool Normalise();

    friend bool operator==(const ReservoirSheet&, const ReservoirSheet&) = default;
};
