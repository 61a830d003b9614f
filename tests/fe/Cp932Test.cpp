#include <gtest/gtest.h>

#include "fe/Cp932.h"

TEST(Cp932, ConvertsVendorCharactersAndHalfWidthKanaBothWays)
{
    struct Case
    {
        const char16_t* text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {u"A1", QByteArray("A1")},
        {u"①", QByteArray("\x87\x40")},
        {u"㈱", QByteArray("\x87\x8A")},
        {u"ｱｲｳ", QByteArray("\xB1\xB2\xB3")},
        {u"写真", QByteArray("\x8E\xCA\x90\x5E")},
        {u"a\\b", QByteArray("a\\b")},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        bool ok = false;
        EXPECT_EQ(fe::ToCp932(text, &ok), c.bytes) << text.toStdString();
        EXPECT_TRUE(ok);
        EXPECT_EQ(fe::Cp932ByteCount(text), c.bytes.size());
        EXPECT_EQ(fe::FromCp932(c.bytes, &ok), text);
        EXPECT_TRUE(ok);
    }
}

TEST(Cp932, WaveDashTypedOnLinuxMapsToTheWindowsCode)
{
    EXPECT_EQ(fe::ToCp932(QStringLiteral("〜")), QByteArray("\x81\x60"));
    EXPECT_EQ(fe::ToCp932(QStringLiteral("～")), QByteArray("\x81\x60"));
}

TEST(Cp932, EachUnconvertibleCharacterBecomesOneQuestionMark)
{
    bool ok = true;
    // An emoji outside the BMP (two UTF-16 units) and a Hangul syllable.
    const QString text = QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("한b");
    EXPECT_EQ(fe::ToCp932(text, &ok), QByteArray("a??b"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(fe::Cp932ByteCount(text), 4);

    QString lone;
    lone.append(QChar(0xD800));
    EXPECT_EQ(fe::ToCp932(lone + u'x', &ok), QByteArray("?x"));
    EXPECT_FALSE(ok);
}

TEST(Cp932, BadBytesBecomeReplacementCharacters)
{
    bool ok = true;
    // 0x80 alone is not a character; a lead byte at the very end is cut off.
    EXPECT_EQ(fe::FromCp932(QByteArray("a\x80"
                                       "b\x87"),
                            &ok),
              QStringLiteral("a\uFFFDb\uFFFD"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(fe::FromCp932(QByteArray()), QString());
}
