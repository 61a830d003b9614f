#pragma once

#include <QString>
#include <cstdio>

namespace fe {

// Encodings the file family supports: 0 (plain) and 1 (UTF-8 with a byte-order mark).
inline bool IsSupportedEncoding(int encoding)
{
    return encoding != 2 && encoding != 3;
}

// Opens an existing regular file for reading bytes; null when it cannot (folders are refused).
std::FILE* OpenForReading(const QString& fileName);

// Passes over a leading UTF-8 byte-order mark; otherwise leaves the stream at its start.
void SkipByteOrderMark(std::FILE* stream);

}  // namespace fe
