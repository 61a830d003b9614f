// A workbook made from nothing, as the list exports make theirs: pages of rows laid one under the
// other, formats set on ranges, and a scale that lets each page fit the paper.
#include <gtest/gtest.h>

#include <QJsonArray>

#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "xlsx/Book.h"

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

}  // namespace
}  // namespace xlsx
