#pragma once

#include <QString>
#include <cstdio>

#include "fe/AtomicSave.h"

namespace fe {

// Encodings the file family supports: 0 (plain) and 1 (UTF-8 with a byte-order mark).
inline bool IsSupportedEncoding(int encoding)
{
    return encoding != 2 && encoding != 3;
}

// Opens an existing regular file for reading bytes; null when it cannot (folders are refused).
std::FILE* OpenForReading(const QString& fileName);

// Closes the stream. The pointer becomes null even when the close fails: the stream is gone
// either way, and closing it again would be undefined.
bool CloseStream(std::FILE*& stream);

// Starts a writer's file (atomic replace); false when one is started, the encoding is not
// supported or the file cannot be made.
bool OpenWriter(AtomicSave& save, const QString& fileName, int encoding);

// For the destructor of a writer: a file that was never closed is dropped, the old file stays.
void DropUnclosed(AtomicSave& save, const char* writer);

// Passes over a leading UTF-8 byte-order mark; otherwise leaves the stream at its start.
void SkipByteOrderMark(std::FILE* stream);

}  // namespace fe
