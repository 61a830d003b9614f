#pragma once

#include <QString>

// The files the background-map import hands to the import tool (bgx) and reads back from it, all in the
// program's temp folder (fe::GetTempFolderPath).

// temp/bgxStartupSetting.bin, little-endian: int32 1, int32 0, int32 0, uint32 n, then the tile cache
// folder as n UTF-16LE units without a terminator. The temp folder is made when missing. True when the
// whole file was written (replaced atomically).
bool WriteBgxStartupSetting(const QString& tileCacheFolder);
inline constexpr char kBgxStartupSettingName[] = "bgxStartupSetting.bin";

// The registration file of a picture the tool wrote: <temp folder><name>.mhc; the temp folder is made
// first when it is missing and `createTempFolder` is set. Without a temp folder, <folder><name>.mhc beside
// the picture. True when that file exists.
bool FindRegistrationFile(const QString& picturePath, QString& registrationPath, bool createTempFolder);

// The CAD registration that goes with a registration file: the path up to ".mhc" (found after the first
// character) followed by "CAD.mhc"; empty when the path holds no ".mhc" there.
QString CadRegistrationOf(const QString& registrationPath);

// temp/bgxMessage.txt: what the import tool has to tell the user when it made no picture (UTF-8 text).
inline constexpr char kBgxMessageName[] = "bgxMessage.txt";
// The most of it that is read.
inline constexpr qint64 kMaxBgxMessageBytes = 4096;
// The tool's message, trimmed; empty when it left none.
QString ReadBgxMessage();
// Leaves the message for the program (replaced atomically).
bool WriteBgxMessage(const QString& text);
