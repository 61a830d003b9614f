#include <gtest/gtest.h>

#include "ProjectFileTestSupport.h"
#include "model/Project.h"
#include "model/ReservoirSheet.h"

namespace {

// A project of one map whose survey holds the given items, written and read again.
Project Reread(std::vector<ReservoirItem> items)
{
    Project written;
    LocationMap map;
    map.name = QStringLiteral("堤");
    map.id = written.maps.nextId++;
    map.reservoir.items = std::move(items);
    written.maps.maps.push_back(map);
    Project read;
    ProjectBytesReader reader;
    EXPECT_EQ(reader.Read(WrittenBytes(written), read), kProjectOk);
    return read;
}

ReservoirItem Item(std::int32_t index, const QString& description)
{
    ReservoirItem item(index);
    item.photoRows.push_back({7, description, 0});
    return item;
}

}  // namespace

// A survey stored with other than eight tables, or with tables out of place, reads as the eight tables
// in order: missing ones empty, each stored one at its index, others kept after the eight and written back.
TEST(ReservoirSheet, StoredTablesAreReadIntoTheirPlaces)
{
    const struct
    {
        const char* what;
        std::vector<ReservoirItem> stored;
        std::vector<QString> expected;  // description of each table's row, "" for an empty table
        size_t total;
    } cases[] = {
        {"three tables", {Item(0, "a"), Item(1, "b"), Item(2, "c")}, {"a", "b", "c", "", "", "", "", ""}, 8},
        {"eleven tables",
         {Item(0, "0"), Item(1, "1"), Item(2, "2"), Item(3, "3"), Item(4, "4"), Item(5, "5"), Item(6, "6"),
          Item(7, "7"), Item(8, "x"), Item(3, "y"), Item(-4, "z")},
         {"0", "1", "2", "3", "4", "5", "6", "7"},
         11},
        {"reversed", {Item(2, "c"), Item(1, "b"), Item(0, "a")}, {"a", "b", "c", "", "", "", "", ""}, 8},
        {"none", {}, {"", "", "", "", "", "", "", ""}, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Project read = Reread(c.stored);
        const ReservoirSheet& sheet = read.maps.maps.at(0).reservoir;
        ASSERT_EQ(sheet.items.size(), c.total);
        for (int k = 0; k < ReservoirSheet::kItemCount; ++k) {
            const ReservoirItem& item = sheet.items[k];
            EXPECT_EQ(item.tableIndex, k);
            EXPECT_EQ(item.photoRows.empty() ? QString() : item.photoRows[0].description, c.expected[k]);
        }
        // The tables beyond the eight are written back as they were read.
        const Project again = Reread(sheet.items);
        EXPECT_EQ(again.maps.maps.at(0).reservoir, sheet);
    }
}

TEST(ReservoirSheet, OnlyQuarterTurnsAreShown)
{
    for (const auto& [stored, shown] : std::vector<std::pair<int, int>>{
             {0, 0}, {90, 90}, {180, 180}, {270, 270}, {45, 0}, {-90, 0}, {360, 0}, {INT32_MIN, 0}}) {
        ReservoirItem item(0);
        item.pictureRotation = stored;
        EXPECT_EQ(item.ShownRotation(), shown) << stored;
    }
}

// Save and reopen keep the order of rows, their descriptions, the pictures with their turns and the
// flag; the spare value is never stored.
TEST(ReservoirSheet, SurveyRoundTripsThroughTheProjectFile)
{
    ReservoirItem third(2);
    third.pictureFile = QStringLiteral("図面_0.png");
    third.pictureRotation = 270;
    third.photoRows = {{5, QStringLiteral("漏水あり"), 9}, {3, QString(), 0}, {4, QStringLiteral("亀裂"), 1}};
    std::vector<ReservoirItem> items;
    for (int k = 0; k < 8; ++k)
        items.push_back(k == 2 ? third : ReservoirItem(k));
    const Project read = Reread(items);
    const ReservoirItem& back = read.maps.maps.at(0).reservoir.items.at(2);
    EXPECT_EQ(back.pictureFile, third.pictureFile);
    EXPECT_EQ(back.pictureRotation, 270);
    ASSERT_EQ(back.photoRows.size(), 3u);
    for (size_t r = 0; r < 3; ++r) {
        EXPECT_EQ(back.photoRows[r].photoId, third.photoRows[r].photoId);
        EXPECT_EQ(back.photoRows[r].description, third.photoRows[r].description);
        EXPECT_EQ(back.photoRows[r].spare, 0);
    }
}

TEST(ReservoirSheet, RowsAreFoundAndSwappedWithinTheTable)
{
    ReservoirItem item(0);
    item.photoRows = {{1, QStringLiteral("a"), 0}, {2, QStringLiteral("b"), 0}, {1, QStringLiteral("c"), 0}};
    ASSERT_NE(item.FindPhotoRef(1), nullptr);
    EXPECT_EQ(item.FindPhotoRef(1)->description, QStringLiteral("a"));  // the first in row order
    EXPECT_EQ(item.FindPhotoRef(9), nullptr);
    for (const auto& [first, second] : std::vector<std::pair<int, int>>{{-1, 0}, {0, 3}, {1, 1}, {3, 2}})
        EXPECT_FALSE(item.SwapPhotoRefs(first, second)) << first << "," << second;
    EXPECT_TRUE(item.SwapPhotoRefs(0, 1));
    EXPECT_EQ(item.photoRows[0].description, QStringLiteral("b"));
    EXPECT_EQ(item.photoRows[1].description, QStringLiteral("a"));
}
