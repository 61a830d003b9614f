// A workbook made from nothing, as the list exports make theirs: pages of rows laid one under the
// other, formats set on ranges, and a scale that lets each page fit the paper.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "xlsx/Book.h"
#include "xlsx/ZipPackage.h"

namespace xlsx {
namespace {

// Three pages of seven rows, each with a header row; references count from the page's first row.
void WriteList(Book& book)
{
    ASSERT_EQ(book.StartCreate(2013), 1);
    ASSERT_EQ(book.PageBegin("撮影写真リスト", "1"), 1);
    ASSERT_EQ(book.PageAttrMargin(24, 10, 19, 14, 8, 5), 1);
    ASSERT_EQ(book.PageAttrSize(0, 100, 9), 1);
    ASSERT_EQ(book.Cell("A1:L1"), 1);
    ASSERT_EQ(book.PutColWidth(14), 1);
    for (int page = 0; page < 3; ++page) {
        ASSERT_EQ(book.PageStart(1, -1), 1);
        ASSERT_EQ(book.Cell("1"), 1);
        ASSERT_EQ(book.PutRowHeight(20), 1);
        ASSERT_EQ(book.Cell("A1"), 1);
        book.PutValueString("写真番号");
        for (int row = 2; row <= 7; ++row) {
            ASSERT_EQ(book.Cell("A" + std::to_string(row)), 1);
            book.PutValueLong(page * 6 + row - 1);
            ASSERT_EQ(book.Cell("L" + std::to_string(row)), 1);
            book.PutValueString("コメント\n二行目");
        }
        ASSERT_EQ(book.Cell("A1:L1"), 1);
        ASSERT_EQ(book.AttrPutPosHorz(22), 1);
        ASSERT_EQ(book.Cell("A1:L7"), 1);
        ASSERT_EQ(book.AttrPutBox(0x1000000, 1, 0x80000008), 1);
        ASSERT_EQ(book.AttrPutBox(0x2000000, 0, 0x80000008), 1);
        ASSERT_EQ(book.AttrPutPosVert(2), 1);
        ASSERT_EQ(book.Cell("L2:L7"), 1);
        ASSERT_EQ(book.AttrPutOverReturn(1), 1);
        ASSERT_EQ(book.AttrPutFontPoint(9), 1);
        ASSERT_EQ(book.PageNext(1), 1);
    }
    // A choice that fails leaves nothing chosen: the next value goes nowhere.
    EXPECT_EQ(book.Cell("**どこにもない"), 0);
    EXPECT_EQ(book.PutValueString("迷子"), 0);
    ASSERT_EQ(book.PageEnd(), 1);
}

TEST(NewWorkbook, PagesFormatsAndScaleReadBack)
{
    TempFolder folder;
    Book book;
    WriteList(book);
    const QString out = folder.file("list.xlsx");
    ASSERT_EQ(book.OutFile(out.toStdString(), -1), 1) << book.ErrorMessage();

    const QJsonObject dump = workbook_check::Dump(out);
    ASSERT_FALSE(dump.isEmpty());
    EXPECT_EQ(dump["problems"].toArray(), QJsonArray());
    const QJsonObject sheet = dump["sheet"]["撮影写真リスト"].toObject();
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["A8"].toString(), "写真番号");
    EXPECT_EQ(cells["A21"].toInt(), 18);
    EXPECT_EQ(sheet["breaks"].toArray(), QJsonArray({7, 14}));
    EXPECT_EQ(sheet["heights"]["15"].toDouble(), 20);
    EXPECT_NEAR(sheet["widths"]["A"].toDouble(), 14.625, 1e-9);  // A:L share one entry
    EXPECT_EQ(sheet["orientation"].toString(), "landscape");
    EXPECT_EQ(sheet["margins"].toArray()[0].toDouble(), 24 / 25.4);
    // Twelve columns of 14 characters (117 px each, 371 mm, with a fifth of room 446 mm) on landscape
    // A4 less margins (263 mm).
    EXPECT_EQ(sheet["scale"].toInt(), 58);
    EXPECT_FALSE(dump.contains("迷子"));

    const QJsonObject styles = sheet["styles"].toObject();
    // Header corner: centred, thin inner edges replaced by the medium outline on its outer sides.
    EXPECT_EQ(styles["A8"].toArray(), QJsonArray({"center", "center", false, "ＭＳ Ｐゴシック", 11, false,
                                                  "medium", "thin", "medium", "thin"}));
    EXPECT_EQ(styles["L14"].toArray(), QJsonArray({QJsonValue(), "center", true, "ＭＳ Ｐゴシック", 9, false,
                                                   "thin", "medium", "thin", "medium"}));

    const workbook_check::Pdf pdf = workbook_check::ConvertToPdf(out, folder.path());
    EXPECT_EQ(pdf.pages, 3);
    workbook_check::Keep(out);
    workbook_check::Keep(pdf.path);
}

// What a reader shows of cell formats that have no test through the page layout: colours (given as
// 0x00BBGGRR), turned text, and texts that start or end with blanks.
TEST(NewWorkbook, ColoursTurnedTextAndEdgeBlanksReadBack)
{
    TempFolder folder;
    Book book;
    ASSERT_EQ(book.StartCreate(2013), 1);
    ASSERT_EQ(book.PageBegin("見た目", "1"), 1);
    const auto put = [&book](const char* cell, const std::string& text) {
        ASSERT_EQ(book.Cell(cell), 1);
        ASSERT_EQ(book.PutValueString(text), 1);
    };

    // Text turned up is stored by its angle, text turned down by 90 plus its angle, 255 stacks it.
    const struct
    {
        const char* cell;
        int degrees;
        int stored;
    } turns[] = {{"A1", 45, 45},   {"A2", -45, 135}, {"A3", 90, 90},
                 {"A4", -90, 180}, {"A5", -1, 91},   {"A6", 255, 255}};
    for (const auto& t : turns) {
        put(t.cell, "回転");
        ASSERT_EQ(book.AttrPutPosTurn(t.degrees), 1);
    }

    put("C1", "赤い字");
    ASSERT_EQ(book.AttrPutFontColor(0x0000FF), 1);
    put("C2", "塗り");
    ASSERT_EQ(book.AttrPutPattern(1), 1);
    ASSERT_EQ(book.AttrPutForeColor(0x336699), 1);
    ASSERT_EQ(book.AttrPutBackColor(0xFF0000), 1);
    put("C3", "橙の枠");
    ASSERT_EQ(book.AttrPutBox(0x1000000, 0, 0x0080FF), 1);
    put("C4", "システム色");
    ASSERT_EQ(book.AttrPutFontColor(0x80000008), 1);

    const std::string blanks[] = {" 先頭に空白", "末尾に空白 ", "\t字下げ", "中 の 空白"};
    const char* blankCells[] = {"D1", "D2", "D3", "D4"};
    for (int k = 0; k < 4; ++k)
        put(blankCells[k], blanks[k]);
    ASSERT_EQ(book.PageEnd(), 1);
    const QString out = folder.file("looks.xlsx");
    ASSERT_EQ(book.OutFile(out.toStdString(), -1), 1) << book.ErrorMessage();

    const QJsonObject dump = workbook_check::Dump(out);
    ASSERT_FALSE(dump.isEmpty());
    EXPECT_EQ(dump["problems"].toArray(), QJsonArray());
    const QJsonObject sheet = dump["sheet"]["見た目"].toObject();
    const QJsonObject looks = sheet["looks"].toObject();
    for (const auto& t : turns)
        EXPECT_EQ(looks[t.cell]["rotation"].toInt(), t.stored) << t.cell << " turned " << t.degrees;
    const auto text = [&looks](const char* cell, const char* what) {
        const QJsonValue value = looks[cell][what];
        return value.isArray() ? QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact).toStdString()
                               : value.toString().toStdString();
    };
    EXPECT_EQ(text("C1", "font"), "FFFF0000");
    EXPECT_EQ(text("C2", "fill"), R"(["solid","FF996633","FF0000FF"])");
    EXPECT_EQ(text("C3", "border"), R"(["FFFF8000","FFFF8000","FFFF8000","FFFF8000"])");
    EXPECT_EQ(text("C4", "font"), "FF000000");

    // Readers that keep blanks anyway hide a missing mark: the written part itself must carry it.
    const QJsonObject cells = sheet["cells"].toObject();
    ZipReader zip;
    std::string error;
    std::string strings;
    ASSERT_TRUE(zip.Open(out.toStdString(), error)) << error;
    ASSERT_TRUE(zip.Read("xl/sharedStrings.xml", strings, error)) << error;
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(blankCells[k]);
        EXPECT_EQ(cells[blankCells[k]].toString().toStdString(), blanks[k]);
        const bool edge = k < 3;
        const std::string item = (edge ? "<t xml:space=\"preserve\">" : "<t>") + blanks[k] + "</t>";
        EXPECT_NE(strings.find(item), std::string::npos) << strings;
    }
}

}  // namespace
}  // namespace xlsx
