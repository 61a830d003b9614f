#pragma once

#include <QString>
#include <cstdint>

// The binary project file <folder><name>.kvr2 (and the first-version .kvr files, versions 1 to 6):
// little-endian records without headers or padding, a magic text and a version first. Newer versions
// only add fields; the writer always writes the newest version.
namespace ProjectFileFormat {

inline const QString& MagicText()
{
    static const QString magic = QStringLiteral("TEKRO_SOFTWARE_LOCMAP_DOC");
    return magic;
}

inline constexpr std::int32_t kOldestVersion = 1;
inline constexpr std::int32_t kNewestVersion = 8;

// First versions that hold a field (a field is read when the file's version is at least this).
inline constexpr std::int32_t kImportSettingsSince = 2;
inline constexpr std::int32_t kTakeDirectionSince = 3;
inline constexpr std::int32_t kSheetLayoutSince = 4;
inline constexpr std::int32_t kQualitiesSince = 5;
inline constexpr std::int32_t kTracksSince = 6;
inline constexpr std::int32_t kCurrentFormatSince = 7;  // map tails, number texts, site maps, ...
inline constexpr std::int32_t kReservoirValueSince = 8;

}  // namespace ProjectFileFormat
