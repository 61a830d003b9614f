#pragma once

#include <cstdint>
#include <vector>

#include "model/MapRecords.h"
#include "model/ReportRecords.h"

namespace fe {
class FileRB;
class FileWB;
}  // namespace fe

// The preset texts the output dialogs offer for the report header labels and the map item names:
// always four presets of each.
struct FixedItemNames
{
    static constexpr std::int32_t kPresetCount = 4;
    // More presets than any file of the program holds; a larger stored count is damage.
    static constexpr std::int32_t kMaxStoredPresets = 1000;

    std::int32_t count = kPresetCount;
    std::vector<ReportHeader> headerLabels;
    std::vector<MapItemTexts> itemNames;

    FixedItemNames() { SetDefaults(); }

    void SetDefaults();

    // The count, then the presets pair by pair (5 header texts, 4 item texts). Throws fe::Failure
    // when a write fails or a text is too long to be read back.
    void Write(fe::FileWB& file) const;
    // Reads what Write wrote. Whatever count was stored, the result holds four presets of each kind:
    // extra stored presets are dropped, missing ones take the defaults. False (and the defaults) when
    // the count is negative or absurd or a read fails.
    bool Read(fe::FileRB& file);

    friend bool operator==(const FixedItemNames&, const FixedItemNames&) = default;
};
