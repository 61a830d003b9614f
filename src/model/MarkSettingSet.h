#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "model/MarkSetting.h"

// The mark templates the user chooses from, with the one in use. Kept in MarkSetting.bin in the
// writable folder; exported template files have the same format.
class MarkSettingSet
{
public:
    static constexpr std::int32_t kFileVersion = 2;
    static constexpr std::uint32_t kTemplateCount = 6;
    // More templates than any file of the program holds; a larger stored count is damage.
    static constexpr std::int32_t kMaxStoredTemplates = 1000;

    std::uint32_t count = kTemplateCount;  // templates the program uses, and writes
    std::int32_t currentIndex = 0;
    std::vector<MarkStyle> styles;

    MarkSettingSet() { Reset(); }
    MarkSettingSet(const MarkSettingSet&) = default;
    // Copies the current index and every template; the count stays.
    MarkSettingSet& operator=(const MarkSettingSet& other);

    // The six factory templates; the count and the current index stay.
    void Reset();

    // Writes the version, the count, the first `count` templates and the current index. The file is
    // replaced atomically: on false the old file is untouched.
    bool Save(const QString& path) const;
    // Reads a file written by Save (or by the first version, without the leader flags). A missing,
    // newer, short or damaged file, or one with fewer than `count` templates, leaves the factory
    // templates and gives false; the current index is then the caller's concern. Templates past `count`
    // are dropped; a stored index outside the templates kept becomes the last one.
    bool Load(const QString& path);

    // The template in use, or nullptr when the index is outside the vector.
    const MarkStyle* Current() const;
};
