#include <gtest/gtest.h>

#include <QFile>
#include <clocale>
#include <string>

#include "FileBytes.h"
#include "TempFolder.h"
#include "fe/File.h"

namespace {

// All lines of the file as a reader sees them: eof() tested before each line, as callers do.
QStringList ReadLines(const QString& path, int encoding)
{
    fe::FileR in;
    EXPECT_TRUE(in.open(path, encoding));
    QStringList lines;
    while (!in.eof()) {
        QString line;
        in.readLine(line);
        lines.append(line);
    }
    return lines;
}

// Switches the process to a decimal-comma locale for the lifetime of the object.
class DecimalCommaLocale
{
public:
    DecimalCommaLocale() : m_saved(std::setlocale(LC_ALL, nullptr))
    {
        m_active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, m_saved.c_str()); }
    bool active() const { return m_active; }

private:
    std::string m_saved;
    bool m_active = false;
};

}  // namespace

TEST(FileText, ReadLineTable)
{
    TempFolder temp;
    const QString path = temp.file("lines.txt");
    const QByteArray tenThousand(10000, 'x');
    struct Case
    {
        const char* name;
        QByteArray bytes;
        int encoding;
        QStringList lines;
    };
    const Case cases[] = {
        {"CR LF line ends", "a\r\nb\r\n", 0, {"a", "b", ""}},
        {"LF line ends", "a\nb\n", 0, {"a", "b", ""}},
        {"last line without LF", "a\nlast", 0, {"a", "last"}},
        {"lone CR stays in the text", "a\rb\n", 0, {"a\rb", ""}},
        {"UTF-8 BOM skipped (encoding 1)", "\xEF\xBB\xBF{title}\r\n", 1, {"{title}", ""}},
        {"UTF-8 BOM skipped (encoding 0)",
         "\xEF\xBB\xBF"
         "12\n",
         0,
         {"12", ""}},
        {"Japanese text", "写真位置図\r\n", 1, {QStringLiteral("写真位置図"), ""}},
        {"10,000 characters come in two pieces",
         tenThousand + "\nnext\n",
         0,
         {QString(7999, u'x'), QString(2001, u'x'), "next", ""}},
        {"a 7999-character line is one line", QByteArray(7999, 'y') + "\r\nz", 0, {QString(7999, u'y'), "z"}},
        {"empty file", "", 0, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(path, c.bytes);
        EXPECT_EQ(ReadLines(path, c.encoding), c.lines);
    }
}

TEST(FileText, SplitOfALongLineNeverCutsACharacter)
{
    TempFolder temp;
    const QString path = temp.file("wide.txt");
    // 7998 units of ASCII, then a character of two UTF-16 units that no longer fits.
    const QString wide = QString::fromUcs4(U"\U00020B9F");
    WriteAll(path, QByteArray(7998, 'a') + wide.toUtf8() + "\n");
    fe::FileR in(path);
    QString first, second;
    in.readLine(first).readLine(second);
    EXPECT_EQ(first, QString(7998, u'a'));
    EXPECT_EQ(second, wide);
}

TEST(FileText, NumberLinesKeepTheVariableWhenNoNumberStarts)
{
    TempFolder temp;
    const QString path = temp.file("numbers.txt");
    WriteAll(path, "12abc\nabc\n  -7\n-1\n3.25e2x\nfoo\n99999999999\n");
    fe::FileR in(path);
    int a = 5, b = 5, c = 0;
    unsigned u = 9;
    double d = 0, e = 4.5;
    int big = 3;
    in.readInt(a).readInt(b).readInt(c).readUInt(u).readDouble(d).readDouble(e).readInt(big);
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 5);
    EXPECT_EQ(c, -7);
    EXPECT_EQ(u, 9u);  // a negative number is not an unsigned one
    EXPECT_EQ(d, 325.0);
    EXPECT_EQ(e, 4.5);
    EXPECT_EQ(big, 3);  // does not fit in 32 bits
    QString rest;
    in.readLine(rest);
    EXPECT_TRUE(rest.isEmpty());
    EXPECT_TRUE(in.eof());
}

TEST(FileText, TryReadTellsWhetherALineHeldANumber)
{
    TempFolder temp;
    const QString path = temp.file("values.txt");
    WriteAll(path, "12abc\nabc\n\n4294967295\n-2.5");
    fe::FileR in(path);
    int i = 5;
    EXPECT_TRUE(in.tryReadInt(i));
    EXPECT_EQ(i, 12);
    EXPECT_FALSE(in.tryReadInt(i));  // letters
    EXPECT_FALSE(in.tryReadInt(i));  // an empty line
    EXPECT_EQ(i, 12);
    unsigned u = 0;
    EXPECT_TRUE(in.tryReadUInt(u));
    EXPECT_EQ(u, 4294967295u);
    double d = 0;
    EXPECT_TRUE(in.tryReadDouble(d));  // the last line has no line end
    EXPECT_EQ(d, -2.5);
    EXPECT_FALSE(in.tryReadDouble(d));  // the file has ended
    EXPECT_EQ(d, -2.5);
}

TEST(FileText, WriterProducesWindowsTextThatTheReaderTakesBack)
{
    TempFolder temp;
    const QString path = temp.file("out.txt");
    fe::FileW out;
    ASSERT_TRUE(out.open(path, 1));
    out.writeLine(QStringLiteral("国土地理院\n"))
        .writeInt(-12)
        .writeLine("\n")
        .writeDouble(1.5)
        .writeLine("\n");
    out.writeLine(QString(5000, u'w') + u'\n');  // longer than any fixed line buffer
    ASSERT_TRUE(out.close());
    const QByteArray bytes = ReadAll(path);
    EXPECT_TRUE(
        bytes.startsWith("\xEF\xBB\xBF"
                         "国土地理院\r\n-12\r\n1.500000\r\n"));
    EXPECT_EQ(bytes.size(), 3 + QByteArray("国土地理院\r\n-12\r\n1.500000\r\n").size() + 5002);

    fe::FileR in;
    ASSERT_TRUE(in.open(path, 1));
    QString title, line;
    int i = 0;
    double d = 0;
    in.readLine(title).readInt(i).readDouble(d).readLine(line);
    EXPECT_EQ(title, QStringLiteral("国土地理院"));
    EXPECT_EQ(i, -12);
    EXPECT_EQ(d, 1.5);
    EXPECT_EQ(line, QString(5000, u'w'));

    fe::FileW plain;
    ASSERT_TRUE(plain.open(temp.file("plain.txt"), 0));
    plain.writeLine("1\n");
    ASSERT_TRUE(plain.close());
    EXPECT_EQ(ReadAll(temp.file("plain.txt")), QByteArray("1\r\n"));  // no BOM with encoding 0
}

TEST(FileText, NumbersAreLocaleFreeUnderADecimalCommaLocale)
{
    DecimalCommaLocale locale;
    ASSERT_TRUE(locale.active()) << "de_DE.UTF-8 is not generated (tools/install-deps.sh test)";
    TempFolder temp;
    const QString path = temp.file("mhc.txt");
    fe::FileW out;
    ASSERT_TRUE(out.open(path));
    out.writeDouble(35.2).writeLine("\n").writeDouble(-1234567.125).writeLine("\n").writeLine("139.75\n");
    ASSERT_TRUE(out.close());
    EXPECT_EQ(ReadAll(path), QByteArray("35.200000\r\n-1234567.125000\r\n139.75\r\n"));

    fe::FileR in(path);
    double a = 0, b = 0, c = 0;
    in.readDouble(a).readDouble(b).readDouble(c);
    EXPECT_EQ(a, 35.2);
    EXPECT_EQ(b, -1234567.125);
    EXPECT_EQ(c, 139.75);
}

TEST(FileText, RewindWritesTheFileAgainFromItsStart)
{
    TempFolder temp;
    const QString path = temp.file("twice.dxf");
    fe::FileW out;
    ASSERT_TRUE(out.openText(path, 1));
    out.writeLine("first pass, longer\n");
    out.rewind();
    out.writeBytes(QByteArray("\x8E\xCA\n"));  // bytes the caller encoded itself
    ASSERT_TRUE(out.close());
    EXPECT_EQ(ReadAll(path), QByteArray("\xEF\xBB\xBF\x8E\xCA\r\n"));
}

TEST(FileText, FailedTextSaveKeepsTheOldFile)
{
    TempFolder temp;
    const QString path = temp.file("TileSiteList.txt");
    WriteAll(path, "old\r\n");
    {
        fe::FileW out;
        ASSERT_TRUE(out.open(path, 1));
        out.writeLine("new\n");
        // Dropped without close(), as when a later step of the save fails.
    }
    EXPECT_EQ(ReadAll(path), QByteArray("old\r\n"));

    fe::FileR in;
    EXPECT_FALSE(in.open(temp.file("missing.txt")));
    EXPECT_TRUE(in.eof());
    QString line = "x";
    in.readLine(line);
    EXPECT_TRUE(line.isEmpty());
}
