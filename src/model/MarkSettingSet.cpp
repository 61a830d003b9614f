#include "model/MarkSettingSet.h"

#include "fe/File.h"

MarkSettingSet& MarkSettingSet::operator=(const MarkSettingSet& other)
{
    currentIndex = other.currentIndex;
    styles = other.styles;
    return *this;
}

void MarkSettingSet::Reset()
{
    styles.assign(6, MarkStyle());
    styles[1].SetPreset1();
    styles[2].SetPreset2();
    styles[3].SetPreset3();
    styles[4].SetPreset4();
    styles[5].SetPreset5();
}

const MarkStyle* MarkSettingSet::Current() const
{
    if (currentIndex < 0 || static_cast<size_t>(currentIndex) >= styles.size())
        return nullptr;
    return &styles[static_cast<size_t>(currentIndex)];
}

bool MarkSettingSet::Save(const QString& path) const
{
    if (styles.size() < count)
        return false;
    fe::FileWB file;
    if (!file.open(path))
        return false;
    try {
        file.writeBinInt32(kFileVersion).writeBinInt32(static_cast<std::int32_t>(count));
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!styles[i].Write(file))
                return false;
        }
        file.writeBinInt32(currentIndex);
    } catch (const fe::Failure&) {
        return false;
    }
    return file.close();
}

bool MarkSettingSet::Load(const QString& path)
{
    Reset();
    fe::FileRB file;
    if (!file.open(path))
        return false;
    std::vector<MarkStyle> read;
    std::int32_t index = 0;
    try {
        std::int32_t version = 0;
        file.readBinInt32(version);
        if (version > kFileVersion)
            return false;
        std::int32_t stored = 0;
        file.readBinInt32(stored);
        // The count is checked, and templates are added one by one as they are read, so that a
        // damaged count cannot make the load reserve memory for templates the file does not hold.
        if (stored < 0 || stored > kMaxStoredTemplates)
            return false;
        for (std::int32_t i = 0; i < stored; ++i) {
            MarkStyle style;
            if (!style.Read(file, version))
                return false;
            read.push_back(style);
        }
        file.readBinInt32(index);
    } catch (const fe::Failure&) {
        return false;
    }
    if (read.size() < count)
        return false;
    // The set holds the program's templates only: more in the file are dropped, and an index that
    // pointed at one of them becomes the last one kept.
    read.resize(count);
    if (static_cast<std::uint32_t>(index) >= read.size())
        index = static_cast<std::int32_t>(read.size()) - 1;
    styles = std::move(read);
    currentIndex = index;
    return true;
}
