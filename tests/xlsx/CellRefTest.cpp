#include <gtest/gtest.h>

#include "xlsx/CellRef.h"

namespace xlsx {

TEST(CellRef, ReadsReferencesRangesAndRows)
{
    struct Case
    {
        const char* text;
        bool ok;
        CellRange range;
    };
    const Case cases[] = {
        {"A1", true, {1, 1, 1, 1, false}},
        {"$b$3", true, {3, 2, 3, 2, false}},
        {"K1:A1", true, {1, 1, 1, 11, false}},
        {"XFD1048576", true, {1048576, 16384, 1048576, 16384, false}},
        {"96", true, {96, 1, 96, kMaxColumn, true}},
        {"XFE1", false, {}},
        {"A1048577", false, {}},
        {"A0", false, {}},
        {"**タイトル", false, {}},
        {"A1:", false, {}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        CellRange range;
        EXPECT_EQ(ParseReference(c.text, range), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(range, c.range) << c.text;
        }
    }
    EXPECT_EQ(CellName(27, 28), "AB27");
    EXPECT_EQ(ColumnName(16384), "XFD");
}

}  // namespace xlsx
