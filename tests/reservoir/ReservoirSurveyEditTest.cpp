#include <gtest/gtest.h>

#include "model/Project.h"
#include "reservoir/ReservoirSurveyEdit.h"
#include "reservoir/ReservoirTables.h"

namespace {

// One map with four placed photos (ids 1 to 4, shot on days 4, 2, 3, 1) with comments.
Project SurveyProject()
{
    Project project;
    for (int id = 1; id <= 4; ++id) {
        PhotoRecord photo(id);
        photo.date = QStringLiteral("2024/05/0%1").arg(5 - (id == 1 ? 1 : id == 2 ? 3 : id == 3 ? 2 : 4));
        photo.time = QStringLiteral("10:00:00");
        project.photos.photos.push_back(photo);
    }
    project.photos.nextId = 5;
    LocationMap map;
    map.name = QStringLiteral("堤A");
    const char* comments[] = {"亀裂\n二行目", "", "漏水", "沈下"};
    for (int id = 1; id <= 4; ++id) {
        PlacedPhoto entry;
        entry.photoId = id;
        entry.numberText = QStringLiteral("P%1").arg(id);
        entry.comment = QString::fromUtf8(comments[id - 1]);
        map.photos.entries.push_back(entry);
    }
    project.maps.maps.push_back(map);
    return project;
}

const ReservoirItem& Table(const Project& project, int table)
{
    return project.maps.maps[0].reservoir.items[table];
}

QStringList Descriptions(const ReservoirItem& item)
{
    QStringList texts;
    for (const ReservoirPhotoRef& row : item.photoRows)
        texts.append(row.description);
    return texts;
}

std::vector<int> PlacedOrder(const Project& project)
{
    std::vector<int> ids;
    for (const PlacedPhoto& entry : project.maps.maps[0].photos.entries)
        ids.push_back(entry.photoId);
    return ids;
}

}  // namespace

TEST(ReservoirSurveyEdit, TablesAreListedOnceInOrder)
{
    const auto& tables = ReservoirTables();
    EXPECT_EQ(tables[0].caption, QStringLiteral("堤体の変形に関する変状 (①断面変形率)"));
    EXPECT_EQ(tables[4].photoSheet, QStringLiteral("#4-2-2(写真)"));
    for (int k : {1, 6, 7})
        EXPECT_FALSE(tables[k].HasPicture()) << k;
    for (int k : {0, 2, 3, 4, 5})
        EXPECT_TRUE(tables[k].HasPicture()) << k;
}

// A row starts with the first line of the photo's comment; a photo is listed once per table.
TEST(ReservoirSurveyEdit, AddTakesTheFirstCommentLineAndRefusesAPhotoAlreadyListed)
{
    Project project = SurveyProject();
    ReservoirSurveyEdit edit(project, 0);
    EXPECT_TRUE(edit.AddPhoto(2, 0));
    EXPECT_TRUE(edit.AddPhoto(2, 1));
    EXPECT_FALSE(edit.AddPhoto(2, 0));
    EXPECT_FALSE(ReservoirSurveyEdit::CanAddPhoto(project, 0, 2, 0));
    EXPECT_TRUE(ReservoirSurveyEdit::CanAddPhoto(project, 0, 3, 0));  // another table may list it
    EXPECT_EQ(Descriptions(Table(project, 2)), (QStringList{"亀裂", ""}));
    // Out of range: nothing changes.
    EXPECT_FALSE(edit.AddPhoto(2, 4));
    EXPECT_FALSE(edit.AddPhoto(8, 2));
    EXPECT_FALSE(ReservoirSurveyEdit(project, 1).AddPhoto(0, 0));
    EXPECT_EQ(Table(project, 2).photoRows.size(), 2u);
}

TEST(ReservoirSurveyEdit, ChangeReplacesARowUnlessThePhotoIsListed)
{
    Project project = SurveyProject();
    ReservoirSurveyEdit edit(project, 0);
    ASSERT_TRUE(edit.AddPhoto(0, 0));
    ASSERT_TRUE(edit.AddPhoto(0, 1));
    project.maps.maps[0].reservoir.items[0].photoRows[1].spare = 5;
    EXPECT_FALSE(edit.ChangePhoto(0, 1, 0));  // photo 1 is in the table
    EXPECT_TRUE(edit.ChangePhoto(0, 1, 2));
    const ReservoirPhotoRef& row = Table(project, 0).photoRows[1];
    EXPECT_EQ(row.photoId, 3);
    EXPECT_EQ(row.description, QStringLiteral("漏水"));
    EXPECT_EQ(row.spare, 0);
    EXPECT_FALSE(edit.ChangePhoto(0, 2, 3));  // no such row
}

// Descriptions read back from a page go to the rows they belong to, never past the table's rows.
TEST(ReservoirSurveyEdit, DescriptionsAreStoredWithinTheRows)
{
    Project project = SurveyProject();
    ReservoirSurveyEdit edit(project, 0);
    ASSERT_TRUE(edit.AddPhoto(5, 0));
    ASSERT_TRUE(edit.AddPhoto(5, 2));
    EXPECT_TRUE(edit.StoreDescriptions(5, {"一", "二", "三", "四"}));
    EXPECT_EQ(Descriptions(Table(project, 5)), (QStringList{"一", "二"}));
    EXPECT_FALSE(edit.StoreDescriptions(5, {"一"}));  // nothing new
    EXPECT_TRUE(edit.SwapRows(5, 0, 1));
    EXPECT_EQ(Descriptions(Table(project, 5)), (QStringList{"二", "一"}));
    EXPECT_TRUE(edit.RemoveRow(5, 0));
    EXPECT_FALSE(edit.RemoveRow(5, 1));
    EXPECT_EQ(Descriptions(Table(project, 5)), (QStringList{"一"}));
}

// Sorting by shot date changes the map's own order of placed photos, one way and then the other.
TEST(ReservoirSurveyEdit, SortReordersTheMapsPlacedPhotos)
{
    Project project = SurveyProject();
    ReservoirSurveyEdit edit(project, 0);
    ASSERT_TRUE(edit.SortPlacedPhotos(3, false));
    EXPECT_EQ(PlacedOrder(project), (std::vector<int>{1, 3, 2, 4}));
    ASSERT_TRUE(edit.SortPlacedPhotos(4, true));
    EXPECT_EQ(PlacedOrder(project), (std::vector<int>{4, 2, 3, 1}));
    EXPECT_FALSE(edit.SortPlacedPhotos(2, true));
    EXPECT_FALSE(edit.SortPlacedPhotos(5, true));
}

TEST(ReservoirSurveyEdit, FirstCommentLine)
{
    for (const auto& [comment, line] : std::vector<std::pair<QString, QString>>{
             {"", ""}, {"一行", "一行"}, {"一\n二", "一"}, {"一\r\n二", "一"}, {"\n二", ""}})
        EXPECT_EQ(ReservoirSurveyEdit::FirstCommentLine(comment), line) << comment.toStdString();
}
