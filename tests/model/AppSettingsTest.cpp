#include <gtest/gtest.h>

#include <QFile>
#include <cmath>
#include <functional>
#include <limits>

#include "BinaryBytes.h"
#include "FileBytes.h"
#include "TempFolder.h"
#include "fe/AppFolders.h"
#include "model/AppSettings.h"

namespace {

QString HeaderText(int preset, int k)
{
    return QStringLiteral("見出し%1-%2").arg(preset).arg(k);
}

QString ItemText(int preset, int k)
{
    return QStringLiteral("項目%1-%2").arg(preset).arg(k);
}

// The stored values of setting.bin that the program checks.
struct CheckedFields
{
    std::int32_t zone = 7;
    std::int32_t zoomMin = 3;
    std::int32_t zoomMax = 17;
    std::int32_t interval = 30;
    double minimumDistance = 2e-6;
    double maximumJump = 3e-4;
};

// setting.bin of the given version, field by field, with `fixedCount` item-name presets. The stored
// counts of tokens and presets may be given apart from what follows them, as a damaged file has them.
QByteArray SettingBin(int version, std::int32_t fixedCount = 4, std::int32_t storedTokens = 3,
                      std::int32_t storedFixedCount = -2, const CheckedFields& f = CheckedFields())
{
    Bytes b;
    b.i32(version).i32(f.zone);
    b.text("https://tiles.example")
        .text("/xyz/ort")
        .text(".jpg")
        .i32(f.zoomMin)
        .i32(f.zoomMax)
        .u8(1)
        .text("写真");
    b.text("/p/現場/現場.kvr2").text("/maps").text("/photos");
    b.i32(storedTokens).text("{A}").text("{B}").text("{C}");
    if (version < 2)
        b.i32(99);
    b.i32(storedFixedCount == -2 ? fixedCount : storedFixedCount);
    for (int i = 0; i < fixedCount; ++i) {
        for (int k = 0; k < 5; ++k)
            b.text(HeaderText(i, k));
        for (int k = 0; k < 4; ++k)
            b.text(ItemText(i, k));
    }
    if (version < 2)
        b.i32(99);
    if (version > 2)
        b.u8(0).u8(1).u8(0).u8(1).i32(f.interval).f64(f.minimumDistance).f64(f.maximumJump).text("/tracks");
    if (version > 3)
        b.text("/survey");
    return b.data;
}

// The settings SettingBin(4) holds; fixed presets from `fixedCount` on keep their defaults.
AppSettings Expected(int version = 4, int fixedCount = 4)
{
    AppSettings s = AppSettings::Defaults();
    s.planeZone = 7;
    s.currentTileSite = {
        QStringLiteral("https://tiles.example"), "/xyz/ort", ".jpg", 3, 17, true, "写真", "_xyz_ort"};
    s.lastProjectPath = QStringLiteral("/p/現場/現場.kvr2");
    s.lastMapFolder = "/maps";
    s.lastPhotoFolder = "/photos";
    s.fileNameTokens = {"{A}", "{B}", "{C}"};
    for (int i = 0; i < std::min(fixedCount, 4); ++i) {
        for (int k = 0; k < 5; ++k)
            s.fixedItemNames.headerLabels[i].texts[k] = HeaderText(i, k);
        for (int k = 0; k < 4; ++k)
            s.fixedItemNames.itemNames[i].texts[k] = ItemText(i, k);
    }
    if (version > 2) {
        IchimillLoaderParams& p = s.ichimillParams;
        p.acceptSingle = 0;
        p.acceptRtkFix = 0;
        p.thinningInterval = 30;
        p.minimumDistance = 2e-6;
        p.maximumJump = 3e-4;
        s.lastTrackFolder = "/tracks";
    }
    if (version > 3)
        s.lastSurveyPictureFolder = "/survey";
    return s;
}

}  // namespace

TEST(AppSettings, DefaultsHoldTheDocumentedValues)
{
    const AppSettings s = AppSettings::Defaults();
    EXPECT_EQ(s.planeZone, 1);
    EXPECT_EQ(s.tileCacheFolder, fe::GetWritableFolder() + "geocache");
    EXPECT_EQ(s.currentTileSite.path, QStringLiteral("/xyz/std"));
    EXPECT_EQ(s.currentTileSite.title, QStringLiteral("標準地図"));
    EXPECT_EQ(s.fileNameTokens, QStringList({"{ファイル名}", "{元ファイル名}"}));
    ASSERT_EQ(s.fixedItemNames.headerLabels.size(), 4u);
    ASSERT_EQ(s.fixedItemNames.itemNames.size(), 4u);
    EXPECT_EQ(s.fixedItemNames.headerLabels[1].texts[4], QStringLiteral("作成日"));
    EXPECT_EQ(s.fixedItemNames.headerLabels[2].texts[4], QString());
    EXPECT_EQ(s.fixedItemNames.itemNames[3].texts[3], QStringLiteral("概略"));
    EXPECT_EQ(s.ichimillParams.columnStatus, 8);
    EXPECT_EQ(s.ichimillParams.minimumColumns, 9);
    EXPECT_EQ(s.ichimillParams.maximumJump, 1e-4);
    // No TileSiteList.txt yet: the three built-in base maps.
    ASSERT_EQ(s.tileSites.size(), 3u);
    EXPECT_EQ(s.tileSites[0].path, QStringLiteral("/xyz/std"));
    EXPECT_EQ(s.tileSites[1].path, QStringLiteral("/xyz/pale"));
    EXPECT_EQ(s.tileSites[2].path, QStringLiteral("/xyz/seamlessphoto"));
}

// Building settings reads no file and probes no folder: only SetDefaults and Load do.
TEST(AppSettings, ConstructionTouchesNoFile)
{
    TempFolder temp;
    QString list;
    for (const char* path : {"/xyz/a", "/xyz/b", "/xyz/c"})
        list += QStringLiteral(
                    "{\n\t\"地図\",\n\t\"https://tiles.example\",\n\t\"%1\",\n\t\".png\",\n\t2,\n\t18,\n"
                    "\tfalse\n}\n")
                    .arg(QString::fromLatin1(path));
    WriteAll(AppSettings::TileSiteListPath(), list.toUtf8());
    const AppSettings built;
    EXPECT_TRUE(built.tileCacheFolder.isEmpty());
    ASSERT_EQ(built.tileSites.size(), 3u);
    EXPECT_EQ(built.tileSites[2].path, QStringLiteral("/xyz/seamlessphoto"));
    EXPECT_EQ(built.currentTileSite.path, QStringLiteral("/xyz/std"));

    const AppSettings defaults = AppSettings::Defaults();
    EXPECT_EQ(defaults.tileCacheFolder, fe::GetWritableFolder() + "geocache");
    ASSERT_EQ(defaults.tileSites.size(), 3u);
    EXPECT_EQ(defaults.tileSites[2].path, QStringLiteral("/xyz/c"));
    QFile::remove(AppSettings::TileSiteListPath());
}

TEST(AppSettings, SaveWritesVersionFourFieldByFieldAndLoadReadsItBack)
{
    TempFolder temp;
    const QString path = temp.file("setting.bin");
    ASSERT_TRUE(Expected().Save(path));
    EXPECT_EQ(ReadAll(path).toHex(), SettingBin(4).toHex());

    AppSettings loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_TRUE(loaded == Expected());

    // The defaults go round too.
    ASSERT_TRUE(AppSettings().Save(path));
    loaded.planeZone = 5;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_TRUE(loaded == AppSettings::Defaults());
}

TEST(AppSettings, StoredFilesLoadByVersionAndDamageGivesTheDefaults)
{
    struct Case
    {
        const char* name;
        QByteArray file;
        bool loads;
        AppSettings expected;
    };
    const Case cases[] = {
        {"version 1: two extra fields, no track block", SettingBin(1), true, Expected(1)},
        {"version 2", SettingBin(2), true, Expected(2)},
        {"version 3: no survey folder", SettingBin(3), true, Expected(3)},
        {"two fixed presets: the rest keep the defaults", SettingBin(4, 2), true, Expected(4, 2)},
        {"six fixed presets: the first four are kept", SettingBin(4, 6), true, Expected(4, 6)},
        {"version 5", SettingBin(5), false, AppSettings::Defaults()},
        {"truncated", SettingBin(4).chopped(1), false, AppSettings::Defaults()},
        {"absurd token count", SettingBin(4, 4, 0x7FFFFFFF), false, AppSettings::Defaults()},
        {"negative token count", SettingBin(4, 4, -1), false, AppSettings::Defaults()},
        {"absurd fixed preset count", SettingBin(4, 4, 3, 0x40000000), false, AppSettings::Defaults()},
        {"negative fixed preset count", SettingBin(4, 4, 3, -1), false, AppSettings::Defaults()},
        {"empty file", QByteArray(), false, AppSettings::Defaults()},
    };
    TempFolder temp;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = temp.file("setting.bin");
        WriteAll(path, c.file);
        AppSettings s;
        s.planeZone = 12;
        EXPECT_EQ(s.Load(path), c.loads);
        EXPECT_TRUE(s == c.expected);
        EXPECT_EQ(s.fixedItemNames.headerLabels.size(), 4u);
        EXPECT_EQ(s.fixedItemNames.itemNames.size(), 4u);
    }
    AppSettings s;
    s.planeZone = 12;
    EXPECT_FALSE(s.Load(temp.file("missing.bin")));
    EXPECT_TRUE(s == AppSettings::Defaults());
}

// A stored value that the program cannot use takes its default; the rest of the file is read.
TEST(AppSettings, FieldsOutsideTheirRangeTakeTheirDefaults)
{
    constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
    struct Case
    {
        const char* name;
        CheckedFields stored;
        std::function<void(AppSettings&)> expect;  // applied to Expected()
    };
    const auto with = [](auto change) {
        CheckedFields f;
        change(f);
        return f;
    };
    const Case cases[] = {
        {"zone 0", with([](auto& f) { f.zone = 0; }), [](auto& s) { s.planeZone = 1; }},
        {"zone 20", with([](auto& f) { f.zone = 20; }), [](auto& s) { s.planeZone = 1; }},
        {"zone 1000", with([](auto& f) { f.zone = 1000; }), [](auto& s) { s.planeZone = 1; }},
        {"the lowest zone", with([](auto& f) { f.zone = kLowest; }), [](auto& s) { s.planeZone = 1; }},
        {"zone 19 is kept", with([](auto& f) { f.zone = 19; }), [](auto& s) { s.planeZone = 19; }},
        {"zooms -1 and 19", with([](auto& f) { f.zoomMin = -1, f.zoomMax = 19; }),
         [](auto& s) { s.currentTileSite.zoomMin = 2, s.currentTileSite.zoomMax = 18; }},
        {"zooms at both ends of int", with([](auto& f) { f.zoomMin = kLowest, f.zoomMax = kHighest; }),
         [](auto& s) { s.currentTileSite.zoomMin = 2, s.currentTileSite.zoomMax = 18; }},
        {"zooms 18 and 0 are kept", with([](auto& f) { f.zoomMin = 18, f.zoomMax = 0; }),
         [](auto& s) { s.currentTileSite.zoomMin = 18, s.currentTileSite.zoomMax = 0; }},
        {"interval -7", with([](auto& f) { f.interval = -7; }),
         [](auto& s) { s.ichimillParams.thinningInterval = 5; }},
        {"the interval of an empty field is kept", with([](auto& f) { f.interval = kHighest; }),
         [](auto& s) { s.ichimillParams.thinningInterval = kHighest; }},
        {"a distance that is not a number", with([](auto& f) { f.minimumDistance = NAN; }),
         [](auto& s) { s.ichimillParams.minimumDistance = 1e-6; }},
        {"a negative jump", with([](auto& f) { f.maximumJump = -1.0; }),
         [](auto& s) { s.ichimillParams.maximumJump = 1e-4; }},
        {"an infinite jump", with([](auto& f) { f.maximumJump = INFINITY; }),
         [](auto& s) { s.ichimillParams.maximumJump = 1e-4; }},
    };
    TempFolder temp;
    const QString path = temp.file("setting.bin");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(path, SettingBin(4, 4, 3, -2, c.stored));
        AppSettings expected = Expected();
        c.expect(expected);
        AppSettings s;
        EXPECT_TRUE(s.Load(path));
        EXPECT_TRUE(s == expected);
    }
}

TEST(AppSettings, AFailedSaveLeavesTheOldFileWhole)
{
    TempFolder temp;
    const QString path = temp.file("setting.bin");
    ASSERT_TRUE(Expected().Save(path));
    const QByteArray before = ReadAll(path);
    AppSettings s;
    s.lastPhotoFolder = QString(8000, u'x');  // longer than any reader takes back
    EXPECT_FALSE(s.Save(path));
    EXPECT_EQ(ReadAll(path), before);
}
