// Templates that are not what they should be are refused with a message, never read half.
#include <gtest/gtest.h>

#include <QFile>

#include "TempFolder.h"
#include "TemplateParts.h"
#include "xlsx/Book.h"
#include "xlsx/ZipPackage.h"

namespace xlsx {
namespace {

using template_parts::FixtureParts;
using template_parts::Parts;

TEST(DamagedTemplate, IsRefusedWithAMessage)
{
    struct Case
    {
        const char* what;
        std::function<void(Parts&)> damage;
    };
    const Case cases[] = {
        {"nothing: the fixture itself must load", [](Parts&) {}},
        {"no workbook part", [](Parts& p) { p.erase("xl/workbook.xml"); }},
        {"a sheet that is not well-formed", [](Parts& p) { p["xl/worksheets/sheet1.xml"].resize(300); }},
        {"no styles", [](Parts& p) { p.erase("xl/styles.xml"); }},
        {"a sheet without its part", [](Parts& p) { p.erase("xl/worksheets/sheet1.xml"); }},
        {"shared strings that are not a string table", [](Parts& p) { p["xl/sharedStrings.xml"] = "<x/>"; }},
        {"column ranges that cover the sheet again and again",
         [](Parts& p) {
             std::string cols = "<cols>";
             for (int i = 0; i < 3; ++i)
                 cols += "<col min=\"1\" max=\"16384\" width=\"9\"/>";
             std::string& sheet = p["xl/worksheets/sheet1.xml"];
             sheet.replace(sheet.find("<cols>"), 6, cols);
         }},
        {"a sheet with more cells than any template needs",
         [](Parts& p) {
             const std::string row = "<row>" + [] {
                 std::string cells;
                 for (int c = 0; c < 16384; ++c)
                     cells += "<c/>";
                 return cells;
             }() + "</row>";
             std::string rows;
             for (int r = 0; r < 16; ++r)
                 rows += row;
             std::string& sheet = p["xl/worksheets/sheet1.xml"];
             sheet.insert(sheet.find("</sheetData>"), rows);
         }},
        {"parts that are too large together",
         [](Parts& p) {
             // One large sheet part listed four times: each read is within the bound of one part.
             std::string& sheet = p["xl/worksheets/sheet1.xml"];
             sheet.insert(sheet.find("</worksheet>"), std::string(15u << 20, ' '));
             std::string& book = p["xl/workbook.xml"];
             const std::size_t end = book.find("</sheets>");
             for (int i = 2; i <= 4; ++i)
                 book.insert(end, "<sheet name=\"#一覧表" + std::to_string(i) + "\" sheetId=\"" +
                                      std::to_string(i + 3) + "\" r:id=\"rId7\"/>");
         }},
        {"a workbook without sheets",
         [](Parts& p) {
             std::string& book = p["xl/workbook.xml"];
             book.erase(book.find("<sheets>"), book.find("</sheets>") + 9 - book.find("<sheets>"));
         }},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        Parts parts = FixtureParts();
        ASSERT_FALSE(parts.empty());
        c.damage(parts);
        const std::string path = folder.file("damaged.xlsx").toStdString();
        std::string error;
        ASSERT_TRUE(template_parts::Zip(parts, path, error)) << error;
        Book book;
        book.PutFileName(path);
        if (&c == &cases[0]) {
            ASSERT_EQ(book.StartFile(), 1) << book.ErrorMessage();
            continue;
        }
        EXPECT_EQ(book.StartFile(), 0) << c.what;
        EXPECT_FALSE(book.ErrorMessage().empty()) << c.what;
        EXPECT_EQ(book.PageBegin("#一覧表", "1"), 0) << c.what;
    }

    QFile text(folder.file("text.xlsx"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a workbook");
    text.close();
    Book book;
    book.PutFileName(text.fileName().toStdString());
    EXPECT_EQ(book.StartFile(), 0);
}

}  // namespace
}  // namespace xlsx
