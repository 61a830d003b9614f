#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "BinaryBytes.h"

// Project files built byte by byte from the format tables, independent of the program's own reader and
// writer, so that a test can tell a fault of the code from a fault of the expectation.

// The file a new, empty project is saved as.
QByteArray EmptyProjectFile();

// A small project file of the version (1 to 9): one web map with two placed photos (the second without a
// number), two photos, headers, options and import settings with values other than the defaults, and,
// where the version holds them, the map tail with a reservoir survey, one track and one site map. The
// values are those of ProjectFixtureValues.
QByteArray ProjectFixtureFile(std::int32_t version);

// The same two files with the place of each record count in them.
Bytes EmptyProjectBytes();
Bytes ProjectFixtureBytes(std::int32_t version);

// The stored values of ProjectFixtureFile that the gates decide on.
namespace ProjectFixtureValues {
inline constexpr std::int32_t kPlacedNumber = 5;
inline constexpr const char16_t* kNumberTextV7 = u"N-1";  // stored number text of versions 7 and 8
inline constexpr double kFrameAngle = 0.25;
inline constexpr std::int32_t kReservoirValue = 90;
inline constexpr std::int32_t kMapLayout = 2;
inline constexpr std::int32_t kPhotoQuality = 2;
inline constexpr std::int32_t kPhotoPlacement = 2;
inline constexpr std::int32_t kSiteMapZone = 6;
}  // namespace ProjectFixtureValues
