#include <gtest/gtest.h>

#include <climits>

#include "fe/TextUtil.h"
#include "fe/Textcsr.h"

TEST(TextUtil, SplitTextKeepsInnerEmptyFieldsAndDropsTheLast)
{
    struct Case
    {
        QString text;
        QStringList fields;
    };
    const Case cases[] = {
        {"a,b,", {"a", "b"}}, {",a", {"", "a"}}, {"a,,b", {"a", "", "b"}}, {"", {}},
        {",", {""}},          {"a", {"a"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fe::SplitText(c.text, u','), c.fields) << c.text.toStdString();
}

TEST(TextUtil, PadAndTrim)
{
    EXPECT_EQ(fe::PadLeft("12", 5), "   12");
    EXPECT_EQ(fe::PadLeft("123456", 5), "123456");
    EXPECT_EQ(fe::TrimChar("   ", u' '), "");
    EXPECT_EQ(fe::TrimChar("", u' '), "");
    EXPECT_EQ(fe::TrimChar("\"\"a\"b\"", u'"'), "a\"b");
    EXPECT_EQ(fe::TrimChar(" \ta\t ", u' '), "\ta\t");  // one character only
    EXPECT_EQ(fe::TrimLeftChar("}}a}", u'}'), "a}");
    EXPECT_EQ(fe::ReplaceChar("a/b/c", u'/', u'\\'), "a\\b\\c");
}

TEST(TextUtil, DisplayWidthCountsHalfWidthOneAndOthersTwo)
{
    QList<int> widths;
    EXPECT_EQ(fe::GetDisplayWidth(QStringLiteral("Aｱあ"), &widths), 4);
    EXPECT_EQ(widths, (QList<int>{1, 1, 2}));

    widths.clear();
    // Full-width A, half-width won sign U+FFE6 is outside the half-width ranges, U+FFE8 inside,
    // and a character outside the BMP counts 2 over its two units.
    const QString text = QStringLiteral("Ａ\uFFE6\uFFE8") + QString::fromUcs4(U"\U00020B9F");
    EXPECT_EQ(fe::GetDisplayWidth(text, &widths), 2 + 2 + 1 + 2);
    EXPECT_EQ(widths, (QList<int>{2, 2, 1, 1, 1}));
    EXPECT_EQ(fe::GetDisplayWidth(QString()), 0);
}

TEST(Textcsr, ReadUIntReadsTheDigitRunAtTheCursor)
{
    const QString text = QStringLiteral("2020年4月x99999999999");
    fe::Textcsr csr(text);
    int value = -5;
    EXPECT_EQ(csr.ReadUInt(value), 4);
    EXPECT_EQ(value, 2020);
    EXPECT_EQ(*csr, QChar(u'年'));
    EXPECT_EQ(csr.ReadUInt(value), 0);  // not on a digit: 0, nothing read
    EXPECT_EQ(value, 0);
    ++csr;
    EXPECT_EQ(csr.ReadUInt(value), 1);
    EXPECT_EQ(value, 4);
    ++csr;
    ++csr;
    // A run too long for an int is passed over whole and stops growing at INT_MAX.
    EXPECT_EQ(csr.ReadUInt(value), 11);
    EXPECT_EQ(value, INT_MAX);
    EXPECT_TRUE(csr.AtEnd());
    ++csr;
    EXPECT_TRUE(csr.AtEnd());
}
