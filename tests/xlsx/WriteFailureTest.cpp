// A write that cannot be done fails with 0 and leaves the earlier workbook at that path whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "TempFolder.h"
#include "xlsx/Book.h"

namespace xlsx {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void StartOneSheet(Book& book, const std::string& text)
{
    ASSERT_EQ(book.StartCreate(2013), 1);
    ASSERT_EQ(book.PageBegin("一", "1"), 1);
    ASSERT_EQ(book.Cell("A1"), 1);
    ASSERT_EQ(book.PutValueString(text), 1);
}

TEST(WriteFailure, LeavesTheEarlierWorkbookWholeAndNoTemporaryFile)
{
    TempFolder folder;
    const QString path = folder.file("book.xlsx");
    Book book;
    StartOneSheet(book, "first");
    ASSERT_EQ(book.OutFile(path.toStdString(), -1), 1) << book.ErrorMessage();
    const QByteArray good = ReadAll(path);
    ASSERT_FALSE(good.isEmpty());

    StartOneSheet(book, "second");
    EXPECT_EQ(book.OutFile(folder.file("missing/book.xlsx").toStdString(), -1), 0);
    EXPECT_FALSE(book.ErrorMessage().empty());

    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_EQ(book.OutFile(path.toStdString(), -1), 0);
    EXPECT_EQ(ReadAll(path), good);

    // Once writable again the same workbook replaces the old one.
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(book.OutFile(path.toStdString(), -1), 1);
    EXPECT_NE(ReadAll(path), good);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"book.xlsx"});
}

TEST(WriteFailure, CallsOutOfOrderFailWithoutEffect)
{
    TempFolder folder;
    Book book;
    EXPECT_EQ(book.PageBegin("一", "1"), 0);
    EXPECT_EQ(book.Cell("A1"), 0);
    EXPECT_EQ(book.OutFile(folder.file("a.xlsx").toStdString(), -1), 0);
    ASSERT_EQ(book.StartCreate(2013), 1);
    // A workbook without sheets would not open anywhere: it is refused, not written.
    EXPECT_EQ(book.OutFile(folder.file("a.xlsx").toStdString(), -1), 0);
    EXPECT_EQ(book.Cell("A1"), 0);
    book.PutFileName(folder.file("no-such-template.xlsx").toStdString());
    EXPECT_EQ(book.StartFile(), 0);
    EXPECT_FALSE(book.ErrorMessage().empty());
    EXPECT_FALSE(QFile::exists(folder.file("a.xlsx")));
}

}  // namespace
}  // namespace xlsx
