#pragma once

#include <cstdint>

namespace fe {
class FileRB;
class FileWB;
}  // namespace fe

// How the ichimill track reader takes a CSV file apart and which points it keeps. The column numbers
// and the minimum column count are fixed by the constructor and never stored; the rest is kept in
// setting.bin.
struct IchimillLoaderParams
{
    // Columns (0-based) of the fields the reader uses.
    std::int32_t columnTerminalId = 0;
    std::int32_t columnDateTime = 1;
    std::int32_t columnLatitude = 3;
    std::int32_t columnLongitude = 4;
    std::int32_t columnMode = 5;
    std::int32_t columnThirdValue = 6;
    std::int32_t columnStatus = 8;
    std::int32_t minimumColumns = 9;

    // Positioning modes whose points are kept.
    std::uint8_t acceptSingle = 1;  // "単独測位" / "Single"
    std::uint8_t acceptDgps = 1;
    std::uint8_t acceptRtkFix = 1;
    std::uint8_t acceptRtkFloat = 1;
    std::int32_t thinningInterval = 5;  // seconds
    double minimumDistance = 1e-6;      // degrees
    double maximumJump = 1e-4;          // degrees

    // The stored values back to their defaults; the columns stay.
    void SetDefaults();

    // The stored block: four accept flags, the interval, the two distances. False when a write fails.
    bool Write(fe::FileWB& file) const;
    // Takes the defaults, then reads the block; a negative interval or a distance that is negative or
    // not a finite number keeps its default. False when a read fails.
    bool Read(fe::FileRB& file);

    friend bool operator==(const IchimillLoaderParams&, const IchimillLoaderParams&) = default;
};
