// Merged cells of a template page laid again and again: each page keeps its merges inside its own
// rows, so no two merged ranges of the sheet overlap (a spreadsheet program repairs a file where
// they do, dropping the merges).
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "xlsx/Book.h"

namespace xlsx {
namespace {

bool Overlap(const CellRange& a, const CellRange& b)
{
    return a.r0 <= b.r1 && b.r0 <= a.r1 && a.c0 <= b.c1 && b.c0 <= a.c1;
}

TEST(PageBlockMerges, StayInsideTheirPage)
{
    TempFolder folder;
    const std::string templatePath = folder.file("page.xlsx").toStdString();
    {
        // A page of ten rows whose title row is merged and whose last merge runs two rows past it.
        Book maker;
        ASSERT_EQ(maker.StartCreate(2013), 1);
        ASSERT_EQ(maker.PageBegin("#頁", "1"), 1);
        ASSERT_EQ(maker.Cell("A1"), 1);
        maker.PutValueString("**題");
        for (const char* range : {"A1:D1", "A9:B11"}) {
            ASSERT_EQ(maker.Cell(range), 1);
            ASSERT_EQ(maker.AttrPutJoint(1), 1);
        }
        ASSERT_EQ(maker.OutFile(templatePath, -1), 1) << maker.ErrorMessage();
    }

    Book book;
    book.PutFileName(templatePath);
    ASSERT_EQ(book.StartFile(), 1) << book.ErrorMessage();
    ASSERT_EQ(book.PageBegin("#頁", "1"), 1);
    for (int page = 0; page < 3; ++page) {
        ASSERT_EQ(book.PageStart(1, 10), 1);
        ASSERT_EQ(book.Cell("**題"), 1);
        book.PutValueString("頁 " + std::to_string(page + 1));
        ASSERT_EQ(book.PageNext(1), 1);
    }
    const std::vector<CellRange>& merges = book.CurrentSheet()->merges;
    for (std::size_t i = 0; i < merges.size(); ++i) {
        EXPECT_LE(merges[i].r1, 30) << RangeName(merges[i]);
        for (std::size_t j = i + 1; j < merges.size(); ++j)
            EXPECT_FALSE(Overlap(merges[i], merges[j]))
                << RangeName(merges[i]) << " " << RangeName(merges[j]);
    }
    // Each page keeps its title merge and the part of the lower merge that lies on it.
    for (const CellRange expected :
         {CellRange{1, 1, 1, 4}, CellRange{11, 1, 11, 4}, CellRange{21, 1, 21, 4}, CellRange{9, 1, 10, 2},
          CellRange{19, 1, 20, 2}, CellRange{29, 1, 30, 2}})
        EXPECT_NE(std::find(merges.begin(), merges.end(), expected), merges.end()) << RangeName(expected);
}

}  // namespace
}  // namespace xlsx
