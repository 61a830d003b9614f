#include <gtest/gtest.h>

#include <cmath>

#include "BinaryBytes.h"
#include "TempFolder.h"
#include "model/MarkSettingSet.h"

namespace {

// A template whose fields all derive from `seed`, so that templates can be told apart after a load.
void AppendTemplate(Bytes& b, int seed, int version)
{
    b.i32(seed % 2).i32(0x010203 * seed).i32(0x000100 + seed).i32(seed).i32(0xFFFFFF - seed);
    for (int record = 0; record < 2; ++record) {
        b.i32(seed + 1).i32(3).f32(20.5f + seed).f64(7.25).i32(4).f32(9.5f).i32(10 + seed).u8(1).u8(0);
        if (version >= 2)
            b.u8(0);
    }
}

QByteArray MarkFile(int version, int templates, int index)
{
    Bytes b;
    b.i32(version).i32(templates);
    for (int i = 0; i < templates; ++i)
        AppendTemplate(b, i % 50 + 1, version);  // the sizes stay within what the editor allows
    b.i32(index);
    return b.data;
}

// A file of six version-2 templates whose bytes at `offset` are replaced by `field`.
QByteArray WithField(int offset, const Bytes& field)
{
    return MarkFile(2, 6, 0).replace(offset, field.data.size(), field.data);
}

// Offsets into MarkFile(2, ...): the header is 8 bytes, a template's kind and colours 20; the screen
// record of template 0 starts at 28 and that of template 1 at 8 + 90 + 20 = 118.
constexpr int kKind0 = 8;
constexpr int kCoreRadius0 = 28;
constexpr int kArrowLength0 = 36;
constexpr int kFontSize0 = 56;
constexpr int kArrowHeadLength1 = 130;

bool IsFactorySet(const MarkSettingSet& set)
{
    return set.styles == MarkSettingSet().styles;
}

}  // namespace

TEST(MarkSettingSet, FactorySetIsWrittenInTheExactLayoutAndReadsBack)
{
    TempFolder temp;
    const QString path = temp.file("MarkSetting.bin");
    MarkSettingSet set;
    set.currentIndex = 3;
    ASSERT_TRUE(set.Save(path));

    const QByteArray bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 552);
    EXPECT_EQ(bytes.left(16).toHex(), QByteArray("020000000600000000000000cc000000"));
    // Template 0: kind, four colours, then the screen record with its float/double/float widths.
    Bytes expected;
    expected.i32(2).i32(6).i32(0).i32(0x0000CC).i32(0xFFFFFF).i32(0x0000CC).i32(0xD9FDFF);
    expected.i32(5).i32(2).f32(25.0f).f64(12.0).i32(2).f32(12.0f).i32(14).u8(0).u8(1).u8(1);
    expected.i32(4).i32(2).f32(17.0f).f64(6.0).i32(2).f32(8.0f).i32(11).u8(0).u8(1).u8(1);
    EXPECT_EQ(bytes.left(expected.data.size()).toHex(), expected.data.toHex());
    EXPECT_EQ(bytes.right(4).toHex(), QByteArray("03000000"));

    MarkSettingSet loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_TRUE(IsFactorySet(loaded));
    EXPECT_EQ(loaded.currentIndex, 3);
}

TEST(MarkSettingSet, FactoryTemplatesHoldTheirPresetValues)
{
    const MarkSettingSet set;
    ASSERT_EQ(set.styles.size(), 6u);
    EXPECT_EQ(set.styles[0].screen, locmap::MarkSetting());  // class defaults equal template 0's screen
    EXPECT_EQ(set.styles[1].kind, 1);
    EXPECT_EQ(set.styles[1].excel, locmap::MarkSetting(10, 2, 30.0f, 12.0, 2, 8.0f, 15, 0, 1, 0));
    EXPECT_EQ(set.styles[3].screen, set.styles[3].excel);
    EXPECT_EQ(set.styles[4].drawColor, 0x758D01u);
    EXPECT_EQ(set.styles[4].textBackColor, 0xFFFFFFu);
    EXPECT_EQ(set.styles[4].screen, locmap::MarkSetting(4, 2, 30.0f, 11.0, 2, 15.0f, 16, 0, 1, 0));
    EXPECT_EQ(set.styles[5].screen.arrowLength, 24.0f);
}

TEST(MarkSettingSet, StoredFilesLoadByTheirVersionCountAndIndex)
{
    struct Case
    {
        const char* name;
        QByteArray file;
        bool loads;
        size_t templates;
        int index;
    };
    const QByteArray truncated = MarkFile(2, 6, 0).left(300);
    const Case cases[] = {
        {"version 2, index 4", MarkFile(2, 6, 4), true, 6, 4},
        {"version 1 (540 bytes)", MarkFile(1, 6, 2), true, 6, 2},
        {"seven templates: the first six are kept", MarkFile(2, 7, 3), true, 6, 3},
        {"1000 templates, index 999: six kept, the last in use", MarkFile(2, 1000, 999), true, 6, 5},
        {"1001 templates", MarkFile(2, 1001, 0), false, 6, 7},
        {"index 9 becomes the last", MarkFile(2, 6, 9), true, 6, 5},
        {"index -1 becomes the last", MarkFile(2, 6, -1), true, 6, 5},
        {"five templates", MarkFile(2, 5, 0), false, 6, 7},
        {"version 3", MarkFile(3, 6, 0), false, 6, 7},
        {"negative count", MarkFile(2, -1, 0), false, 6, 7},
        {"absurd count", Bytes().i32(2).i32(0x7FFFFFFF).data, false, 6, 7},
        {"truncated", truncated, false, 6, 7},
        {"empty file", QByteArray(), false, 6, 7},
        {"the largest sizes the editor allows", WithField(kFontSize0, Bytes().i32(999)), true, 6, 0},
        {"an enormous font", WithField(kFontSize0, Bytes().i32(0x7FFFFFFF)), false, 6, 7},
        {"a font of no size", WithField(kFontSize0, Bytes().i32(0)), false, 6, 7},
        {"a negative radius", WithField(kCoreRadius0, Bytes().i32(-5)), false, 6, 7},
        {"an arrow that is not a number", WithField(kArrowLength0, Bytes().f32(NAN)), false, 6, 7},
        {"an infinite arrow head", WithField(kArrowHeadLength1, Bytes().f64(INFINITY)), false, 6, 7},
    };
    TempFolder temp;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = temp.file("m.bin");
        WriteAll(path, c.file);
        MarkSettingSet set;
        set.currentIndex = 7;  // a failed load leaves the index to the caller
        EXPECT_EQ(set.Load(path), c.loads);
        EXPECT_EQ(set.styles.size(), c.templates);
        EXPECT_EQ(set.currentIndex, c.index);
        EXPECT_EQ(set.count, 6u);
        if (!c.loads) {
            EXPECT_TRUE(IsFactorySet(set));
        }
    }
    EXPECT_EQ(MarkFile(1, 6, 0).size(), 540);
}

// A shape the drawers do not know becomes the default shape; the template keeps everything else.
TEST(MarkSettingSet, AnUnknownShapeTakesTheDefaultShape)
{
    TempFolder temp;
    const QString path = temp.file("m.bin");
    WriteAll(path, MarkFile(2, 6, 0));
    MarkSettingSet stored;
    ASSERT_TRUE(stored.Load(path));
    for (const std::int32_t kind : {12345, -1, 2}) {
        SCOPED_TRACE(kind);
        WriteAll(path, WithField(kKind0, Bytes().i32(kind)));
        MarkSettingSet set;
        ASSERT_TRUE(set.Load(path));
        EXPECT_EQ(set.styles[0].kind, 0);
        set.styles[0].kind = stored.styles[0].kind;
        EXPECT_EQ(set.styles, stored.styles);
    }
}

TEST(MarkSettingSet, VersionOneRecordsGetTheLeaderFlagAndKeepTheirValues)
{
    TempFolder temp;
    const QString path = temp.file("v1.bin");
    WriteAll(path, MarkFile(1, 6, 0));
    MarkSettingSet set;
    ASSERT_TRUE(set.Load(path));
    for (size_t i = 0; i < set.styles.size(); ++i) {
        const int seed = static_cast<int>(i) + 1;
        const MarkStyle& style = set.styles[i];
        EXPECT_EQ(style.kind, seed % 2);
        EXPECT_EQ(style.drawColor, static_cast<std::uint32_t>(0x010203 * seed));
        EXPECT_EQ(style.textBackColor, static_cast<std::uint32_t>(0xFFFFFF - seed));
        for (const locmap::MarkSetting* s : {&style.screen, &style.excel}) {
            EXPECT_EQ(*s, locmap::MarkSetting(seed + 1, 3, 20.5f + seed, 7.25, 4, 9.5f, 10 + seed, 1, 0, 1));
        }
    }
}

TEST(MarkSettingSet, SaveWritesTheCountOfTemplatesAndReplacesTheFileWhole)
{
    TempFolder temp;
    const QString path = temp.file("m.bin");
    WriteAll(path, MarkFile(2, 7, 6));
    MarkSettingSet set;
    ASSERT_TRUE(set.Load(path));
    ASSERT_EQ(set.styles.size(), 6u);
    EXPECT_EQ(set.currentIndex, 5);
    ASSERT_TRUE(set.Save(path));
    EXPECT_EQ(ReadAll(path).size(), 552);  // six templates
    // What was saved reads back as it was used.
    MarkSettingSet again;
    ASSERT_TRUE(again.Load(path));
    EXPECT_EQ(again.styles, set.styles);
    EXPECT_EQ(again.currentIndex, 5);

    // A save that cannot complete leaves the previous file as it was.
    const QByteArray before = ReadAll(path);
    set.styles.resize(3);
    EXPECT_FALSE(set.Save(path));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_FALSE(MarkSettingSet().Save(temp.file("missing/m.bin")));
}

TEST(MarkSettingSet, AssignmentCopiesTemplatesAndIndexButNotTheCount)
{
    MarkSettingSet source;
    source.count = 9;
    source.currentIndex = 2;
    source.styles.resize(8);
    MarkSettingSet target;
    target = source;
    EXPECT_EQ(target.count, 6u);
    EXPECT_EQ(target.currentIndex, 2);
    EXPECT_EQ(target.styles.size(), 8u);
}
