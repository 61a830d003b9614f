#pragma once

#include <QString>
#include <cstdint>

#include "fe/Unset.h"

// The EXIF fields of one photograph that the program reads and writes: shooting position (degrees,
// negative west and south), direction (degrees clockwise from true north), the original date-time
// text ("YYYY:MM:DD hh:mm:ss") and the orientation (EXIF value 1–8, −1 when none).
class ExifInfo
{
public:
    // Flags of ReadFile's result: which fields were found.
    enum ReadFlags : int
    {
        kDateTimeRead = 1,
        kLatitudeRead = 2,
        kLongitudeRead = 4,  // tried only after the latitude
        kDirectionRead = 8,  // tried only after both coordinates
        kOrientationRead = 0x10,
    };

    ExifInfo() = default;
    virtual ~ExifInfo() = default;

    // Resets every field, then reads the tags of a JPEG file without decoding its picture. Returns the
    // flags of what was read; 0 for a file that cannot be read, is not a JPEG or has no EXIF.
    int ReadFile(const QString& fileName);

    // Writes the fields into the JPEG file's tags without touching the picture data: an unset position
    // or direction removes those tags, an empty date-time or negative orientation keeps the file's own;
    // other tags stay. The file is replaced whole or not at all. False (file untouched) when it cannot be
    // read, is not a whole JPEG, holds a value out of range, or cannot be written.
    bool WriteFile(const QString& fileName) const;

    void Clear();

    double m_longitude = kUnset;
    double m_latitude = kUnset;
    double m_direction = kUnset;
    QString m_dateTime;
    std::int16_t m_orientation = -1;
};
