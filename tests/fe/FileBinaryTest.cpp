#include <gtest/gtest.h>

#include <QFile>

#include "FileBytes.h"
#include "TempFolder.h"
#include "fe/File.h"

namespace {

QByteArray Le32(quint32 v)
{
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return b;
}

QByteArray Units(const QString& text)
{
    QByteArray b;
    for (QChar c : text) {
        b.append(static_cast<char>(c.unicode() & 0xFF));
        b.append(static_cast<char>(c.unicode() >> 8));
    }
    return b;
}

}  // namespace

TEST(FileBinary, PrimitivesAreLittleEndianWithoutPadding)
{
    TempFolder temp;
    const QString path = temp.file("記録.bin");
    fe::FileWB out(path);
    ASSERT_TRUE(out.isOpen());
    out.writeBinInt32(-2).writeBinByte(1).writeBinDouble(1.5).writeBinText(QString());
    out << QStringLiteral("AB");
    ASSERT_TRUE(out.close());
    const QByteArray expected = QByteArray::fromHex(
        "feffffff"
        "01"
        "000000000000f83f"
        "00000000"
        "02000000"
        "41004200");
    EXPECT_EQ(ReadAll(path), expected);

    fe::FileRB in(path);
    ASSERT_TRUE(in.isOpen());
    qint32 i = 0;
    quint8 b = 0;
    double d = 0;
    QString empty = QStringLiteral("x"), ab;
    in.readBinInt32(i).readBinByte(b).readBinDouble(d) >> empty >> ab;
    EXPECT_EQ(i, -2);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(d, 1.5);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(ab, QStringLiteral("AB"));
}

TEST(FileBinary, TextRecordLimitsAndNulUnits)
{
    TempFolder temp;
    const QString path = temp.file("t.bin");
    const QString long7999(7999, u'x');
    struct Case
    {
        const char* name;
        QByteArray bytes;
        bool throwsLength;
        QString text;
    };
    const Case cases[] = {
        {"7999 units read", Le32(7999) + Units(long7999) + Le32(42), false, long7999},
        {"NUL cuts the text, the next field stays in place",
         Le32(4) + Units(QStringLiteral("ab")) + QByteArray(2, 0) + Units(QStringLiteral("c")) + Le32(42),
         false, QStringLiteral("ab")},
        {"8000 units refused", Le32(8000) + Le32(42), true, QString()},
        {"huge count refused", Le32(0xFFFFFFFF) + Le32(42), true, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(path, c.bytes);
        fe::FileRB in(path);
        QString text;
        qint32 next = 0;
        if (c.throwsLength) {
            try {
                in >> text;
                FAIL() << "no throw";
            } catch (const fe::Failure& e) {
                EXPECT_EQ(e.Text(), QStringLiteral("FileRB.operator>>(Text):length error"));
            }
            // Nothing after the count was consumed.
            in.readBinInt32(next);
        } else {
            in >> text;
            in.readBinInt32(next);
            EXPECT_EQ(text, c.text);
        }
        EXPECT_EQ(next, 42);
    }
}

TEST(FileBinary, NonBmpCharacterCountsTwoUnits)
{
    TempFolder temp;
    const QString path = temp.file("u.bin");
    const QString text = QString::fromUcs4(U"\U00020B9F");  // a kanji outside the BMP
    fe::FileWB out(path);
    out.writeBinText(text);
    ASSERT_TRUE(out.close());
    EXPECT_EQ(ReadAll(path).left(4), Le32(2));
    fe::FileRB in(path);
    QString back;
    in >> back;
    EXPECT_EQ(back, text);
}

TEST(FileBinary, TruncatedFileThrowsReadBin)
{
    TempFolder temp;
    const QString path = temp.file("cut.bin");
    const QByteArray cases[] = {QByteArray("\x01\x02", 2), Le32(3) + Units(QStringLiteral("ab"))};
    for (const QByteArray& bytes : cases) {
        WriteAll(path, bytes);
        fe::FileRB in(path);
        try {
            if (bytes.size() == 2) {
                qint32 v;
                in.readBinInt32(v);
            } else {
                QString t;
                in >> t;
            }
            ADD_FAILURE() << "no throw";
        } catch (const fe::Failure& e) {
            EXPECT_EQ(e.Text(), QStringLiteral("File.readBin"));
        }
    }
}

TEST(FileBinary, OverLongTextIsRefusedAndTheOldFileStays)
{
    TempFolder temp;
    const QString path = temp.file("project.bin");
    WriteAll(path, QByteArray("old"));

    fe::FileWB out(path);
    ASSERT_TRUE(out.isOpen());
    out.writeBinInt32(7);
    out.writeBinText(QString(7999, u'a'));  // the longest text a reader takes
    try {
        out.writeBinText(QString(8000, u'a'));
        FAIL() << "no throw";
    } catch (const fe::Failure& e) {
        EXPECT_EQ(e.Text(), QStringLiteral("File.writeBin"));
    }
    // The failed save leaves the old file whole, also when the writer is closed afterwards.
    EXPECT_FALSE(out.close());
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList{"project.bin"});
}

TEST(FileBinary, WriterWithoutCloseKeepsTheOldFile)
{
    TempFolder temp;
    const QString path = temp.file("settings.bin");
    WriteAll(path, QByteArray("old"));
    {
        fe::FileWB out(path);
        out.writeBinInt32(1);
        EXPECT_EQ(ReadAll(path), QByteArray("old"));  // nothing reaches the file before close()
    }
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList{"settings.bin"});
}

TEST(FileBinary, OpenAndCloseResults)
{
    TempFolder temp;
    const QString first = temp.file("a.bin"), second = temp.file("b.bin");
    WriteAll(first, Le32(1));
    WriteAll(second, Le32(2));

    fe::FileRB in;
    EXPECT_FALSE(in.close());
    EXPECT_TRUE(in.open(first));
    EXPECT_FALSE(in.open(second));  // keeps the first file
    qint32 v = 0;
    in.readBinInt32(v);
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(in.close());
    EXPECT_FALSE(in.close());

    EXPECT_FALSE(fe::FileRB(temp.file("missing.bin")).isOpen());
    EXPECT_FALSE(fe::FileRB(temp.path()).isOpen());  // a folder is not a file
    EXPECT_FALSE(fe::FileWB(temp.file("no/such/folder.bin")).isOpen());
    EXPECT_FALSE(fe::FileWB(temp.path()).isOpen());

    fe::FileWB out;
    EXPECT_FALSE(out.open(first, 2));  // UTF-16 encodings are not supported
    EXPECT_TRUE(out.open(first));
    EXPECT_FALSE(out.open(second));
    EXPECT_TRUE(out.close());
    EXPECT_EQ(ReadAll(first), QByteArray());
    EXPECT_EQ(ReadAll(second), Le32(2));
}
