// A template as a spreadsheet program saves it: shared strings, rich text with phonetic guides,
// extension namespaces, a formula, and local defined names.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QJsonArray>
#include <functional>

#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "xlsx/Book.h"
#include "xlsx/ZipPackage.h"

namespace xlsx {
namespace {

// Zips the hand-written parts under tests/xlsx/data/shared_strings, each changed by edit when given.
QString MakeFixture(const TempFolder& folder,
                    const std::function<void(const std::string& name, std::string& data)>& edit = {})
{
    const QString root = KELVOR_TEST_DATA_DIR "/shared_strings";
    std::vector<PackagePart> parts;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const std::string name = QDir(root).relativeFilePath(file.fileName()).toStdString();
        std::string data = file.readAll().toStdString();
        if (edit)
            edit(name, data);
        parts.push_back({name, std::make_shared<const std::string>(std::move(data))});
    }
    const QString path = folder.file("saved-elsewhere.xlsx");
    std::string error;
    return WritePackage(path.toStdString(), parts, error) ? path : QString();
}

TEST(SharedStringTemplate, PlaceholdersInSharedAndRichTextAreFoundAndNamesFollowTheSheets)
{
    TempFolder folder;
    const QString fixture = MakeFixture(folder);
    ASSERT_FALSE(fixture.isEmpty());

    Book book;
    book.PutFileName(fixture.toStdString());
    ASSERT_EQ(book.StartFile(), 1) << book.ErrorMessage();
    for (const char* name : {"一覧表", "山's"}) {
        ASSERT_EQ(book.PageBegin("#一覧表", "1"), 1);
        ASSERT_EQ(book.PageName(name), 1);
        // "**件名" is two rich-text runs; "**件名2" must not be taken for it.
        ASSERT_EQ(book.Cell("**件名"), 1);
        ASSERT_EQ(book.PutValueString(std::string("件名 ") + name), 1);
        ASSERT_EQ(book.PageAttrSize(2, 100, 9), 1);
        ASSERT_EQ(book.PageEnd(), 1);
    }
    // Names are unique whatever the case of their Latin letters.
    ASSERT_EQ(book.PageBegin("#一覧表", "1"), 1);
    EXPECT_EQ(book.PageName("山'S"), 0);
    EXPECT_EQ(book.PageName("a[1]"), 0);
    EXPECT_EQ(book.PageName("一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二"), 0);
    ASSERT_EQ(book.PageName("三"), 1);

    const QString out = folder.file("out.xlsx");
    ASSERT_EQ(book.OutFile(out.toStdString(), -1), 1) << book.ErrorMessage();
    const QJsonObject dump = workbook_check::Dump(out);
    ASSERT_FALSE(dump.isEmpty());
    EXPECT_EQ(dump["problems"].toArray(), QJsonArray());
    EXPECT_EQ(dump["sheets"].toArray(), QJsonArray({"一覧表", "山's", "三"}));
    const QJsonObject first = dump["sheet"]["一覧表"].toObject();
    EXPECT_EQ(first["cells"]["A1"].toString(), "件名 一覧表");
    EXPECT_EQ(first["cells"]["A2"].toString(), "工事 番号");
    EXPECT_EQ(first["cells"]["C2"].toString(), "=1+1");
    EXPECT_FALSE(first["cells"].toObject().contains("B2"));
    EXPECT_FALSE(first["cells"].toObject().contains("C3"));
    EXPECT_EQ(first["heights"]["1"].toDouble(), 21);
    EXPECT_FALSE(dump["sheet"]["三"]["cells"].toObject().contains("B2"));
    const QJsonArray names = dump["names"].toArray();
    EXPECT_TRUE(names.contains(QJsonArray{"_xlnm.Print_Area", "1", "'山''s'!$A$1:$C$5"}))
        << QJsonDocument(names).toJson().toStdString();
    EXPECT_TRUE(names.contains(QJsonArray{"_xlnm.Print_Titles", "2", "'三'!$1:$1"}));

    const workbook_check::Pdf pdf = workbook_check::ConvertToPdf(out, folder.path());
    EXPECT_EQ(pdf.pages, 3);
    EXPECT_TRUE(pdf.text.contains("件名 山's"));
    EXPECT_FALSE(pdf.text.contains("**"));
}

TEST(SharedStringTemplate, ReferencesPastTheStringAndFormatTablesAreDropped)
{
    TempFolder folder;
    const QString fixture = MakeFixture(folder, [](const std::string& name, std::string& data) {
        if (name != "xl/worksheets/sheet1.xml")
            return;
        data.replace(data.find("</row></sheetData>"), 0, "<c r=\"D3\" t=\"s\"><v>99</v></c>");
        data.replace(data.find("<row r=\"3\""), 10, "<row r=\"3\" s=\"77\" customFormat=\"1\"");
        data.replace(data.find("customWidth=\"1\"/>"), 0, "style=\"77\" ");
    });
    ASSERT_FALSE(fixture.isEmpty());
    Book book;
    book.PutFileName(fixture.toStdString());
    ASSERT_EQ(book.StartFile(), 1) << book.ErrorMessage();
    ASSERT_EQ(book.PageBegin("#一覧表", "1"), 1);
    ASSERT_EQ(book.PageName("一覧表"), 1);
    ASSERT_EQ(book.PageEnd(), 1);
    const QString out = folder.file("out.xlsx");
    ASSERT_EQ(book.OutFile(out.toStdString(), -1), 1) << book.ErrorMessage();
    const QJsonObject dump = workbook_check::Dump(out);
    ASSERT_FALSE(dump.isEmpty());
    EXPECT_FALSE(dump["sheet"]["一覧表"]["cells"].toObject().contains("D3"));
}

}  // namespace
}  // namespace xlsx
