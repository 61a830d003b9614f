#include "model/FixedItemNames.h"

#include "fe/File.h"

void FixedItemNames::SetDefaults()
{
    struct Preset
    {
        const char16_t* header[5];
        const char16_t* items[4];
    };
    static const Preset presets[kPresetCount] = {
        {{u"", u"所属", u"報告者", u"発生日時", u"報告日付"},
         {u"種類", u"路線名", u"発生場所", u"被害の概要"}},
        {{u"", u"会社名", u"作成者", u"発生日", u"作成日"}, {u"災害の種類", u"河川名", u"調査箇所", u"概要"}},
        {{u"", u"事務所名", u"担当者", u"日時", u""}, {u"種別", u"地区名", u"調査地域", u"要覧"}},
        {{u"", u"調査会社", u"制作者", u"災害発生年月日", u"報告年月日"},
         {u"区分", u"施設", u"被害場所", u"概略"}},
    };
    count = kPresetCount;
    headerLabels.clear();
    itemNames.clear();
    for (const Preset& preset : presets) {
        ReportHeader header;
        for (size_t i = 0; i < header.texts.size(); ++i)
            header.texts[i] = QString::fromUtf16(preset.header[i]);
        MapItemTexts items;
        for (size_t i = 0; i < items.texts.size(); ++i)
            items.texts[i] = QString::fromUtf16(preset.items[i]);
        headerLabels.push_back(header);
        itemNames.push_back(items);
    }
}

void FixedItemNames::Write(fe::FileWB& file) const
{
    const size_t pairs = std::min(headerLabels.size(), itemNames.size());
    file.writeBinInt32(static_cast<std::int32_t>(pairs));
    for (size_t i = 0; i < pairs; ++i) {
        for (const QString& text : headerLabels[i].texts)
            file << text;
        for (const QString& text : itemNames[i].texts)
            file << text;
    }
}

bool FixedItemNames::Read(fe::FileRB& file)
{
    SetDefaults();
    try {
        std::int32_t stored = 0;
        file.readBinInt32(stored);
        if (stored < 0 || stored > kMaxStoredPresets)
            return false;
        // Presets are read one by one and only the first four are kept, so the stored count never
        // decides how much memory is taken.
        for (std::int32_t i = 0; i < stored; ++i) {
            ReportHeader header;
            for (QString& text : header.texts)
                file >> text;
            MapItemTexts items;
            for (QString& text : items.texts)
                file >> text;
            if (i < kPresetCount) {
                headerLabels[static_cast<size_t>(i)] = header;
                itemNames[static_cast<size_t>(i)] = items;
            }
        }
    } catch (const fe::Failure&) {
        SetDefaults();
        return false;
    }
    return true;
}
